// The frame window in the clipboard-viewer chain: changes made by other threads are counted
// once, the library's own changes never, every notification goes on to the next viewer, the
// chain stays whole when a viewer leaves, and the session's end leaves it.
#include <algorithm>
#include <vector>

#include "scrap_fixture.h"

namespace zebtest {
namespace {

// A viewer of the test's own: records what it gets and passes notifications on as Windows
// asks every viewer to.
struct OtherViewer {
  HWND window = nullptr;
  HWND next = nullptr;
  bool inChain = false;
  int drawCount = 0;
  std::vector<std::pair<HWND, HWND>> chainChanges;
};
OtherViewer g_viewer;

LRESULT CALLBACK OtherViewerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD:
      ++g_viewer.drawCount;
      if (g_viewer.next) SendNotifyMessageA(g_viewer.next, message, wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN: {
      HWND removed = reinterpret_cast<HWND>(wParam), next = reinterpret_cast<HWND>(lParam);
      g_viewer.chainChanges.push_back({removed, next});
      if (removed == g_viewer.next)
        g_viewer.next = next;
      else if (g_viewer.next)
        SendNotifyMessageA(g_viewer.next, message, wParam, lParam);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

HWND CreateOtherViewer() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = OtherViewerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZEBTestOtherViewer";
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowA("ZEBTestOtherViewer", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                       GetModuleHandleA(nullptr), nullptr);
}

TEST_F(ScrapTest, AChangeFromAnotherThreadCountsOnceAndTellsTheProcedure) {
  ASSERT_EQ(ZeroScrap(), noErr);
  const short count = InfoScrap()->scrapCount;
  cells_.scrapInfo.scrapSize = 21;
  cells_.scrapInfo.scrapHandle = reinterpret_cast<Handle>(&cells_);
  cells_.scrapInfo.scrapState = 1;
  const UINT privateFormat = RegisterClipboardFormatA("ZEB test after text");
  Procedure().calls.clear();
  ASSERT_TRUE(ChangeClipboardFromAnotherThread("from elsewhere", privateFormat));
  ASSERT_TRUE(PumpUntil([&] { return InfoScrap()->scrapCount != count; }));
  PumpFor(200);
  EXPECT_EQ(InfoScrap()->scrapCount, count + 1) << "one change, one count";
  EXPECT_EQ(InfoScrap()->scrapSize, 0);
  EXPECT_EQ(InfoScrap()->scrapHandle, nullptr);
  EXPECT_EQ(InfoScrap()->scrapState, 0);
  // The procedure heard of every format, each with nothing but the format.
  std::vector<UINT> formats;
  for (const ScrapCall& c : Procedure().calls) {
    ASSERT_EQ(c.operation, ZEB_SCRAP_CHANGED);
    EXPECT_EQ(c.dc, nullptr);
    EXPECT_EQ(c.destination, nullptr);
    EXPECT_EQ(c.scrapType, 0u);
    EXPECT_EQ(c.data, nullptr);
    EXPECT_EQ(c.resultBlock, nullptr);
    formats.push_back(static_cast<UINT>(c.format));
  }
  EXPECT_NE(std::find(formats.begin(), formats.end(), static_cast<UINT>(CF_TEXT)), formats.end());
  EXPECT_NE(std::find(formats.begin(), formats.end(), privateFormat), formats.end());

  // The text is there for GetScrap.
  long offset = 0;
  EXPECT_EQ(GetScrap(nullptr, kText, &offset), 14);
}

TEST_F(ScrapTest, AProcedureThatAnswersAChangeEndsTheEnumeration) {
  const UINT privateFormat = RegisterClipboardFormatA("ZEB test after text");
  Procedure().changedAnswer = CF_TEXT;
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "first"}, {privateFormat, "then this"}}));
  ASSERT_FALSE(Procedure().calls.empty());
  EXPECT_EQ(static_cast<UINT>(Procedure().calls.back().format), static_cast<UINT>(CF_TEXT));
  for (const ScrapCall& c : Procedure().calls)
    EXPECT_NE(static_cast<UINT>(c.format), privateFormat) << "offered after the answer";
}

// The other viewer joins the chain before the session starts, so it comes after the frame.
class ChainedScrapTest : public ScrapTest {
 protected:
  void SetUp() override {
    g_viewer = OtherViewer{};
    g_viewer.window = CreateOtherViewer();
    ASSERT_NE(g_viewer.window, nullptr);
    g_viewer.next = SetClipboardViewer(g_viewer.window);
    g_viewer.inChain = true;
    PumpFor(50);
    ScrapTest::SetUp();
    g_viewer.drawCount = 0;
  }
  void TearDown() override {
    ScrapTest::TearDown();
    if (g_viewer.inChain) ChangeClipboardChain(g_viewer.window, g_viewer.next);
    if (g_viewer.window) DestroyWindow(g_viewer.window);
    g_viewer = OtherViewer{};
  }
};

TEST_F(ChainedScrapTest, TheNextViewerGetsEveryNotificationTheLibrarysOwnIncluded) {
  ASSERT_EQ(GetClipboardViewer(), frame_);
  ASSERT_EQ(ZeroScrap(), noErr);
  EXPECT_EQ(g_viewer.drawCount, 1) << "the library's own change, passed on";
  const short count = InfoScrap()->scrapCount;
  ASSERT_TRUE(ChangeClipboardFromAnotherThread("for both"));
  ASSERT_TRUE(PumpUntil([] { return g_viewer.drawCount == 2; }));
  PumpFor(100);
  EXPECT_EQ(g_viewer.drawCount, 2);
  EXPECT_EQ(InfoScrap()->scrapCount, count + 1);
}

TEST_F(ChainedScrapTest, AViewerLeavingTheChainIsStitchedOut) {
  // The other viewer leaves: Windows tells the chain's head, the frame, which takes its next.
  ChangeClipboardChain(g_viewer.window, g_viewer.next);
  g_viewer.inChain = false;
  EXPECT_TRUE(g_viewer.chainChanges.empty()) << "the frame kept the message: it was its next";
  ASSERT_EQ(ZeroScrap(), noErr);
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "after it left"}}));
  EXPECT_EQ(g_viewer.drawCount, 0) << "no notification for a viewer that left";
  EXPECT_EQ(InfoScrap()->scrapCount, 3) << "the frame still counts";
}

TEST_F(ChainedScrapTest, ChainMessagesAboutLaterViewersGoOnDownTheChain) {
  HWND elsewhere = CreateOtherViewer();  // never joined: names nobody the other viewer follows
  ASSERT_NE(elsewhere, nullptr);
  EXPECT_EQ(ZEB_ChangeClipboardChain(elsewhere, nullptr), 0);
  ASSERT_EQ(g_viewer.chainChanges.size(), 1u);
  EXPECT_EQ(g_viewer.chainChanges[0].first, elsewhere);
  EXPECT_EQ(g_viewer.chainChanges[0].second, nullptr);
  DestroyWindow(elsewhere);
}

TEST_F(ChainedScrapTest, EndingTheSessionLeavesTheChainToTheNextViewer) {
  ASSERT_EQ(GetClipboardViewer(), frame_);
  EndSession();
  EXPECT_EQ(GetClipboardViewer(), g_viewer.window);
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "after the session"}}));
  EXPECT_EQ(g_viewer.drawCount, 1) << "the chain still reaches the other viewer";
}

}  // namespace
}  // namespace zebtest
