// White-box: dialogs made with the heap full at every allocation in turn. A NewDialog that meets
// the failure gives nil and leaves the caller's storage and item list as they were, with nothing
// leaked; a dialog whose item-table registration cannot grow shows "Too many Dialogs" (answered
// here by a hook, as a user presses OK) and runs without a table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "MacMemory.h"
#include "Resources.h"
#include "ZEB.h"
#include "dialogs_fixture.h"
#include "memory/memory_internal.h"

namespace zebtest {
namespace {

using zeb::memory::AllocationFailureFired;
using zeb::memory::FailAllocationAfter;
using zeb::memory::MemoryCensus;
using zeb::memory::TakeCensus;

constexpr unsigned short kRegisteredTable = 0xFFFF;

// Message boxes shown meanwhile: their text is recorded and each is answered at once.
std::vector<std::string> g_boxes;
HHOOK g_hook = nullptr;

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char cls[32] = {};
    GetClassNameA(box, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0) {
      std::string text;
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char t[128] = {};
        GetWindowTextA(child, t, sizeof t);
        char childClass[32] = {};
        GetClassNameA(child, childClass, sizeof childClass);
        if (lstrcmpiA(childClass, "static") == 0 && t[0]) text = t;
      }
      g_boxes.push_back(text);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

class DialogMemoryFullTest : public DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    g_boxes.clear();
    g_hook = SetWindowsHookExA(WH_CBT, &AnswerBoxes, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
  }
  void TearDown() override {
    FailAllocationAfter(0);
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    DialogsTest::TearDown();
  }
  // The item list in host order: OK, a check box, a static text, two radio buttons (a group in
  // the table made from the list) and an edit item.
  static std::vector<uint8_t> HostItems() {
    std::vector<uint8_t> bytes = Ditl()
                                     .Item(ctrlItem + btnCtrl, 160, 200, 180, 280, "OK")
                                     .Item(ctrlItem + chkCtrl, 10, 10, 30, 150, "Check")
                                     .Item(statText, 40, 10, 56, 150, "Label")
                                     .Item(ctrlItem + radCtrl, 70, 10, 90, 150, "One")
                                     .Item(ctrlItem + radCtrl, 100, 10, 120, 150, "Two")
                                     .Item(editText, 130, 10, 146, 150, "text")
                                     .Bytes();
    Handle h = NewHandle(static_cast<Size>(bytes.size()));
    std::memcpy(*h, bytes.data(), bytes.size());
    ZEB_ByteSwap(ZEB_SWAP_FROMDISK, 0x4449544C, 0, static_cast<long>(bytes.size()), *h);
    std::vector<uint8_t> host(reinterpret_cast<uint8_t*>(*h), reinterpret_cast<uint8_t*>(*h) + bytes.size());
    DisposeHandle(h);
    return host;
  }
  static Handle ListOf(const std::vector<uint8_t>& host) {
    Handle h = NewHandle(static_cast<Size>(host.size()));
    if (h) std::memcpy(*h, host.data(), host.size());
    return h;
  }
  DialogPtr MakeDialog(void* storage, Handle items) {
    const Rect bounds = R(100, 100, 400, 300);
    return NewDialog(storage, &bounds, reinterpret_cast<const unsigned char*>("\x04" "Full"), false, dBoxProc,
                     reinterpret_cast<WindowPtr>(-1), false, 0, items);
  }
};

TEST_F(DialogMemoryFullTest, AFailingNewDialogKeepsTheCallersStorageAndItemList) {
  const std::vector<uint8_t> host = HostItems();
  // A first dialog makes what the Dialog Manager keeps for the session (the registration list,
  // fonts), so that the census below counts only what one dialog holds.
  Handle warm = ListOf(host);
  DisposeDialog(MakeDialog(nullptr, warm));

  int failures = 0, made = 0;
  for (uint64_t n = 1; n < 400; ++n) {
    bool anyFired = false;
    for (bool callerStorage : {false, true}) {
      Handle items = ListOf(host);
      ASSERT_NE(items, nullptr);
      DialogRecord storage;
      std::memset(&storage, 0x5A, sizeof storage);
      const MemoryCensus before = TakeCensus();
      FailAllocationAfter(n);
      DialogPtr d = MakeDialog(callerStorage ? &storage : nullptr, items);
      const bool fired = AllocationFailureFired();
      FailAllocationAfter(0);
      anyFired = anyFired || fired;
      if (!d) {
        ++failures;
        EXPECT_TRUE(fired) << "only a full heap makes this dialog fail, at allocation " << n;
        ASSERT_NE(*items, nullptr) << "the item list is the caller's, at allocation " << n;
        ASSERT_EQ(GetHandleSize(items), static_cast<Size>(host.size()));
        EXPECT_EQ(std::memcmp(*items, host.data(), host.size()), 0)
            << "the item list is as it came, its handle fields naming nothing disposed of; allocation " << n;
        EXPECT_EQ(TakeCensus(), before) << "nothing leaks, allocation " << n << (callerStorage ? " (caller storage)" : "");
        DisposeHandle(items);
      } else {
        ++made;
        if (callerStorage) {
          EXPECT_EQ(d, reinterpret_cast<DialogPtr>(&storage));
          CloseDialog(d);
          DisposeHandle(items);
        } else {
          DisposeDialog(d);
        }
      }
    }
    // A round that met no failure: every allocation of NewDialog has had its turn.
    if (!anyFired) break;
  }
  EXPECT_GT(failures, 0) << "some allocation of NewDialog was made to fail";
  EXPECT_GT(made, 0);
}

TEST_F(DialogMemoryFullTest, ARegistrationThatCannotGrowShowsTooManyDialogsAndRunsWithoutATable) {
  const std::vector<uint8_t> host = HostItems();
  DialogPtr first = MakeDialog(nullptr, ListOf(host));
  ASSERT_NE(first, nullptr);
  Handle firstTable = ZEB_UseZEBDItems(first, 128);  // no 'ZEBD' 128: the table from the items
  ASSERT_NE(firstTable, nullptr);
  ASSERT_TRUE(g_boxes.empty());

  // Every other dialog registers its table with the heap full at each allocation in turn; each
  // stays open, so that each needs an entry of its own in the registration list.
  std::vector<DialogPtr> open;
  int refused = 0;
  for (uint64_t n = 1; n < 100; ++n) {
    DialogPtr d = MakeDialog(nullptr, ListOf(host));
    ASSERT_NE(d, nullptr);
    open.push_back(d);
    const size_t boxesBefore = g_boxes.size();
    FailAllocationAfter(n);
    Handle table = ZEB_UseZEBDItems(d, 128);
    const bool fired = AllocationFailureFired();
    FailAllocationAfter(0);
    if (!fired) {
      EXPECT_NE(table, nullptr);
      EXPECT_EQ(g_boxes.size(), boxesBefore);
      break;
    }
    ++refused;
    EXPECT_EQ(table, nullptr) << "allocation " << n;
    ASSERT_EQ(g_boxes.size(), boxesBefore + 1) << "allocation " << n;
    EXPECT_EQ(g_boxes.back(), "Too many Dialogs");
    EXPECT_EQ(ZEB_UseZEBDItems(d, kRegisteredTable), nullptr) << "the dialog runs on without a table";
    EXPECT_NE(ItemWindow(d, 4), nullptr);
  }
  EXPECT_GT(refused, 0);
  EXPECT_EQ(ZEB_UseZEBDItems(first, kRegisteredTable), firstTable) << "earlier registrations are kept";
  for (DialogPtr d : open) DisposeDialog(d);
  DisposeDialog(first);
}

}  // namespace
}  // namespace zebtest
