// The key translator fed arbitrary messages, parameters, key states and ToAscii results: it
// never makes more events than the queue holds, only key kinds, no upper message bits, and a
// result that matches what it made; the routing table answers for any key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "events/key_translation.h"

namespace {

struct Script {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  uint32_t Word() {
    uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = (w << 8) | Byte();
    return w;
  }
};

zeb::events::AsciiResult Answer(const zeb::events::AsciiRequest&, void* context) {
  auto* s = static_cast<Script*>(context);
  const uint8_t count = s->Byte();
  return {static_cast<int>(count % 4) - 1, s->Byte()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::events;
  Script s{data, size};
  KeyTranslator translator;
  while (s.at < s.size) {
    const uint8_t choice = s.Byte();
    // Mostly keyboard messages, sometimes anything at all.
    const uint32_t message = (choice & 0x80) ? s.Word() : 0x100u + (choice & 0x0F);
    const uintptr_t wParam = (choice & 0x40) ? s.Word() : s.Byte();
    const intptr_t lParam = static_cast<intptr_t>(static_cast<int32_t>(s.Word()));
    const uint8_t k = s.Byte();
    KeyboardState keys;
    keys.shift = k & 1;
    keys.ctrl = k & 2;
    keys.alt = k & 4;
    keys.capsLockOn = k & 8;
    keys.numLockOn = k & 16;
    keys.space = k & 32;
    keys.escape = k & 64;
    const bool conversion = k & 128;
    const uint16_t current = static_cast<uint16_t>(s.Word());
    const KeyTranslation t = translator.Translate(message, wParam, lParam, keys, current,
                                                  conversion, &Answer, &s);
    if (t.count < 0 || t.count > kMaxEventsPerMessage) std::abort();
    if (t.count > 0 && t.result != t.events[0].what) std::abort();
    for (int i = 0; i < t.count; ++i) {
      const KeyEvent& e = t.events[i];
      if (e.what < 3 || e.what > 5) std::abort();
      if (e.message > 0xFFFF || e.message == 0) std::abort();
      // Only the keyboard bits and the button bit of the current modifiers appear.
      if (e.modifiers & ~(kKeyboardBits | kButtonUpBit)) std::abort();
    }
    if (t.result != 0 && t.result != 3 && t.result != 4) std::abort();

    uint8_t map[16];
    FillKeyMap(keys, conversion, map);
    int bits = 0;
    for (uint8_t b : map)
      for (; b; b &= static_cast<uint8_t>(b - 1)) ++bits;
    if (bits > 7) std::abort();
    const KeyRoute r = RouteKey(static_cast<ControlKind>(choice % 5), static_cast<uint32_t>(wParam),
                                k & 4, k & 2, k & 1);
    if (!r.send && !r.pass) std::abort();  // every key reaches someone
  }
  return 0;
}
