// Alerts: stages per resource ID, the alert's dialog from its 'ALRT' and 'DITL', and the
// error sound.
#include <algorithm>
#include <cstring>

#include "Dialogs.h"
#include "MacMemory.h"
#include "OSUtils.h"
#include "Resources.h"
#include "ZEB.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_internal.h"
#include "dialogs/item_list.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "resources/resources_internal.h"
#include "windows/windows_internal.h"

namespace zeb::dialogs {
namespace {

constexpr ResType kAlrtType = 0x414C5254;  // 'ALRT'
constexpr ResType kDitlType = 0x4449544C;  // 'DITL'
constexpr UINT kAlertTitleString = 2176;
constexpr size_t kAlertTitleMax = 63;
constexpr uint8_t kDisabledIconItem = 0x80 | itemlist::kIcon;  // type byte 160
constexpr short kNoIcon = -1;
constexpr uintptr_t kStandardSound = 1;

struct AlertState {
  short lastId = 0;
  int stage = -1;
  SoundProcPtr sound = nullptr;   // null: silent
  bool standard = false;          // the library's beeping procedure
  bool applicationSound = false;  // sound is the application's, wrapped
  SoundProcPtr raw = nullptr;     // what the application gave
  bool installed = false;
  HICON icons[3] = {};
};
AlertState g_alert;

void MakeSound(int n) {
  if (n <= 0) return;
  if (g_alert.standard) {
    for (int i = 0; i < n; ++i) SysBeep(1);
  } else if (g_alert.sound) {
    g_alert.sound(static_cast<short>(n));
  }
}

void SetSound(SoundProcPtr proc) {
  if (g_alert.installed && proc == g_alert.raw) return;
  if (g_alert.applicationSound && g_alert.sound) frame::ReleaseCallback(g_alert.sound);
  g_alert.sound = nullptr;
  g_alert.standard = false;
  g_alert.applicationSound = false;
  g_alert.raw = proc;
  g_alert.installed = true;
  if (reinterpret_cast<uintptr_t>(proc) == kStandardSound) {
    g_alert.standard = true;
  } else if (proc) {
    g_alert.sound = frame::WrapCallback(proc);
    g_alert.applicationSound = true;
  }
}

short RunAlert(short alertID, ModalFilterProcPtr filterProc, short iconKind) {
  g_alert.stage = alertID == g_alert.lastId ? std::min(g_alert.stage + 1, 3) : 0;
  g_alert.lastId = alertID;
  const bool wasLoaded = resources::ResourceInMemory(kAlrtType, alertID);
  Handle alrt = GetResource(kAlrtType, alertID);
  if (!alrt || !*alrt || GetHandleSize(alrt) < static_cast<Size>(sizeof(AlertTemplate))) {
    if (alrt && !wasLoaded) ReleaseResource(alrt);
    return -1;
  }
  AlertTemplate t;
  std::memcpy(&t, *alrt, sizeof t);
  const uint8_t group = itemlist::StageGroup(t.stages, g_alert.stage);
  auto release = [&] {
    if (!wasLoaded) ReleaseResource(alrt);
  };
  if (!itemlist::StageDraws(group)) {
    // The Toolbox beeps first and alerts later: a stage without its alert still sounds.
    MakeSound(itemlist::StageSound(group));
    release();
    return -1;
  }
  HWND focus = GetFocus();
  HWND top = focus ? GetAncestor(focus, GA_ROOT) : nullptr;
  const bool disabledTop = top && IsWindowEnabled(top);
  if (disabledTop) EnableWindow(top, FALSE);

  short result = -1;
  const bool ditlLoaded = resources::ResourceInMemory(kDitlType, t.itemsID);
  Handle ditl = GetResource(kDitlType, t.itemsID);
  Handle copy = ditl;
  if (ditl && *ditl && HandToHand(&copy) == noErr && copy) {
    if (iconKind != kNoIcon) {
      // One disabled icon item for the stock icon of the alert's kind.
      const size_t size = static_cast<size_t>(GetHandleSize(copy));
      const size_t end = itemlist::EndOfItems(reinterpret_cast<const uint8_t*>(*copy), size);
      const int count = itemlist::DeclaredCount(reinterpret_cast<const uint8_t*>(*copy), size);
      const int whole = static_cast<int>(itemlist::WalkItems(reinterpret_cast<const uint8_t*>(*copy), size).size());
      if (count == whole && SetHandleSize(copy, static_cast<Size>(end + 16))) {
        uint8_t* p = reinterpret_cast<uint8_t*>(*copy) + end;
        std::memset(p, 0, 16);
        const int16_t box[4] = {20, 10, 52, 42};
        std::memcpy(p + 4, box, 8);
        p[12] = kDisabledIconItem;
        p[13] = 2;
        std::memcpy(p + 14, &iconKind, 2);
        const int16_t word = static_cast<int16_t>(count);
        std::memcpy(*copy, &word, 2);
      }
    }
    char title[kAlertTitleMax + 1] = {};
    const int n = LoadStringA(frame::AppInstance(), kAlertTitleString, title, sizeof title);
    unsigned char ptitle[kAlertTitleMax + 1] = {};
    ptitle[0] = static_cast<unsigned char>(std::max(0, std::min<int>(n, kAlertTitleMax)));
    std::memcpy(ptitle + 1, title, ptitle[0]);
    const short procID = static_cast<short>(events::StoredSystemValue(kAlertProcIndex));
    DialogPtr d = NewDialog(nullptr, &t.boundsRect, ptitle, false, procID, reinterpret_cast<WindowPtr>(-1), false,
                            0, copy);
    if (d) {
      Peek(d)->aDefItem = static_cast<short>(itemlist::StageBoldItem(group));
      FocusMovedTo(nullptr);
      ShowWindow(d);
      SelectWindow(d);
      DrawDialog(d);
      MakeSound(itemlist::StageSound(group));
      ModalDialog(filterProc, &result);
      if (StateOf(d)) DisposeDialog(d);
    } else {
      DisposeHandle(copy);
    }
  }
  if (ditl && !ditlLoaded) ReleaseResource(ditl);
  if (disabledTop && IsWindow(top)) EnableWindow(top, TRUE);
  if (focus && IsWindow(focus)) SetFocus(focus);
  release();
  return result;
}

}  // namespace

HICON AlertIcon(int id) { return id >= 0 && id < 3 ? g_alert.icons[id] : nullptr; }

void ResetErrorSound() { SetSound(reinterpret_cast<SoundProcPtr>(kStandardSound)); }

}  // namespace zeb::dialogs

using namespace zeb;
using namespace zeb::dialogs;

extern "C" {

void ZEBAPI InitDialogs(ResumeProcPtr resumeProc) {
  *frame::Globals().resumeProc = reinterpret_cast<ProcPtr>(resumeProc);
  SetSound(reinterpret_cast<SoundProcPtr>(kStandardSound));
  static const unsigned char kEmpty[1] = {0};
  ParamText(kEmpty, kEmpty, kEmpty, kEmpty);
  g_alert.icons[stopIcon] = LoadIconA(nullptr, IDI_HAND);
  g_alert.icons[noteIcon] = LoadIconA(nullptr, IDI_ASTERISK);
  g_alert.icons[cautionIcon] = LoadIconA(nullptr, IDI_EXCLAMATION);
}

void ZEBAPI ErrorSound(SoundProcPtr soundProc) { SetSound(soundProc); }
void ZEBAPI ResetAlertStage(void) { g_alert.stage = -1; }
void ZEBAPI CouldAlert(short alertID) { (void)alertID; }
void ZEBAPI FreeAlert(short alertID) { (void)alertID; }

short ZEBAPI Alert(short alertID, ModalFilterProcPtr filterProc) { return RunAlert(alertID, filterProc, -1); }
short ZEBAPI StopAlert(short alertID, ModalFilterProcPtr filterProc) {
  return RunAlert(alertID, filterProc, stopIcon);
}
short ZEBAPI NoteAlert(short alertID, ModalFilterProcPtr filterProc) {
  return RunAlert(alertID, filterProc, noteIcon);
}
short ZEBAPI CautionAlert(short alertID, ModalFilterProcPtr filterProc) {
  return RunAlert(alertID, filterProc, cautionIcon);
}

}  // extern "C"
