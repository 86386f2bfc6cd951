// Alerts: stages per resource ID with their sounds, reset, bold item 2, the stock icon item,
// and a nested alert inside a modal dialog.
#include <gtest/gtest.h>

#include <vector>

#include "Dialogs.h"
#include "dialogs_fixture.h"

namespace zebtest {
namespace {

std::vector<short> g_sounds;
void ZEBAPI CountSounds(short n) { g_sounds.push_back(n); }

// A stage nibble as the published 'ALRT' layout holds it: bits 0-1 the sound, bit 2 drawn,
// bit 3 bold item 2; stage 1 in the low nibble.
int Nibble(bool drawn, bool bold, int sound) { return (bold ? 8 : 0) | (drawn ? 4 : 0) | (sound & 3); }

class AlertsTest : public DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    const int stages = Nibble(true, false, 1) | (Nibble(false, false, 2) << 4) | (Nibble(true, true, 0) << 8) |
                       (Nibble(true, false, 3) << 12);
    UseResources({{"ALRT", 128, Big().R(100, 100, 220, 400).W(128).W(stages).Bytes()},
                  {"ALRT", 129, Big().R(100, 100, 220, 400).W(128).W(Nibble(true, false, 0) * 0x1111).Bytes()},
                  {"DITL", 128, Ditl()
                                    .Item(ctrlItem + btnCtrl, 80, 200, 100, 280, "OK")
                                    .Item(ctrlItem + btnCtrl, 80, 100, 100, 180, "Cancel")
                                    .Item(statText, 10, 60, 60, 290, "Something happened")
                                    .Bytes()}});
    ErrorSound(&CountSounds);
    g_sounds.clear();
    ResetAlertStage();
  }
  void TearDown() override {
    ErrorSound(reinterpret_cast<SoundProcPtr>(1));
    DialogsTest::TearDown();
  }
};

// The watchdog filter records the alert's default item and answers with Return.
short g_defaultSeen = 0;
int g_iconItems = 0;
int g_filterCalls = 0;
Boolean ZEBAPI AnswerFilter(DialogPtr d, EventRecord* e, short* itemHit) {
  g_defaultSeen = reinterpret_cast<DialogPeek>(d)->aDefItem;
  g_iconItems = 0;
  for (short n = 1; n <= CountDITL(d); ++n) {
    short type;
    Handle h;
    Rect box;
    GetDialogItem(d, n, &type, &h, &box);
    if (type == (iconItem | itemDisable) && box.top == 20 && box.left == 10) ++g_iconItems;
  }
  if (++g_filterCalls == 3) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
  }
  if (g_filterCalls > 300) {
    *itemHit = -99;
    return true;
  }
  ModalFilterProcPtr standard = nullptr;
  GetStdFilterProc(&standard);
  return standard(d, e, itemHit);
}

short RunAlert(short (*call)(short, ModalFilterProcPtr), short id) {
  g_filterCalls = 0;
  g_defaultSeen = 0;
  return call(id, &AnswerFilter);
}

TEST_F(AlertsTest, StagesFollowTheResourcesNibblesAndSounds) {
  EXPECT_EQ(RunAlert(&StopAlert, 128), 1);
  EXPECT_EQ(g_defaultSeen, 1);
  EXPECT_EQ(g_iconItems, 1) << "a stop alert has its icon item";
  // Stage 2 does not draw: -1, but its sound count is still made.
  g_filterCalls = 0;
  EXPECT_EQ(StopAlert(128, &AnswerFilter), -1);
  EXPECT_EQ(g_filterCalls, 0);
  // Stage 3 is bold item 2: Return chooses it.
  EXPECT_EQ(RunAlert(&StopAlert, 128), 2);
  EXPECT_EQ(g_defaultSeen, 2);
  EXPECT_EQ(RunAlert(&StopAlert, 128), 1);
  EXPECT_EQ(RunAlert(&StopAlert, 128), 1) << "the fifth alert stays at stage 4";
  EXPECT_EQ(g_sounds, (std::vector<short>{1, 2, 3, 3}));
}

TEST_F(AlertsTest, ResetAndOtherIdsStartAgainAtStageOne) {
  EXPECT_EQ(RunAlert(&Alert, 128), 1);
  EXPECT_EQ(g_iconItems, 0) << "Alert has no icon";
  ResetAlertStage();
  EXPECT_EQ(RunAlert(&NoteAlert, 128), 1) << "stage 1 again, not the silent stage 2";
  EXPECT_EQ(RunAlert(&CautionAlert, 129), 1);
  EXPECT_EQ(RunAlert(&CautionAlert, 128), 1) << "another ID in between restarts the count";
  EXPECT_EQ(g_sounds, (std::vector<short>{1, 1, 1}));
}

TEST_F(AlertsTest, SilencedAndMissingAlerts) {
  ErrorSound(nullptr);
  EXPECT_EQ(RunAlert(&Alert, 128), 1);
  EXPECT_EQ(StopAlert(128, &AnswerFilter), -1);
  EXPECT_TRUE(g_sounds.empty());
  EXPECT_EQ(Alert(555, &AnswerFilter), -1) << "no 'ALRT'";
  CouldAlert(128);
  FreeAlert(128);
}

Boolean ZEBAPI NestingFilter(DialogPtr d, EventRecord* e, short* itemHit) {
  static bool nested = false;
  if (!nested) {
    nested = true;
    g_filterCalls = 0;
    const short inner = NoteAlert(129, &AnswerFilter);
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(FrontWindow(), d) << "the outer dialog is in front again";
    *itemHit = 42;
    nested = false;
    return true;
  }
  (void)e;
  return false;
}

TEST_F(AlertsTest, AlertNestedInAModalDialogLeavesItModal) {
  UseResources({{"ALRT", 129, Big().R(100, 100, 220, 400).W(128).W(Nibble(true, false, 0) * 0x1111).Bytes()},
                {"DITL", 128, Ditl().Item(ctrlItem + btnCtrl, 80, 200, 100, 280, "OK").Bytes()},
                {"DLOG", 130, Dlog(50, 50, 200, 300, 128)}});
  WindowPtr other = Make(R(600, 100, 800, 200));
  DialogPtr d = GetNewDialog(130, nullptr, reinterpret_cast<WindowPtr>(-1));
  ASSERT_NE(d, nullptr);
  dialogs_.push_back(d);
  SelectWindow(d);
  Settle();
  short hit = 0;
  ModalDialog(&NestingFilter, &hit);
  EXPECT_EQ(hit, 42);
  EXPECT_TRUE(IsWindowEnabled(H(other))) << "enabled again after the outer loop";
}

}  // namespace
}  // namespace zebtest
