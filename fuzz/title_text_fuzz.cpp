// Window titles: any length-prefixed bytes, converted with and without the tables and as
// double-byte text, into buffers of every size up to the worst case.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "windows/title_text.h"

namespace {
bool AnyHighByteLeads(uint8_t c) { return c >= 0x81 && c <= 0xFE; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the options and the buffer; the rest is the title, whose length
  // byte may claim less than follows.
  const uint8_t options = data[0];
  std::vector<uint8_t> title(data + 1, data + size);
  if (title.empty()) title.push_back(0);
  if (title[0] > title.size() - 1) title[0] = static_cast<uint8_t>(title.size() - 1);
  zeb::windows::TitleConversion how;
  how.tables = (options & 1) != 0;
  if (options & 2) how.isLeadByte = AnyHighByteLeads;
  const size_t capacity = (options & 4) ? zeb::windows::kTitleTextCapacity : (options >> 3) + 1u;
  std::vector<char> out(capacity);
  const size_t n = zeb::windows::MacTitleToWindows(title.data(), out.data(), out.size(), how);
  if (n >= capacity || out[n] != '\0') __builtin_trap();
  return 0;
}
