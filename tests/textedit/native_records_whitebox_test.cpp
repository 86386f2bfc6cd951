// Records mirrored in a native edit window, as a dialog's edit items have them: the window
// holds CR LF, the record CR, and every call crosses between the two.
#include <string>
#include <vector>

#include "MacWindows.h"
#include "Dialogs.h"
#include "TextEdit.h"
#include "ZEB.h"
#include "session_fixture.h"
#include "textedit/textedit_internal.h"

namespace zebtest {
namespace {

class NativeRecordsTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    const Rect bounds{60, 60, 260, 360};
    window_ = NewWindow(nullptr, &bounds, reinterpret_cast<const unsigned char*>("\004Edit"), true,
                        documentProc, reinterpret_cast<WindowPtr>(-1), false, 0);
    ASSERT_NE(window_, nullptr);
    edit_ = CreateWindowA("edit", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 10,
                          10, 200, 100, ZEB_GethWnd(window_), nullptr, nullptr, nullptr);
    ASSERT_NE(edit_, nullptr);
    te_ = zeb::textedit::NewDialogTE(window_, edit_);
    ASSERT_NE(te_, nullptr);
  }
  void TearDown() override {
    if (te_) zeb::textedit::DisposeDialogTE(te_);
    if (edit_) DestroyWindow(edit_);
    if (window_) DisposeWindow(window_);
    SessionTest::TearDown();
  }
  std::string WindowText() const {
    char buffer[256] = {};
    GetWindowTextA(edit_, buffer, sizeof buffer);
    return buffer;
  }
  std::string RecordText() const {
    return std::string(*(*te_)->hText, *(*te_)->hText + (*te_)->teLength);
  }
  void WindowSelection(DWORD* start, DWORD* end) const {
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(start), reinterpret_cast<LPARAM>(end));
  }

  WindowPtr window_ = nullptr;
  HWND edit_ = nullptr;
  TEHandle te_ = nullptr;
};

TEST_F(NativeRecordsTest, TheRecordMirrorsItsWindow) {
  EXPECT_EQ(zeb::textedit::DialogTEWindow(te_), edit_);
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<uintptr_t>((*te_)->hWndEdit)), edit_);
  EXPECT_EQ((*te_)->viewRect.left, 10);
  EXPECT_EQ((*te_)->viewRect.top, 10);
  EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), 32000);
}

TEST_F(NativeRecordsTest, SetTextReplacesTheWholeWindowTextAndReadsBackSingleReturns) {
  SetWindowTextA(edit_, "old text");
  TESetText("one\rtwo", 7, te_);
  EXPECT_EQ(WindowText(), "one\r\ntwo");
  EXPECT_EQ(RecordText(), "one\rtwo");
  EXPECT_EQ((*te_)->teLength, 7);
  EXPECT_EQ((*te_)->selStart, 7);
  EXPECT_EQ((*te_)->nLines, 2);
  EXPECT_EQ((*te_)->lineStarts[1], 4);
  EXPECT_EQ((*te_)->lineStarts[2], 7);
}

TEST_F(NativeRecordsTest, SelectionsCrossLineBreaksInRecordOffsets) {
  TESetText("ab\rcd\ref", 8, te_);
  TESetSelect(4, 7, te_);
  DWORD start = 0, end = 0;
  WindowSelection(&start, &end);
  EXPECT_EQ(start, 5u);
  EXPECT_EQ(end, 9u);
  EXPECT_EQ((*te_)->selStart, 4);
  EXPECT_EQ((*te_)->selEnd, 7);
  // The user selects in the window: the record reads record offsets.
  SendMessageA(edit_, EM_SETSEL, 8, 10);
  ZEB_SethTEfromhWnd(te_, false);
  EXPECT_EQ((*te_)->selStart, 6);
  EXPECT_EQ((*te_)->selEnd, 8);
}

TEST_F(NativeRecordsTest, KeysEditTheWindowAndBackspaceTakesAWholeLineBreak) {
  TESetText("ab", 2, te_);
  TEKey('\r', te_);
  EXPECT_EQ(WindowText(), "ab\r\n");
  EXPECT_EQ(RecordText(), "ab\r");
  TEKey('c', te_);
  EXPECT_EQ(RecordText(), "ab\rc");
  TESetSelect(3, 3, te_);
  TEKey(8, te_);
  EXPECT_EQ(WindowText(), "abc");
  EXPECT_EQ(RecordText(), "abc");
  TESetSelect(0, 0, te_);
  TEKey(8, te_);
  EXPECT_EQ(RecordText(), "abc");
  TEKey(0x7F, te_);
  EXPECT_EQ(RecordText(), "bc");
}

TEST_F(NativeRecordsTest, ArrowsMoveTheSelectionAndNeverBecomeText) {
  TESetText("abc", 3, te_);
  TEKey(0x1C, te_);
  TEKey(0x1C, te_);
  EXPECT_EQ(RecordText(), "abc");
  EXPECT_EQ((*te_)->selStart, 1);
  TEKey(0x1D, te_);
  EXPECT_EQ((*te_)->selStart, 2);
  EXPECT_EQ(WindowText(), "abc");
}

TEST_F(NativeRecordsTest, InsertAndDeleteWorkInTheWindow) {
  TESetText("one\rthree", 9, te_);
  TESetSelect(4, 9, te_);
  TEInsert("two\r", 4, te_);
  EXPECT_EQ(WindowText(), "one\r\ntwo\r\nthree");
  EXPECT_EQ(RecordText(), "one\rtwo\rthree");
  EXPECT_EQ((*te_)->selStart, 8);
  EXPECT_EQ((*te_)->selEnd, 13);
  TEDelete(te_);
  EXPECT_EQ(RecordText(), "one\rtwo\r");
  EXPECT_EQ((*te_)->selStart, 8);
}

TEST_F(NativeRecordsTest, ARecordNeverExceeds32000Characters) {
  const std::string big(40000, 'x');
  TESetText(big.data(), 40000, te_);
  EXPECT_EQ((*te_)->teLength, 32000);
  EXPECT_EQ(GetWindowTextLengthA(edit_), 32000);
  TESetSelect(0, 0, te_);
  TEInsert("yy", 2, te_);
  EXPECT_EQ((*te_)->teLength, 32000);
  EXPECT_EQ(GetWindowTextLengthA(edit_), 32000);
}

TEST_F(NativeRecordsTest, TheSelectionIsClampedToTheTextReadWithIt) {
  TESetText("abcdef", 6, te_);
  SetWindowTextA(edit_, "ab");
  SendMessageA(edit_, EM_SETMODIFY, TRUE, 0);
  SendMessageA(edit_, EM_SETSEL, 2, 2);
  ZEB_SethTEfromhWnd(te_, false);
  EXPECT_EQ(RecordText(), "ab");
  EXPECT_LE((*te_)->selEnd, 2);
  EXPECT_EQ((*te_)->lineStarts[(*te_)->nLines], 2);
}

TEST_F(NativeRecordsTest, CopyAndPasteCarryTheSelectionThroughTheScrap) {
  TEInit();
  TESetText("left\rright", 10, te_);
  TESetSelect(0, 5, te_);
  TECopy(te_);
  EXPECT_EQ(TEGetScrapLength(), 5);
  EXPECT_EQ(std::string(*TEScrapHandle(), 5), "left\r");
  TESetSelect(10, 10, te_);
  TEPaste(te_);
  EXPECT_EQ(WindowText(), "left\r\nrightleft\r\n");
  EXPECT_EQ(RecordText(), "left\rrightleft\r");
}

TEST_F(NativeRecordsTest, CharactersCrossTheCharacterTablesWhileConversionIsOn) {
  // Macintosh 0x8E (e acute) is Windows 0xE9; Windows 0xFC (u diaeresis) is Macintosh 0x9F.
  ASSERT_EQ(ZEB_SystemValue(ZEB_SV_GET, 24, 0), 1u) << "conversion is on from the start";
  TESetText("caf\x8E\rx", 6, te_);
  EXPECT_EQ(WindowText(), "caf\xE9\r\nx");
  EXPECT_EQ(RecordText(), "caf\x8E\rx");
  SetWindowTextA(edit_, "\xFC");
  SendMessageA(edit_, EM_SETMODIFY, TRUE, 0);
  ZEB_SethTEfromhWnd(te_, false);
  EXPECT_EQ(RecordText(), "\x9F");
  TESetSelect(1, 1, te_);
  TEKey(0x8E, te_);
  EXPECT_EQ(WindowText(), "\xFC\xE9");

  // Off: the bytes cross as they are.
  ZEB_SystemValue(ZEB_SV_SET, 24, 0);
  TESetText("caf\x8E", 4, te_);
  EXPECT_EQ(WindowText(), "caf\x8E");
  EXPECT_EQ(RecordText(), "caf\x8E");
  SetWindowTextA(edit_, "\xFC");
  ZEB_SethTEfromhWnd(te_, true);
  EXPECT_EQ(RecordText(), "\xFC");
  ZEB_SystemValue(ZEB_SV_SET, 24, 1);
}

TEST_F(NativeRecordsTest, TheTextEditSettingIsStoredAndChangesNoEditing) {
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 16, 0), 1u);
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_SET, 16, 0), 1u) << "setting answers the old value";
  EXPECT_EQ(ZEB_SystemValue(ZEB_SV_GET, 16, 0), 0u);
  TESetText("a\rb", 3, te_);
  TEKey('c', te_);
  EXPECT_EQ(WindowText(), "a\r\nbc");
  EXPECT_EQ(RecordText(), "a\rbc");
  ZEB_SystemValue(ZEB_SV_SET, 16, 1);
}

TEST_F(NativeRecordsTest, DialogSelectionsAreGivenInRecordOffsets) {
  TESetText("ab\rcd\ref", 8, te_);
  DWORD start = 0, end = 0;
  // Reversed ends are ordered; each line break before an end is two window characters.
  zeb::textedit::SelectEditWindowText(edit_, 7, 4);
  WindowSelection(&start, &end);
  EXPECT_EQ(start, 5u);
  EXPECT_EQ(end, 9u);
  zeb::textedit::SelectEditWindowText(edit_, -3, 999);
  WindowSelection(&start, &end);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 10u);
  zeb::textedit::SelectEditWindowText(nullptr, 0, 1);  // no window: nothing

  // ZEB_MaintainTEFocus gives the window back the record's selection, converted.
  TESetSelect(6, 8, te_);
  HWND other = CreateWindowA("button", "OK", WS_CHILD | WS_VISIBLE, 10, 120, 100, 20,
                             ZEB_GethWnd(window_), nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetFocus(other);
  SendMessageA(edit_, EM_SETSEL, 0, -1);
  ZEB_MaintainTEFocus(te_);
  EXPECT_EQ(GetFocus(), edit_);
  WindowSelection(&start, &end);
  EXPECT_EQ(start, 8u);
  EXPECT_EQ(end, 10u);
  // A selection beyond the window's text is clamped to it.
  (*te_)->selStart = 2;
  (*te_)->selEnd = 30000;
  ZEB_MaintainTEFocus(te_);
  WindowSelection(&start, &end);
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 10u);
  ZEB_MaintainTEFocus(nullptr);
  DestroyWindow(other);
}

}  // namespace
}  // namespace zebtest
