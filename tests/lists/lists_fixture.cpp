#include "lists_fixture.h"

#include <gtest/gtest.h>

#include "Dialogs.h"

namespace zebtest {
namespace {

WNDPROC g_windowProc = nullptr;

LRESULT CALLBACK OwnerDrawProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM || msg == WM_MEASUREITEM) {
    if (ZEB_UserItem(hwnd, msg, wParam, lParam)) return TRUE;
  }
  return CallWindowProcA(g_windowProc, hwnd, msg, wParam, lParam);
}

}  // namespace

void ListsTest::SetUp() { EventLoopTest::SetUp(); }

void ListsTest::TearDown() {
  for (ListHandle l : lists_) LDispose(l);  // ignored for lists already gone
  lists_.clear();
  EventLoopTest::TearDown();
}

WindowPtr ListsTest::ListWindow() {
  WindowPtr w = EventLoopTest::Make(R(40, 40, 340, 280));
  WNDPROC old = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(H(w), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerDrawProc)));
  if (!g_windowProc) g_windowProc = old;
  SetPort(w);
  return w;
}

ListHandle ListsTest::Make(short columns, short rows, Point cell, short proc, bool vScroll, bool hScroll,
                           WindowPtr w) {
  if (!w) {
    if (!window_) window_ = ListWindow();
    w = window_;
  }
  const Rect view = R(10, 10, 110, 170);
  const Rect bounds = R(0, 0, columns, rows);
  ListHandle l = LNew(&view, &bounds, cell, proc, w, true, false, hScroll, vScroll);
  if (l) lists_.push_back(l);
  return l;
}

void ListsTest::Set(ListHandle l, short h, short v, const std::string& text) {
  LSetCell(text.data(), static_cast<short>(text.size()), C(h, v), l);
}

std::string ListsTest::Get(ListHandle l, short h, short v) {
  char buf[512];
  short len = sizeof buf;
  LGetCell(buf, &len, C(h, v), l);
  return std::string(buf, static_cast<size_t>(len));
}

std::string ListsTest::Text(ListHandle l, int entry) {
  char buf[1200] = {};
  const LRESULT n = SendMessageA(Box(l), LB_GETTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(buf));
  return n == LB_ERR ? "<err>" : std::string(buf, static_cast<size_t>(n));
}

std::vector<int> ListsTest::NativeSelection(ListHandle l) {
  std::vector<int> out;
  const int n = Count(l);
  const LONG style = GetWindowLongA(Box(l), GWL_STYLE);
  if (!(style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL))) {
    const LRESULT cur = SendMessageA(Box(l), LB_GETCURSEL, 0, 0);
    if (cur >= 0) out.push_back(static_cast<int>(cur));
    return out;
  }
  for (int i = 0; i < n; ++i)
    if (SendMessageA(Box(l), LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) out.push_back(i);
  return out;
}

void ListsTest::Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    Sleep(1);
  } while (GetTickCount() < end);
}

}  // namespace zebtest
