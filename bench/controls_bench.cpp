// The Control and Dialog Managers against the bare Windows calls they stand on: setting a
// value, making and disposing of a control, and a dialog of 20 items.
#include <cstring>

#include "Controls.h"
#include "Dialogs.h"
#include "MacMemory.h"
#include "MacWindows.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr int kDialogItems = 20;

void Values(WindowPtr w) {
  // Each value redraws the native control, which under Wine is a round trip to the X server of
  // about a millisecond: a few hundred settings per round keep the suite within seconds.
  constexpr long n = 400;
  const Rect bar = {10, 170, 110, 186};
  const Rect box = {10, 10, 30, 150};
  const unsigned char title[] = "\x05" "Check";
  ControlHandle scroll = NewControl(w, &bar, title, true, 0, 0, 1000, scrollBarProc, 1);
  ControlHandle check = NewControl(w, &box, title, true, 0, 0, 1, checkBoxProc, 2);
  HWND scrollHost = ZEB_ControlToHWND(scroll);
  HWND checkHost = ZEB_ControlToHWND(check);
  const double lib = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) SetControlValue(scroll, static_cast<short>(i & 511));
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) SetScrollPos(scrollHost, SB_CTL, static_cast<int>(i & 511), TRUE);
  });
  Report("SetControlValue, scroll bar vs SetScrollPos", lib, host);
  const double libCheck = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) SetControlValue(check, static_cast<short>(i & 1));
  });
  const double hostCheck = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) SendMessageA(checkHost, BM_SETCHECK, static_cast<WPARAM>(i & 1), 0);
  });
  Report("SetControlValue, check box vs BM_SETCHECK", libCheck, hostCheck);
  DisposeControl(scroll);
  DisposeControl(check);
}

void Creation(WindowPtr w) {
  constexpr long n = 100;
  const Rect r = {10, 10, 30, 110};
  const unsigned char title[] = "\x02OK";
  HWND parent = ZEB_GethWnd(w);
  const double lib = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) DisposeControl(NewControl(w, &r, title, true, 0, 0, 0, pushButProc, 1));
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i)
      DestroyWindow(CreateWindowExA(0, "button", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 100, 20, parent,
                                    reinterpret_cast<HMENU>(1), GetModuleHandleA(nullptr), nullptr));
  });
  Report("NewControl+DisposeControl vs CreateWindowEx+DestroyWindow", lib, host);
}

// An item list of 20 items in host order: push buttons, check boxes and static texts.
Handle TwentyItems() {
  constexpr size_t kItem = 14 + 6;
  Handle h = NewHandleClear(static_cast<Size>(2 + kDialogItems * kItem));
  auto* p = reinterpret_cast<uint8_t*>(*h);
  const int16_t count = kDialogItems - 1;
  std::memcpy(p, &count, 2);
  for (int i = 0; i < kDialogItems; ++i) {
    uint8_t* item = p + 2 + i * kItem;
    const int16_t box[4] = {static_cast<int16_t>(10 + (i % 10) * 24), static_cast<int16_t>(10 + (i / 10) * 150),
                            static_cast<int16_t>(30 + (i % 10) * 24), static_cast<int16_t>(150 + (i / 10) * 150)};
    std::memcpy(item + 4, box, 8);
    item[12] = static_cast<uint8_t>(i % 3 == 0 ? ctrlItem : i % 3 == 1 ? ctrlItem + chkCtrl : statText);
    item[13] = 6;
    std::memcpy(item + 14, "Item  ", 6);
  }
  return h;
}

void Dialogs(HWND frame) {
  constexpr long n = 10;
  const Rect bounds = {50, 50, 320, 400};
  const unsigned char title[] = "\x05" "Bench";
  Handle items = TwentyItems();
  const double lib = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      Handle copy = items;
      HandToHand(&copy);
      DisposeDialog(NewDialog(nullptr, &bounds, title, false, dBoxProc, reinterpret_cast<WindowPtr>(-1), false, 0, copy));
    }
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      HWND parent = CreateWindowExA(0, kBenchChildClass, "Bench", WS_CHILD | WS_CAPTION, 50, 50, 350, 270, frame, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
      for (int k = 0; k < kDialogItems - 1; ++k)
        CreateWindowExA(0, k % 3 == 2 ? "static" : "button", "Item", WS_CHILD | WS_VISIBLE, 10, 10 + k * 10, 140, 20,
                        parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(k + 1)), GetModuleHandleA(nullptr), nullptr);
      DestroyWindow(parent);
    }
  });
  Report("NewDialog+DisposeDialog of 20 items vs 20 CreateWindowEx", lib, host);
  DisposeHandle(items);
}

}  // namespace

void RunControlBenchmarks(HWND frame) {
  if (!frame) return;
  EnsureBenchChildClass();
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  InitWindows();
  InitDialogs(nullptr);
  const Rect bounds = {40, 40, 240, 340};
  WindowPtr w = NewWindow(nullptr, &bounds, reinterpret_cast<const unsigned char*>("\x05" "Bench"), true,
                          noGrowDocProc, reinterpret_cast<WindowPtr>(-1), true, 0);
  if (!w) return;
  SetPort(w);
  Values(w);
  Creation(w);
  DisposeWindow(w);
  Dialogs(frame);
}

}  // namespace zebbench
