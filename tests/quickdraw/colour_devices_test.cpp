// InitGDevice filled twice, MakeITable's inverse tables and their refusals, and GetColor's real
// colour dialog answered by a watcher thread.
#include <atomic>
#include <thread>

#include "Errors.h"
#include "MacMemory.h"
#include "Picker.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

class ColourDeviceTest : public QuickDrawTest {};

TEST_F(ColourDeviceTest, InitGDeviceFillsAnOffscreenDeviceAgainWithANewDC) {
  GDHandle device = NewGDevice(-1, 0);
  ASSERT_NE(device, nullptr);
  const long first = (*device)->gdReserved;
  EXPECT_NE(first, 0);
  InitGDevice(-1, 3, device);
  EXPECT_EQ((*device)->gdMode, 3);
  const HDC again = reinterpret_cast<HDC>(static_cast<intptr_t>((*device)->gdReserved));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetObjectType(again), static_cast<DWORD>(OBJ_MEMDC));
  InitGDevice(1, 0, device);  // a driver device has no DC
  EXPECT_EQ((*device)->gdReserved, 0);
  InitGDevice(0, 0, nullptr);
  DisposeGDevice(device);
}

TEST_F(ColourDeviceTest, MakeITableMapsEveryCellToTheNearestEntry) {
  CTabHandle bw = GetCTable(1);  // 0 white, 1 black
  ASSERT_NE(bw, nullptr);
  Handle h = NewHandleClear(8);
  auto table = reinterpret_cast<ITabHandle>(h);
  MakeITable(bw, table, 3);
  ASSERT_EQ(QDError(), noErr);
  ASSERT_GE(GetHandleSize(h), 6 + 512);
  EXPECT_EQ((*table)->iTabRes, 3);
  EXPECT_EQ((*table)->iTTable[0], 1) << "black cell";
  EXPECT_EQ((*table)->iTTable[511], 0) << "white cell";
  EXPECT_EQ((*table)->iTTable[(1 << 6) | (1 << 3) | 1], 1) << "a dark grey";
  EXPECT_EQ((*table)->iTTable[(6 << 6) | (6 << 3) | 6], 0) << "a light grey";

  CTabHandle colours = GetCTable(8);
  ASSERT_NE(colours, nullptr);
  MakeITable(colours, table, 4);
  ASSERT_EQ(QDError(), noErr);
  EXPECT_EQ((*table)->iTabSeed, (*colours)->ctSeed);
  // The cell of pure red holds an entry whose colour is red.
  const int red = (*table)->iTTable[15 << 8];
  EXPECT_EQ((*colours)->ctTable[red].rgb.red >> 8, 0xFF);
  EXPECT_EQ((*colours)->ctTable[red].rgb.green, 0);

  for (short res : {2, 6, -1}) {
    MakeITable(bw, table, res);
    EXPECT_EQ(QDError(), paramErr) << res;
  }
  Handle empty = NewHandle(4);  // no room for a header
  MakeITable(reinterpret_cast<CTabHandle>(empty), table, 3);
  EXPECT_EQ(QDError(), paramErr);
  DisposeHandle(empty);
  DisposeHandle(h);
  DisposeCTable(bw);
  DisposeCTable(colours);
}

// Presses a button of the dialog titled title once it appears.
class DialogWatcher {
 public:
  DialogWatcher(const char* title, int button)
      : thread_([this, title, button] {
          for (int i = 0; i < 500 && !stop_; ++i) {
            if (HWND dialog = FindWindowA(nullptr, title)) {
              found_ = true;
              PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
              return;
            }
            Sleep(20);
          }
        }) {}
  ~DialogWatcher() {
    stop_ = true;
    thread_.join();
  }
  bool found() const { return found_; }

 private:
  std::atomic<bool> stop_{false}, found_{false};
  std::thread thread_;
};

TEST_F(ColourDeviceTest, GetColorShowsTheColourDialogWithThePrompt) {
  const unsigned char prompt[] = "\x0EPick a colour!";
  const RGBColor in{0x1234, 0xABCD, 0x8000};
  RGBColor out{1, 2, 3};
  Point where{-1, -1};
  {
    DialogWatcher watcher("Pick a colour!", IDOK);
    EXPECT_TRUE(GetColor(where, prompt, &in, &out));
    EXPECT_TRUE(watcher.found());
  }
  EXPECT_EQ(out.red, 0x1212);
  EXPECT_EQ(out.green, 0xABAB);
  EXPECT_EQ(out.blue, 0x8080);
  RGBColor untouched{7, 8, 9};
  {
    DialogWatcher watcher("Pick a colour!", IDCANCEL);
    EXPECT_FALSE(GetColor(where, prompt, &in, &untouched));
    EXPECT_TRUE(watcher.found());
  }
  EXPECT_EQ(untouched.red, 7);
  EXPECT_FALSE(GetColor(where, prompt, nullptr, &out));
}

}  // namespace
}  // namespace zebtest
