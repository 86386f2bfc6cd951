// TextEdit's scrap and the Scrap Manager's: TEToScrap and TEFromScrap through the clipboard
// procedure, and TECopy putting its text on the clipboard for other programs.
#include <cstring>
#include <string>

#include "MacMemory.h"
#include "MacWindows.h"
#include "TextEdit.h"
#include "scrap_fixture.h"

namespace zebtest {
namespace {

class TextEditScrapTest : public ScrapTest {
 protected:
  void SetUp() override {
    ScrapTest::SetUp();
    TEInit();
  }
  static std::string TEScrapText() {
    Handle h = TEScrapHandle();
    if (!h) return "<nil>";
    return std::string(*h, static_cast<size_t>(TEGetScrapLength()));
  }
  static void SetTEScrap(const std::string& text) {
    Handle h = TEScrapHandle();
    ASSERT_NE(h, nullptr);
    TESetScrapLength(static_cast<long>(text.size()));
    ASSERT_EQ(GetHandleSize(h), static_cast<Size>(text.size()));
    std::memcpy(*h, text.data(), text.size());
  }
};

TEST_F(TextEditScrapTest, ToScrapPutsTheTextEditScrapOnTheClipboardAsText) {
  SetTEScrap("one\rtwo");
  ASSERT_EQ(ZeroScrap(), noErr);
  EXPECT_EQ(TEToScrap(), noErr);
  EXPECT_EQ(ClipboardText(), "one\rtwo");
  EXPECT_EQ(TEScrapText(), "one\rtwo") << "the TextEdit scrap is kept";
}

TEST_F(TextEditScrapTest, FromScrapTakesTextAnotherProgramPut) {
  SetTEScrap("old");
  const short before = InfoScrap()->scrapCount;
  ASSERT_TRUE(ChangeClipboardFromAnotherThread("from elsewhere"));
  ASSERT_TRUE(PumpUntil([&] { return InfoScrap()->scrapCount != before; }));
  EXPECT_EQ(TEFromScrap(), noErr);
  EXPECT_EQ(TEScrapText(), "from elsewhere");
  EXPECT_EQ(GetHandleSize(TEScrapHandle()), static_cast<Size>(14));
}

TEST_F(TextEditScrapTest, FromScrapWithoutTextReportsItAndKeepsTheTextEditScrap) {
  SetTEScrap("kept");
  ASSERT_EQ(ZeroScrap(), noErr);
  EXPECT_EQ(TEFromScrap(), noTypeErr);
  EXPECT_EQ(TEScrapText(), "kept");
}

TEST_F(TextEditScrapTest, FromScrapCutsTextBeyondWhatARecordHolds) {
  const std::string big(40000, 'x');
  const short before = InfoScrap()->scrapCount;
  ASSERT_TRUE(ChangeClipboardFromAnotherThread(big));
  ASSERT_TRUE(PumpUntil([&] { return InfoScrap()->scrapCount != before; }));
  EXPECT_EQ(TEFromScrap(), noErr);
  EXPECT_EQ(TEGetScrapLength(), 32000);
  EXPECT_EQ(GetHandleSize(TEScrapHandle()), static_cast<Size>(32000));
}

TEST_F(TextEditScrapTest, CopyPutsTheSelectionOnTheClipboardAndCutRemovesIt) {
  Rect bounds = {40, 40, 140, 240};
  WindowPtr w = NewWindow(nullptr, &bounds, reinterpret_cast<ConstStr255Param>("\x04Edit"),
                          true, 0, reinterpret_cast<WindowPtr>(-1), false, 0);
  ASSERT_NE(w, nullptr);
  SetPort(w);
  Rect view = {0, 0, 100, 200};
  TEHandle te = TENew(&view, &view);
  ASSERT_NE(te, nullptr);
  const char text[] = "copy this word";
  TESetText(text, static_cast<long>(std::strlen(text)), te);
  TESetSelect(5, 9, te);
  ASSERT_TRUE(SetClipboardFormats({{CF_TEXT, "something else"}}));
  TECopy(te);
  EXPECT_EQ(TEScrapText(), "this");
  EXPECT_EQ(ClipboardText(), "this") << "the copy replaced what was on the clipboard";
  TESetSelect(0, 5, te);
  TECut(te);
  EXPECT_EQ(ClipboardText(), "copy ");
  EXPECT_EQ(std::string(*(*te)->hText, static_cast<size_t>((*te)->teLength)), "this word");
  TEDispose(te);
  DisposeWindow(w);
}

}  // namespace
}  // namespace zebtest
