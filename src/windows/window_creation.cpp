// Window creation: NewWindow, NewCWindow, GetNewWindow and GetNewCWindow, and the one routine
// through which every Windows window of the library is made.
#include <algorithm>
#include <cstring>

#include "MacMemory.h"
#include "Resources.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/address32.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "menus/menus_internal.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "resources/window_template.h"
#include "windows/title_text.h"
#include "windows/window_manager.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

constexpr DWORD kCS = WS_CLIPSIBLINGS;
constexpr DWORD kCapSys = WS_CAPTION | WS_SYSMENU;
constexpr int kRoundedProc = rDocProc;
constexpr int kLastRoundedVariant = 31;
constexpr int kFirstPalette = 720, kLastPalette = 735;
constexpr int kPaletteShowsTitle = 0x2, kPaletteSizes = 0x4, kPaletteZooms = 0x8;
// Captions whose position is below this are deliberately off-screen; they are not clamped.
constexpr int kClampAbove = -500;
// Windows 3 could not make small windows with these frame parts; they are added afterwards.
constexpr DWORD kLateFrameParts = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kLateFramePartsWidth = 64;
// A minimised MDI frame gives new children this size.
constexpr int kMinimisedFrameChildWidth = 500, kMinimisedFrameChildHeight = 302;
constexpr char kThreeDClass[] = "_ZEB_THREED_";
constexpr char kGripClass[] = "scrollbar";
constexpr char kEditClass[] = "edit";
constexpr char kButtonClass[] = "button";
constexpr DWORD kOwnerDrawButton = 11;  // BS_OWNERDRAW

// The one-shot creation defaults of ZEB_SystemValue.
constexpr int kDocumentInDialogIsChild = 2;
constexpr int kOptions = 31;
constexpr int kPopUpDocument = 32;
constexpr int kReplacementProcID = 33;
constexpr int kParentOverride = 34;
constexpr int kKeepStdState = 38;
constexpr int kMDIChildClass = 48;
constexpr int kThreeDClassOnce = 53;

// Options of index 31.
enum : uint32_t {
  kOptNotTopLevel = 0x1, kOptTopLevel = 0x2, kOptNotFloating = 0x4, kOptFloating = 0x8,
  kOptDialogAsChild = 0x10, kOptNotRelative = 0x40, kOptRelative = 0x80, kOptNoClose = 0x100,
  kOptMaximize = 0x200
};

enum class ParentChoice { Default, Frame, Desktop };
enum class Borders { Frame, Thin, Dialog };

// What the procID asks for.
struct Plan {
  DWORD style = 0;
  ParentChoice parent = ParentChoice::Default;
  Borders borders = Borders::Thin;
  bool dialogLook = false;
  bool reducedMenu = false;
  bool floating = false;
  bool topLevel = false;
  bool smallCaption = false;
  bool titleShown = true;
};

bool IsPalette(int procID) {
  const int a = procID < 0 ? -procID : procID;
  return a >= kFirstPalette && a <= kLastPalette;
}

void DialogLook(Plan& p, DWORD style) {
  p.style = style;
  p.dialogLook = true;
  p.borders = Borders::Dialog;
}

Plan PaletteFor(int procID) {
  Plan p;
  const int variant = (procID < 0 ? -procID : procID) - kFirstPalette;
  p.style = WS_CHILD | kCS | WS_CAPTION;
  p.parent = ParentChoice::Frame;
  p.floating = true;
  p.smallCaption = true;
  p.topLevel = procID < 0;
  if (variant & kPaletteSizes) {
    p.style |= WS_THICKFRAME;
    p.borders = Borders::Frame;
  }
  if (variant & kPaletteZooms) p.style |= WS_MAXIMIZEBOX;
  p.titleShown = (variant & kPaletteShowsTitle) != 0;
  return p;
}

// Numbers outside the table choose by their variant.
Plan OtherFor(int procID) {
  Plan p;
  const int variant = ((procID % 16) + 16) % 16;
  switch (variant) {
    case 0: case 1: case 8:
      p.style = WS_CHILD | kCS | WS_CAPTION;
      p.floating = p.smallCaption = true;
      if (variant != 1) {
        p.topLevel = true;
        p.parent = ParentChoice::Frame;
      }
      break;
    case 2:
      p.style = WS_POPUP | kCS | WS_BORDER;
      p.parent = ParentChoice::Frame;
      break;
    case 4:
      p.style = WS_CHILD | kCS | WS_BORDER;
      p.parent = ParentChoice::Frame;
      break;
    case 5:
      DialogLook(p, WS_POPUP | kCS | kCapSys | DS_MODALFRAME | DS_SETFONT);
      p.reducedMenu = true;
      break;
    case 7: case 10:
      p.style = WS_CHILD | kCS | WS_CAPTION | WS_THICKFRAME;
      p.floating = p.smallCaption = p.topLevel = true;
      p.parent = ParentChoice::Frame;
      p.borders = Borders::Frame;
      break;
    case 9:
      p.style = WS_CHILD | kCS | WS_CAPTION | WS_THICKFRAME;
      p.borders = Borders::Frame;
      break;
    case 14:
      p.style = WS_POPUP | kCapSys;
      p.topLevel = p.smallCaption = true;
      p.parent = ParentChoice::Frame;
      break;
    case 15:
      p.style = WS_POPUP | WS_BORDER;
      p.topLevel = true;
      p.parent = ParentChoice::Desktop;
      p.titleShown = false;
      break;
    default:  // 3, 6, 11, 12, 13: a plain bordered child
      p.style = WS_CHILD | kCS | WS_BORDER;
      break;
  }
  return p;
}

Plan PlanFor(int procID, bool inDialog, bool popUpDocument, bool dialogAsChild) {
  if (IsPalette(procID)) return PaletteFor(procID);
  Plan p;
  switch (procID) {
    case documentProc:
      if (!inDialog) {
        p.style = (popUpDocument ? WS_POPUP : WS_CHILD) | kCS | kCapSys | WS_THICKFRAME;
        p.borders = Borders::Frame;
      } else if (dialogAsChild) {
        p.style = WS_CHILD | kCS | kCapSys | WS_THICKFRAME | DS_SETFONT;
        p.borders = Borders::Frame;
      } else {
        DialogLook(p, WS_POPUP | kCS | kCapSys | DS_MODALFRAME | DS_SETFONT);
        p.reducedMenu = true;
      }
      break;
    case dBoxProc: DialogLook(p, WS_POPUP | WS_DLGFRAME); break;
    case plainDBox: p.style = inDialog ? (WS_POPUP | WS_BORDER) : (WS_CHILD | kCS | WS_BORDER); break;
    case altDBoxProc: p.style = WS_POPUP | WS_BORDER; break;
    case noGrowDocProc:
      p.style = WS_CHILD | kCS | kCapSys;
      p.reducedMenu = true;
      break;
    case movableDBoxProc:
      DialogLook(p, WS_POPUP | kCS | kCapSys | DS_MODALFRAME | DS_SETFONT);
      p.reducedMenu = true;
      break;
    case zoomDocProc:
      p.style = WS_CHILD | kCS | kCapSys | WS_THICKFRAME | WS_MAXIMIZEBOX;
      p.borders = Borders::Frame;
      break;
    case zoomNoGrow: p.style = WS_CHILD | kCS | kCapSys | WS_MAXIMIZEBOX; break;
    case kRoundedProc:
      p.style = WS_CHILD | kCS | kCapSys;
      p.reducedMenu = true;
      break;
    default: return OtherFor(procID);
  }
  return p;
}

int BorderThickness(Borders b) {
  switch (b) {
    case Borders::Frame: return GetSystemMetrics(SM_CXSIZEFRAME);
    case Borders::Dialog: return GetSystemMetrics(SM_CXDLGFRAME);
    case Borders::Thin:
    default: return GetSystemMetrics(SM_CXBORDER);
  }
}

HWND MDIClient() { return frame::Session().mdiClient; }

// What the window being created is given as parent, so that messages during CreateWindowEx
// find its record.
HWND g_creationParent = nullptr;

// The window-creation hook's arguments: the new window, then CreateWindowEx's, then 1 unless a
// Toolbox window is being made.
using CreationHook = void(ZEBAPI*)(HWND hwnd, DWORD exStyle, const char* className,
                                    const char* title, DWORD style, int x, int y, int width,
                                    int height, HWND parent, HMENU menu, HINSTANCE instance,
                                    void* param, long notToolboxWindow);

bool ClassHasExtraData(const char* className) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(frame::AppInstance(), className, &wc) &&
      !GetClassInfoExA(nullptr, className, &wc))
    return false;
  return wc.cbWndExtra >= zebExtraBytes;
}

void SetExtraData(HWND hwnd, WindowPtr w, DWORD style) {
  SetWindowLongA(hwnd, zebExtraWindowPtr, static_cast<LONG>(AddressToLong(w)));
  SetWindowLongA(hwnd, zebExtraPalette, static_cast<LONG>(quickdraw::CurrentPaletteValue()));
  SetWindowLongA(hwnd, zebExtraStyle, static_cast<LONG>(style));
  const POINT min = MinimumTrackingSize();
  SetWindowLongA(hwnd, zebExtraMinSize,
                 static_cast<LONG>(MAKELONG(static_cast<WORD>(min.x), static_cast<WORD>(min.y))));
  for (int offset = zebExtraMinSize + 4; offset < zebExtraBytes; offset += 4)
    SetWindowLongA(hwnd, offset, 0);
}

void FitSystemMenu(HWND hwnd, const Plan& plan, bool goAway, bool noClose) {
  if (plan.reducedMenu) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu) return;
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_TASKLIST})
      DeleteMenu(menu, command, MF_BYCOMMAND);
    DeleteSystemMenuSeparator(menu, 3);
    DeleteSystemMenuSeparator(menu, 1);
    if (!goAway || noClose) DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
    return;
  }
  if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_SYSMENU)) return;
  ZEB_FixupSystemMenu(hwnd, 0);
  if (!goAway || noClose) {
    if (HMENU menu = GetSystemMenu(hwnd, FALSE)) {
      DeleteSystemMenuSeparator(menu, 5);
      DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
    }
  }
}

// What NewWindow made so far, undone when a later step fails.
struct Made {
  WindowPeek record = nullptr;
  bool ownStorage = false;
  Handle data = nullptr;
  HWND hwnd = nullptr;
  bool mdiChild = false;
  HWND grip = nullptr;
  bool portOpen = false;
  bool colour = false;
  GrafPtr savedPort = nullptr;

  void Undo() {
    if (portOpen) {
      if (colour)
        CloseCPort(reinterpret_cast<CGrafPtr>(record));
      else
        ClosePort(reinterpret_cast<GrafPtr>(record));
    }
    if (hwnd) {
      RemovePropA(hwnd, MAKEINTATOM(frame::Session().windowFlagAtom));
      if (mdiChild)
        SendMessageA(MDIClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
      else
        DestroyWindow(hwnd);
    }
    if (data) DisposeHandle(data);
    if (record && ownStorage) DisposePtr(reinterpret_cast<Ptr>(record));
    SetPort(savedPort);
  }
};

HWND OverrideParent(uint32_t value) {
  if (!value) return nullptr;
  auto* w = LongToAddress<GrafPort>(value);
  if (HWND hwnd = HwndOf(w)) return hwnd;
  HWND asHandle = reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
  return IsWindow(asHandle) ? asHandle : nullptr;
}

// The outer rectangle for a content rectangle, by the window's style or its own frame.
RECT OuterFor(const RECT& content, DWORD style, DWORD exStyle, bool ownFrame, int caption,
              int border) {
  RECT outer = content;
  if (ownFrame) {
    InflateRect(&outer, border, border);
    outer.top -= caption;
    return outer;
  }
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  return outer;
}

// The frame Windows gives a new window can differ from the estimate it was made with (edges
// Windows adds on its own): the content is put exactly where and as large as asked.
void FitContent(HWND hwnd, const RECT& content, HWND parent, int width, int height) {
  if (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) return;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RECT outer = ScreenWindowRect(hwnd);
  const RECT client = ScreenClientRect(hwnd);
  POINT wanted = {content.left, content.top};
  if (parent) ClientToScreen(parent, &wanted);
  const int dx = wanted.x - client.left, dy = wanted.y - client.top;
  const int dw = width - (client.right - client.left), dh = height - (client.bottom - client.top);
  if (!dx && !dy && !dw && !dh) return;
  POINT topLeft = {outer.left + dx, outer.top + dy};
  if (parent) ScreenToClient(parent, &topLeft);
  SetWindowPos(hwnd, nullptr, topLeft.x, topLeft.y, outer.right - outer.left + dw,
               outer.bottom - outer.top + dh, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Children of the MDI client are made by the client itself, which gives them its own frame
// parts: the exact style is put back afterwards.
HWND CreateMDIChild(const char* className, const char* text, DWORD style, const RECT& outer,
                    bool inDialog, bool visible) {
  HWND client = MDIClient();
  HWND frameWindow = frame::FrameWindow();
  const bool frameMinimised = frameWindow && IsIconic(frameWindow);
  MDICREATESTRUCTA mc{};
  mc.szClass = className;
  mc.szTitle = text;
  mc.hOwner = frame::AppInstance();
  mc.x = outer.left;
  mc.y = outer.top;
  mc.cx = outer.right - outer.left;
  mc.cy = outer.bottom - outer.top;
  if (!inDialog && frame::SessionFlag(ZEB_SF_MDIDEFAULTPOS))
    mc.x = mc.y = mc.cx = mc.cy = CW_USEDEFAULT;
  const LONG clientStyle = GetWindowLongA(client, GWL_STYLE);
  if (frameWindow && !IsZoomed(frameWindow) && mc.x != CW_USEDEFAULT) {
    const int edge = GetSystemMetrics(SM_CXBORDER);
    if (clientStyle & WS_HSCROLL) mc.x += edge;
    if (clientStyle & WS_VSCROLL) mc.y += edge;
  }
  if (!frameMinimised) {
    style |= MDIDefaultMaximise();
    if ((style & WS_MAXIMIZE) && !inDialog && mc.cx != CW_USEDEFAULT) {
      RECT gray = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      if (RgnHandle g = *frame::Globals().grayRgn; g && *g)
        gray = RECTFromRect((*g)->rgnBBox);
      if (mc.cx > gray.right - gray.left || mc.cy > gray.bottom - gray.top)
        mc.x = mc.y = mc.cx = mc.cy = CW_USEDEFAULT;
    }
  } else {
    mc.cx = kMinimisedFrameChildWidth;
    mc.cy = kMinimisedFrameChildHeight;
  }
  mc.style = style;
  HWND previous = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
  if (!visible) SendMessageA(client, WM_SETREDRAW, FALSE, 0);
  HWND hwnd = reinterpret_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mc)));
  auto hook = reinterpret_cast<CreationHook>(events::WindowCreationHook());
  if (hwnd && hook)
    hook(hwnd, WS_EX_MDICHILD, className, text, style, mc.x, mc.y, mc.cx, mc.cy, client, nullptr,
         frame::AppInstance(), nullptr, 0);
  if (!visible) {
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
    if (previous && previous != hwnd) {
      SendMessageA(previous, WM_NCACTIVATE, TRUE, 0);
      SendMessageA(previous, WM_NCPAINT, 1, 0);
    }
    SendMessageA(client, WM_SETREDRAW, TRUE, 0);
  }
  if (hwnd && !(style & WS_THICKFRAME)) {
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style | (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE)));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  return hwnd;
}

WindowPtr Create(void* storage, const Rect* boundsRect, ConstStr255Param title, bool visible,
                 short procIDArgument, WindowPtr behind, bool goAway, long refCon, bool colour) {
  if (!boundsRect) return nullptr;
  const frame::SessionState& session = frame::Session();
  const bool mdi = frame::SessionFlag(ZEB_SF_MDI);
  WindowPtr dialogWindow = dialogs::DialogBeingBuilt();
  const bool inDialog = dialogWindow != nullptr;
  Rect bounds = *boundsRect;
  Made made;
  made.colour = colour;
  GetPort(&made.savedPort);

  // 2. The one-shot defaults are taken before anything else, so that a failure leaves none
  // behind for the next window.
  const uint32_t options = events::TakeSystemValue(kOptions);
  const uint32_t overrideValue = events::TakeSystemValue(kParentOverride);
  const auto replacement = static_cast<int32_t>(events::TakeSystemValue(kReplacementProcID));
  const bool popUpDocument = events::TakeSystemValue(kPopUpDocument) != 0;
  const uint32_t mdiClassValue = events::TakeSystemValue(kMDIChildClass);
  const bool threeDOnce = events::TakeSystemValue(kThreeDClassOnce) != 0;
  const bool documentInDialogIsChild = events::TakeSystemValue(kDocumentInDialogIsChild) != 0;
  int procID = replacement != -1 ? static_cast<int16_t>(replacement) : procIDArgument;

  // 1.
  if (procID >= kRoundedProc && procID <= kLastRoundedVariant) procID = kRoundedProc;
  if (mdi && !inDialog &&
      (procID == documentProc || procID == noGrowDocProc || procID == zoomDocProc ||
       procID == zoomNoGrow))
    ZEB_CheckMaxWindowRect(&bounds, 0);

  WindowPtr front = LibraryFrontWindow();
  if (storage) {
    std::memset(storage, 0, sizeof(WindowRecord));
    made.record = static_cast<WindowPeek>(storage);
  } else {
    made.record = reinterpret_cast<WindowPeek>(NewPtrClear(sizeof(WindowRecord)));
    made.ownStorage = true;
  }
  if (!made.record) return nullptr;
  made.data = NewHandleClear(sizeof(WindowData));
  if (!made.data) {
    made.Undo();
    return nullptr;
  }
  WindowPeek w = made.record;
  w->dataHandle = made.data;
  WindowPtr port = AsWindow(w);

  // 3. and 4.
  const bool dialogAsChild = documentInDialogIsChild || (options & kOptDialogAsChild);
  Plan plan = PlanFor(procID, inDialog, popUpDocument, dialogAsChild);
  if (options & kOptNotTopLevel) plan.topLevel = false;
  if (options & kOptTopLevel) plan.topLevel = true;
  if (options & kOptNotFloating) plan.floating = false;
  if (options & kOptFloating) plan.floating = true;
  if (options & kOptMaximize) plan.style |= WS_MAXIMIZE;
  HWND overrideParent = OverrideParent(overrideValue);
  if (overrideParent) plan.style &= ~static_cast<DWORD>(WS_CHILD);
  DWORD exStyle = plan.dialogLook ? WS_EX_DLGMODALFRAME : 0;

  // 5.
  const bool popUp = (plan.style & WS_POPUP) || !(plan.style & WS_CHILD);
  HWND parent;
  if (overrideParent) {
    parent = overrideParent;
  } else if (plan.parent == ParentChoice::Desktop) {
    parent = session.desktopWindow;
  } else if (plan.dialogLook || popUp) {
    parent = session.frameWindow;
  } else if (plan.topLevel || plan.parent == ParentChoice::Frame || !MDIClient()) {
    parent = session.frameWindow;
  } else {
    parent = MDIClient();
  }
  if (!popUp && !plan.topLevel && inDialog && !dialogAsChild) {
    plan.style = (plan.style & ~static_cast<DWORD>(WS_CHILD)) | WS_POPUP;
    parent = session.frameWindow;
  }
  const bool isPopUp = (plan.style & WS_POPUP) != 0 || !(plan.style & WS_CHILD);
  uint16_t kindFlags = static_cast<uint16_t>(procID & kProcIDByte);
  if (plan.topLevel) kindFlags |= zebTopLevel;
  if (isPopUp) kindFlags |= zebPopUp;
  if (inDialog) kindFlags |= zebInDialog;
  if (plan.style & WS_THICKFRAME) kindFlags |= zebHasSizeBox;
  const POINT parentOrigin = ParentClientOrigin(parent);
  const SIZE parentSize = ParentClientSize(parent);

  // 6. Where the content goes, in the coordinates CreateWindowEx takes.
  bool relative = !isPopUp || plan.dialogLook;
  if (options & kOptNotRelative) relative = false;
  if (options & kOptRelative) relative = true;
  const bool ownFrame = plan.smallCaption;
  const int border = ownFrame ? (plan.borders == Borders::Frame ? GetSystemMetrics(SM_CXSIZEFRAME) : 1)
                              : BorderThickness(plan.borders);
  const int caption = ownFrame ? SmallCaptionHeight(plan.titleShown && procID != 255) : 0;
  int left = bounds.left, top = bounds.top;
  if ((plan.style & WS_CAPTION) == WS_CAPTION && left > kClampAbove && top > kClampAbove) {
    const int maxLeft = std::max<int>(0, parentSize.cx - dialogs::ScrollBarWidth());
    const int maxTop = std::max<int>(0, parentSize.cy - dialogs::ScrollBarHeight());
    left = std::min(std::max(left, -border), maxLeft);
    top = std::min(std::max(top, -border), maxTop);
  }
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  RECT content = {left, top, left + width, top + height};
  if (isPopUp && relative) OffsetRect(&content, parentOrigin.x, parentOrigin.y);
  const RECT outer = OuterFor(content, plan.style, exStyle, ownFrame, caption, border);

  // 7.
  DWORD createStyle = plan.style;
  const bool windows3 = frame::Version().Major() < 4;
  if (windows3) createStyle &= ~kLateFrameParts;

  // 8.
  char text[kTitleTextCapacity];
  text[0] = '\0';
  if (plan.titleShown && title && title[0]) TitleToWindowsText(title, text, sizeof text);

  WindowData* data = reinterpret_cast<WindowData*>(*made.data);
  data->procID = static_cast<int16_t>(procID);
  data->colour = colour;
  data->ownFrame = ownFrame;
  data->titleShown = plan.titleShown;
  data->systemMenu = (plan.style & WS_SYSMENU) != 0;
  data->dialogLook = plan.dialogLook;
  data->rec.kindFlags = kindFlags;
  data->rec.stateFlags = static_cast<uint16_t>((made.ownStorage ? 0 : zebCallerStorage) |
                                               (plan.floating ? zebFloating : zebTakesFocus));

  // 9. Published before the Windows window exists, so that messages sent while it is made
  // find the record.
  Publications& pub = Published();
  pub.creating = port;
  pub.creatingHwnd = nullptr;
  g_creationParent = parent;
  const bool mdiChild = mdi && parent == MDIClient() && MDIClient() && !isPopUp &&
                        !plan.dialogLook && !overrideParent;
  const char* className = session.record.childClassName;
  if (mdiChild) {
    className = mdiClassValue ? LongToAddress<const char>(mdiClassValue)
                              : session.record.mdiChildClassName;
  } else if (frame::ThreeDLookOn() && !ownFrame &&
             (inDialog || ((plan.style & WS_DLGFRAME) && (plan.style & DS_MODALFRAME)) ||
              threeDOnce)) {
    className = kThreeDClass;
  }
  HWND hwnd = nullptr;
  if (ClassHasExtraData(className)) {
    if (mdiChild)
      hwnd = CreateMDIChild(className, text, createStyle, outer, inDialog, visible);
    else
      hwnd = CreateLibraryWindow(exStyle, className, text, createStyle, outer.left, outer.top,
                                 outer.right - outer.left, outer.bottom - outer.top, parent,
                                 nullptr, frame::AppInstance(), nullptr);
  }
  // 10.
  if (!hwnd) {
    pub.creating = nullptr;
    g_creationParent = nullptr;
    made.Undo();
    return nullptr;
  }
  made.hwnd = hwnd;
  made.mdiChild = mdiChild;
  pub.creatingHwnd = hwnd;
  if (mdiChild) data->rec.kindFlags |= zebMDIChild;
  if (windows3 && width > kLateFramePartsWidth && (plan.style & kLateFrameParts))
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | (plan.style & kLateFrameParts));
  // The record is found from the window from now on, and its minimum tracking size holds
  // while the content is fitted.
  reinterpret_cast<WindowData*>(*made.data)->rec.window = hwnd;
  SetPropA(hwnd, MAKEINTATOM(session.windowFlagAtom), reinterpret_cast<HANDLE>(1));
  SetExtraData(hwnd, port, GetWindowLongA(hwnd, GWL_STYLE));
  FitContent(hwnd, content, isPopUp ? nullptr : parent, width, height);

  // 11.
  if (frame::ThreeDLookOn() && (plan.style & WS_THICKFRAME) && !ownFrame) {
    const DWORD grip = WS_CHILD | WS_VISIBLE | SBS_SIZEBOXBOTTOMRIGHTALIGN |
                       (frame::Version().newShell ? SBS_SIZEGRIP : SBS_SIZEBOX);
    RECT client;
    GetClientRect(hwnd, &client);
    const int gw = GetSystemMetrics(SM_CXVSCROLL), gh = GetSystemMetrics(SM_CYHSCROLL);
    data->grip = CreateLibraryWindow(0, kGripClass, nullptr, grip, client.right - gw,
                                     client.bottom - gh, gw, gh, hwnd,
                                     reinterpret_cast<HMENU>(static_cast<intptr_t>(kSizeGripID)),
                                     frame::AppInstance(), nullptr);
  }

  // 12.
  data = reinterpret_cast<WindowData*>(*made.data);
  SetClassLongPtrA(hwnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorA(nullptr, IDC_ARROW)));
  if (colour)
    OpenCPort(reinterpret_cast<CGrafPtr>(port));
  else
    OpenPort(port);
  if (port->patStretch < 0) {
    pub.creating = nullptr;
    pub.creatingHwnd = nullptr;
    g_creationParent = nullptr;
    made.Undo();
    return nullptr;
  }
  made.portOpen = true;
  RECT client;
  GetClientRect(hwnd, &client);
  port->portRect = {0, 0, static_cast<short>(client.bottom), static_cast<short>(client.right)};
  quickdraw::BindPortToWindow(port, hwnd);
  if (colour && className == kThreeDClass) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const RGBColor back = {static_cast<unsigned short>(GetRValue(face) * 0x101),
                           static_cast<unsigned short>(GetGValue(face) * 0x101),
                           static_cast<unsigned short>(GetBValue(face) * 0x101)};
    RGBBackColor(&back);
  }

  // 13.
  PortSize(static_cast<short>(width), static_cast<short>(height));
  w->visible = visible ? 1 : 0;
  port->txFont = 1;
  w->windowKind = userKind;
  w->windowDefProc = reinterpret_cast<Handle>(static_cast<intptr_t>(static_cast<int16_t>(procID)));
  w->hilited = 0;
  w->goAwayFlag = goAway ? 1 : 0;
  w->spareFlag = 0;
  w->strucRgn = NewRgn();
  w->contRgn = NewRgn();
  w->updateRgn = NewRgn();
  const Rect local = {0, 0, static_cast<short>(height), static_cast<short>(width)};
  RectRgn(w->updateRgn, &local);
  data = reinterpret_cast<WindowData*>(*made.data);
  data->rec.userState = bounds;
  data->rec.stdState = ComputeStdState(port);
  if (events::StoredSystemValue(kKeepStdState)) {
    const RECT frameNow = ScreenWindowRect(hwnd);
    const RECT clientNow = ScreenClientRect(hwnd);
    const int frameThickness = GetSystemMetrics(SM_CXSIZEFRAME);
    data->rec.stdState = {static_cast<short>(-frameThickness), static_cast<short>(-frameThickness),
                          static_cast<short>((frameNow.bottom - frameNow.top) -
                                             (clientNow.bottom - clientNow.top)),
                          static_cast<short>((frameNow.right - frameNow.left) -
                                             (clientNow.right - clientNow.left))};
  }
  const unsigned char empty[2] = {0, 0};
  const unsigned char* titleBytes = title ? title : empty;
  w->titleHandle = reinterpret_cast<StringHandle>(NewHandle(titleBytes[0] + 1));
  if (w->titleHandle) std::memcpy(*w->titleHandle, titleBytes, titleBytes[0] + 1u);
  w->titleWidth = 0;
  w->controlList = nullptr;
  w->windowPic = nullptr;
  w->refCon = refCon;

  // 14.
  FitSystemMenu(hwnd, plan, goAway, (options & kOptNoClose) != 0);

  // 15.
  InsertAtHead(w);
  RefreshRegions(port);
  pub.creating = nullptr;
  pub.creatingHwnd = nullptr;
  g_creationParent = nullptr;
  if (behind == reinterpret_cast<WindowPtr>(-1)) {
    if (visible) {
      w->visible = 0;
      ShowHideWindow(w, true, true, true);
      if (!plan.topLevel) MoveActivation(front, port);
    }
  } else {
    w->visible = 0;
    SendBehind(port, behind);
    if (visible) ShowHideWindow(w, true, false, true);
  }
  SetPort(made.savedPort ? made.savedPort : port);
  data = reinterpret_cast<WindowData*>(*made.data);
  if (visible && (data->rec.stateFlags & zebTakesFocus)) SetFocus(hwnd);
  return port;
}

}  // namespace

HWND CreationParent() { return g_creationParent; }

void DeleteSystemMenuSeparator(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  if (GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) &&
      (info.fType & MFT_SEPARATOR))
    DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

HWND CreateLibraryWindow(DWORD exStyle, const char* className, const char* title, DWORD style,
                         int x, int y, int width, int height, HWND parent, HMENU menu,
                         HINSTANCE instance, void* param) {
  if (frame::ThreeDLookOn() && className && lstrcmpiA(className, kEditClass) == 0)
    exStyle |= WS_EX_CLIENTEDGE;
  HWND hwnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                              menu, instance, param);
  if (!hwnd) return nullptr;
  const bool toolboxWindow = Published().creating != nullptr;
  const bool ownerDrawButton = className && lstrcmpiA(className, kButtonClass) == 0 &&
                               (style & 0xF) == kOwnerDrawButton;
  if (frame::Ctl3dLoaded() && !frame::Version().newShell && !toolboxWindow && !ownerDrawButton)
    frame::SubclassForThreeD(hwnd);
  if (auto hook = reinterpret_cast<CreationHook>(events::WindowCreationHook()))
    hook(hwnd, exStyle, className, title, style, x, y, width, height, parent, menu, instance,
         param, toolboxWindow ? 0 : 1);
  return hwnd;
}

}  // namespace zeb::windows

namespace zeb::windows {

WindowPtr ZEBAPI LibraryNewWindow(void* storage, const Rect* bounds, ConstStr255Param title,
                                  Boolean visible, short procID, WindowPtr behind,
                                  Boolean goAway, long refCon) {
  return Create(storage, bounds, title, visible != 0, procID, behind, goAway != 0, refCon, false);
}

WindowPtr ZEBAPI LibraryNewCWindow(void* storage, const Rect* bounds, ConstStr255Param title,
                                   Boolean visible, short procID, WindowPtr behind,
                                   Boolean goAway, long refCon) {
  return Create(storage, bounds, title, visible != 0, procID, behind, goAway != 0, refCon, true);
}

}  // namespace zeb::windows
