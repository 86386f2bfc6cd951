// The 3D look for dialogs and controls, and the "_ZEB_THREED_" dialog class.
#include "frame/frame_internal.h"

namespace zeb::frame {
namespace {

constexpr char kThreeDClassName[] = "_ZEB_THREED_";
constexpr UINT kNoCriticalErrorBox = 0x8000;  // SEM_NOOPENFILEERRORBOX

// CTL3D32.DLL is bound by ordinal.
// Ordinal 3 subclasses one control so that it draws in the 3D look.
enum Ctl3dEntry { kCtlColorEx, kDlgFramePaint, kRegister, kAutoSubclass, kSubclassControl, kUnregister };
constexpr WORD kCtl3dOrdinals[] = {18, 20, 12, 16, 3, 13};

using Ctl3dInstanceProc = BOOL(WINAPI*)(HINSTANCE);
using Ctl3dCtlColorProc = HBRUSH(WINAPI*)(UINT, WPARAM, LPARAM);
using Ctl3dFramePaintProc = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

struct ThreeDState {
  bool on = false;
  HMODULE ctl3d = nullptr;
  FARPROC entries[6] = {};
  WNDPROC baseProc = nullptr;
  bool classRegistered = false;
  HINSTANCE classInstance = nullptr;
};
ThreeDState g_3d;

template <class Proc>
Proc Entry(Ctl3dEntry which) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(g_3d.entries[which]));
}

// On older shells the look comes from CTL3D32.DLL; a missing or refusing module turns it off.
void LoadCtl3d(HINSTANCE app) {
  const UINT oldMode = SetErrorMode(kNoCriticalErrorBox);
  HMODULE module = LoadLibraryA("CTL3D32.DLL");
  SetErrorMode(oldMode);
  if (reinterpret_cast<uintptr_t>(module) < 33) {
    g_3d.on = false;
    return;
  }
  for (int i = 0; i < 6; ++i)
    g_3d.entries[i] = GetProcAddress(module, MAKEINTRESOURCEA(kCtl3dOrdinals[i]));
  auto registerApp = Entry<Ctl3dInstanceProc>(kRegister);
  if (!registerApp || !registerApp(app)) {
    FreeLibrary(module);
    for (FARPROC& entry : g_3d.entries) entry = nullptr;
    if (!Version().newShell) g_3d.on = false;
    return;
  }
  g_3d.ctl3d = module;
  if (auto autoSubclass = Entry<Ctl3dInstanceProc>(kAutoSubclass)) autoSubclass(app);
}

bool RegisterThreeDClass(HINSTANCE app, const char* baseClass) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(app, baseClass, &wc) && !GetClassInfoA(nullptr, baseClass, &wc)) return false;
  g_3d.baseProc = wc.lpfnWndProc;
  wc.lpfnWndProc = ThreeDDlgWndProc;
  wc.lpszClassName = kThreeDClassName;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.hInstance = app;
  wc.lpszMenuName = nullptr;
  if (!RegisterClassA(&wc)) return false;
  g_3d.classRegistered = true;
  g_3d.classInstance = app;
  return true;
}

bool IsCtlColorMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}  // namespace

bool ThreeDLookOn() { return g_3d.on; }

bool Ctl3dLoaded() { return g_3d.ctl3d != nullptr; }

void SubclassForThreeD(HWND control) {
  using SubclassProc = BOOL(WINAPI*)(HWND);
  if (auto subclass = Entry<SubclassProc>(kSubclassControl)) subclass(control);
}

void SetUpThreeDLook() {
  SessionState& s = Session();
  g_3d = ThreeDState{};
  g_3d.on = (s.record.flags & ZEB_SF_3DLOOK) || Version().newShell;
  if (g_3d.on && !Version().newShell) LoadCtl3d(s.appInstance);
  if (g_3d.on && !RegisterThreeDClass(s.appInstance, s.record.threeDBaseClassName)) g_3d.on = false;
}

void TearDownThreeDLook() {
  if (g_3d.classRegistered) UnregisterClassA(kThreeDClassName, g_3d.classInstance);
  if (g_3d.ctl3d) {
    if (auto unregisterApp = Entry<Ctl3dInstanceProc>(kUnregister)) unregisterApp(Session().appInstance);
    FreeLibrary(g_3d.ctl3d);
  }
  g_3d = ThreeDState{};
}

}  // namespace zeb::frame

using namespace zeb::frame;

extern "C" LRESULT ZEBAPI ThreeDDlgWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC base = g_3d.baseProc;
  auto chain = [&] {
    return base ? CallWindowProcA(base, hwnd, message, wParam, lParam)
                : DefWindowProcA(hwnd, message, wParam, lParam);
  };
  if (g_3d.ctl3d) {
    if (message == WM_NCPAINT || message == WM_NCACTIVATE) {
      const LRESULT own = chain();
      auto framePaint = Entry<Ctl3dFramePaintProc>(kDlgFramePaint);
      return framePaint ? framePaint(hwnd, message, wParam, lParam) : own;
    }
    if (IsCtlColorMessage(message)) {
      if (auto ctlColor = Entry<Ctl3dCtlColorProc>(kCtlColorEx))
        if (HBRUSH brush = ctlColor(message, wParam, lParam)) return reinterpret_cast<LRESULT>(brush);
    }
  }
  return chain();
}
