// PrGeneral's operations and its bad blocks.
#include <cstring>

#include <windows.h>

#include <commdlg.h>

#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "print/print_state.h"
#include "print/printer_escapes.h"
#include "print_fixture.h"

namespace zebtest {
namespace {

using PrGeneralTest = PrintTest;

TEST_F(PrGeneralTest, OperationsOutsideFourToEightLeaveTheBlockAlone) {
  PrGeneral(nullptr);
  for (short op : {0, 3, 9, -1, 0x7FFF}) {
    TGetRslBlk block;
    std::memset(&block, 0x77, sizeof block);
    block.iOpCode = op;
    const TGetRslBlk copy = block;
    PrGeneral(reinterpret_cast<Ptr>(&block));
    EXPECT_EQ(std::memcmp(&block, &copy, sizeof block), 0) << op;
  }
}

TEST_F(PrGeneralTest, DraftBitsSwitchBandingAndSetResolutionIsRefused) {
  TDftBitsBlk draft{};
  draft.iOpCode = draftBitsOp;
  draft.iError = 99;
  PrGeneral(reinterpret_cast<Ptr>(&draft));
  EXPECT_EQ(draft.iError, noErr);
  EXPECT_TRUE(zeb::frame::Switch(ZEB_SW_BANDING));
  draft.iOpCode = noDraftBitsOp;
  draft.iError = 99;
  PrGeneral(reinterpret_cast<Ptr>(&draft));
  EXPECT_EQ(draft.iError, noErr);
  EXPECT_FALSE(zeb::frame::Switch(ZEB_SW_BANDING));
  TSetRslBlk set{};
  set.iOpCode = setRslOp;
  PrGeneral(reinterpret_cast<Ptr>(&set));
  EXPECT_EQ(set.iError, opNotImpl);
  TGetRotnBlk rotation{};
  rotation.iOpCode = getRotnOp;
  rotation.fLandscape = 7;
  PrGeneral(reinterpret_cast<Ptr>(&rotation));  // no record: portrait
  EXPECT_EQ(rotation.iError, noErr);
  EXPECT_EQ(rotation.fLandscape, 0);
}

TEST_F(PrGeneralTest, ResolutionsWithoutAPrinterAnswerNotOffered) {
  SilenceErrors(true);
  TGetRslBlk block;
  std::memset(&block, 0x55, sizeof block);
  block.iOpCode = getRslDataOp;
  PrGeneral(reinterpret_cast<Ptr>(&block));
  EXPECT_EQ(block.iError, opNotImpl);
  for (const TRslRec& r : block.rgRslRec) EXPECT_EQ(r.iXRsl | r.iYRsl, 0);
}

TEST(DriverModule, ANameWithAnExtensionIsLoadedAsItIsABareOneGetsDrv) {
  struct Case {
    const char* driver;
    const char* module;
  } cases[] = {{"wineps.drv", "wineps.drv"},
               {"HPPCL5", "HPPCL5.DRV"},
               {"C:\\drivers\\pscript.dll", "C:\\drivers\\pscript.dll"},
               {"C:\\dir.x\\PSCRIPT", "C:\\dir.x\\PSCRIPT.DRV"},
               {"", ""}};
  for (const Case& c : cases) {
    char module[MAX_PATH];
    zeb::print::DriverModuleName(c.driver, module, sizeof module);
    EXPECT_STREQ(module, c.module) << c.driver;
  }
  char tiny[8];
  zeb::print::DriverModuleName("ABCDEFG", tiny, sizeof tiny);  // no room for the suffix
  EXPECT_STREQ(tiny, "ABCDEFG");
}

// A record whose entry names the scripted printer in its device-names block.
class ResolutionTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    if (HasFatalFailure()) return;
    record_ = NewRecord();
    AttachScriptedPrinter(record_);
    if (HasFatalFailure()) return;
    PrValidate(record_);
    zeb::print::PrinterEntry* entry = zeb::print::CurrentEntry();
    ASSERT_NE(entry, nullptr);
    const char names[] = "SCRIPTED\0Scripted Printer\0LPT1:";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + sizeof names);
    auto* dn = static_cast<DEVNAMES*>(GlobalLock(block));
    dn->wDriverOffset = sizeof(DEVNAMES);
    dn->wDeviceOffset = sizeof(DEVNAMES) + 9;
    dn->wOutputOffset = sizeof(DEVNAMES) + 9 + 17;
    std::memcpy(reinterpret_cast<char*>(dn) + sizeof(DEVNAMES), names, sizeof names);
    GlobalUnlock(block);
    auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
    pd->hDevNames = block;
    GlobalUnlock(entry->block);
  }
  THPrint record_ = nullptr;
};

TEST_F(ResolutionTest, AtMostTwentySevenPairsAreStoredFromADriverReportingThirty) {
  for (int i = 0; i < 30; ++i) printer_.resolutions.push_back({100 + 10 * i, 600 - 5 * i});
  TGetRslBlk block;
  std::memset(&block, 0x55, sizeof block);
  block.iOpCode = getRslDataOp;
  PrGeneral(reinterpret_cast<Ptr>(&block));
  EXPECT_EQ(printer_.capabilitiesDevice, "Scripted Printer");
  ASSERT_EQ(block.iError, noErr);
  EXPECT_EQ(block.lReserved, 0);
  ASSERT_EQ(block.iRslRecCnt, 27);
  for (int i = 0; i < 27; ++i) {
    EXPECT_EQ(block.rgRslRec[i].iXRsl, 100 + 10 * i) << i;
    EXPECT_EQ(block.rgRslRec[i].iYRsl, 600 - 5 * i) << i;
  }
  // The ranges cover the pairs the block holds.
  EXPECT_EQ(block.xRslRg.iMin, 100);
  EXPECT_EQ(block.xRslRg.iMax, 360);
  EXPECT_EQ(block.yRslRg.iMin, 470);
  EXPECT_EQ(block.yRslRg.iMax, 600);
}

TEST_F(ResolutionTest, FewPairsFillTheirPlacesAndTheRestOfTheTableIsCleared) {
  printer_.resolutions = {{300, 300}, {600, 1200}};
  TGetRslBlk block;
  std::memset(&block, 0x55, sizeof block);
  block.iOpCode = getRslDataOp;
  PrGeneral(reinterpret_cast<Ptr>(&block));
  ASSERT_EQ(block.iError, noErr);
  EXPECT_EQ(block.iRslRecCnt, 2);
  EXPECT_EQ(block.xRslRg.iMin, 300);
  EXPECT_EQ(block.xRslRg.iMax, 600);
  EXPECT_EQ(block.yRslRg.iMin, 300);
  EXPECT_EQ(block.yRslRg.iMax, 1200);
  EXPECT_EQ(block.rgRslRec[1].iYRsl, 1200);
  for (int i = 2; i < 27; ++i) EXPECT_EQ(block.rgRslRec[i].iXRsl | block.rgRslRec[i].iYRsl, 0) << i;
}

TEST_F(ResolutionTest, ADriverThatRefusesOrHasNoneLeavesNotOfferedAndAClearTable) {
  for (bool fail : {true, false}) {
    printer_.failCapabilities = fail;
    printer_.resolutions.clear();
    TGetRslBlk block;
    std::memset(&block, 0x55, sizeof block);
    block.iOpCode = getRslDataOp;
    PrGeneral(reinterpret_cast<Ptr>(&block));
    EXPECT_EQ(block.iError, opNotImpl) << fail;
    for (const TRslRec& r : block.rgRslRec) EXPECT_EQ(r.iXRsl | r.iYRsl, 0) << fail;
  }
}

}  // namespace
}  // namespace zebtest
