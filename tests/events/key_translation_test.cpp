// Key translation without Windows: the tables, modifier rules, Command and Option keys, dead
// keys, repeat counts, GetKeys' map and the keyboard hook's routing of keys typed into controls.
#include <gtest/gtest.h>

#include <cstring>

#include "events/key_translation.h"

namespace {

using namespace zeb::events;

constexpr uint16_t kUp = kButtonUpBit;

// ToAscii as a U.S. layout answers, recording what it was asked.
struct FakeAscii {
  int count = -2;  // < -1: answer from the layout below
  uint8_t character = 0;
  AsciiRequest last{};
  int calls = 0;
};

AsciiResult Layout(const AsciiRequest& r, void* context) {
  auto* f = static_cast<FakeAscii*>(context);
  f->last = r;
  ++f->calls;
  if (f->count >= -1) return {f->count, f->character};
  const uint32_t vk = r.virtualKey;
  if (vk >= 'A' && vk <= 'Z') {
    if (!r.ctrlUp) return {1, static_cast<uint8_t>(vk - 'A' + 1)};  // Ctrl makes control codes
    return {1, static_cast<uint8_t>(r.shiftUp ? vk + 32 : vk + 32)};
  }
  if (vk >= '0' && vk <= '9') return {1, static_cast<uint8_t>(vk)};
  if (vk == 0x20) return {1, ' '};
  if (vk == 0x0D) return {1, 0x0D};
  return {0, 0};
}

class KeyTranslatorTest : public ::testing::Test {
 protected:
  KeyTranslation Run(uint32_t msg, uintptr_t wParam, intptr_t lParam = 1,
                     bool conversion = true) {
    return translator_.Translate(msg, wParam, lParam, keys_, kUp, conversion, &Layout, &ascii_);
  }
  KeyTranslator translator_;
  KeyboardState keys_;
  FakeAscii ascii_;
};

TEST(KeyTables, VirtualKeysGiveTheirCharactersAndKeyCodes) {
  struct Case {
    uint32_t vk;
    uint8_t character, keyCode;
  } cases[] = {
      {0x08, 0x08, 0x33}, {0x09, 0x09, 0x30}, {0x0C, 0x1B, 0x47}, {0x0D, 0x0D, 0x24},
      {0x10, 0, 0x38},    {0x11, 0, 0x37},    {0x12, 0, 0x3A},    {0x14, 0, 0x39},
      {0x1B, 0x1B, 0x35}, {0x20, 0x20, 0x31}, {0x21, 0x0B, 0x74}, {0x24, 0x01, 0x73},
      {0x25, 0x1C, 0x7B}, {0x28, 0x1F, 0x7D}, {0x2E, 0x7F, 0x75}, {0x2F, 0x05, 0x72},
      {'0', '0', 0x1D},   {'9', '9', 0x19},   {'A', 'A', 0x00},   {'Q', 'Q', 0x0C},
      {'Z', 'Z', 0x06},   {0x60, '0', 0x52},  {0x69, '9', 0x5C},  {0x6B, 0x2B, 0x4E},
      {0x6F, 0x2F, 0x4D}, {0x70, 0x10, 0x7A}, {0x7E, 0x10, 0x71}, {0x3A, 0, 0},
      {0x80, 0, kNoKeyCode}, {0xBA, 0, kNoKeyCode}, {0xFFFFFFFFu, 0, kNoKeyCode},
  };
  for (const Case& c : cases) {
    const VirtualKeyEntry e = VirtualKeyTable(c.vk);
    EXPECT_EQ(e.character, c.character) << std::hex << c.vk;
    EXPECT_EQ(e.keyCode, c.keyCode) << std::hex << c.vk;
  }
}

TEST(KeyTables, CharactersGiveTheKeysThatTypeThem) {
  struct Case {
    uint8_t character, keyCode;
  } cases[] = {{0x08, 0x33}, {0x0D, 0x24}, {0x1B, 0x35}, {' ', 0x31}, {'!', 0x12},
               {'a', 0x00},  {'A', 0x00},  {'q', 0x0C},  {'z', 0x06}, {'~', 0x32},
               {0x7F, 0x75}, {'/', 0x2C},  {0xE1, 0x00} /* low seven bits: 'a' */};
  for (const Case& c : cases) EXPECT_EQ(CharacterKeyCode(c.character), c.keyCode) << int(c.character);
}

TEST(KeyTables, ModifiersComeFromCtrlShiftCapsLockAndAlt) {
  KeyboardState k;
  EXPECT_EQ(KeyboardModifiers(k), 0);
  k.ctrl = true;
  EXPECT_EQ(KeyboardModifiers(k), kCommandBit);
  k.shift = k.capsLockOn = k.alt = true;
  EXPECT_EQ(KeyboardModifiers(k), kCommandBit | kShiftBit | kCapsLockBit | kOptionBit);
}

TEST(KeyTables, GetKeysWithShiftAndCtrlSetsExactlyShiftAndCommand) {
  KeyboardState k;
  k.shift = k.ctrl = true;
  uint8_t map[16];
  std::memset(map, 0xAA, sizeof map);
  FillKeyMap(k, false, map);
  uint8_t expected[16] = {};
  expected[0x38 / 8] |= 1 << (0x38 % 8);
  expected[0x37 / 8] |= 1 << (0x37 % 8);
  EXPECT_EQ(std::memcmp(map, expected, 16), 0);
  FillKeyMap(k, true, map);  // index 56: Control reported as well
  expected[0x3B / 8] |= 1 << (0x3B % 8);
  EXPECT_EQ(std::memcmp(map, expected, 16), 0);
  KeyboardState others;
  others.space = others.escape = others.capsLockOn = others.alt = true;
  FillKeyMap(others, true, map);
  uint8_t expected2[16] = {};
  for (int code : {0x31, 0x35, 0x39, 0x3A}) expected2[code / 8] |= 1 << (code % 8);
  EXPECT_EQ(std::memcmp(map, expected2, 16), 0);
}

TEST_F(KeyTranslatorTest, CtrlQIsCommandLowerCaseQAndItsCharacterMakesNoSecondEvent) {
  keys_.ctrl = true;
  KeyTranslation t = Run(kKeyDownMessage, 'Q', 0x00100001);
  ASSERT_EQ(t.count, 1);
  EXPECT_EQ(t.result, 3);
  EXPECT_EQ(t.events[0].what, 3);
  EXPECT_EQ(t.events[0].message, 0x0C71u);
  EXPECT_EQ(t.events[0].modifiers, kUp | kCommandBit);
  EXPECT_TRUE(ascii_.last.ctrlUp);  // ToAscii saw Ctrl up: the plain letter
  EXPECT_EQ(ascii_.last.scanCode, 0x10u);
  t = Run(kCharMessage, 0x11);
  EXPECT_EQ(t.count, 0);
  EXPECT_EQ(t.result, 3);  // absorbed: the key-down already stood for it
  // The next character message is new input again.
  t = Run(kCharMessage, 'x');
  EXPECT_EQ(t.count, 2);
}

TEST_F(KeyTranslatorTest, AltEIsAnOptionKeyDown) {
  keys_.alt = true;
  ascii_.count = 1;
  ascii_.character = 'e';
  const KeyTranslation t = Run(kSysKeyDownMessage, 'E', 0x20120001);
  ASSERT_EQ(t.count, 1);
  EXPECT_EQ(t.events[0].what, 3);
  EXPECT_EQ(t.events[0].modifiers & kOptionBit, kOptionBit);
  EXPECT_EQ(t.events[0].message, 0x0E65u);
  EXPECT_FALSE(ascii_.last.altUp);  // Alt is only treated as up together with Command
}

TEST_F(KeyTranslatorTest, ReleasingAltAfterAnOptionKeyIsAbsorbedButALoneAltIsNot) {
  keys_.alt = true;
  EXPECT_EQ(Run(kSysKeyDownMessage, 0x12).result, 0);
  ascii_.count = 1;
  ascii_.character = 'e';
  EXPECT_EQ(Run(kSysKeyDownMessage, 'E').result, 3);
  keys_.alt = false;
  EXPECT_EQ(Run(kKeyUpMessage, 0x12).result, 4) << "not a lone Alt: no menu mode";
  keys_.alt = true;
  Run(kSysKeyDownMessage, 0x12);
  keys_.alt = false;
  EXPECT_EQ(Run(kKeyUpMessage, 0x12).result, 0) << "a lone Alt still reaches the menu bar";
}

TEST_F(KeyTranslatorTest, ADeadKeyComposesOneOptionKeyDownWithKeyCode7F) {
  ascii_.count = -1;  // the dead key itself: ToAscii spells nothing
  KeyTranslation t = Run(kKeyDownMessage, 0xDE);
  EXPECT_EQ(t.count, 0);
  EXPECT_EQ(t.result, 0);
  EXPECT_EQ(Run(kDeadCharMessage, 0xB4).count, 0);
  EXPECT_TRUE(translator_.AfterDeadKey());
  ascii_.count = 1;
  ascii_.character = 'e';
  t = Run(kKeyDownMessage, 'E');
  EXPECT_EQ(t.count, 0);
  EXPECT_FALSE(translator_.AfterDeadKey());
  t = Run(kCharMessage, 0xE9);
  ASSERT_EQ(t.count, 2);  // key-down and key-up
  EXPECT_EQ(t.events[0].what, 3);
  EXPECT_EQ(t.events[0].message, 0x7F8Eu);
  EXPECT_EQ(t.events[0].modifiers & kOptionBit, kOptionBit);
  EXPECT_EQ(t.events[1].what, 4);
}

TEST_F(KeyTranslatorTest, ShiftAfterADeadKeyStillMakesNoEventAndKeepsTheDeadKey) {
  Run(kDeadCharMessage, 0x60);
  Run(kKeyDownMessage, 0x10);
  EXPECT_TRUE(translator_.AfterDeadKey());
}

TEST_F(KeyTranslatorTest, KeypadEnterIsCharacter3KeyCode4C) {
  const KeyTranslation t = Run(kKeyDownMessage, 0x0D, 0x011C0001);
  ASSERT_EQ(t.count, 1);
  EXPECT_EQ(t.events[0].message, 0x4C03u);
  EXPECT_EQ(ascii_.calls, 0);
  const KeyTranslation main = Run(kKeyDownMessage, 0x0D, 0x001C0001);
  EXPECT_EQ(main.events[0].message, 0x240Du);
}

TEST_F(KeyTranslatorTest, RepeatCountsMakeAutoKeysAndNeverMoreThanTheQueueHolds) {
  struct Case {
    intptr_t lParam;
    int autoKeys;
  } cases[] = {{3, 2}, {1, 0}, {0, 0}, {0xFFFF, kMaxEventsPerMessage - 2},
               {static_cast<intptr_t>(0xC0000002), 1}};
  for (const Case& c : cases) {
    const KeyTranslation t = Run(kCharMessage, 'a', c.lParam);
    ASSERT_EQ(t.count, c.autoKeys + 2) << c.lParam;
    EXPECT_EQ(t.events[0].what, 3);
    for (int i = 1; i <= c.autoKeys; ++i) EXPECT_EQ(t.events[i].what, 5);
    EXPECT_EQ(t.events[t.count - 1].what, 4);
    EXPECT_EQ(t.events[0].message, 0x0061u);
    EXPECT_LE(t.count, kMaxEventsPerMessage);
  }
}

TEST_F(KeyTranslatorTest, CharactersAboveFFMakeNoEventAndUpperHalfDependsOnConversion) {
  EXPECT_EQ(Run(kCharMessage, 0x100).count, 0);
  EXPECT_EQ(Run(kCharMessage, 0x100).result, 0);
  EXPECT_EQ(Run(kCharMessage, static_cast<uintptr_t>(-1)).count, 0);
  KeyTranslation on = Run(kCharMessage, 0xE9, 1, true);
  EXPECT_EQ(on.events[0].message, 0x7F8Eu);
  EXPECT_EQ(on.events[0].modifiers & kOptionBit, kOptionBit);
  KeyTranslation off = Run(kCharMessage, 0xE9, 1, false);
  EXPECT_EQ(off.events[0].message, (uint32_t{CharacterKeyCode(0x69)} << 8) | 0xE9);
  EXPECT_EQ(off.events[0].modifiers & kOptionBit, 0);
}

TEST_F(KeyTranslatorTest, ANulCharacterMakesNoEventNotTheAKey) {
  // Character 0 has key code 0 in the character table, which is the A key's: an event would
  // claim the A key was typed, once per repeat.
  for (intptr_t lParam : {intptr_t{1}, intptr_t{0x002D00FB}, intptr_t{0}}) {
    for (uint32_t msg : {uint32_t{kCharMessage}, uint32_t{kSysCharMessage}}) {
      const KeyTranslation t = Run(msg, 0, lParam);
      EXPECT_EQ(t.count, 0) << msg << " " << lParam;
      EXPECT_EQ(t.result, 0) << "the default handling runs";
    }
  }
  // The translator is not left waiting: the next character is an ordinary one.
  const KeyTranslation next = Run(kCharMessage, 'x');
  ASSERT_EQ(next.count, 2);
  EXPECT_EQ(next.events[0].message, (uint32_t{CharacterKeyCode('x')} << 8) | 'x');
}

TEST_F(KeyTranslatorTest, StateKeysMakeNoEventButKeypadZeroWithNumLockDoes) {
  for (uint32_t vk : {0x10u, 0x11u, 0x12u, 0x14u, 0x90u, 0x91u, 0x2Du})
    EXPECT_EQ(Run(kKeyDownMessage, vk).count, 0) << vk;
  keys_.numLockOn = true;
  ascii_.count = 1;
  ascii_.character = '0';
  const KeyTranslation t = Run(kKeyDownMessage, 0x60);
  ASSERT_EQ(t.count, 1);
  EXPECT_EQ(t.events[0].message, 0x5230u);
}

TEST_F(KeyTranslatorTest, CommandOptionDigitWaitsForItsCharacterWithoutCommandAndOption) {
  keys_.ctrl = keys_.alt = true;
  EXPECT_EQ(Run(kSysKeyDownMessage, '2').count, 0);
  EXPECT_TRUE(translator_.CommandOptionWait());
  const KeyTranslation t = Run(kSysCharMessage, 0xB2);
  ASSERT_EQ(t.count, 2);
  EXPECT_EQ(t.events[0].modifiers & (kCommandBit | kOptionBit), 0)
      << "the layout's character stands for the combination: neither Command nor Option";
  EXPECT_EQ(t.events[0].message & 0xFF, 0xC3u);  // Windows 0xB2 is Macintosh 0xC3 (table 3)
  // A letter with Command-Option does make its event at once.
  const KeyTranslation letter = Run(kSysKeyDownMessage, 'A');
  ASSERT_EQ(letter.count, 1);
  EXPECT_TRUE(ascii_.last.ctrlUp && ascii_.last.altUp && !ascii_.last.shiftUp);
}

TEST_F(KeyTranslatorTest, CommandWithKeypadPlusOrMinusAddsShiftUnderNumLock) {
  keys_.ctrl = keys_.numLockOn = true;
  KeyTranslation t = Run(kKeyDownMessage, 0x6D);
  ASSERT_EQ(t.count, 1);
  EXPECT_EQ(t.events[0].modifiers, kUp | kCommandBit | kShiftBit);
  EXPECT_TRUE(ascii_.last.shiftUp);
  keys_.numLockOn = false;
  t = Run(kKeyDownMessage, 0x6D);
  EXPECT_EQ(t.events[0].modifiers, kUp | kCommandBit);
}

TEST_F(KeyTranslatorTest, UntranslatableKeysFallBackToTheTableAndCharacterKeyCodes) {
  ascii_.count = 0;
  KeyTranslation t = Run(kKeyDownMessage, 0x25);  // Left
  EXPECT_EQ(t.events[0].message, 0x7B1Cu);
  ascii_.count = 1;
  ascii_.character = ';';
  t = Run(kKeyDownMessage, 0xBA);  // an OEM key: its key code comes from its character
  EXPECT_EQ(t.events[0].message, 0x293Bu);
  ascii_.character = 0xE9;  // an accented letter key of a European layout
  t = Run(kKeyDownMessage, 0xBA);
  EXPECT_EQ(t.events[0].message, (uint32_t{CharacterKeyCode(0x8E)} << 8) | 0x8E);
  EXPECT_EQ(t.events[0].modifiers & kOptionBit, kOptionBit);
}

TEST_F(KeyTranslatorTest, KeyUpMakesKeyUpAndLeavesTheCharacterFlagAlone) {
  const KeyTranslation t = Run(kKeyUpMessage, 'A', static_cast<intptr_t>(0xC01E0001));
  ASSERT_EQ(t.count, 1);
  EXPECT_EQ(t.result, 4);
  EXPECT_EQ(t.events[0].what, 4);
  EXPECT_FALSE(translator_.EventAlreadyProduced());
}

TEST_F(KeyTranslatorTest, MessagesOutsideTheKeyboardRangeMakeNothing) {
  for (uint32_t msg : {0u, 0x108u, 0x200u, 0xFFFFFFFFu}) {
    const KeyTranslation t = Run(msg, 'A');
    EXPECT_EQ(t.count, 0);
    EXPECT_EQ(t.result, 0);
  }
}

TEST(KeyRouting, ControlsAreToldApartByClassName) {
  EXPECT_EQ(ControlKindOf("Edit", false), ControlKind::kEdit);
  EXPECT_EQ(ControlKindOf("edit", true), ControlKind::kMultiLineEdit);
  EXPECT_EQ(ControlKindOf("COMBOBOX", false), ControlKind::kComboBox);
  EXPECT_EQ(ControlKindOf("ListBox", false), ControlKind::kListBox);
  EXPECT_EQ(ControlKindOf("button", false), ControlKind::kOther);
  EXPECT_EQ(ControlKindOf("editor", false), ControlKind::kOther);
  EXPECT_EQ(ControlKindOf(nullptr, false), ControlKind::kOther);
}

TEST(KeyRouting, ForwardAndWithholdTable) {
  using K = ControlKind;
  struct Case {
    K kind;
    uint32_t vk;
    bool alt, ctrl, extended;
    bool send, pass;
  } cases[] = {
      // Tab, Escape, F1: the application's.
      {K::kEdit, 0x09, false, false, false, true, false},
      {K::kOther, 0x1B, false, false, false, true, false},
      {K::kListBox, 0x70, false, false, false, true, false},
      // Return: withheld, except from a multi-line edit unless it is keypad Enter.
      {K::kEdit, 0x0D, false, false, false, true, false},
      {K::kMultiLineEdit, 0x0D, false, false, false, true, true},
      {K::kMultiLineEdit, 0x0D, false, false, true, true, false},
      {K::kOther, 0x0D, false, false, false, true, false},
      // Arrows.
      {K::kEdit, 0x25, false, false, false, true, true},
      {K::kMultiLineEdit, 0x68, false, false, false, true, true},
      {K::kComboBox, 0x28, false, false, false, false, true},
      {K::kListBox, 0x62, false, false, false, false, true},
      {K::kOther, 0x27, false, false, false, true, true},
      // Other keys.
      {K::kEdit, 'A', false, false, false, false, true},
      {K::kEdit, 'A', false, true, false, true, false},
      {K::kMultiLineEdit, 0x20, false, true, false, true, false},
      {K::kEdit, '1', false, true, false, false, true},
      {K::kComboBox, 'A', false, false, false, true, true},
      {K::kOther, 'A', false, false, false, true, true},
      // With Alt.
      {K::kEdit, 'E', true, false, false, true, false},
      {K::kOther, 0x12, true, false, false, true, true},
      {K::kEdit, 'E', true, true, false, false, true},
      {K::kOther, 0x09, true, false, false, false, true},
      {K::kOther, 0x08, true, false, false, false, true},
      {K::kOther, 0x20, true, false, false, false, true},
      {K::kOther, 0x73, true, false, false, false, true},
      {K::kEdit, 0x65, true, false, false, false, true},
      {K::kComboBox, 0x28, true, false, false, false, true},
      {K::kComboBox, 0x62, true, false, false, false, true},
      {K::kListBox, 0x28, true, false, false, true, false},
  };
  for (const Case& c : cases) {
    const KeyRoute r = RouteKey(c.kind, c.vk, c.alt, c.ctrl, c.extended);
    EXPECT_EQ(r.send, c.send) << int(c.kind) << " vk " << std::hex << c.vk << " alt " << c.alt;
    EXPECT_EQ(r.pass, c.pass) << int(c.kind) << " vk " << std::hex << c.vk << " alt " << c.alt;
  }
}

}  // namespace
