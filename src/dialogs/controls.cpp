// The Control Manager: control records, their native windows, and the calls that keep the two
// in step.
#include <algorithm>
#include <cstring>

#include "Controls.h"
#include "MacMemory.h"
#include "MacWindows.h"
#include "Resources.h"
#include "ZEB.h"
#include "dialogs/control_manager.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "quickdraw/character_sets.h"
#include "quickdraw/quickdraw_internal.h"
#include "resources/resources_internal.h"
#include "windows/windows_internal.h"

namespace zeb::controls {
namespace {

constexpr char kControlProperty[] = "ZEB_Ctl";
constexpr char kClassProcProperty[] = "ZEB_CtlProc";
constexpr short kUseWindowFont = 8;  // useWFont: the dialog font instead of the control font
constexpr short kPopUpFirst = 1008;  // the library's pop-up definition takes 1008..1023
constexpr short kPopUpDefinition = 63;
constexpr size_t kTitleCapacity = 241;
constexpr ResType kCdefType = 0x43444546;  // 'CDEF'
constexpr ResType kCntlType = 0x434E544C;  // 'CNTL'
constexpr ResType kMenuType = 0x4D454E55;  // 'MENU'

// The definition IDs that make three-state check boxes, group boxes and pop-up lists; no call
// configures them, so each stays -1 and matches no procID.
constexpr short kConfiguredIds[4] = {-1, -1, -1, -1};

struct State {
  HFONT controlFont = nullptr;
  int scrollBarWidth = 16;
  int scrollBarHeight = 16;
};
State g_state;

ControlPtr Rec(ControlHandle c) { return *c; }

HFONT FontFor(bool dialogFont) {
  const quickdraw::StandardFonts& f = quickdraw::Fonts();
  if (dialogFont || frame::ThreeDLookOn()) {
    if (frame::ThreeDLookOn() && frame::Version().newShell && f.measuring && f.dialog) {
      LOGFONTA dialog{}, measuring{};
      GetObjectA(f.dialog, sizeof dialog, &dialog);
      GetObjectA(f.measuring, sizeof measuring, &measuring);
      if (std::abs(dialog.lfHeight) >= std::abs(measuring.lfHeight)) return f.measuring;
    }
    return f.dialog ? f.dialog : f.system;
  }
  return g_state.controlFont ? g_state.controlFont : f.system;
}

int FontHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

GrafPtr SwapPort(GrafPtr port) {
  GrafPtr old = nullptr;
  GetPort(&old);
  if (port) SetPort(port);
  return old;
}

void InvalInOwner(ControlHandle c, const Rect& r) {
  WindowPtr owner = Rec(c)->contrlOwner;
  if (!owner || !windows::Listed(owner)) return;
  GrafPtr old = SwapPort(owner);
  InvalRect(&r);
  SetPort(old);
}

LRESULT CALLBACK PlaceholderProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

}  // namespace

bool Valid(ControlHandle control) { return control && *control; }

int KindOf(ControlHandle control) {
  if (!Valid(control)) return -1;
  if (Rec(control)->zebCustom) return -1;
  return static_cast<int>(reinterpret_cast<intptr_t>(Rec(control)->contrlDefProc));
}

ControlHandle FromNative(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return nullptr;
  return reinterpret_cast<ControlHandle>(GetPropA(hwnd, kControlProperty));
}

HWND OwnerHwnd(ControlHandle control) {
  return Valid(control) ? windows::HwndOf(Rec(control)->contrlOwner) : nullptr;
}

HFONT ControlFont() { return g_state.controlFont; }
void SetControlFont(HFONT font) { g_state.controlFont = font; }
int ScrollBarWidthSetting() { return g_state.scrollBarWidth; }
int ScrollBarHeightSetting() { return g_state.scrollBarHeight; }

long CallDefinition(ControlHandle control, short message, long param) {
  if (!Valid(control) || !Rec(control)->zebCustom || !Rec(control)->contrlDefProc) return 0;
  auto proc = reinterpret_cast<ControlDefProcPtr>(reinterpret_cast<void*>(Rec(control)->contrlDefProc));
  return proc(Rec(control)->zebVariant, control, message, param);
}

void TitleToNative(ConstStr255Param title, char* text, size_t capacity) {
  size_t n = title ? std::min<size_t>(title[0], capacity - 1) : 0;
  for (size_t i = 0; i < n; ++i) text[i] = static_cast<char>(quickdraw::MacToWindowsChar(title[1 + i]));
  text[n] = 0;
}

RECT NativeRect(ControlHandle control, const Rect& r) {
  WindowPtr owner = Rec(control)->contrlOwner;
  const short top = owner ? owner->portRect.top : 0;
  const short left = owner ? owner->portRect.left : 0;
  return RECT{r.left - left, r.top - top, r.right - left, r.bottom - top};
}

LRESULT ChainToClass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kClassProcProperty));
  if (!proc) proc = PlaceholderProc;
  return CallWindowProcA(proc, hwnd, msg, wParam, lParam);
}

// Replaces the class's procedure with the library's, keeping the class's for chaining.
void Subclass(HWND hwnd, WNDPROC proc) {
  auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  SetPropA(hwnd, kClassProcProperty, reinterpret_cast<HANDLE>(old));
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

void ForgetNative(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return;
  auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kClassProcProperty));
  if (old) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  RemovePropA(hwnd, kClassProcProperty);
  RemovePropA(hwnd, kControlProperty);
}

bool CreateNative(ControlHandle control, short procID) {
  ControlPtr c = Rec(control);
  HWND parent = windows::HwndOf(c->contrlOwner);
  if (!parent) return false;
  const int kind = KindOf(control);
  bool dialogFont = (procID & kUseWindowFont) != 0 && !c->zebCustom;
  HFONT font = FontFor(dialogFont);
  const int fontHeight = FontHeight(font);
  Rect r = c->contrlRect;
  RECT n = NativeRect(control, r);
  int width = n.right - n.left, height = n.bottom - n.top;
  const char* cls = "button";
  DWORD style = WS_CHILD | (c->contrlVis ? WS_VISIBLE : 0);
  WNDPROC proc = reinterpret_cast<WNDPROC>(&Z_ButtonWndProc);
  int id = c->contrlRfCon & 0xFF;
  if (c->zebCustom) {
    style |= BS_OWNERDRAW;
    proc = reinterpret_cast<WNDPROC>(&Z_CDEFWndProc);
    id |= kDefinitionIdMark << 8;
  } else {
    switch (kind) {
      case kPushButton:
        style |= BS_PUSHBUTTON;
        height = std::max(height, fontHeight + 2);
        if (frame::ThreeDLookOn() && height == 20) height += 3;
        break;
      case kCheckBox:
        style |= BS_CHECKBOX;
        width += 2;
        height = std::max(height, fontHeight + 2);
        break;
      case kRadioButton:
        style |= BS_RADIOBUTTON;
        width += 1;
        height = std::max(height, fontHeight + 2);
        if (!frame::ThreeDLookOn()) n.top -= 1;
        break;
      case kScrollBar: {
        cls = "scrollbar";
        const bool vertical = height >= width;
        style |= vertical ? SBS_VERT : SBS_HORZ;
        proc = reinterpret_cast<WNDPROC>(&Z_ScrollBarWndProc);
        break;
      }
      case kPopUpBox:
        cls = "combobox";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        proc = reinterpret_cast<WNDPROC>(&Z_ComboBoxWndProc);
        // The height Windows gives a drop-down list is that of its list part too.
        height = std::max(height, fontHeight * 3 / 2) + 16 * fontHeight;
        break;
      default: break;
    }
  }
  char title[256];
  TitleToNative(c->contrlTitle, title, sizeof title);
  HWND hwnd = windows::CreateLibraryWindow(0, cls, title, style, n.left, n.top, width, height, parent,
                                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                                           frame::AppInstance(), nullptr);
  if (!hwnd) return false;
  SetPropA(hwnd, kControlProperty, reinterpret_cast<HANDLE>(control));
  Subclass(hwnd, proc);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  c->zebWindow = hwnd;
  c->zebOriginV = c->contrlOwner->portRect.top;
  c->zebOriginH = c->contrlOwner->portRect.left;
  if (kind == kScrollBar && !c->zebCustom) {
    SetScrollRange(hwnd, SB_CTL, c->contrlMin, std::max(c->contrlMin, c->contrlMax), FALSE);
    SetScrollPos(hwnd, SB_CTL, c->contrlValue, FALSE);
    EnableWindow(hwnd, c->contrlMin < c->contrlMax);
  } else if (kind == kPopUpBox && !c->zebCustom) {
    SendMessageA(hwnd, CB_SETEXTENDEDUI, TRUE, 0);
    SendMessageA(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 std::max<int>(r.bottom - r.top, fontHeight * 3 / 2));
  } else if (kind == kCheckBox || kind == kRadioButton) {
    SendMessageA(hwnd, BM_SETCHECK, c->contrlValue, 0);
  }
  return true;
}

// The 'MENU' named by a pop-up box's title: the third field of "a,b,id".
short MenuIdOfTitle(ConstStr255Param title) {
  int field = 0;
  long value = 0;
  bool any = false;
  for (int i = 1; i <= title[0]; ++i) {
    if (title[i] == ',') {
      ++field;
      continue;
    }
    if (field == 2 && title[i] >= '0' && title[i] <= '9') {
      value = value * 10 + (title[i] - '0');
      any = true;
      if (value > 32767) return 0;
    }
  }
  return any ? static_cast<short>(value) : 0;
}

}  // namespace zeb::controls

using namespace zeb;
using namespace zeb::controls;

extern "C" {

ControlHandle ZEBAPI NewControl(WindowPtr theWindow, const Rect* boundsRect, ConstStr255Param title,
                                Boolean visible, short value, short min, short max, short procID,
                                long refCon) {
  if (!theWindow || !boundsRect || !windows::Listed(theWindow)) return nullptr;
  ControlHandle h = reinterpret_cast<ControlHandle>(NewHandleClear(sizeof(ControlRecord)));
  if (!h) return nullptr;
  HLock(reinterpret_cast<Handle>(h));
  ControlPtr c = *h;
  c->contrlOwner = theWindow;
  c->contrlRect = *boundsRect;
  c->contrlVis = visible ? 255 : 0;
  c->contrlMin = min;
  c->contrlMax = max;
  c->contrlValue = std::min(std::max(value, min), std::max(min, max));
  c->contrlRfCon = refCon;
  c->contrlAction = nullptr;
  if (title) {
    const size_t n = std::min<size_t>(title[0], kTitleCapacity);
    c->contrlTitle[0] = static_cast<unsigned char>(n);
    std::memcpy(c->contrlTitle + 1, title + 1, n);
  }
  short proc = procID;
  const bool dialogFont = (proc & kUseWindowFont) != 0 && proc < kScrollBar;
  if (dialogFont) proc = static_cast<short>(proc & ~kUseWindowFont);
  c->zebVariant = static_cast<unsigned char>(proc & 15);
  const short defId = static_cast<short>(proc >> 4);
  intptr_t kind = -1;
  if (proc == pushButProc || proc == checkBoxProc || proc == radioButProc) kind = proc;
  else if (proc == scrollBarProc) kind = kScrollBar;
  else if (defId == kConfiguredIds[0]) kind = kCheckBox;
  else if (defId == kConfiguredIds[1]) kind = kPushButton;
  else if (defId == kConfiguredIds[2] || defId == kConfiguredIds[3]) kind = kPopUpBox;
  else if (dialogs::BuildingComboItem() || events::StoredSystemValue(dialogs::kComboSwitchIndex))
    kind = kPopUpBox;
  if (kind < 0 && defId != kPopUpDefinition) {
    ProcPtr def = ZEB_CodeResource(ZEB_CODE_FIND, kCdefType, defId, nullptr);
    if (def) {
      c->contrlDefProc = reinterpret_cast<Handle>(reinterpret_cast<void*>(def));
      c->zebCustom = 1;
    } else {
      kind = kPushButton;  // without its definition a control falls back to a push button
    }
  } else if (kind < 0) {
    c->contrlDefProc = reinterpret_cast<Handle>(reinterpret_cast<void*>(&PopUpDefinition));
    c->zebCustom = 1;
  }
  if (!c->zebCustom) c->contrlDefProc = reinterpret_cast<Handle>(kind);
  c->nextControl = reinterpret_cast<WindowPeek>(theWindow)->controlList;
  reinterpret_cast<WindowPeek>(theWindow)->controlList = h;
  if (c->zebCustom) {
    // A definition reads its creation settings from the value, minimum and maximum as they
    // were given (the pop-up's title style, menu and title width), then the value is kept in
    // the range the definition leaves.
    c->contrlValue = value;
    CallDefinition(h, initCntl, 0);
    c = *h;
    c->contrlValue = std::min(std::max(c->contrlValue, c->contrlMin), std::max(c->contrlMin, c->contrlMax));
  }
  if (!CreateNative(h, dialogFont ? kUseWindowFont : 0)) {
    reinterpret_cast<WindowPeek>(theWindow)->controlList = c->nextControl;
    if (c->zebCustom) CallDefinition(h, dispCntl, 0);
    DisposeHandle(reinterpret_cast<Handle>(h));
    return nullptr;
  }
  if (kind == kPopUpBox) {
    short menuId = MenuIdOfTitle(c->contrlTitle);
    if (!menuId && !dialogs::BuildingComboItem()) menuId = static_cast<short>(refCon);
    dialogs::FillPopUpBox(h, menuId);
  }
  return h;
}

ControlHandle ZEBAPI GetNewControl(short controlID, WindowPtr owner) {
  const bool wasLoaded = resources::ResourceInMemory(kCntlType, controlID);
  Handle t = GetResource(kCntlType, controlID);
  if (!t || !*t) return nullptr;
  // bounds 8, value 2, visible 2, max 2, min 2, procID 2, refCon 4, title: 22 bytes at least.
  constexpr long kFixedPart = 22;
  const long size = GetHandleSize(t);
  ControlHandle result = nullptr;
  if (size > kFixedPart) {
    const SignedByte state = HGetState(t);
    HNoPurge(t);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(*t);
    Rect bounds;
    std::memcpy(&bounds, p, sizeof bounds);
    short value, visible, max, min, procID;
    long refCon;
    std::memcpy(&value, p + 8, 2);
    std::memcpy(&visible, p + 10, 2);
    std::memcpy(&max, p + 12, 2);
    std::memcpy(&min, p + 14, 2);
    std::memcpy(&procID, p + 16, 2);
    std::memcpy(&refCon, p + 18, 4);
    unsigned char title[256] = {};
    const long room = size - kFixedPart;
    title[0] = static_cast<unsigned char>(std::min<long>(p[kFixedPart], room - 1));
    std::memcpy(title + 1, p + kFixedPart + 1, title[0]);
    result = NewControl(owner, &bounds, title, (visible & 0xFF00) || (visible & 0xFF), value, min, max,
                        procID, refCon);
    HSetState(t, state);
  }
  if (!wasLoaded) ReleaseResource(t);
  return result;
}

void ZEBAPI DisposeControl(ControlHandle theControl) {
  if (!Valid(theControl)) return;
  ControlPtr c = *theControl;
  if (c->zebCustom) CallDefinition(theControl, dispCntl, 0);
  frame::EndScrollTrackingOf(theControl);
  HWND hwnd = c->zebWindow;
  const Rect old = c->contrlRect;
  WindowPtr owner = c->contrlOwner;
  const bool shown = c->contrlVis && owner && reinterpret_cast<WindowPeek>(owner)->visible;
  if (shown) ShowWindow(hwnd, SW_HIDE);
  if (hwnd) {
    if (GetFocus() == hwnd) SetFocus(frame::FrameWindow());
    ForgetNative(hwnd);
    DestroyWindow(hwnd);
  }
  if (owner) {
    ControlHandle* link = &reinterpret_cast<WindowPeek>(owner)->controlList;
    while (*link && *link != theControl) link = &(**link)->nextControl;
    if (*link) *link = c->nextControl;
    InvalInOwner(theControl, old);
  }
  dialogs::ForgetControl(theControl);
  DisposeHandle(reinterpret_cast<Handle>(theControl));
}

void ZEBAPI KillControls(WindowPtr theWindow) {
  if (!theWindow) return;
  while (ControlHandle c = reinterpret_cast<WindowPeek>(theWindow)->controlList) DisposeControl(c);
}

void ZEBAPI ShowControl(ControlHandle theControl) {
  if (!Valid(theControl)) return;
  ControlPtr c = *theControl;
  c->contrlVis = 255;
  HWND hwnd = c->zebWindow;
  if (!hwnd) return;
  // Port-origin following: SetOrigin since the native window was placed scrolls it along.
  WindowPtr owner = c->contrlOwner;
  const short dv = static_cast<short>(owner->portRect.top - c->zebOriginV);
  const short dh = static_cast<short>(owner->portRect.left - c->zebOriginH);
  if (dv || dh) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&wr), 2);
    SetWindowPos(hwnd, nullptr, wr.left - dh, wr.top - dv, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    c->zebOriginV = owner->portRect.top;
    c->zebOriginH = owner->portRect.left;
  }
  ShowWindow(hwnd, SW_SHOWNA);
  if (KindOf(theControl) == kScrollBar) EnableWindow(hwnd, c->contrlMin < c->contrlMax && c->contrlHilite != kInactive);
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
}

void ZEBAPI HideControl(ControlHandle theControl) {
  if (!Valid(theControl) || !(*theControl)->contrlVis) return;
  ControlPtr c = *theControl;
  c->contrlVis = 0;
  HWND hwnd = c->zebWindow;
  if (!hwnd) return;
  ValidateRect(hwnd, nullptr);
  RECT wr;
  GetWindowRect(hwnd, &wr);
  HWND parent = GetParent(hwnd);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&wr), 2);
  ShowWindow(hwnd, SW_HIDE);
  InvalidateRect(parent, &wr, TRUE);
  if (c->zebCustom) {
    GrafPtr old = SwapPort(c->contrlOwner);
    EraseRect(&c->contrlRect);
    InvalRect(&c->contrlRect);
    SetPort(old);
  }
}

void ZEBAPI Draw1Control(ControlHandle theControl) {
  if (!Valid(theControl) || !(*theControl)->contrlVis) return;
  ControlPtr c = *theControl;
  HWND hwnd = c->zebWindow;
  if (!hwnd) return;
  if (!IsWindowVisible(hwnd) && IsWindowVisible(GetParent(hwnd))) {
    ShowControl(theControl);
    return;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
}

void ZEBAPI UpdateControls(WindowPtr theWindow, RgnHandle updateRgn) {
  (void)updateRgn;
  HWND hwnd = windows::HwndOf(theWindow);
  if (!hwnd || !IsWindowVisible(hwnd)) return;
  for (ControlHandle c = reinterpret_cast<WindowPeek>(theWindow)->controlList; c; c = (*c)->nextControl)
    Draw1Control(c);
}

void ZEBAPI DrawControls(WindowPtr theWindow) {
  if (!theWindow) return;
  UpdateControls(theWindow, theWindow->visRgn);
}

void ZEBAPI MoveControl(ControlHandle theControl, short h, short v) {
  if (!Valid(theControl)) return;
  ControlPtr c = *theControl;
  if (c->contrlVis) InvalInOwner(theControl, c->contrlRect);
  const short width = static_cast<short>(c->contrlRect.right - c->contrlRect.left);
  const short height = static_cast<short>(c->contrlRect.bottom - c->contrlRect.top);
  c->contrlRect = Rect{v, h, static_cast<short>(v + height), static_cast<short>(h + width)};
  if (c->zebWindow) {
    const RECT n = NativeRect(theControl, c->contrlRect);
    SetWindowPos(c->zebWindow, nullptr, n.left, n.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    c->zebOriginV = c->contrlOwner->portRect.top;
    c->zebOriginH = c->contrlOwner->portRect.left;
  }
  if (c->contrlVis) Draw1Control(theControl);
}

void ZEBAPI SizeControl(ControlHandle theControl, short w, short h) {
  if (!Valid(theControl)) return;
  ControlPtr c = *theControl;
  const short oldW = static_cast<short>(c->contrlRect.right - c->contrlRect.left);
  const short oldH = static_cast<short>(c->contrlRect.bottom - c->contrlRect.top);
  if (oldW == w && oldH == h) return;
  c->contrlRect.right = static_cast<short>(c->contrlRect.left + w);
  c->contrlRect.bottom = static_cast<short>(c->contrlRect.top + h);
  if (KindOf(theControl) == kScrollBar && ((oldH >= oldW) != (h >= w))) {
    HWND old = c->zebWindow;
    if (GetFocus() == old) SetFocus(GetParent(old));
    ForgetNative(old);
    DestroyWindow(old);
    c->zebWindow = nullptr;
    CreateNative(theControl, 0);
    if (c->zebWindow && c->contrlHilite == kInactive) EnableWindow(c->zebWindow, FALSE);
    return;
  }
  if (c->zebWindow)
    SetWindowPos(c->zebWindow, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Draw1Control(theControl);
}

void ZEBAPI HiliteControl(ControlHandle theControl, short hiliteState) {
  if (!Valid(theControl)) return;
  ControlPtr c = *theControl;
  const uint8_t state = static_cast<uint8_t>(hiliteState);
  const bool changed = c->contrlHilite != state;
  c->contrlHilite = state;
  HWND hwnd = c->zebWindow;
  if (c->zebCustom) {
    if (changed) {
      EnableWindow(hwnd, state != kInactive);
      CallDefinition(theControl, drawCntl, 0);
    }
    return;
  }
  if (!hwnd) return;
  if (state == kInactive && GetFocus() == hwnd) {
    HWND parent = GetParent(hwnd);
    if (dialogs::IsLibraryDialog(c->contrlOwner)) {
      HWND next = GetNextDlgTabItem(parent, hwnd, FALSE);
      SetFocus(next && next != hwnd ? next : parent);
    } else {
      SetFocus(parent);
    }
  }
  const int kind = KindOf(theControl);
  bool enable = state != kInactive;
  if (kind == kScrollBar && c->contrlMin >= c->contrlMax) enable = false;
  EnableWindow(hwnd, enable);
  if (changed && kind != kScrollBar && kind != kPopUpBox)
    SendMessageA(hwnd, BM_SETSTATE, state == kInactive ? 0 : state, 0);
  if (kind == kScrollBar) {
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
  }
}

void ZEBAPI SetControlValue(ControlHandle theControl, short theValue) {
  if (!Valid(theControl)) return;
  ControlPtr c = *theControl;
  // With min above max the range is pinned at min: nothing can lie between them.
  const short top = std::max(c->contrlMin, c->contrlMax);
  c->contrlValue = std::min(std::max(theValue, c->contrlMin), top);
  HWND hwnd = c->zebWindow;
  if (c->zebCustom) {
    CallDefinition(theControl, drawCntl, inThumb);
    return;
  }
  if (!hwnd) return;
  switch (KindOf(theControl)) {
    case kPushButton: SendMessageA(hwnd, BM_SETSTATE, c->contrlValue != 0, 0); break;
    case kCheckBox: SendMessageA(hwnd, BM_SETCHECK, c->contrlValue, 0); break;
    case kRadioButton:
      SendMessageA(hwnd, BM_SETCHECK, c->contrlValue, 0);
      if (c->contrlValue == 0 && GetFocus() == hwnd) SetFocus(GetParent(hwnd));
      break;
    case kPopUpBox: SendMessageA(hwnd, CB_SETCURSEL, c->contrlValue - 1, 0); break;
    case kScrollBar: SetScrollPos(hwnd, SB_CTL, c->contrlValue, TRUE); break;
    default: break;
  }
}

short ZEBAPI GetControlValue(ControlHandle theControl) {
  if (!Valid(theControl)) return 0;
  if (KindOf(theControl) == kPopUpBox && (*theControl)->zebWindow) {
    const LRESULT sel = SendMessageA((*theControl)->zebWindow, CB_GETCURSEL, 0, 0);
    return static_cast<short>(sel == CB_ERR ? 0 : sel + 1);
  }
  return (*theControl)->contrlValue;
}

static void RangeChanged(ControlHandle theControl) {
  ControlPtr c = *theControl;
  // Every kind keeps its value inside the new range.
  const short before = c->contrlValue;
  const short top = std::max(c->contrlMin, c->contrlMax);
  c->contrlValue = std::min(std::max(c->contrlValue, c->contrlMin), top);
  HWND hwnd = c->zebWindow;
  if (c->zebCustom) {
    CallDefinition(theControl, drawCntl, 0);
    return;
  }
  if (!hwnd) return;
  const int kind = KindOf(theControl);
  if (kind == kScrollBar) {
    if (c->contrlMax > c->contrlMin) {
      const bool wasDisabled = !IsWindowEnabled(hwnd);
      SetScrollRange(hwnd, SB_CTL, c->contrlMin, c->contrlMax, FALSE);
      SetScrollPos(hwnd, SB_CTL, c->contrlValue, TRUE);
      if (wasDisabled && c->contrlHilite != kInactive) {
        EnableWindow(hwnd, TRUE);
        UpdateWindow(hwnd);
      }
    } else {
      SetScrollRange(hwnd, SB_CTL, 0, 0, TRUE);
      EnableWindow(hwnd, FALSE);
    }
  } else if (before != c->contrlValue) {
    SetControlValue(theControl, c->contrlValue);
  }
}

void ZEBAPI SetControlMinimum(ControlHandle theControl, short minValue) {
  if (!Valid(theControl) || (*theControl)->contrlMin == minValue) return;
  (*theControl)->contrlMin = minValue;
  RangeChanged(theControl);
}

void ZEBAPI SetControlMaximum(ControlHandle theControl, short maxValue) {
  if (!Valid(theControl) || (*theControl)->contrlMax == maxValue) return;
  (*theControl)->contrlMax = maxValue;
  RangeChanged(theControl);
}

short ZEBAPI GetControlMinimum(ControlHandle theControl) {
  return Valid(theControl) ? (*theControl)->contrlMin : 0;
}
short ZEBAPI GetControlMaximum(ControlHandle theControl) {
  return Valid(theControl) ? (*theControl)->contrlMax : 0;
}
short ZEBAPI GetControlVariant(ControlHandle theControl) {
  return Valid(theControl) ? (*theControl)->zebVariant : 0;
}
void ZEBAPI SetControlReference(ControlHandle theControl, long data) {
  if (Valid(theControl)) (*theControl)->contrlRfCon = data;
}
long ZEBAPI GetControlReference(ControlHandle theControl) {
  return Valid(theControl) ? (*theControl)->contrlRfCon : 0;
}
void ZEBAPI SetControlAction(ControlHandle theControl, ProcPtr actionProc) {
  if (Valid(theControl)) (*theControl)->contrlAction = actionProc;
}
ProcPtr ZEBAPI GetControlAction(ControlHandle theControl) {
  return Valid(theControl) ? (*theControl)->contrlAction : nullptr;
}

void ZEBAPI GetControlTitle(ControlHandle theControl, Str255 title) {
  if (!title) return;
  title[0] = 0;
  if (!Valid(theControl)) return;
  std::memcpy(title, (*theControl)->contrlTitle, (*theControl)->contrlTitle[0] + 1u);
}

void ZEBAPI SetControlTitle(ControlHandle theControl, ConstStr255Param title) {
  if (!Valid(theControl) || !title) return;
  ControlPtr c = *theControl;
  const size_t n = std::min<size_t>(title[0], kTitleCapacity);
  std::memmove(c->contrlTitle + 1, title + 1, n);
  c->contrlTitle[0] = static_cast<unsigned char>(n);
  if (c->zebCustom) {
    CallDefinition(theControl, drawCntl, 0);
    return;
  }
  if (c->zebWindow)
    SetDialogItemText(reinterpret_cast<Handle>(c->zebWindow), c->contrlTitle);
}

HWND ZEBAPI ZEB_ControlToHWND(ControlHandle theControl) {
  return Valid(theControl) ? (*theControl)->zebWindow : nullptr;
}

void ZEBAPI ZEB_SetCtlFocus(ControlHandle theControl, Boolean focus) {
  if (!Valid(theControl)) return;
  ControlPtr c = *theControl;
  if (focus) {
    if (c->zebWindow) SetFocus(c->zebWindow);
    return;
  }
  WindowPeek owner = reinterpret_cast<WindowPeek>(c->contrlOwner);
  if (owner && owner->visible && owner->hilited) SetFocus(windows::HwndOf(c->contrlOwner));
}

void ZEBAPI ZEB_SetWindowDefaultButton(ControlHandle theControl, Boolean on) {
  if (!Valid(theControl) || !(*theControl)->zebWindow || KindOf(theControl) != kPushButton) return;
  SendMessageA((*theControl)->zebWindow, BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void ZEBAPI ZEB_ContrlOwnerChange(ControlHandle theControl, WindowPtr theWindow) {
  if (!Valid(theControl) || !theWindow || !windows::Listed(theWindow)) return;
  ControlPtr c = *theControl;
  // The old owner's list forgets the control first: otherwise disposing of both windows would
  // dispose of the control twice.
  if (WindowPtr old = c->contrlOwner) {
    ControlHandle* link = &reinterpret_cast<WindowPeek>(old)->controlList;
    while (*link && *link != theControl) link = &(**link)->nextControl;
    if (*link) *link = c->nextControl;
  }
  bool listed = false;
  for (ControlHandle h = reinterpret_cast<WindowPeek>(theWindow)->controlList; h; h = (*h)->nextControl)
    if (h == theControl) listed = true;
  if (!listed) {
    c->nextControl = reinterpret_cast<WindowPeek>(theWindow)->controlList;
    reinterpret_cast<WindowPeek>(theWindow)->controlList = theControl;
  }
  if (c->zebWindow) SetParent(c->zebWindow, windows::HwndOf(theWindow));
  c->contrlOwner = theWindow;
}

void ZEBAPI ZEB_SetScrollBarWH(short width, short height) {
  g_state.scrollBarWidth = width;
  g_state.scrollBarHeight = height;
}

}  // extern "C"
