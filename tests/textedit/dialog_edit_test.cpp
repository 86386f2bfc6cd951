// The dialog's TextEdit record and a multi-line edit item of a real dialog: selections given in
// Toolbox offsets (a line break is one CR) land where the window (CR LF) shows them, and typed
// text goes in there.
#include <gtest/gtest.h>

#include <string>

#include "Dialogs.h"
#include "TextEdit.h"
#include "dialogs_fixture.h"

namespace zebtest {
namespace {

constexpr short kDialog = 300;
constexpr short kOk = 1, kNotes = 2, kName = 3;

class DialogEditTest : public DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    UseResources({{"DLOG", kDialog, Dlog(100, 100, 300, 400, kDialog)},
                  {"DITL", kDialog,
                   Ditl()
                       .Item(ctrlItem + btnCtrl, 160, 200, 180, 280, "OK")
                       .Item(editText, 10, 10, 110, 200, "")
                       .Item(editText, 120, 10, 136, 200, "name")
                       .Bytes()}});
    dialog_ = GetNewDialog(kDialog, nullptr, reinterpret_cast<WindowPtr>(-1));
    ASSERT_NE(dialog_, nullptr);
    dialogs_.push_back(dialog_);
    ForwardOwnerDraw(ZEB_GethWnd(dialog_));
    Foreground(ZEB_GethWnd(dialog_));
    SelectWindow(dialog_);
    Settle();
    FlushEvents(everyEvent, 0);
    notes_ = ItemWindow(dialog_, kNotes);
    ASSERT_NE(notes_, nullptr);
    ASSERT_NE(GetWindowLongA(notes_, GWL_STYLE) & ES_MULTILINE, 0) << "a multi-line item";
  }
  TEHandle Record() const { return reinterpret_cast<DialogPeek>(dialog_)->textH; }
  std::string Notes() const {
    char buffer[256] = {};
    GetWindowTextA(notes_, buffer, sizeof buffer);
    return buffer;
  }
  void Selection(HWND w, DWORD* start, DWORD* end) const {
    SendMessageA(w, EM_GETSEL, reinterpret_cast<WPARAM>(start), reinterpret_cast<LPARAM>(end));
  }
  // The notes item holding three lines, set through the dialog's record.
  void FillNotes() {
    SelectDialogItemText(dialog_, kNotes, 0, 0);
    ASSERT_NE(Record(), nullptr);
    TESetText("ab\rcd\ref", 8, Record());
    ASSERT_EQ(Notes(), "ab\r\ncd\r\nef");
  }

  DialogPtr dialog_ = nullptr;
  HWND notes_ = nullptr;
};

TEST_F(DialogEditTest, SelectDialogItemTextCountsALineBreakAsOneCharacter) {
  FillNotes();
  SelectDialogItemText(dialog_, kNotes, 4, 7);
  DWORD start = 0, end = 0;
  Selection(notes_, &start, &end);
  EXPECT_EQ(start, 5u);
  EXPECT_EQ(end, 9u);
  EXPECT_EQ(GetFocus(), notes_);
  EXPECT_EQ(reinterpret_cast<DialogPeek>(dialog_)->editField, kNotes - 1);
  EXPECT_EQ((*Record())->selStart, 4);
  EXPECT_EQ((*Record())->selEnd, 7);
  // Everything: the Toolbox's 0..32767 is the whole text.
  SelectDialogItemText(dialog_, kNotes, 0, 32767);
  Selection(notes_, &start, &end);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 10u);
  EXPECT_EQ((*Record())->selEnd, 8);
  // Another item: the record follows it there.
  HWND name = ItemWindow(dialog_, kName);
  SelectDialogItemText(dialog_, kName, 3, 1);
  Selection(name, &start, &end);
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(static_cast<uintptr_t>((*Record())->hWndEdit), reinterpret_cast<uintptr_t>(name));
  EXPECT_EQ((*Record())->teLength, 4);
}

TEST_F(DialogEditTest, TypingLandsAtTheSelectedRecordOffset) {
  FillNotes();
  // The key goes through ModalDialog as a user's would; which item it reports is the Dialog
  // Manager's concern, where it lands is this test's.
  RunModal([this](int call, DialogPtr) {
    if (call == 3) SelectDialogItemText(dialog_, kNotes, 7, 7);  // between e and f
    if (call == 10) Tap('X');  // no Shift: a small x
  });
  EXPECT_EQ(Notes(), "ab\r\ncd\r\nexf");
  ASSERT_NE(Record(), nullptr);
  ZEB_SethTEfromhWnd(Record(), true);
  EXPECT_EQ(std::string(*(*Record())->hText, 9), "ab\rcd\rexf");
  EXPECT_EQ((*Record())->selStart, 8);
}

TEST_F(DialogEditTest, MaintainTEFocusRestoresTheRecordsSelectionAfterLineBreaks) {
  FillNotes();
  SelectDialogItemText(dialog_, kNotes, 6, 8);
  // The focus goes to the button and the window's selection moves meanwhile; the application
  // then gives the focus back to the record's window.
  HWND ok = ItemWindow(dialog_, kOk);
  ASSERT_NE(ok, nullptr);
  SetFocus(ok);
  SendMessageA(notes_, EM_SETSEL, 0, 0);
  ZEB_MaintainTEFocus(Record());
  EXPECT_EQ(GetFocus(), notes_);
  DWORD start = 0, end = 0;
  Selection(notes_, &start, &end);
  EXPECT_EQ(start, 8u);
  EXPECT_EQ(end, 10u);
  EXPECT_EQ(reinterpret_cast<DialogPeek>(dialog_)->editField, kNotes - 1);
}

}  // namespace
}  // namespace zebtest
