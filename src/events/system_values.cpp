// ZEB_SystemValue: the library's board of numbered settings.
#include <windows.h>

#include "ZEB.h"
#include "events/events_internal.h"
#include "frame/address32.h"
#include "frame/frame_internal.h"
#include "memory/memory_internal.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::events {
namespace {

constexpr int kHighestIndex = 60;

enum class Access : uint8_t {
  None,       // not a setting: reads 0, stores nothing
  Stored,     // read and set
  GetOnly,    // computed or fixed; setting it stores nothing
  SetOnly     // a procedure to install; reading gives 0
};

struct Setting {
  Access access;
  uint32_t initial;
};

// Defaults as the library starts. Index 15 (the small-block limit) lives in the Memory
// Manager; 3, 4, 21 and 22 are computed when read.
constexpr Setting kSettings[kHighestIndex + 1] = {
    /*0*/ {Access::None, 0},      /*1*/ {Access::Stored, 0},    /*2*/ {Access::Stored, 0},
    /*3*/ {Access::GetOnly, 0},   /*4*/ {Access::GetOnly, 0},   /*5*/ {Access::Stored, 32},
    /*6*/ {Access::Stored, 64},   /*7*/ {Access::Stored, 0},    /*8*/ {Access::Stored, 65535},
    /*9*/ {Access::Stored, 0},    /*10*/ {Access::Stored, 0},   /*11*/ {Access::Stored, 0},
    /*12*/ {Access::Stored, 1},   /*13*/ {Access::Stored, 1},   /*14*/ {Access::Stored, 0},
    /*15*/ {Access::Stored, 0},   /*16*/ {Access::Stored, 1},   /*17*/ {Access::Stored, 0},
    /*18*/ {Access::Stored, 1},   /*19*/ {Access::Stored, 0},   /*20*/ {Access::Stored, 0},
    /*21*/ {Access::GetOnly, 0},  /*22*/ {Access::GetOnly, 0},  /*23*/ {Access::Stored, 0},
    /*24*/ {Access::Stored, 1},   /*25*/ {Access::None, 0},     /*26*/ {Access::Stored, 1},
    /*27*/ {Access::GetOnly, 0},  /*28*/ {Access::Stored, 0},   /*29*/ {Access::Stored, 1},
    /*30*/ {Access::Stored, 0},   /*31*/ {Access::Stored, 0},   /*32*/ {Access::Stored, 0},
    /*33*/ {Access::Stored, 0xFFFFFFFFu}, /*34*/ {Access::Stored, 0}, /*35*/ {Access::Stored, 0},
    /*36*/ {Access::Stored, 0},   /*37*/ {Access::Stored, 0},   /*38*/ {Access::Stored, 0},
    /*39*/ {Access::SetOnly, 0},  /*40*/ {Access::Stored, 0},   /*41*/ {Access::Stored, 0},
    /*42*/ {Access::GetOnly, 0},  /*43*/ {Access::GetOnly, 0},  /*44*/ {Access::Stored, 0},
    /*45*/ {Access::Stored, 0},   /*46*/ {Access::Stored, 0},   /*47*/ {Access::Stored, 544},
    /*48*/ {Access::Stored, 0},   /*49*/ {Access::Stored, 0},   /*50*/ {Access::Stored, 0},
    /*51*/ {Access::Stored, 0},   /*52*/ {Access::Stored, 0},   /*53*/ {Access::Stored, 0},
    /*54*/ {Access::Stored, 1},   /*55*/ {Access::Stored, 0},   /*56*/ {Access::Stored, 0},
    /*57*/ {Access::None, 0},     /*58*/ {Access::None, 0},     /*59*/ {Access::Stored, 0},
    /*60*/ {Access::Stored, 0},
};

constexpr int kYieldInterval = 6;
constexpr int kSmallBlockLimit = 15;
constexpr int kWindowCreationHook = 39;

struct Table {
  uint32_t values[kHighestIndex + 1];
  Table() {
    for (int i = 0; i <= kHighestIndex; ++i) values[i] = kSettings[i].initial;
  }
};
Table g_table;
FARPROC g_windowCreationHook = nullptr;

uint32_t Read(int index) {
  switch (index) {
    case 3: return static_cast<uint32_t>(GetSystemMetrics(SM_CXVSCROLL));
    case 4: return static_cast<uint32_t>(GetSystemMetrics(SM_CYHSCROLL));
    case kSmallBlockLimit: return memory::SmallBlockThreshold();
    case 21: return quickdraw::ScreenValue();
    case 22: return quickdraw::PaletteState();
    default: return kSettings[index].access == Access::Stored ? g_table.values[index] : 0;
  }
}

}  // namespace

uint32_t StoredSystemValue(int index) {
  if (index < 0 || index > kHighestIndex) return 0;
  return Read(index);
}

void StoreSystemValue(int index, uint32_t value) {
  if (index < 0 || index > kHighestIndex || kSettings[index].access != Access::Stored) return;
  if (index == kSmallBlockLimit) return;
  g_table.values[index] = value;
}

uint32_t TakeSystemValue(int index) {
  if (index < 0 || index > kHighestIndex || kSettings[index].access != Access::Stored) return 0;
  const uint32_t value = g_table.values[index];
  g_table.values[index] = kSettings[index].initial;
  return value;
}

void* WindowCreationHook() { return reinterpret_cast<void*>(g_windowCreationHook); }

void ResetSystemValues() {
  g_table = Table{};
  frame::ReleaseCallback(g_windowCreationHook);
  g_windowCreationHook = nullptr;
}

}  // namespace zeb::events

using namespace zeb;

extern "C" unsigned long ZEBAPI ZEB_SystemValue(short op, short index, unsigned long value) {
  if (index < 0 || index > events::kHighestIndex) return 0;
  const uint32_t current = events::Read(index);
  if (op != ZEB_SV_SET) return current;
  switch (events::kSettings[index].access) {
    case events::Access::Stored:
      if (index == events::kSmallBlockLimit) {
        memory::SetSmallBlockThreshold(value);
      } else {
        events::g_table.values[index] = value;
        if (index == events::kYieldInterval) events::RestartYieldCounter();
      }
      break;
    case events::Access::SetOnly:  // the window-creation hook
      if (events::g_windowCreationHook) frame::ReleaseCallback(events::g_windowCreationHook);
      events::g_windowCreationHook =
          value ? frame::WrapCallback(reinterpret_cast<FARPROC>(LongToAddress(value)))
                : nullptr;
      break;
    case events::Access::GetOnly:
    case events::Access::None:
      break;
  }
  return current;
}
