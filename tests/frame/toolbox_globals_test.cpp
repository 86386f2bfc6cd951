// White-box: the library's private cells for globals whose address the application left null.
#include "frame/toolbox_globals.h"

#include <string>

#include "frame/frame_internal.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "session_fixture.h"

namespace {

class PrivateCellsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zebtest::RegisterAppClasses();
    ZEB_SessionRec rec{};
    rec.size = kZEBSessionRecSize;
    rec.instance = GetModuleHandleA(nullptr);
    ZEB_InitSession(&rec);
  }
  void TearDown() override { ZEB_ExitSession(); }
};

TEST_F(PrivateCellsTest, EveryNullAddressGetsItsOwnCellSizedForItsGlobal) {
  ZEB_GlobalsRec rec{};
  rec.size = kZEBGlobalsRecSize;  // every address null
  ASSERT_EQ(ZEB_InitGlobals(&rec), ZEB_GLOBALS_OK);
  const zeb::frame::ToolboxGlobals& g = zeb::frame::Globals();
  std::vector<std::pair<const char*, const char*>> ranges;
#define ZEB_RANGE(name, type, owner)                         \
  ranges.emplace_back(reinterpret_cast<const char*>(g.name), \
                      reinterpret_cast<const char*>(g.name) + sizeof(type));
  ZEB_TOOLBOX_GLOBALS(ZEB_RANGE)
#undef ZEB_RANGE
  ASSERT_EQ(ranges.size(), 59u);
  std::sort(ranges.begin(), ranges.end());
  for (size_t i = 1; i < ranges.size(); ++i)
    EXPECT_LE(ranges[i - 1].second, ranges[i].first) << "cells " << i - 1 << " and " << i << " overlap";

  // The initial values that InitGlobals writes all survive: none overwrote another.
  EXPECT_EQ(g.scrapInfo->scrapCount, 1);
  EXPECT_EQ(*g.memErr, 0);
  EXPECT_EQ(*g.printErr, 0);
  EXPECT_EQ(*g.hiliteMode, 0x80);
  EXPECT_EQ(static_cast<uint16_t>(*g.sysEvtMask), 0xFFEF);
  EXPECT_EQ(*g.theZone, ApplicationZone());
  EXPECT_EQ(*g.curDeactive, nullptr);
}

TEST_F(PrivateCellsTest, ExitReturnsEveryGlobalToThePrivateCells) {
  zebtest::AppGlobals cells{};
  ZEB_GlobalsRec rec = zebtest::GlobalsRecordFor(cells);
  ASSERT_EQ(ZEB_InitGlobals(&rec), ZEB_GLOBALS_OK);
  EXPECT_EQ(zeb::frame::Globals().memErr, &cells.memErr);
  ZEB_ExitSession();
  EXPECT_NE(zeb::frame::Globals().memErr, &cells.memErr);
  EXPECT_NE(static_cast<void*>(zeb::frame::Globals().ticks), static_cast<void*>(&cells.ticks));
  ZEB_SessionRec again{};
  again.size = kZEBSessionRecSize;
  ZEB_InitSession(&again);
}

// Global atoms are shared by every process of the desktop, so whether the name still exists after
// exit says nothing about this process: the session's own reference is what is checked.
TEST_F(PrivateCellsTest, WindowFlagAtomIsTheSessionsFromStartToExit) {
  const ATOM atom = zeb::frame::Session().windowFlagAtom;
  ASSERT_NE(atom, 0);
  char name[32] = "";
  GlobalGetAtomNameA(atom, name, sizeof name);
  EXPECT_EQ(std::string(name), "ZEB_wFlag");
  ZEB_ExitSession();
  EXPECT_EQ(zeb::frame::Session().windowFlagAtom, 0);
  ZEB_SessionRec again{};
  again.size = kZEBSessionRecSize;
  ZEB_InitSession(&again);
}

}  // namespace
