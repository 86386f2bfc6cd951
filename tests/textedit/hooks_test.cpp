// The procedures an application gives a record the library draws: the three drawing hooks of
// ZEB_TECustomHooks, the highlight hook in the record, and click loops made into procedure
// instances (or left alone under ZEB_SF_NOPROCINSTANCES).
#include <string>
#include <vector>

#include "ZEB.h"
#include "textedit_fixture.h"

namespace zebtest {
namespace {

void SetText(TEHandle te, const std::string& s) { TESetText(s.data(), static_cast<long>(s.size()), te); }

bool SameRect(const Rect& a, const Rect& b) {
  return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

// What the hooks were called with.
struct DrawCall {
  TEPtr te;
  std::string text;
  Point pen;
};
struct HookLog {
  std::vector<DrawCall> draws;
  std::vector<TEPtr> measuredFor;
  std::vector<std::pair<TEPtr, Rect>> hilites;
  std::vector<std::pair<TEPtr, Rect>> highHooks;
};
HookLog g_log;

constexpr short kHookCharWidth = 10;

void ZEBAPI LogDraw(TEPtr te, const char* text, short length) {
  Point pen{};
  GetPen(&pen);
  g_log.draws.push_back({te, std::string(text, text + length), pen});
}
short ZEBAPI FixedMeasure(TEPtr te, const char*, short length) {
  g_log.measuredFor.push_back(te);
  return static_cast<short>(length * kHookCharWidth);
}
void ZEBAPI LogHilite(TEPtr te, const Rect* r) { g_log.hilites.push_back({te, *r}); }
void ZEBAPI LogHighHook(const Rect* r, TEPtr te) { g_log.highHooks.push_back({te, *r}); }

class HooksTest : public TextEditTest {
 protected:
  void SetUp() override {
    TextEditTest::SetUp();
    g_log = HookLog{};
  }
  bool HiliteLogged(const Rect& r) const {
    for (const auto& h : g_log.hilites)
      if (SameRect(h.second, r)) return true;
    return false;
  }
  bool HighHookLogged(const Rect& r) const {
    for (const auto& h : g_log.highHooks)
      if (SameRect(h.second, r)) return true;
    return false;
  }
};

TEST_F(HooksTest, CustomHooksMeasureDrawAndHighlightInsteadOfTheLibrary) {
  TEHandle te = NewRecord();
  ASSERT_NE(te, nullptr);
  ZEB_TECustomHooks(te, LogDraw, FixedMeasure, LogHilite);
  EXPECT_EQ((*te)->clikStuff & 0x08, 0x08);

  // Lines wrap by the hook's widths: 22 characters of 10 fill the 220-pixel width.
  SetText(te, std::string(30, 'a') + "\rbb");
  EXPECT_EQ(LineStarts(te), (std::vector<int>{0, 22, 31, 33}));
  ASSERT_FALSE(g_log.measuredFor.empty());
  for (TEPtr p : g_log.measuredFor) EXPECT_EQ(p, *te);

  g_log = HookLog{};
  const Rect view = (*te)->viewRect;
  TEUpdate(&view, te);
  // One call per line, with the line's characters but not its CR, from the pen the library
  // placed at the line's left edge and baseline.
  ASSERT_EQ(g_log.draws.size(), 3u);
  EXPECT_EQ(g_log.draws[0].text, std::string(22, 'a'));
  EXPECT_EQ(g_log.draws[1].text, std::string(8, 'a'));
  EXPECT_EQ(g_log.draws[2].text, "bb");
  const short lh = (*te)->lineHeight;
  for (size_t i = 0; i < g_log.draws.size(); ++i) {
    EXPECT_EQ(g_log.draws[i].te, *te);
    EXPECT_EQ(g_log.draws[i].pen.h, 10) << i;
    EXPECT_EQ(g_log.draws[i].pen.v, 10 + static_cast<short>(i) * lh + (*te)->fontAscent) << i;
  }
  // The hooks draw nothing: neither does the library.
  EXPECT_EQ(BlackIn(10, 10, 230, 110), 0);

  // The selection goes to the hilite hook, one rectangle per line, in the hook's widths.
  TEActivate(te);
  g_log = HookLog{};
  TESetSelect(2, 5, te);
  EXPECT_TRUE(HiliteLogged(Rect{10, 30, static_cast<short>(10 + lh), 60}));
  for (const auto& h : g_log.hilites) EXPECT_EQ(h.first, *te);
  g_log = HookLog{};
  TESetSelect(20, 24, te);
  EXPECT_TRUE(HiliteLogged(Rect{10, 210, static_cast<short>(10 + lh), 230})) << "to the line's end";
  EXPECT_TRUE(HiliteLogged(Rect{static_cast<short>(10 + lh), 10, static_cast<short>(10 + 2 * lh), 30}));
  EXPECT_EQ(BlackIn(10, 10, 230, 110), 0);
}

TEST_F(HooksTest, CustomHooksNeedAllThreeAndGoWhenOneIsMissing) {
  TEHandle te = NewRecord();
  ASSERT_NE(te, nullptr);
  ZEB_TECustomHooks(te, LogDraw, FixedMeasure, nullptr);
  EXPECT_EQ((*te)->clikStuff & 0x08, 0);
  SetText(te, "wide words");
  EXPECT_TRUE(g_log.measuredFor.empty()) << "two hooks are no hooks";

  ZEB_TECustomHooks(te, LogDraw, FixedMeasure, LogHilite);
  TECalText(te);
  EXPECT_FALSE(g_log.measuredFor.empty());
  ZEB_TECustomHooks(te, nullptr, nullptr, nullptr);
  EXPECT_EQ((*te)->clikStuff & 0x08, 0);
  // The library measures and draws again: its own pixels appear.
  g_log = HookLog{};
  TECalText(te);
  const Rect view = (*te)->viewRect;
  TEUpdate(&view, te);
  EXPECT_TRUE(g_log.measuredFor.empty());
  EXPECT_TRUE(g_log.draws.empty());
  EXPECT_GT(BlackIn(10, 10, 230, 110), 0);
  // Nil and disposed records are left alone.
  ZEB_TECustomHooks(nullptr, LogDraw, FixedMeasure, LogHilite);
}

TEST_F(HooksTest, TheHighlightHookReplacesInversionForSelectionAndCaret) {
  TEHandle te = NewRecord();
  ASSERT_NE(te, nullptr);
  // Blanks: whatever turns black is the highlight.
  SetText(te, std::string(6, ' '));
  const short lh = (*te)->lineHeight;
  const short x1 = static_cast<short>(10 + TextWidth("      ", 0, 1));
  const short x4 = static_cast<short>(10 + TextWidth("      ", 0, 4));
  // Without a hook the library inverts the selection, and deactivating takes it away.
  TEActivate(te);
  TESetSelect(1, 4, te);
  EXPECT_EQ(BlackIn(x1, 10, x4, 10 + lh), (x4 - x1) * lh);
  TEDeactivate(te);
  EXPECT_EQ(BlackIn(10, 10, 230, 110), 0);

  (*te)->highHook = LogHighHook;
  TEActivate(te);
  EXPECT_TRUE(HighHookLogged(Rect{10, x1, static_cast<short>(10 + lh), x4}));
  for (const auto& h : g_log.highHooks) EXPECT_EQ(h.first, *te);
  EXPECT_EQ(BlackIn(10, 10, 230, 110), 0) << "the hook, not the library, highlights";

  // The caret of an empty selection is a one-pixel rectangle ending at the insertion point.
  g_log = HookLog{};
  TESetSelect(4, 4, te);
  EXPECT_TRUE(HighHookLogged(Rect{10, static_cast<short>(x4 - 1), static_cast<short>(10 + lh), x4}));

  // A custom hilite hook comes before the record's highlight hook.
  ZEB_TECustomHooks(te, LogDraw, FixedMeasure, LogHilite);
  g_log = HookLog{};
  TESetSelect(0, 2, te);
  EXPECT_FALSE(g_log.hilites.empty());
  EXPECT_TRUE(g_log.highHooks.empty());
  EXPECT_EQ(BlackIn(10, 10, 230, 110), 0);
}

// Procedure instances: the session's functions make a different entry for each callback, so
// that the record shows whether it holds the instance or the procedure itself.
struct Instances {
  static std::vector<FARPROC> made, freed;
};
std::vector<FARPROC> Instances::made, Instances::freed;

template <class Proc>
FARPROC AsFar(Proc p) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(p));
}

int g_loopCalls = 0, g_instanceCalls = 0;
Boolean ZEBAPI ApplicationLoop(void) {
  ++g_loopCalls;
  return true;
}
Boolean ZEBAPI InstanceOfLoop(void) {
  ++g_instanceCalls;
  return ApplicationLoop();
}

FARPROC WINAPI MakeInstance(FARPROC proc, HINSTANCE) {
  Instances::made.push_back(proc);
  return proc == AsFar(ApplicationLoop) ? AsFar(InstanceOfLoop) : proc;
}
void WINAPI FreeInstance(FARPROC instance) { Instances::freed.push_back(instance); }

class ProcInstancesTest : public TextEditTest {
 protected:
  explicit ProcInstancesTest(unsigned long flags = 0) {
    sessionFlags_ = flags;
    session_.makeProcInstance = MakeInstance;
    session_.freeProcInstance = FreeInstance;
  }
  // Only what the test does counts, not what start-up made.
  void SetUp() override {
    TextEditTest::SetUp();
    Instances::made.clear();
    Instances::freed.clear();
    g_loopCalls = g_instanceCalls = 0;
  }
  static FARPROC Loop() { return AsFar(ApplicationLoop); }
  static FARPROC Instance() { return AsFar(InstanceOfLoop); }
  static FARPROC Of(TEHandle te) { return AsFar((*te)->clikLoop); }
};

class CallbacksUnchangedTest : public ProcInstancesTest {
 protected:
  CallbacksUnchangedTest() : ProcInstancesTest(ZEB_SF_NOPROCINSTANCES) {}
};

TEST_F(ProcInstancesTest, ClickLoopsBecomeInstancesThatAreFreedWhenDropped) {
  TEHandle te = NewRecord();
  ASSERT_NE(te, nullptr);
  TESetClickLoop(ApplicationLoop, te);
  EXPECT_EQ(Of(te), Instance());
  ASSERT_EQ(Instances::made.size(), 1u);
  EXPECT_EQ(Instances::made[0], Loop());
  EXPECT_TRUE((*te)->clikLoop());
  EXPECT_EQ(g_instanceCalls, 1);
  EXPECT_EQ(g_loopCalls, 1) << "the instance calls the application's loop";
  // Replaced by the default: the instance is freed, the default is no instance.
  TESetClickLoop(nullptr, te);
  EXPECT_EQ(Instances::freed, std::vector<FARPROC>{Instance()});
  EXPECT_EQ(Instances::made.size(), 1u);

  // A loop the application stores itself, wrapped first; TEDispose frees it.
  TEClickLoopProcPtr proc = ApplicationLoop;
  ZEB_MakePIClickLoop(&proc);
  EXPECT_EQ(AsFar(proc), Instance());
  (*te)->clikLoop = proc;
  Instances::freed.clear();
  TEDispose(te);
  te_ = nullptr;
  EXPECT_EQ(Instances::freed, std::vector<FARPROC>{Instance()});
}

TEST_F(CallbacksUnchangedTest, ClickLoopsAreUsedAsGivenAndNeverFreed) {
  TEHandle te = NewRecord();
  ASSERT_NE(te, nullptr);
  TESetClickLoop(ApplicationLoop, te);
  EXPECT_EQ(Of(te), Loop());
  EXPECT_TRUE((*te)->clikLoop());
  EXPECT_EQ(g_loopCalls, 1);
  EXPECT_EQ(g_instanceCalls, 0);
  TEClickLoopProcPtr proc = ApplicationLoop;
  ZEB_MakePIClickLoop(&proc);
  EXPECT_EQ(AsFar(proc), Loop());
  EXPECT_TRUE(Instances::made.empty());
  // The flag cleared later must not make the library free procedures it never made.
  ZEB_SetFlags(ZEB_SF_NOPROCINSTANCES, 0, 0, 0);
  TEHandle other = TENew(&(*te)->destRect, &(*te)->viewRect);
  ASSERT_NE(other, nullptr);
  (*other)->clikLoop = proc;
  TEDispose(other);
  TESetClickLoop(nullptr, te);
  TEDispose(te);
  te_ = nullptr;
  EXPECT_TRUE(Instances::freed.empty());
}

}  // namespace
}  // namespace zebtest
