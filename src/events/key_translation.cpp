// Key translation: the Macintosh key codes of Windows virtual keys and characters, the
// modifier rules of Command, Option and dead keys, and the hook's routing table.
#include "events/key_translation.h"

#include <cstring>

#include "quickdraw/character_sets.h"

namespace zeb::events {
namespace {

// Windows virtual keys the rules name.
constexpr uint32_t kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10,
                   kVkControl = 0x11, kVkMenu = 0x12, kVkCapital = 0x14, kVkEscape = 0x1B,
                   kVkSpace = 0x20, kVkLeft = 0x25, kVkUp = 0x26,
                   kVkDown = 0x28, kVkInsert = 0x2D, kVkNumpad0 = 0x60, kVkNumpad2 = 0x62,
                   kVkNumpad4 = 0x64, kVkNumpad6 = 0x66, kVkNumpad8 = 0x68, kVkNumpad9 = 0x69,
                   kVkAdd = 0x6B, kVkSubtract = 0x6D, kVkF1 = 0x70, kVkF4 = 0x73,
                   kVkNumLock = 0x90, kVkScroll = 0x91;

// The extended-key bit of a key message's lParam: keypad Enter is Return with it.
constexpr uint32_t kExtendedKeyBit = 1u << 24;
// The keypad Enter as the Macintosh knows it: key code 0x4C, character ETX.
constexpr uint8_t kEnterKeyCode = 0x4C, kEnterCharacter = 0x03;

// Indexed by virtual key 0x00 to 0x7F: character, key code.
constexpr VirtualKeyEntry kVirtualKeys[128] = {
    // 0x00
    {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0},
    {0x08, 0x33}, {0x09, 0x30}, {0, 0}, {0, 0}, {0x1B, 0x47}, {0x0D, 0x24}, {0, 0}, {0, 0},
    // 0x10: Shift, Ctrl, Alt, Pause, Caps Lock, ..., Escape
    {0, 0x38}, {0, 0x37}, {0, 0x3A}, {0, 0x71}, {0, 0x39}, {0, 0}, {0, 0}, {0, 0},
    {0, 0}, {0, 0}, {0, 0}, {0x1B, 0x35}, {0, 0}, {0, 0}, {0, 0}, {0, 0},
    // 0x20: Space, Page Up, Page Down, End, Home, arrows, ..., Print Screen, Insert, Delete, Help
    {0x20, 0x31}, {0x0B, 0x74}, {0x0C, 0x79}, {0x04, 0x77}, {0x01, 0x73}, {0x1C, 0x7B},
    {0x1E, 0x7E}, {0x1D, 0x7C}, {0x1F, 0x7D}, {0, 0}, {0, 0}, {0, 0}, {0, 0x69}, {0, 0x72},
    {0x7F, 0x75}, {0x05, 0x72},
    // 0x30: digits
    {'0', 0x1D}, {'1', 0x12}, {'2', 0x13}, {'3', 0x14}, {'4', 0x15}, {'5', 0x17}, {'6', 0x16},
    {'7', 0x1A}, {'8', 0x1C}, {'9', 0x19}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0},
    // 0x40: letters A to O
    {0, 0}, {'A', 0x00}, {'B', 0x0B}, {'C', 0x08}, {'D', 0x02}, {'E', 0x0E}, {'F', 0x03},
    {'G', 0x05}, {'H', 0x04}, {'I', 0x22}, {'J', 0x26}, {'K', 0x28}, {'L', 0x25}, {'M', 0x2E},
    {'N', 0x2D}, {'O', 0x1F},
    // 0x50: letters P to Z, then the left Windows key
    {'P', 0x23}, {'Q', 0x0C}, {'R', 0x0F}, {'S', 0x01}, {'T', 0x11}, {'U', 0x20}, {'V', 0x09},
    {'W', 0x0D}, {'X', 0x07}, {'Y', 0x10}, {'Z', 0x06}, {0x43, 0x08}, {0, 0}, {0, 0}, {0, 0},
    {0, 0},
    // 0x60: keypad digits, multiply, add, separator, subtract, decimal, divide
    {'0', 0x52}, {'1', 0x53}, {'2', 0x54}, {'3', 0x55}, {'4', 0x56}, {'5', 0x57}, {'6', 0x58},
    {'7', 0x59}, {'8', 0x5B}, {'9', 0x5C}, {0x2A, 0x42}, {0x2B, 0x4E}, {0x03, 0x4C},
    {0x2D, 0x46}, {0x2E, 0x41}, {0x2F, 0x4D},
    // 0x70: F1 to F15 (character 0x10, the Macintosh function-key character), then nothing
    {0x10, 0x7A}, {0x10, 0x78}, {0x10, 0x63}, {0x10, 0x76}, {0x10, 0x60}, {0x10, 0x61},
    {0x10, 0x62}, {0x10, 0x64}, {0x10, 0x65}, {0x10, 0x6D}, {0x10, 0x67}, {0x10, 0x6F},
    {0x10, 0x69}, {0x10, 0x6B}, {0x10, 0x71}, {0, 0},
};

// Indexed by character 0x00 to 0x7F: the key of a U.S. Macintosh keyboard that types it.
constexpr uint8_t kCharacterKeys[128] = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x33, 0x30, 0x00, 0x00, 0x00, 0x24, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x35, 0x7B, 0x7C, 0x7E, 0x7D,
    0x31, 0x12, 0x27, 0x14, 0x15, 0x17, 0x1A, 0x27, 0x19, 0x1D, 0x1C, 0x18, 0x2B, 0x1B, 0x2F, 0x2C,
    0x1D, 0x12, 0x13, 0x14, 0x15, 0x17, 0x16, 0x1A, 0x1C, 0x19, 0x29, 0x29, 0x2B, 0x18, 0x2F, 0x2C,
    0x13, 0x00, 0x0B, 0x08, 0x02, 0x0E, 0x03, 0x05, 0x04, 0x22, 0x26, 0x28, 0x25, 0x2E, 0x2D, 0x1F,
    0x23, 0x0C, 0x0F, 0x01, 0x11, 0x20, 0x09, 0x0D, 0x07, 0x10, 0x06, 0x21, 0x2A, 0x1E, 0x16, 0x1B,
    0x32, 0x00, 0x0B, 0x08, 0x02, 0x0E, 0x03, 0x05, 0x04, 0x22, 0x26, 0x28, 0x25, 0x2E, 0x2D, 0x1F,
    0x23, 0x0C, 0x0F, 0x01, 0x11, 0x20, 0x09, 0x0D, 0x07, 0x10, 0x06, 0x21, 0x2A, 0x1E, 0x32, 0x75,
};

// GetKeys' key codes.
constexpr int kKeySpace = 0x31, kKeyCommand = 0x37, kKeyShift = 0x38, kKeyCapsLock = 0x39,
              kKeyOption = 0x3A, kKeyControl = 0x3B, kKeyEscape = 0x35;

bool IsArrow(uint32_t vk) { return vk >= kVkLeft && vk <= kVkDown; }
bool IsKeypadArrow(uint32_t vk) {
  return vk == kVkNumpad2 || vk == kVkNumpad4 || vk == kVkNumpad6 || vk == kVkNumpad8;
}
bool IsLetter(uint32_t vk) { return vk >= 'A' && vk <= 'Z'; }

// Keys that only change the state of others make no event of their own.
bool IsStateKey(uint32_t vk) {
  return vk == kVkControl || vk == kVkShift || vk == kVkCapital || vk == kVkMenu ||
         vk == kVkNumLock || vk == kVkScroll || vk == kVkInsert;
}

void SetKey(uint8_t map[16], int code) { map[code >> 3] |= static_cast<uint8_t>(1u << (code & 7)); }

uint32_t KeyMessageWord(uint8_t character, uint8_t keyCode) {
  return static_cast<uint32_t>(character) | (static_cast<uint32_t>(keyCode) << 8);
}

}  // namespace

VirtualKeyEntry VirtualKeyTable(uint32_t virtualKey) {
  if (virtualKey >= 128) return {0, kNoKeyCode};
  return kVirtualKeys[virtualKey];
}

uint8_t CharacterKeyCode(uint8_t character) { return kCharacterKeys[character & 0x7F]; }

uint16_t KeyboardModifiers(const KeyboardState& keys) {
  uint16_t m = 0;
  if (keys.ctrl) m |= kCommandBit;
  if (keys.shift) m |= kShiftBit;
  if (keys.capsLockOn) m |= kCapsLockBit;
  if (keys.alt) m |= kOptionBit;
  return m;
}

void FillKeyMap(const KeyboardState& keys, bool controlAsWell, uint8_t map[16]) {
  std::memset(map, 0, 16);
  if (keys.space) SetKey(map, kKeySpace);
  if (keys.ctrl) {
    SetKey(map, kKeyCommand);
    if (controlAsWell) SetKey(map, kKeyControl);
  }
  if (keys.shift) SetKey(map, kKeyShift);
  if (keys.alt) SetKey(map, kKeyOption);
  if (keys.escape) SetKey(map, kKeyEscape);
  if (keys.capsLockOn) SetKey(map, kKeyCapsLock);
}

KeyTranslation KeyTranslator::Translate(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                        const KeyboardState& keys, uint16_t currentModifiers,
                                        bool characterConversion, AsciiTranslator ascii,
                                        void* context) {
  KeyTranslation out;
  uint16_t modifiers =
      static_cast<uint16_t>((currentModifiers & kButtonUpBit) | KeyboardModifiers(keys));
  out.modifiers = modifiers;
  const uint32_t vk = static_cast<uint32_t>(wParam);
  const uint32_t flags = static_cast<uint32_t>(lParam);
  const bool down = message == kKeyDownMessage || message == kSysKeyDownMessage;
  const bool up = message == kKeyUpMessage || message == kSysKeyUpMessage;
  const bool character = message == kCharMessage || message == kSysCharMessage;
  const bool dead = message == kDeadCharMessage || message == kSysDeadCharMessage;

  auto add = [&out](int16_t what, uint32_t word, uint16_t mods) {
    if (out.count < kMaxEventsPerMessage) out.events[out.count++] = KeyEvent{what, word, mods};
  };

  // Command with the keypad's minus and plus stands for Command-Shift, as on an extended
  // Macintosh keyboard, so that zoom-style menu keys work from the keypad.
  if ((modifiers & kCommandBit) && keys.numLockOn && (vk == kVkSubtract || vk == kVkAdd))
    modifiers |= kShiftBit;

  if (dead) {
    // The dead key's own key-down already went by; the key after it comes as one character.
    deadKey_ = true;
    alreadyProduced_ = false;
    return out;
  }

  if (down || up) {
    if (down) commandOptionWait_ = false;
    bool makes = (vk == kVkNumpad0 && keys.numLockOn) || (!IsStateKey(vk) && !commandOptionWait_);
    if (down && makes && (modifiers & kCommandBit) && (modifiers & kOptionBit) && !IsArrow(vk) &&
        vk != kVkSpace && !IsLetter(vk)) {
      // Command-Option with a digit or punctuation: only the character message knows what the
      // layout makes of it.
      makes = false;
      commandOptionWait_ = true;
    }
    if (down && deadKey_ && vk != kVkShift) {
      deadKey_ = false;
      makes = false;
    }
    if (!makes) {
      alreadyProduced_ = false;
      if (vk == kVkMenu) {
        // Alt released after it made Option keys: the window's default procedure never saw
        // those keys and would take the release for a lone Alt, which opens Windows' menu mode.
        if (up && optionUsed_) out.result = 4;
        optionUsed_ = false;
      }
      return out;
    }
    uint8_t ch;
    uint8_t keyCode;
    if (vk == kVkReturn && (flags & kExtendedKeyBit)) {
      ch = kEnterCharacter;
      keyCode = kEnterKeyCode;
    } else {
      const VirtualKeyEntry entry = VirtualKeyTable(vk);
      AsciiResult r;
      if (ascii) {
        const bool command = (modifiers & kCommandBit) != 0;
        AsciiRequest request{vk, (flags >> 16) & 0xFF, command,
                             command && (modifiers & kOptionBit) != 0,
                             command && (modifiers & kShiftBit) != 0};
        r = ascii(request, context);
      }
      ch = r.count == 1 ? r.character : entry.character;
      keyCode = entry.keyCode;
      if (ch >= 0x80 && characterConversion) {
        modifiers |= kOptionBit;
        ch = quickdraw::WindowsToMacChar(ch);
      }
      if (keyCode == kNoKeyCode) keyCode = CharacterKeyCode(ch);
    }
    const uint32_t word = KeyMessageWord(ch, keyCode);
    // Neither a character nor a key (a dead key's own stroke, which ToAscii cannot spell): as an
    // event it would read as the A key, whose key code is 0.
    if (word == 0) {
      alreadyProduced_ = false;
      return out;
    }
    const int16_t what = down ? 3 : 4;
    if (keys.alt) optionUsed_ = true;
    add(what, word, modifiers);
    out.result = what;
    // The character message Windows derives from this key-down would make a second event.
    if (!up) alreadyProduced_ = true;
    return out;
  }

  if (character) {
    if (alreadyProduced_) {
      alreadyProduced_ = false;
      out.result = 3;
      return out;
    }
    // Table 3 covers the Windows characters 0x80 to 0xFF; wider characters (a Unicode window's)
    // have no Macintosh character and take the default handling.
    if (wParam > 0xFF) return out;
    uint8_t ch = static_cast<uint8_t>(wParam);
    uint8_t keyCode;
    if (ch < 0x80 || !characterConversion) {
      keyCode = CharacterKeyCode(ch);
    } else {
      modifiers |= kOptionBit;
      ch = quickdraw::WindowsToMacChar(ch);
      keyCode = kNoKeyCode;
    }
    if (commandOptionWait_) modifiers &= static_cast<uint16_t>(~(kCommandBit | kOptionBit));
    const uint32_t word = KeyMessageWord(ch, keyCode);
    // A NUL character (Ctrl+@ or a WM_CHAR posted with wParam 0) has no key either: as events
    // it would read as the A key typed, as often as its repeat count says.
    if (word == 0) return out;
    // A repeat count of 0 is still the one stroke that made the message; a huge count is cut to
    // what the queue holds, with room for the key-down and the key-up.
    uint32_t repeat = static_cast<uint32_t>(flags & 0xFFFF);
    if (repeat == 0) repeat = 1;
    if (repeat > kMaxEventsPerMessage - 1) repeat = kMaxEventsPerMessage - 1;
    add(3, word, modifiers);
    for (uint32_t i = 1; i < repeat; ++i) add(5, word, modifiers);
    add(4, word, modifiers);
    out.result = 3;
    return out;
  }

  alreadyProduced_ = false;
  return out;
}

ControlKind ControlKindOf(const char* className, bool multiLine) {
  if (!className) return ControlKind::kOther;
  auto is = [className](const char* name) {
    for (const char *a = className, *b = name;; ++a, ++b) {
      const char ca = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a + 32) : *a;
      if (ca != *b) return false;
      if (!ca) return true;
    }
  };
  if (is("edit")) return multiLine ? ControlKind::kMultiLineEdit : ControlKind::kEdit;
  if (is("combobox")) return ControlKind::kComboBox;
  if (is("listbox")) return ControlKind::kListBox;
  return ControlKind::kOther;
}

KeyRoute RouteKey(ControlKind kind, uint32_t vk, bool alt, bool ctrl, bool extended) {
  const bool edit = kind == ControlKind::kEdit || kind == ControlKind::kMultiLineEdit;
  const bool combo = kind == ControlKind::kComboBox;
  if (alt) {
    // Alt combinations are Option keys of the application, except those that Windows or the
    // control itself needs: Ctrl+Alt (AltGr characters), task and window switching, the Alt
    // keypad codes, and a combo box's Alt+Down that drops its list.
    const bool comboArrow = combo && (vk == kVkUp || vk == kVkDown || vk == kVkNumpad8 ||
                                      vk == kVkNumpad2);
    if (ctrl || vk == kVkTab || vk == kVkBack || vk == kVkSpace || vk == kVkF4 ||
        (vk >= kVkNumpad0 && vk <= kVkNumpad9) || comboArrow)
      return {false, true};
    if (vk == kVkMenu) return {true, true};
    return {true, false};
  }
  if (vk == kVkTab || vk == kVkEscape || vk == kVkF1) return {true, false};
  if (vk == kVkReturn) return {true, kind == ControlKind::kMultiLineEdit && !extended};
  if (IsArrow(vk) || IsKeypadArrow(vk)) {
    if (kind == ControlKind::kComboBox || kind == ControlKind::kListBox) return {false, true};
    return {true, true};
  }
  if (!edit) return {true, true};
  // Typing belongs to the edit control; Ctrl with Space or a letter is a command key for
  // MenuKey.
  if (ctrl && (vk == kVkSpace || IsLetter(vk))) return {true, false};
  return {false, true};
}

}  // namespace zeb::events
