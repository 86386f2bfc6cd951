// The application frame's state as the other managers see it: the session, its flags and
// switches, the Windows version facts and the procedure-instance rule.
#ifndef ZEB_FRAME_FRAME_INTERNAL_H
#define ZEB_FRAME_FRAME_INTERNAL_H

#include <windows.h>

#include <cstdint>

#include "ZEB.h"

struct ControlRecord;

namespace zeb::frame {

// Facts computed once from GetVersion at start-up.
struct VersionFacts {
  uint16_t versionWord = 0;  // major version in the low byte, minor in the high byte
  bool win32s = false;       // the two top bits of the high word are 1 and 0
  bool windowsNT = false;    // top bit clear
  bool newShell = false;     // major version 4 or more
  int Major() const { return versionWord & 0xFF; }
};

struct SessionState {
  bool started = false;
  ZEB_SessionRec record{};          // the library's copy, string fields defaulted
  HINSTANCE libraryInstance = nullptr;
  HINSTANCE appInstance = nullptr;
  HWND frameWindow = nullptr;
  HWND mdiClient = nullptr;
  HWND desktopWindow = nullptr;
  HACCEL accelerators = nullptr;
  HMENU frameMenu = nullptr;
  WNDPROC frameWindowProc = nullptr;  // kept for ExitToShell
  ZEB_MakeProcInstanceProc makeProcInstance = nullptr;
  ZEB_FreeProcInstanceProc freeProcInstance = nullptr;
  FARPROC scrapCallback = nullptr;          // as a procedure instance
  FARPROC conversionCallback = nullptr;     // as a procedure instance
  const ResType* conversionTypes = nullptr;
  uint16_t processorMode = 0;  // 0x421 once the session has started
  ATOM windowFlagAtom = 0;
  HPEN nullPen = nullptr;
  bool doubleByte = false;
  bool hasFPU = false;  // a floating-point coprocessor: Gestalt 'fpu ' and SysEnvirons say so
  bool endingSession = false;
  void* fileTypeTable = nullptr;
  void* menuKeyTable = nullptr;
  Handle appFileList = nullptr;  // built once per session by BuildApplicationFileList
};

// The process-wide session (one per process, used from the application's thread only).
SessionState& Session();
const VersionFacts& Version();

// The session flags word and the drawing and printing switches of ZEB_SetFlags.
uint32_t SessionFlags();
inline bool SessionFlag(uint32_t bit) { return (SessionFlags() & bit) != 0; }
uint32_t Switches();
inline bool Switch(uint32_t bit) { return (Switches() & bit) != 0; }

inline HWND FrameWindow() { return Session().frameWindow; }
inline HINSTANCE AppInstance() { return Session().appInstance; }

// Every application callback that the library keeps goes through these: the session's
// make-procedure-instance and free functions, unless ZEB_SF_NOPROCINSTANCES is set.
FARPROC WrapCallback(FARPROC proc);
void ReleaseCallback(FARPROC procInstance);
template <class Proc>
Proc WrapCallback(Proc proc) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(
      WrapCallback(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(proc)))));
}
template <class Proc>
void ReleaseCallback(Proc procInstance) {
  ReleaseCallback(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(procInstance)));
}

// The three solid brushes of ZEB_InitColors: window text, active and inactive caption.
HBRUSH WindowTextBrush();
HBRUSH ActiveCaptionBrush();
HBRUSH InactiveCaptionBrush();

// The 3D look: decided at start-up, torn down at exit.
void SetUpThreeDLook();
void TearDownThreeDLook();
void DeleteSystemBrushes();
bool ThreeDLookOn();
// CTL3D32.DLL is loaded (older shells only), and its subclassing of one new control.
bool Ctl3dLoaded();
void SubclassForThreeD(HWND control);

// The application-file list (CountAppFiles, GetAppFiles, GetAppParms), built once at
// ZEB_InitGlobals from the session's document list and document directory; the handle goes into
// the application parameter cell.
Handle BuildApplicationFileList(const char* documentList, const char* documentDirectory);

// Exit: every Toolbox global goes back to the library's own cell.
void UnbindToolboxGlobals();

// The settings change message (ZEB_WinIniChange) for the "zebport2" section, or for settings
// that changed without a section name: DebugStr reads its two ZEBPORT.INI settings again, which
// it otherwise reads once per session.
void ReloadDebugSettings();

// ZEB_MakeAppPathName for internal callers: a path beside the application (dst holds 256).
void AppPathName(char* dst, const char* name);

// The scroll glue's tracking of a native scroll bar (ZEB_WindChange), as the Control Manager's
// TestControl, FindControl and TrackControl read it. tracking stays set after end-of-scroll
// until the Control Manager ends it, so that the mouse-down it posted still finds its part.
struct ScrollTrackingView {
  bool tracking = false;
  bool active = false;  // notifications still arrive
  struct GrafPort* window = nullptr;
  HWND scrollBar = nullptr;
  int code = 0;
  short part = 0;
  int thumb = 0;
  ControlRecord** control = nullptr;
  bool actionCalled = false;
};
ScrollTrackingView CurrentScrollTracking();
// TrackControl's own action procedure (already wrapped; the caller releases it) replaces the
// one taken from contrlAction.
void UseScrollTrackingAction(void(ZEBAPI* action)(ControlRecord** control, short part));
// TrackControl sends the held button down to the native scroll bar again: a tracking that the
// first notification's cancel ended (end-of-scroll) goes on with the notifications that follow,
// calling the action procedure, instead of starting anew with another mouse-down.
void ResumeScrollTracking();
// DisposeControl and the end of TrackControl: the tracking naming the control (any tracking
// for null) ends.
void EndScrollTrackingOf(ControlRecord** control);

}  // namespace zeb::frame

#endif  // ZEB_FRAME_FRAME_INTERNAL_H
