// The environment queries (Gestalt, SysEnvirons, Environs) and the timing calls Delay and
// SysBeep, answered for the machine the library presents: a colour Macintosh running system
// 6.0.5 with QuickDraw 2.
#include <windows.h>

#include "Events.h"
#include "OSUtils.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "osutils/ticks.h"

namespace zeb::osutils {
namespace {

constexpr short kSystemVersion = 0x0605;  // 6.0.5
constexpr long kGestaltMachine = 11;      // a Macintosh IIx, which has colour QuickDraw
constexpr long kGestaltProcessor = 4;     // a 68030
constexpr long kQuickDrawVersion = 0x0200;
constexpr long kKeyboard = 4;             // the Apple Extended Keyboard
constexpr short kEnvironsMachine = 1;
constexpr short kSysEnvMachine = 4;

struct GestaltAnswer {
  OSType selector;
  long response;
};
constexpr GestaltAnswer kAnswers[] = {
    {gestaltVersion, 1},
    {gestaltMachineType, kGestaltMachine},
    {gestaltSystemVersion, kSystemVersion},
    {gestaltProcessorType, kGestaltProcessor},
    {gestaltQuickdrawVersion, kQuickDrawVersion},
    {gestaltKeyboardType, kKeyboard},
    {gestaltAppleTalkVersion, 0},
    {gestaltHardwareAttr, 0},
    {gestaltOSAttr, 0},
    {gestaltEventMgrVersion, 0},
    {gestaltEditionMgrAttr, 0},
    {gestaltHelpMgrAttr, 0},
    {gestaltAliasMgrAttr, 0},
    {gestaltFindFolderAttr, 0},
    {gestaltPopupAttr, 0},
    {gestaltFontMgrAttr, 0},
    {gestaltScriptMgrVersion, 1},
    {gestaltTextEditVersion, 1},
};

uint32_t TicksSince(uint32_t start) { return TicksBetween(start, TickCount()); }

// Delays this long or longer wait for messages between looks at the clock; shorter ones spin.
constexpr long kIdleWaitTicks = 21;
constexpr uint32_t kMillisecondsPerTick = 16;
constexpr uint32_t kLongestIdleWait = 32767;

}  // namespace
}  // namespace zeb::osutils

using namespace zeb;
using namespace zeb::osutils;

extern "C" {

OSErr ZEBAPI Gestalt(OSType selector, long* response) {
  long answer = 0;
  OSErr result = gestaltUndefSelectorErr;
  if (selector == gestaltFPUType) {
    answer = frame::Session().hasFPU ? static_cast<long>(0xFFFFFFFF) : 0;
    result = noErr;
  } else {
    for (const GestaltAnswer& a : kAnswers) {
      if (a.selector != selector) continue;
      answer = a.response;
      result = noErr;
      break;
    }
  }
  if (!response) return paramErr;
  *response = answer;
  return result;
}

OSErr ZEBAPI SysEnvirons(short versionRequested, SysEnvRec* theWorld) {
  if (!theWorld) return paramErr;
  *theWorld = SysEnvRec{};
  theWorld->environsVersion = versionRequested;
  theWorld->machineType = kSysEnvMachine;
  theWorld->systemVersion = kSystemVersion;
  theWorld->processor = 0;
  theWorld->hasFPU = frame::Session().hasFPU ? 1 : 0;
  theWorld->hasColorQD = 1;
  return noErr;
}

void ZEBAPI Environs(short* rom, short* machine) {
  if (rom) *rom = kSystemVersion;
  if (machine) *machine = kEnvironsMachine;
}

void ZEBAPI Delay(long numTicks, long* finalTicks) {
  const uint32_t start = TickCount();
  const uint32_t wanted = numTicks > 0 ? static_cast<uint32_t>(numTicks) : 0;
  uint32_t elapsed = 0;
  while (elapsed < wanted) {
    if (numTicks >= kIdleWaitTicks) {
      // Only what is left is waited for, so that a message arriving early does not add a whole
      // delay's length to the wait.
      const uint32_t left = (wanted - elapsed) * kMillisecondsPerTick;
      events::IdleWait(left < kLongestIdleWait ? left : kLongestIdleWait);
    }
    elapsed = TicksSince(start);
  }
  if (finalTicks) *finalTicks = static_cast<long>(TickCount());
}

void ZEBAPI SysBeep(short duration) {
  MessageBeep(0);
  const uint32_t start = TickCount();
  const uint32_t wanted = duration > 0 ? static_cast<uint32_t>(duration) : 0;
  while (TicksSince(start) < wanted) {
  }
}

long ZEBAPI SetCurrentA5(void) { return 0; }

long ZEBAPI SetA5(long newA5) {
  (void)newA5;
  return 0;
}

}  // extern "C"
