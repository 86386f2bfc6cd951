// The table of patchable calls: every trap word, replacing and restoring, patchers chaining
// through each other's procedure instances, and the instances' release at exit.
#include <set>
#include <vector>

#include "OSUtils.h"
#include "Quickdraw.h"
#include "session_fixture.h"

namespace {

constexpr unsigned short kTraps[] = {
    0xA80B, 0xA970, 0xA971, 0xA860, 0xA974, 0xA972, 0xA973, 0xA977, 0xA9B4,
    0xA878, 0xA922, 0xA923, 0xA928, 0xA927, 0xA913, 0xAA45, 0xA915, 0xA916,
    0xA91F, 0xA924, 0xA92D, 0xA991, 0xA937, 0xA938, 0xA851, 0xA850, 0xA8A3};
constexpr unsigned short kEraseRect = 0xA8A3;
const uintptr_t kNoCode = 0xFFFFFFFFu;

using EraseProc = void(ZEBAPI*)(const Rect*);

// Procedure instances the session makes: each a distinct trampoline to the procedure it
// stands for, so that the library's bookkeeping of instances can be seen.
constexpr int kTrampolines = 4;
EraseProc g_targets[kTrampolines];
int g_made = 0;
std::vector<FARPROC> g_freed;
template <int N>
void ZEBAPI Trampoline(const Rect* r) {
  g_targets[N](r);
}
const EraseProc kTrampoline[kTrampolines] = {Trampoline<0>, Trampoline<1>, Trampoline<2>,
                                             Trampoline<3>};

FARPROC WINAPI MakeInstance(FARPROC proc, HINSTANCE) {
  if (g_made >= kTrampolines) return nullptr;
  g_targets[g_made] = reinterpret_cast<EraseProc>(reinterpret_cast<void*>(proc));
  return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(kTrampoline[g_made++]));
}
void WINAPI FreeInstance(FARPROC instance) { g_freed.push_back(instance); }

// Two patchers of EraseRect, each counting its calls and chaining to what it replaced.
int g_aCalls = 0, g_bCalls = 0;
EraseProc g_beforeA = nullptr, g_beforeB = nullptr;
void ZEBAPI PatchA(const Rect* r) {
  ++g_aCalls;
  if (g_beforeA) g_beforeA(r);
}
void ZEBAPI PatchB(const Rect* r) {
  ++g_bCalls;
  if (g_beforeB) g_beforeB(r);
}

UniversalProcPtr Addr(EraseProc p) { return reinterpret_cast<UniversalProcPtr>(p); }
EraseProc Erase(UniversalProcPtr p) { return reinterpret_cast<EraseProc>(p); }

class TrapTableTest : public zebtest::SessionTest {
 protected:
  TrapTableTest() {
    g_made = 0;
    g_freed.clear();
    g_aCalls = g_bCalls = 0;
    g_beforeA = g_beforeB = nullptr;
    session_.makeProcInstance = MakeInstance;
    session_.freeProcInstance = FreeInstance;
  }
  void SetUp() override {
    SessionTest::SetUp();
    InitGraf(&cells_.thePort);
  }
  Rect r_ = {0, 0, 1, 1};
};

TEST_F(TrapTableTest, EveryPatchableWordHasItsOwnAddress) {
  std::set<UniversalProcPtr> addresses;
  for (unsigned short trap : kTraps) {
    const UniversalProcPtr a = NGetTrapAddress(trap, ToolTrap);
    EXPECT_NE(a, nullptr) << std::hex << trap;
    EXPECT_NE(reinterpret_cast<uintptr_t>(a), kNoCode) << std::hex << trap;
    EXPECT_EQ(GetTrapAddress(trap), a);
    EXPECT_EQ(GetToolboxTrapAddress(trap), a);
    addresses.insert(a);
  }
  EXPECT_EQ(addresses.size(), 27u);
  // The usual test for WaitNextEvent finds it; an unimplemented trap is no code at all.
  EXPECT_NE(NGetTrapAddress(0xA860, ToolTrap), NGetTrapAddress(0xA89F, ToolTrap));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(NGetTrapAddress(0xA89F, ToolTrap)), kNoCode);
  for (unsigned short present : {0xAB03, 0x0060, 0xA1AD, 0x008F})
    EXPECT_EQ(reinterpret_cast<uintptr_t>(NGetTrapAddress(present, OSTrap)), present);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(NSetTrapAddress(Addr(PatchA), 0xA89F, ToolTrap)), 0xA89Fu);
}

TEST_F(TrapTableTest, AReplacementRunsAndTheOldAddressRestoresTheLibrarysOwn) {
  const UniversalProcPtr library = GetTrapAddress(kEraseRect);
  const UniversalProcPtr installed = SetTrapAddress(Addr(PatchA), kEraseRect);
  EXPECT_EQ(installed, Addr(kTrampoline[0]));
  EXPECT_EQ(GetTrapAddress(kEraseRect), installed);
  EraseRect(&r_);
  EXPECT_EQ(g_aCalls, 1);
  EXPECT_EQ(SetTrapAddress(library, kEraseRect), library);
  EraseRect(&r_);
  EXPECT_EQ(g_aCalls, 1);
  // Nil puts the library's own back too.
  SetTrapAddress(Addr(PatchA), kEraseRect);
  EXPECT_EQ(SetTrapAddress(nullptr, kEraseRect), library);
  EraseRect(&r_);
  EXPECT_EQ(g_aCalls, 1);
  // The same application procedure reuses its instance.
  EXPECT_EQ(g_made, 1);
}

TEST_F(TrapTableTest, PatchersChainThroughEachOthersInstancesUntilExit) {
  g_beforeA = Erase(GetTrapAddress(kEraseRect));
  const UniversalProcPtr a = SetTrapAddress(Addr(PatchA), kEraseRect);
  g_beforeB = Erase(GetTrapAddress(kEraseRect));
  EXPECT_EQ(g_beforeB, Erase(a));
  const UniversalProcPtr b = SetTrapAddress(Addr(PatchB), kEraseRect);
  EXPECT_NE(a, b);
  EraseRect(&r_);
  EXPECT_EQ(g_bCalls, 1);
  EXPECT_EQ(g_aCalls, 1);  // B chained into A's instance, which is still whole
  EXPECT_TRUE(g_freed.empty());
  // B takes itself out by putting back what it found: A's instance, not wrapped again.
  EXPECT_EQ(SetTrapAddress(Addr(g_beforeB), kEraseRect), a);
  EXPECT_EQ(g_made, 2);
  EraseRect(&r_);
  EXPECT_EQ(g_aCalls, 2);
  EXPECT_EQ(g_bCalls, 1);
  EndSession();
  ASSERT_EQ(g_freed.size(), 2u);
  EXPECT_EQ(std::set<FARPROC>(g_freed.begin(), g_freed.end()),
            (std::set<FARPROC>{reinterpret_cast<FARPROC>(a), reinterpret_cast<FARPROC>(b)}));
}

TEST_F(TrapTableTest, PatchedWindowAndQuickDrawCallsRunTheirReplacements) {
  // SetOrigin through its slot.
  static int originCalls = 0;
  struct Local {
    static void ZEBAPI Origin(short, short) { ++originCalls; }
  };
  SetTrapAddress(reinterpret_cast<UniversalProcPtr>(&Local::Origin), 0xA878);
  SetOrigin(5, 5);
  EXPECT_EQ(originCalls, 1);
  SetTrapAddress(nullptr, 0xA878);
  SetOrigin(0, 0);
  EXPECT_EQ(originCalls, 1);
}

class TrapTableWithoutInstancesTest : public TrapTableTest {
 protected:
  TrapTableWithoutInstancesTest() { sessionFlags_ = ZEB_SF_NOPROCINSTANCES; }
};

TEST_F(TrapTableWithoutInstancesTest, ReplacementsAreStoredAsGiven) {
  EXPECT_EQ(SetTrapAddress(Addr(PatchA), kEraseRect), Addr(PatchA));
  EraseRect(&r_);
  EXPECT_EQ(g_aCalls, 1);
  EXPECT_EQ(g_made, 0);
  EndSession();
  EXPECT_TRUE(g_freed.empty());
}

}  // namespace
