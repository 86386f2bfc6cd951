// Menu texts: any length-prefixed bytes become a Windows menu text (mnemonics chosen or carried,
// double-byte text, buffers of every size), key-equivalent suffixes from fuzzed item bytes and
// formats, and command identifiers decoded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "menus/menu_text.h"

using namespace zeb::menus;

namespace {
bool AnyHighByteLeads(uint8_t c) { return c >= 0x81 && c <= 0xFE; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const uint8_t options = data[0];
  const uint8_t key = data[1], style = data[2], icon = data[3];
  std::vector<uint8_t> text(data + 4, data + size);
  if (text[0] > text.size() - 1) text[0] = static_cast<uint8_t>(text.size() - 1);
  MenuTextConversion how;
  how.ownMnemonics = (options & 1) != 0;
  how.tables = (options & 2) != 0;
  if (options & 4) how.isLeadByte = AnyHighByteLeads;
  uint8_t used[26] = {};
  const size_t capacity = (options & 8) ? kWinMenuTextCapacity : (options >> 4) + 1u;
  std::vector<char> out(capacity);
  const size_t n = CopyMacToWindowsMenuText(text.data(), out.data(), out.size(),
                                            (options & 0x80) ? nullptr : used, how);
  if (n >= capacity || out[n] != '\0') __builtin_trap();
  const std::string format(reinterpret_cast<const char*>(text.data() + 1), text[0]);
  const KeyFormats formats{format, format, format, format};
  const KeyEquivalent k = DescribeKeyEquivalent(key, style, icon, text.data() + 1, text[0],
                                                (options & 0x10) != 0, (options & 0x20) != 0);
  KeyEquivalentText(k, formats);
  const uint16_t command = static_cast<uint16_t>(key << 8 | style);
  const int slot = CommandSlotIndex(command);
  if (slot < -1 || slot >= kLastSlot) __builtin_trap();
  if (slot >= 0 && EncodeCommand(slot + 1, CommandItem(command)) != command) __builtin_trap();
  return 0;
}
