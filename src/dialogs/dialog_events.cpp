// Dialog events: IsDialogEvent, DialogSelect, ModalDialog with its standard filter, keyboard
// navigation, and the modal-window calls for applications with their own loops.
#include <algorithm>
#include <vector>

#include "Dialogs.h"
#include "Events.h"
#include "OSUtils.h"
#include "ZEB.h"
#include "dialogs/control_manager.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "osutils/osutils_internal.h"
#include "textedit/textedit_internal.h"
#include "windows/windows_internal.h"

namespace zeb::dialogs {
namespace {

constexpr char kReturn = 0x0D, kEnter = 0x03, kEscape = 0x1B, kTab = 0x09;
constexpr char kLeftArrow = 0x1C, kRightArrow = 0x1D, kUpArrow = 0x1E, kDownArrow = 0x1F;
constexpr short kCloseBoxV = -6, kCloseBoxH = -1;  // the library's report of a close-box click
constexpr long kFlashTicks = 6;
constexpr short kHiddenLeft = 8192;

WindowPtr g_modal = nullptr;
// The windows each running modal loop disabled, innermost last: only those are enabled again.
std::vector<std::vector<HWND>> g_disabledSets;
ZEB_CharFilterProc g_charFilter = nullptr;
// The character filters of the prepared modal windows, innermost last, with the state each
// preparation answered: closing one restores the filter of the window around it.
std::vector<std::pair<long, ZEB_CharFilterProc>> g_charFilters;

char CharOf(const EventRecord& e) { return static_cast<char>(e.message & 0xFF); }
bool IsKey(const EventRecord& e) { return e.what == keyDown || e.what == autoKey; }

HWND ItemWindow(DialogState& st, int n) {
  return n >= 1 && static_cast<size_t>(n) <= st.items.size() ? st.items[static_cast<size_t>(n - 1)].hwnd : nullptr;
}

bool IsTabStop(DialogState& st, int n) {
  const itemlist::ItemView v = ItemAt(st.dialog, n);
  HWND h = ItemWindow(st, n);
  if (!v.offset || !h || !IsWindowVisible(h) || !IsWindowEnabled(h) || v.box.left >= kHiddenLeft) return false;
  char cls[16] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpiA(cls, "static") == 0) return false;
  const itemlist::TableEntry* e = st.table.For(n);
  if (e && (e->flags & itemlist::kEntryNoTabStop)) return false;
  switch (v.type & 0x7F) {
    case itemlist::kButton: case itemlist::kCheckBox: case itemlist::kResourceControl:
    case itemlist::kEditText: return true;
    case itemlist::kUser: return st.items[static_cast<size_t>(n - 1)].combo || st.items[static_cast<size_t>(n - 1)].groupBox ? !st.items[static_cast<size_t>(n - 1)].groupBox : true;
    case itemlist::kRadio: {
      // A radio group is one stop: its checked member (a lone radio button is a stop itself).
      if (!itemlist::RadioGroup(e)) return true;
      return SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    default: return false;
  }
}

std::vector<int> TabOrder(DialogState& st) {
  std::vector<int> order;
  const int count = static_cast<int>(st.items.size());
  if (st.table.flags & itemlist::kTableTabOrder) {
    for (const itemlist::TableEntry& e : st.table.entries)
      if (e.second <= count && IsTabStop(st, e.second)) order.push_back(e.second);
  } else {
    for (int n = 1; n <= count; ++n)
      if (IsTabStop(st, n)) order.push_back(n);
  }
  return order;
}

void FocusItem(DialogState& st, int n) {
  HWND h = ItemWindow(st, n);
  if (!h) return;
  SetFocus(h);
  st.focusItem = n;
  if ((ItemAt(st.dialog, n).type & 0x7F) == itemlist::kEditText) {
    SendMessageA(h, EM_SETSEL, 0, -1);
    Peek(st.dialog)->editField = static_cast<short>(n - 1);
  }
}

void ClickItem(DialogState& st, int n) {
  HWND h = ItemWindow(st, n);
  const uint8_t kind = ItemAt(st.dialog, n).type & 0x7F;
  if (h && (kind == itemlist::kButton || kind == itemlist::kCheckBox || kind == itemlist::kRadio))
    SendMessageA(h, BM_CLICK, 0, 0);
}

short FocusedItem(DialogState& st) { return ItemOfWindow(st, GetFocus()); }

bool Mnemonic(DialogState& st, char c) {
  auto lower = [](char x) { return (x >= 'A' && x <= 'Z') ? static_cast<char>(x + 32) : x; };
  for (const itemlist::TableEntry& e : st.table.entries) {
    if (!e.mnemonic || lower(static_cast<char>(e.mnemonic)) != lower(c)) continue;
    const int target = e.second != e.first ? e.second : e.first;
    FocusItem(st, target);
    ClickItem(st, target);
    return true;
  }
  return false;
}

bool RadioArrow(DialogState& st, bool forward) {
  const short n = FocusedItem(st);
  const itemlist::TableEntry* e = st.table.For(n);
  const int group = itemlist::RadioGroup(e);
  if (!n || !group || (ItemAt(st.dialog, n).type & 0x7F) != itemlist::kRadio) return false;
  std::vector<int> members;
  for (const itemlist::TableEntry& m : st.table.entries)
    if (itemlist::RadioGroup(&m) == group) members.push_back(m.second);
  std::sort(members.begin(), members.end());
  auto it = std::find(members.begin(), members.end(), n);
  if (it == members.end() || members.size() < 2) return false;
  size_t i = static_cast<size_t>(it - members.begin());
  i = forward ? (i + 1) % members.size() : (i + members.size() - 1) % members.size();
  FocusItem(st, members[i]);
  ClickItem(st, members[i]);
  return true;
}

bool ItemExistsEnabled(DialogState& st, int n) {
  HWND h = ItemWindow(st, n);
  return h && IsWindowEnabled(h);
}

void Flash(DialogState& st, int n) {
  // Only controls have a pressed look to flash.
  ControlHandle c = n >= 1 && static_cast<size_t>(n) <= st.items.size() ? st.items[static_cast<size_t>(n - 1)].control : nullptr;
  if (!c) return;
  HiliteControl(c, 1);
  long final = 0;
  Delay(kFlashTicks, &final);
  if (controls::Valid(c)) HiliteControl(c, 0);
}

Boolean ZEBAPI StandardFilter(DialogPtr dialog, EventRecord* e, short* itemHit) {
  DialogState* st = StateOf(dialog);
  if (!st || !e) return false;
  if (IsKey(*e) && !(e->modifiers & cmdKey)) {
    const char c = CharOf(*e);
    int item = 0;
    DialogPeek p = Peek(dialog);
    if (c == kReturn || c == kEnter) {
      const short focus = FocusedItem(*st);
      if (focus && st->items[static_cast<size_t>(focus - 1)].multiLine) return false;
      item = p->editOpen ? p->editOpen : p->aDefItem ? p->aDefItem : 1;
    } else if (c == kEscape) {
      item = ItemWindow(*st, 2) ? 2 : (p->aDefItem ? p->aDefItem : 1);
    }
    if (item && ItemExistsEnabled(*st, item)) {
      Flash(*st, item);
      if (itemHit) *itemHit = static_cast<short>(item);
      return true;
    }
    return false;
  }
  if (e->what == mouseDown) {
    WindowPtr w = nullptr;
    const short part = FindWindow(e->where, &w);
    if (w != dialog || part != inContent) SysBeep(1);
  }
  return false;
}

// The dialog event routine: true when an item was hit.
bool DialogEvent(DialogPtr dialog, const EventRecord& e, short* itemHit) {
  DialogState* st = StateOf(dialog);
  if (!st) return false;
  DialogPeek p = Peek(dialog);
  bool hit = false;
  GrafPtr old = nullptr;
  GetPort(&old);
  SetPort(dialog);
  switch (e.what) {
    case mouseDown: {
      Point pt = e.where;
      GlobalToLocal(&pt);
      const short n = static_cast<short>(FindDialogItem(dialog, pt) + 1);
      if (!n) break;
      const itemlist::ItemView v = ItemAt(dialog, n);
      const uint8_t kind = v.type & 0x7F;
      if (kind == itemlist::kEditText && p->editField != n - 1) {
        HWND h = ItemWindow(*st, n);
        if (h) SendMessageA(h, EM_SETSEL, 0, -1);
        p->editField = static_cast<short>(n - 1);
      }
      if (v.type & itemlist::kDisabledBit) break;
      *itemHit = n;
      ControlHandle c = st->items[static_cast<size_t>(n - 1)].control;
      if (c && (kind == itemlist::kButton || kind == itemlist::kCheckBox || kind == itemlist::kRadio)) {
        hit = (*c)->contrlHilite != controls::kInactive && TrackControl(c, pt, reinterpret_cast<ProcPtr>(-1)) != 0;
      } else if (c) {
        const short before = GetControlValue(c);
        const short part = TrackControl(c, pt, reinterpret_cast<ProcPtr>(-1));
        hit = part != 0 || (controls::Valid(c) && GetControlValue(c) != before);
      } else {
        hit = true;
      }
      break;
    }
    case keyDown:
    case autoKey: {
      const bool navigated = NavigateKey(*st, e);
      if (p->editField >= 0) {
        *itemHit = static_cast<short>(p->editField + 1);
        const char c = CharOf(e);
        const bool arrow = c >= kLeftArrow && c <= kDownArrow;
        const bool multiReturn = c == kReturn && st->items[static_cast<size_t>(p->editField)].multiLine;
        // The edit window has had arrows and a multi-line Return already.
        if (!navigated && !arrow && !multiReturn && p->textH)
          textedit::DialogTEKey(p->textH, static_cast<short>(c), static_cast<short>(e.modifiers));
        hit = true;
      }
      break;
    }
    case updateEvt:
      if (reinterpret_cast<WindowPtr>(e.message) == dialog) {
        BeginUpdate(dialog);
        UpdateDialog(dialog, dialog->visRgn);
        EndUpdate(dialog);
      }
      break;
    case activateEvt:
      if (p->textH) textedit::DialogTEActivate(p->textH, (e.modifiers & activeFlag) != 0);
      break;
    default:
      if (p->textH) textedit::DialogTEIdle(p->textH);
      break;
  }
  if (dialog == g_modal && StateOf(dialog) && st->focusPending) SetUpInitialFocus(*st);
  SetPort(old);
  return hit;
}

WindowPtr EventWindow(const EventRecord& e) {
  if (e.what == mouseDown || e.what == mouseUp) {
    WindowPtr w = nullptr;
    return FindWindow(e.where, &w) == inContent ? w : nullptr;
  }
  if (e.what == updateEvt || e.what == activateEvt) return reinterpret_cast<WindowPtr>(e.message);
  return FrontWindow();
}

std::vector<HWND> DisableOthers(WindowPtr keep, bool alsoFrame) {
  std::vector<HWND> disabled;
  HWND self = windows::HwndOf(keep);
  if (alsoFrame) {
    HWND frame = frame::FrameWindow();
    if (frame && frame != self && IsWindowEnabled(frame)) {
      EnableWindow(frame, FALSE);
      disabled.push_back(frame);
    }
  }
  for (WindowPtr w = windows::ListHead(); w; w = reinterpret_cast<WindowPtr>(reinterpret_cast<WindowPeek>(w)->nextWindow)) {
    HWND h = windows::HwndOf(w);
    if (!h || h == self || !IsWindowVisible(h) || !IsWindowEnabled(h)) continue;
    EnableWindow(h, FALSE);
    disabled.push_back(h);
  }
  return disabled;
}

void Reenable(const std::vector<HWND>& disabled) {
  for (HWND h : disabled)
    if (IsWindow(h)) EnableWindow(h, TRUE);
}

}  // namespace

WindowPtr ModalWindow() { return g_modal; }

void SetUpInitialFocus(DialogState& st) {
  st.focusPending = false;
  DialogPeek p = Peek(st.dialog);
  int n = 0;
  if (st.focusItem && ItemExistsEnabled(st, st.focusItem) && IsWindowVisible(ItemWindow(st, st.focusItem))) n = st.focusItem;
  else if (st.table.fromResource && p->editOpen && ItemExistsEnabled(st, p->editOpen)) n = p->editOpen;
  else if (st.firstEdit) n = st.firstEdit;
  else if (st.table.fromResource && p->aDefItem && ItemExistsEnabled(st, p->aDefItem)) n = p->aDefItem;
  else {
    const std::vector<int> order = TabOrder(st);
    if (!order.empty()) n = order.front();
  }
  if (n) FocusItem(st, n);
  else SetFocus(windows::HwndOf(st.dialog));
}

bool NavigateKey(DialogState& st, const EventRecord& e) {
  if (e.what != keyDown && e.what != autoKey) return false;
  const char c = CharOf(e);
  if (e.modifiers & optionKey) return Mnemonic(st, c);
  if (c == kTab) {
    const std::vector<int> order = TabOrder(st);
    if (order.empty()) return true;
    const short focus = FocusedItem(st);
    auto it = std::find(order.begin(), order.end(), focus);
    const bool back = (e.modifiers & shiftKey) != 0;
    size_t i = 0;
    if (it == order.end()) i = back ? order.size() - 1 : 0;
    else {
      i = static_cast<size_t>(it - order.begin());
      i = back ? (i + order.size() - 1) % order.size() : (i + 1) % order.size();
    }
    FocusItem(st, order[i]);
    return true;
  }
  if (c == kUpArrow || c == kLeftArrow) return RadioArrow(st, false);
  if (c == kDownArrow || c == kRightArrow) return RadioArrow(st, true);
  return false;
}

void ZEBAPI LibraryModalDialog(ModalFilterProc filterArg, short* itemHit) {
  short scratch = 0;
  short* hitCell = itemHit ? itemHit : &scratch;
  *hitCell = -1;
  DialogPtr dialog = FrontWindow();
  DialogState* st = StateOf(dialog);
  if (!st) return;
  auto appFilter = reinterpret_cast<ModalFilterProcPtr>(filterArg);
  ModalFilterProcPtr filter = appFilter ? frame::WrapCallback(appFilter) : &StandardFilter;
  HWND capture = GetCapture();
  if (capture) ReleaseCapture();
  g_disabledSets.push_back(DisableOthers(dialog, true));
  WindowPtr previous = g_modal;
  g_modal = dialog;
  HWND hwnd = windows::HwndOf(dialog);
  EnableWindow(hwnd, TRUE);
  st->focusPending = true;
  for (;;) {
    SystemTask();
    EventRecord e{};
    const bool got = GetNextEvent(everyEvent, &e) != 0;
    (void)got;
    if (!StateOf(dialog)) {
      // A filter or an action disposed of the dialog.
      *hitCell = -1;
      break;
    }
    DialogPeek p = Peek(dialog);
    if (e.what != nullEvent && p->textH) textedit::RefreshDialogTE(p->textH, GetFocus());
    if (appFilter) {
      if (e.what == mouseDown && e.where.v == kCloseBoxV && e.where.h == kCloseBoxH) {
        e.what = keyDown;
        e.message = kEscape | (0x35 << 8);
      }
      if (IsKey(e) && !(e.modifiers & cmdKey)) {
        const char c = CharOf(e);
        if (c == kReturn || c == kEnter || c == kEscape) {
          HWND focus = GetFocus();
          HWND combo = IsLibraryComboBox(focus) ? focus : (focus ? GetParent(focus) : nullptr);
          if (IsLibraryComboBox(combo) && SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) {
            SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
            *hitCell = -1;
            break;
          }
        }
      }
    }
    bool done = filter(dialog, &e, hitCell) != 0;
    if (!StateOf(dialog)) {
      *hitCell = -1;
      break;
    }
    if (!done && appFilter && IsKey(e) && !(e.modifiers & cmdKey) && Peek(dialog)->editOpen) {
      const char c = CharOf(e);
      if (c == kReturn || c == kEnter || c == kEscape) done = StandardFilter(dialog, &e, hitCell) != 0;
    }
    if (done) break;
    if (e.what == nullEvent) {
      if (st->focusPending) SetUpInitialFocus(*st);
      continue;
    }
    if (e.what == mouseUp) continue;
    if (e.what == mouseDown) {
      WindowPtr w = nullptr;
      FindWindow(e.where, &w);
      if (w != dialog) continue;
    }
    if (e.what == updateEvt && reinterpret_cast<WindowPtr>(e.message) != dialog) continue;
    if (DialogEvent(dialog, e, hitCell)) break;
    if (!StateOf(dialog)) {
      *hitCell = -1;
      break;
    }
  }
  FlushEvents(mUpMask, 0);
  g_modal = previous;
  Reenable(g_disabledSets.back());
  g_disabledSets.pop_back();
  if (capture && IsWindow(capture)) SetCapture(capture);
  if (appFilter) frame::ReleaseCallback(filter);
}

bool CharFilterConsumes(const MSG& msg) {
  if (!g_charFilter || (msg.message != WM_CHAR && msg.message != WM_SYSCHAR)) return false;
  return g_charFilter(msg.hwnd, msg.message, msg.wParam, msg.lParam) != 0;
}

}  // namespace zeb::dialogs

using namespace zeb;
using namespace zeb::dialogs;

extern "C" {

void ZEBAPI ModalDialog(ModalFilterProcPtr filterProc, short* itemHit) {
  osutils::Patchable<decltype(&LibraryModalDialog)>(osutils::kTrapModalDialog)(
      reinterpret_cast<ModalFilterProc>(filterProc), itemHit);
}

OSErr ZEBAPI GetStdFilterProc(ModalFilterProcPtr* theProc) {
  if (theProc) *theProc = &StandardFilter;
  return noErr;
}

Boolean ZEBAPI IsDialogEvent(const EventRecord* theEvent) {
  if (!theEvent) return false;
  WindowPtr w = EventWindow(*theEvent);
  return w && reinterpret_cast<WindowPeek>(w)->windowKind == dialogKind && StateOf(w);
}

Boolean ZEBAPI DialogSelect(const EventRecord* theEvent, DialogPtr* theDialog, short* itemHit) {
  short scratch = 0;
  short* hitCell = itemHit ? itemHit : &scratch;
  *hitCell = -1;
  if (theDialog) *theDialog = nullptr;
  if (!theEvent) return false;
  WindowPtr w = EventWindow(*theEvent);
  if (!StateOf(w)) return false;
  if (theDialog) *theDialog = w;
  return DialogEvent(w, *theEvent, hitCell);
}

void ZEBAPI ZEB_EnableWindowsEx(WindowPtr theWindow, Boolean enable, Boolean includeSelf, Boolean alsoFrame) {
  HWND self = windows::HwndOf(theWindow);
  if (alsoFrame && frame::FrameWindow() && frame::FrameWindow() != self) EnableWindow(frame::FrameWindow(), enable);
  WindowPtr start = theWindow ? theWindow : windows::ListHead();
  if (start && !includeSelf) start = reinterpret_cast<WindowPtr>(reinterpret_cast<WindowPeek>(start)->nextWindow);
  for (WindowPtr w = windows::ListHead(); w; w = reinterpret_cast<WindowPtr>(reinterpret_cast<WindowPeek>(w)->nextWindow)) {
    HWND h = windows::HwndOf(w);
    if (!h || (!includeSelf && h == self) || !IsWindowVisible(h)) continue;
    EnableWindow(h, enable);
  }
}

void ZEBAPI ZEB_EnableWindows(WindowPtr theWindow, Boolean enable, Boolean includeSelf) {
  ZEB_EnableWindowsEx(theWindow, enable, includeSelf, true);
}

void ZEBAPI ZEB_PrepareModalWindow(WindowPtr theWindow, long* state, WindowPtr* previousModal, HWND* capture,
                                   ZEB_CharFilterProc charFilter) {
  if (capture) *capture = GetCapture();
  ReleaseCapture();
  g_disabledSets.push_back(DisableOthers(theWindow, true));
  if (state) *state = static_cast<long>(g_disabledSets.size());
  if (previousModal) *previousModal = g_modal;
  g_modal = theWindow;
  g_charFilters.emplace_back(static_cast<long>(g_disabledSets.size()), charFilter ? frame::WrapCallback(charFilter) : nullptr);
  g_charFilter = g_charFilters.back().second;
}

void ZEBAPI ZEB_CloseModalWindow(WindowPtr theWindow, long state, WindowPtr previousModal, HWND capture) {
  (void)theWindow;
  // The sets of the loops opened after this one go too: they can no longer be closed in order.
  while (!g_disabledSets.empty() && static_cast<long>(g_disabledSets.size()) >= state) {
    Reenable(g_disabledSets.back());
    g_disabledSets.pop_back();
  }
  g_modal = previousModal;
  while (!g_charFilters.empty() && g_charFilters.back().first >= state) {
    if (g_charFilters.back().second) frame::ReleaseCallback(g_charFilters.back().second);
    g_charFilters.pop_back();
  }
  g_charFilter = g_charFilters.empty() ? nullptr : g_charFilters.back().second;
  if (capture && IsWindow(capture)) SetCapture(capture);
}

}  // extern "C"
