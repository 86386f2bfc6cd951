// White-box: memory full at every allocation. Each sequence of Memory Manager and utility calls
// runs again and again with its first, second, third ... allocation failing, until a run meets
// no failure. Each call that fails reports memFullErr (or its own documented result) and leaves
// the handles it was given as they were; whatever a run made and disposed of, the count of
// handles, small blocks and host blocks is back where it began.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Errors.h"
#include "MacMemory.h"
#include "TextUtils.h"
#include "ToolUtils.h"
#include "memory/memory_internal.h"
#include "session_fixture.h"

namespace {

using zeb::memory::FailAllocationAfter;
using zeb::memory::MemoryCensus;
using zeb::memory::TakeCensus;

class MemoryFullTest : public zebtest::SessionTest {
 protected:
  void TearDown() override {
    FailAllocationAfter(0);
    SessionTest::TearDown();
  }
};

std::string Text(Handle h) {
  return h && *h ? std::string(*h, static_cast<size_t>(GetHandleSize(h))) : std::string();
}

// What a run made, disposed of when the run ends however it ends.
struct Held {
  std::vector<Handle> handles;
  std::vector<Ptr> pointers;
  ~Held() {
    for (Handle h : handles) DisposeHandle(h);
    for (Ptr p : pointers) DisposePtr(p);
  }
  Handle Keep(Handle h) {
    if (h) handles.push_back(h);
    return h;
  }
  Ptr Keep(Ptr p) {
    if (p) pointers.push_back(p);
    return p;
  }
};

// Whether a call failed; a failure must be memFullErr.
bool Failed(OSErr err, const char* call) {
  if (err == noErr) return false;
  EXPECT_EQ(err, memFullErr) << call;
  return true;
}

// Checks that a call that failed left h exactly as it was.
void Unchanged(Handle h, const std::string& before, const char* call) {
  EXPECT_EQ(Text(h), before) << call << " failed but changed its handle";
}

std::string Pattern(size_t n, char seed) {
  std::string s(n, ' ');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(seed + static_cast<char>(i % 23));
  return s;
}

void Fill(Handle h, const std::string& text) { std::memcpy(*h, text.data(), text.size()); }

// Handles and pointers: made small (in an arena) and large (a host block of their own), grown
// across the small-block limit, copied and appended to.
void HandleAndPointerCalls() {
  Held held;
  const std::string small = Pattern(40, 'a');
  Handle a = held.Keep(NewHandle(40));
  if (Failed(MemError(), "NewHandle small")) { EXPECT_EQ(a, nullptr); return; }
  Fill(a, small);
  const std::string large = Pattern(9000, 'A');
  Handle b = held.Keep(NewHandleClear(9000));
  if (Failed(MemError(), "NewHandleClear large")) { EXPECT_EQ(b, nullptr); return; }
  Fill(b, large);

  SetHandleSize(a, 20000);
  if (Failed(MemError(), "SetHandleSize across the small-block limit")) return Unchanged(a, small, "SetHandleSize");
  EXPECT_EQ(Text(a).substr(0, 40), small);
  SetHandleSize(a, 40);
  if (Failed(MemError(), "SetHandleSize back")) return;
  EXPECT_EQ(Text(a), small);

  SetHandleSize(b, 200000);
  if (Failed(MemError(), "SetHandleSize large")) return Unchanged(b, large, "SetHandleSize");
  EXPECT_EQ(Text(b).substr(0, large.size()), large);
  SetHandleSize(b, 9000);
  if (Failed(MemError(), "SetHandleSize shrink")) return;

  Handle copy = a;
  if (Failed(HandToHand(&copy), "HandToHand")) {
    EXPECT_EQ(copy, nullptr);
    return Unchanged(a, small, "HandToHand");
  }
  held.Keep(copy);
  EXPECT_EQ(Text(copy), small);

  if (Failed(HandAndHand(b, copy), "HandAndHand")) return Unchanged(copy, small, "HandAndHand");
  EXPECT_EQ(Text(copy), small + large);

  const std::string tail = Pattern(5000, '0');
  if (Failed(PtrAndHand(tail.data(), a, static_cast<long>(tail.size())), "PtrAndHand"))
    return Unchanged(a, small, "PtrAndHand");
  EXPECT_EQ(Text(a), small + tail);

  Handle fromPtr = nullptr;
  if (Failed(PtrToHand(large.data(), &fromPtr, static_cast<long>(large.size())), "PtrToHand"))
    { EXPECT_EQ(fromPtr, nullptr); return; }
  held.Keep(fromPtr);
  EXPECT_EQ(Text(fromPtr), large);

  if (Failed(PtrToXHand(large.data(), a, 7000), "PtrToXHand"))
    return Unchanged(a, small + tail, "PtrToXHand");
  EXPECT_EQ(Text(a), large.substr(0, 7000));

  Ptr p = held.Keep(NewPtr(100));
  if (Failed(MemError(), "NewPtr small")) { EXPECT_EQ(p, nullptr); return; }
  Ptr q = held.Keep(NewPtrClear(70000));
  if (Failed(MemError(), "NewPtrClear large")) { EXPECT_EQ(q, nullptr); return; }

  Handle empty = held.Keep(NewEmptyHandle());
  if (Failed(MemError(), "NewEmptyHandle")) return;
  ReallocateHandle(empty, 3000);
  if (Failed(MemError(), "ReallocateHandle")) { EXPECT_EQ(GetHandleSize(empty), 0); return; }
  EXPECT_EQ(GetHandleSize(empty), 3000);
}

// The utilities that work on handles: strings and Munger.
void UtilityCalls() {
  Held held;
  unsigned char text[] = "\x05hello";
  StringHandle s = reinterpret_cast<StringHandle>(
      held.Keep(reinterpret_cast<Handle>(NewString(text))));
  if (!s) { EXPECT_EQ(MemError(), memFullErr); return; }
  const Handle sh = reinterpret_cast<Handle>(s);
  EXPECT_EQ(Text(sh), std::string("\x05hello", 6));
  unsigned char longer[256];
  longer[0] = 200;
  std::memset(longer + 1, 'x', 200);
  SetString(s, longer);
  if (Failed(MemError(), "SetString")) return Unchanged(sh, std::string("\x05hello", 6), "SetString");
  EXPECT_EQ(Text(sh), std::string(reinterpret_cast<char*>(longer), 201));

  const std::string body = Pattern(3000, 'k');
  Handle h = held.Keep(NewHandle(static_cast<Size>(body.size())));
  if (Failed(MemError(), "NewHandle")) return;
  Fill(h, body);
  // Replacing 3 bytes with 6000 grows the handle past the small-block limit.
  const std::string insert = Pattern(6000, 'Q');
  const std::string target = body.substr(10, 3);
  const long at = Munger(h, 0, target.data(), 3, insert.data(), static_cast<long>(insert.size()));
  if (MemError() != noErr || at < 0) {
    EXPECT_EQ(MemError(), memFullErr) << "Munger";
    return Unchanged(h, body, "Munger");
  }
  EXPECT_EQ(at, 10 + static_cast<long>(insert.size()));
  EXPECT_EQ(Text(h), body.substr(0, 10) + insert + body.substr(13));
}

// The system-heap and temporary spellings, pointer resizing, more master pointers, and a
// large handle emptied and reallocated.
void SystemTemporaryAndResizeCalls() {
  Held held;
  Handle sys = held.Keep(NewHandleSys(100));
  if (Failed(MemError(), "NewHandleSys")) { EXPECT_EQ(sys, nullptr); return; }
  Handle sysClear = held.Keep(NewHandleSysClear(50000));
  if (Failed(MemError(), "NewHandleSysClear")) { EXPECT_EQ(sysClear, nullptr); return; }
  EXPECT_EQ(Text(sysClear), std::string(50000, '\0'));
  const std::string big = Pattern(50000, 'c');
  Fill(sysClear, big);

  Ptr small = held.Keep(NewPtrSys(64));
  if (Failed(MemError(), "NewPtrSys")) { EXPECT_EQ(small, nullptr); return; }
  Ptr large = held.Keep(NewPtrSysClear(100000));
  if (Failed(MemError(), "NewPtrSysClear")) { EXPECT_EQ(large, nullptr); return; }
  const std::string head = Pattern(64, 'p');
  std::memcpy(small, head.data(), head.size());
  std::memcpy(large, big.data(), big.size());
  // A pointer never moves: it grows where it lies or not at all, and a failure keeps its size
  // and its bytes.
  const auto Resized = [](Ptr p, Size size, const std::string& before, const char* call) {
    const Size was = GetPtrSize(p);
    if (SetPtrSize(p, size)) {
      EXPECT_EQ(MemError(), noErr) << call;
      EXPECT_EQ(GetPtrSize(p), size) << call;
      EXPECT_EQ(std::string(p, before.size()), before) << call;
      return true;
    }
    EXPECT_EQ(MemError(), memFullErr) << call;
    EXPECT_EQ(GetPtrSize(p), was) << call;
    EXPECT_EQ(std::string(p, before.size()), before) << call;
    return false;
  };
  if (!Resized(small, 48, head.substr(0, 48), "SetPtrSize shrink")) return;
  Resized(large, 160000, big, "SetPtrSize host block");

  OSErr result = 1;
  Handle temporary = TempNewHandle(20000, &result);
  if (!temporary) { EXPECT_EQ(result, memFullErr) << "TempNewHandle"; return; }
  EXPECT_EQ(result, noErr);
  held.Keep(temporary);

  MoreMasters();
  if (Failed(MemError(), "MoreMasters")) return;

  // Emptied, the handle gives back its block; ReallocateHandle asks for a new one, and a
  // failure leaves it empty, still a handle.
  EmptyHandle(sysClear);
  if (Failed(MemError(), "EmptyHandle")) return;
  EXPECT_EQ(*sysClear, nullptr);
  ReallocateHandle(sysClear, 70000);
  if (Failed(MemError(), "ReallocateHandle large")) { EXPECT_EQ(*sysClear, nullptr); return; }
  EXPECT_EQ(GetHandleSize(sysClear), 70000);

  // Appending a large handle to a small one takes the small one out of its arena.
  Fill(sys, head.substr(0, 64));
  const std::string sysBefore = Text(sys);
  std::memcpy(*sysClear, big.data(), big.size());
  const std::string largeBefore = Text(sysClear);
  if (Failed(HandAndHand(sysClear, sys), "HandAndHand large")) return Unchanged(sys, sysBefore, "HandAndHand");
  EXPECT_EQ(Text(sys), sysBefore + largeBefore);
}

// Runs a sequence with its n-th allocation failing, for n = 1, 2, ... until a run meets no
// failure; every run must leave the census where it found it.
void SweepAllocations(const char* name, const std::function<void()>& run) {
  for (uint64_t n = 1;; ++n) {
    const MemoryCensus before = TakeCensus();
    FailAllocationAfter(n);
    run();
    const bool fired = zeb::memory::AllocationFailureFired();
    FailAllocationAfter(0);
    const MemoryCensus after = TakeCensus();
    EXPECT_EQ(after, before) << name << " with allocation " << n << " failing: handles "
                             << after.handles << " / " << before.handles << ", small blocks "
                             << after.arenaBlocks << " / " << before.arenaBlocks
                             << ", host blocks " << after.hostBlocks << " / " << before.hostBlocks;
    if (!fired) break;
    ASSERT_LT(n, 10000u) << name;
  }
}

TEST_F(MemoryFullTest, EveryFailedAllocationIsReportedAndLeaksNothing) {
  SweepAllocations("handles and pointers", HandleAndPointerCalls);
  SweepAllocations("utilities", UtilityCalls);
  SweepAllocations("system, temporary and resizing", SystemTemporaryAndResizeCalls);
}

TEST_F(MemoryFullTest, TheCensusSeesWhatIsHeld) {
  const MemoryCensus start = TakeCensus();
  Handle small = NewHandle(10);
  Handle large = NewHandle(100000);
  Ptr p = NewPtr(200000);
  const MemoryCensus held = TakeCensus();
  EXPECT_EQ(held.handles, start.handles + 2);
  EXPECT_GE(held.hostBlocks, start.hostBlocks + 2);
  EXPECT_GE(held.arenaBlocks + held.hostBlocks, start.arenaBlocks + start.hostBlocks + 3);
  DisposeHandle(small);
  DisposeHandle(large);
  DisposePtr(p);
  EXPECT_EQ(TakeCensus(), start);
  // The countdown stops exactly the allocation it names.
  FailAllocationAfter(2);
  Handle first = NewHandle(50000);
  Handle second = NewHandle(50000);
  Handle third = NewHandle(50000);
  FailAllocationAfter(0);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_NE(third, nullptr);
  DisposeHandle(first);
  DisposeHandle(third);
}

}  // namespace
