#include "dialogs_fixture.h"

#include <cstring>

#include <gtest/gtest.h>

#include "Resources.h"
#include "resources/resource_image.h"

namespace zebtest {
namespace {

WNDPROC g_loopProc = nullptr;
int g_modalCalls = 0;
std::function<void(int, DialogPtr)> g_step;
int g_limit = 0;
bool g_useStandard = true;

// The application's procedure also hands owner-drawn items to the library.
LRESULT CALLBACK OwnerDrawProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM || msg == WM_MEASUREITEM) {
    if (ZEB_UserItem(hwnd, msg, wParam, lParam)) return TRUE;
  }
  return CallWindowProcA(g_loopProc, hwnd, msg, wParam, lParam);
}

Boolean ZEBAPI WatchdogFilter(DialogPtr d, EventRecord* e, short* itemHit) {
  const int call = g_modalCalls++;
  if (call >= g_limit) {
    *itemHit = -99;
    return true;
  }
  if (g_step) g_step(call, d);
  // A null event leaves time for the input sent to arrive: the watchdog waits about 2 s.
  if (e->what == nullEvent) Sleep(5);
  if (g_useStandard) {
    ModalFilterProcPtr standard = nullptr;
    GetStdFilterProc(&standard);
    return standard(d, e, itemHit);
  }
  return false;
}

}  // namespace

void DialogsTest::SetUp() {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof previous, previous);
  previousDir_ = previous;
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.path().c_str()));
  EventLoopTest::SetUp();
  WNDCLASSA wc{};
  GetClassInfoA(GetModuleHandleA(nullptr), kLoopClass, &wc);
  if (!g_loopProc) g_loopProc = wc.lpfnWndProc;
  InitResources();
  InitDialogs(nullptr);
}

void DialogsTest::TearDown() {
  for (DialogPtr d : dialogs_) {
    for (WindowPeek p = reinterpret_cast<WindowPeek>(cells_.windowList); p; p = p->nextWindow)
      if (reinterpret_cast<WindowPtr>(p) == d) {
        DisposeDialog(d);
        break;
      }
  }
  dialogs_.clear();
  if (file_ > 0) CloseResFile(file_);
  EventLoopTest::TearDown();
  SetCurrentDirectoryA(previousDir_.c_str());
}

void DialogsTest::UseResources(const std::vector<Res>& resources) {
  zeb::resfmt::ResourceImage image;
  for (const Res& r : resources) {
    zeb::resfmt::ImageResource ir;
    ir.type = (static_cast<uint32_t>(static_cast<uint8_t>(r.type[0])) << 24) |
              (static_cast<uint32_t>(static_cast<uint8_t>(r.type[1])) << 16) |
              (static_cast<uint32_t>(static_cast<uint8_t>(r.type[2])) << 8) | static_cast<uint8_t>(r.type[3]);
    ir.id = r.id;
    ir.data = r.data;
    image.resources.push_back(ir);
  }
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(zeb::resfmt::WriteImage(image, &bytes, &error)) << error;
  static int files = 0;
  const std::string fileName = "dialogs" + std::to_string(++files % 10) + ".rsr";
  ASSERT_TRUE(dir_.Write(fileName, std::string(bytes.begin(), bytes.end())));
  unsigned char name[32];
  name[0] = static_cast<unsigned char>(fileName.size());
  std::memcpy(name + 1, fileName.data(), fileName.size());
  file_ = OpenResFile(name);
  ASSERT_GT(file_, 0);
  UseResFile(file_);
}

std::vector<uint8_t> DialogsTest::Dlog(short top, short left, short bottom, short right, short itemsId, bool visible,
                                       short procID, const std::string& title) {
  Big b;
  b.R(top, left, bottom, right).W(procID).B(visible ? 1 : 0).B(0).B(0).B(0).L(0).W(itemsId).P(title);
  return b.Bytes();
}

HWND DialogsTest::ItemWindow(DialogPtr d, short item) {
  return GetDlgItem(ZEB_GethWnd(d), item);
}

short DialogsTest::RunModal(std::function<void(int, DialogPtr)> step, int limit, bool useStandard) {
  g_modalCalls = 0;
  g_step = std::move(step);
  g_limit = limit;
  g_useStandard = useStandard;
  short hit = 0;
  ModalDialog(&WatchdogFilter, &hit);
  g_step = nullptr;
  return hit;
}

void DialogsTest::Let(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (GetTickCount() < end) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    Sleep(2);
  }
}

std::string DialogsTest::ClassOf(HWND hwnd) {
  char name[32] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// Owner-drawn items reach ZEB_UserItem through the dialog's own procedure.
void ForwardOwnerDraw(HWND dialogWindow) {
  SetWindowLongPtrA(dialogWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerDrawProc));
}

ClientPixels::ClientPixels(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  width_ = r.right;
  height_ = r.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  // Wine draws into a window surface and sends it to the X server while a thread looks at its
  // messages: give it a few looks (nothing is taken from the queue) before reading the screen.
  for (int i = 0; i < 5; ++i) {
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
    Sleep(10);
  }
  // The screen's DC, at the client area's place: a Toolbox window's own DC carries its port's
  // clipping and origin.
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc_ && bitmap_) {
    old_ = SelectObject(dc_, bitmap_);
    BitBlt(dc_, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    pixels_ = static_cast<const uint32_t*>(bits);
  }
  ReleaseDC(nullptr, screen);
}

ClientPixels::~ClientPixels() {
  if (old_) SelectObject(dc_, old_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

COLORREF ClientPixels::At(int x, int y) const {
  if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const uint32_t p = pixels_[y * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace zebtest
