// Windows keyboard messages as Toolbox key events, and the keyboard hook's routing of keys typed
// into the library's native controls. Host-independent: the Windows side hands in the message,
// the keyboard state it read and, on request, what ToAscii made of the key.
#ifndef ZEB_EVENTS_KEY_TRANSLATION_H
#define ZEB_EVENTS_KEY_TRANSLATION_H

#include <cstdint>

namespace zeb::events {

// Toolbox modifier bits (Events.h spells them for applications).
constexpr uint16_t kButtonUpBit = 0x0080;
constexpr uint16_t kCommandBit = 0x0100;
constexpr uint16_t kShiftBit = 0x0200;
constexpr uint16_t kCapsLockBit = 0x0400;
constexpr uint16_t kOptionBit = 0x0800;
constexpr uint16_t kControlBit = 0x1000;
constexpr uint16_t kKeyboardBits = kCommandBit | kShiftBit | kCapsLockBit | kOptionBit;

// Windows keyboard messages (0x100 to 0x108).
enum KeyMessage : uint32_t {
  kKeyDownMessage = 0x100, kKeyUpMessage = 0x101, kCharMessage = 0x102,
  kDeadCharMessage = 0x103, kSysKeyDownMessage = 0x104, kSysKeyUpMessage = 0x105,
  kSysCharMessage = 0x106, kSysDeadCharMessage = 0x107
};

// A virtual key that has no Macintosh key: its character decides the key code.
constexpr uint8_t kNoKeyCode = 0x7F;

struct VirtualKeyEntry {
  uint8_t character;
  uint8_t keyCode;
};
// The virtual-key table: the Macintosh character and key code of a Windows virtual key.
VirtualKeyEntry VirtualKeyTable(uint32_t virtualKey);
// The key code that types a character below 0x80 (only the low seven bits are used).
uint8_t CharacterKeyCode(uint8_t character);

// The keys that matter to the Toolbox, as Windows reports them.
struct KeyboardState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool capsLockOn = false;
  bool numLockOn = false;
  bool space = false;
  bool escape = false;
};
// Command from Ctrl, Shift, Caps Lock when toggled on, Option from Alt.
uint16_t KeyboardModifiers(const KeyboardState& keys);

// GetKeys: the 128-bit map of Macintosh key codes (bit n of byte n / 8, least significant
// first). Only Space, Command (Ctrl), Control (also Ctrl, when controlAsWell), Shift, Option
// (Alt), Escape and Caps Lock are reported.
void FillKeyMap(const KeyboardState& keys, bool controlAsWell, uint8_t map[16]);

// What ToAscii gave: the number of characters (1 is the only count used) and the first.
struct AsciiResult {
  int count = 0;
  uint8_t character = 0;
};
// ToAscii as the translator asks for it: with Command held the Ctrl key is treated as up, and
// Alt and Shift too when Option and Shift are held, so that Command-key characters are the
// plain characters of their keys.
struct AsciiRequest {
  uint32_t virtualKey;
  uint32_t scanCode;
  bool ctrlUp, altUp, shiftUp;
};
typedef AsciiResult (*AsciiTranslator)(const AsciiRequest& request, void* context);

// The Toolbox events one message makes, in order. A character message with a repeat count
// makes a key-down, auto-keys and a key-up, never more than the queue holds.
constexpr int kMaxEventsPerMessage = 32;
struct KeyEvent {
  int16_t what;
  uint32_t message;  // character in the low byte, key code in the next
  uint16_t modifiers;
};
struct KeyTranslation {
  int count = 0;
  KeyEvent events[kMaxEventsPerMessage];
  // The keyboard modifiers after the refresh, with the button bit kept: the current modifiers.
  uint16_t modifiers = 0;
  // What the input call returns: the kind of the first event (3 or 4), 3 for a character message
  // whose key-down already made its event, 4 for the release of an Alt key that made Option
  // keys, otherwise 0 (the window procedure's default runs).
  int16_t result = 0;
};

// The translation state that lives across the messages of one key stroke.
class KeyTranslator {
 public:
  KeyTranslation Translate(uint32_t message, uintptr_t wParam, intptr_t lParam,
                           const KeyboardState& keys, uint16_t currentModifiers,
                           bool characterConversion, AsciiTranslator ascii, void* context);
  void Reset() { *this = KeyTranslator{}; }
  bool CommandOptionWait() const { return commandOptionWait_; }
  bool EventAlreadyProduced() const { return alreadyProduced_; }
  bool AfterDeadKey() const { return deadKey_; }

 private:
  bool commandOptionWait_ = false;  // a Command-Option key waits for its character message
  bool alreadyProduced_ = false;    // the key-down made the event its character message would
  bool deadKey_ = false;            // a dead key was typed: its next key comes as a character
  bool optionUsed_ = false;         // Alt has made Option keys since it went down
};

// ---- The keyboard hook's routing ----

// Native controls of the library, told apart by their window class.
enum class ControlKind { kOther, kEdit, kMultiLineEdit, kComboBox, kListBox };
// "edit" (multi-line by its style), "combobox", "listbox"; anything else is kOther.
ControlKind ControlKindOf(const char* className, bool multiLine);

// Whether the key goes to the hook target as a key message (so the application sees a key
// event) and whether the focused control still receives it.
struct KeyRoute {
  bool send;
  bool pass;
};
// extended: the key's extended-key bit (keypad Enter is Return with it).
KeyRoute RouteKey(ControlKind kind, uint32_t virtualKey, bool alt, bool ctrl, bool extended);

}  // namespace zeb::events

#endif  // ZEB_EVENTS_KEY_TRANSLATION_H
