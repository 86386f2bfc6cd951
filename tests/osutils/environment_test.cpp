// The environment queries, Delay, SysBeep, the A5 calls and the notification calls' refusals.
#include <cstring>

#include "Events.h"
#include "MacMemory.h"
#include "OSUtils.h"
#include "session_fixture.h"

namespace {

using EnvironmentTest = zebtest::SessionTest;

TEST_F(EnvironmentTest, GestaltAnswersTheMachineTheLibraryPresents) {
  struct Case {
    OSType selector;
    long response;
  } cases[] = {
      {gestaltVersion, 1},           {gestaltMachineType, 11},     {gestaltSystemVersion, 0x0605},
      {gestaltProcessorType, 4},     {gestaltQuickdrawVersion, 0x200}, {gestaltKeyboardType, 4},
      {gestaltAppleTalkVersion, 0},  {gestaltHardwareAttr, 0},     {gestaltOSAttr, 0},
      {gestaltEventMgrVersion, 0},   {gestaltEditionMgrAttr, 0},   {gestaltHelpMgrAttr, 0},
      {gestaltAliasMgrAttr, 0},      {gestaltFindFolderAttr, 0},   {gestaltPopupAttr, 0},
      {gestaltFontMgrAttr, 0},       {gestaltScriptMgrVersion, 1}, {gestaltTextEditVersion, 1},
  };
  for (const Case& c : cases) {
    long response = 12345;
    EXPECT_EQ(Gestalt(c.selector, &response), noErr) << std::hex << c.selector;
    EXPECT_EQ(response, c.response) << std::hex << c.selector;
  }
  // Every x86 processor the library runs on has floating point in hardware.
  long fpu = 0;
  EXPECT_EQ(Gestalt(gestaltFPUType, &fpu), noErr);
  EXPECT_EQ(static_cast<unsigned long>(fpu), 0xFFFFFFFFul);
}

TEST_F(EnvironmentTest, GestaltRefusesUnknownSelectorsAndNilResponses) {
  long response = 12345;
  EXPECT_EQ(Gestalt(ZEB_FOURCC('x', 'y', 'z', 'w'), &response), gestaltUndefSelectorErr);
  EXPECT_EQ(response, 0);
  EXPECT_EQ(Gestalt(gestaltVersion, nullptr), paramErr);
}

TEST_F(EnvironmentTest, SysEnvironsFillsTheWholeRecord) {
  SysEnvRec world;
  std::memset(&world, 0x5A, sizeof world);
  EXPECT_EQ(SysEnvirons(2, &world), noErr);
  EXPECT_EQ(world.environsVersion, 2);
  EXPECT_EQ(world.machineType, 4);
  EXPECT_EQ(world.systemVersion, 0x0605);
  EXPECT_EQ(world.processor, 0);
  EXPECT_EQ(world.hasFPU, 1);
  EXPECT_EQ(world.hasColorQD, 1);
  EXPECT_EQ(world.keyBoardType, 0);
  EXPECT_EQ(world.atDrvrVersNum, 0);
  EXPECT_EQ(world.sysVRefNum, 0);
  EXPECT_EQ(SysEnvirons(1, nullptr), paramErr);
  short rom = 0, machine = 0;
  Environs(&rom, &machine);
  EXPECT_EQ(rom, 0x0605);
  EXPECT_EQ(machine, 1);
  Environs(nullptr, nullptr);
}

TEST_F(EnvironmentTest, DelayWaitsAtLeastItsTicksAndReportsTheEnd) {
  long final = 0;
  const unsigned long start = TickCount();
  Delay(0, &final);
  EXPECT_GE(static_cast<unsigned long>(final), start);
  EXPECT_LE(static_cast<unsigned long>(final), TickCount());
  for (long ticks : {2L, 25L}) {
    const unsigned long before = TickCount();
    Delay(ticks, &final);
    EXPECT_GE(static_cast<unsigned long>(final) - before, static_cast<unsigned long>(ticks));
  }
  Delay(-5, nullptr);
  Delay(1, nullptr);
}

TEST_F(EnvironmentTest, NoA5World) {
  EXPECT_EQ(SetCurrentA5(), 0);
  EXPECT_EQ(SetA5(0x12345678), 0);
  SysBeep(0);
}

TEST_F(EnvironmentTest, NotificationsWithoutAUsableIconAreRefused) {
  NMRec request{};
  EXPECT_EQ(NMInstall(&request), nmTypErr);  // no icon
  request.nmIcon = NewHandle(10);
  EXPECT_EQ(NMInstall(&request), nmTypErr);  // shorter than a small icon
  SetHandleSize(request.nmIcon, 32);
  EmptyHandle(request.nmIcon);
  EXPECT_EQ(NMInstall(&request), nmTypErr);  // purged
  EXPECT_EQ(NMInstall(nullptr), paramErr);
  EXPECT_EQ(NMRemove(&request), -1);
  ReallocateHandle(request.nmIcon, 32);
  std::memset(*request.nmIcon, 0xFF, 32);
  EXPECT_EQ(NMInstall(&request), noErr);
  EXPECT_EQ(NMRemove(&request), noErr);
  EXPECT_EQ(NMRemove(&request), -1);
  DisposeHandle(request.nmIcon);
}

}  // namespace
