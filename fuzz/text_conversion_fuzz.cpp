// Both conversions with every flag, the lead bytes of a double-byte country and a width table:
// the output never passes 4 bytes per input byte, the advances add up to their total, and the
// Windows-to-Macintosh copy stops at the count or a zero byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quickdraw/text_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::quickdraw;
  if (size < 4) return 0;
  // The first bytes choose the options; the rest is the text.
  const uint8_t choice = data[0];
  const int32_t scaleNum = 1 + data[1] % 7, scaleDen = 1 + data[2] % 5;
  const int32_t spaceExtra = static_cast<int8_t>(data[3]) * 0x800;
  const std::vector<uint8_t> text(data + 4, data + size);
  const int32_t count = static_cast<int32_t>(text.size());

  LeadByteTable leads;
  LeadBytesForCountry((choice & 0x40) ? 81 : 1, &leads);
  int32_t widths[256];
  for (int c = 0; c < 256; ++c) widths[c] = (c * 0x1357) % 0x80000 - 0x1000;
  MacToWindowsOptions o;
  o.flags = choice & 0x0F;
  o.tableConversion = (choice & 0x10) != 0;
  o.passwordEcho = (choice & 0x20) != 0;
  o.leadBytes = (choice & 0x40) ? &leads : nullptr;
  o.widths = (choice & 0x80) ? widths : nullptr;
  o.scaleNum = scaleNum;
  o.scaleDen = scaleDen;
  o.spaceExtra = spaceExtra;

  // Exactly sized buffers: a write past 4 x count is caught.
  std::vector<uint8_t> out(ConvertedCapacity(count));
  std::vector<int32_t> advances(ConvertedCapacity(count));
  const MacToWindowsResult r =
      MacToWindowsText(text.data(), count, out.data(), advances.data(), o);
  if (r.written < 0 || r.written > ConvertedCapacity(count)) std::abort();
  if (r.spaces < 0 || r.spaces > count) std::abort();
  if ((o.flags & kConvertAdvances) && o.widths) {
    int64_t sum = 0;
    for (int32_t i = 0; i < r.written; ++i) sum += advances[i];
    if (sum != r.totalAdvance) std::abort();
  }
  if (o.passwordEcho)
    for (int32_t i = 0; i < r.written; ++i)
      if (out[i] != '*') std::abort();

  std::vector<uint8_t> back(text.size());
  const int32_t copied = WindowsToMacText(text.data(), count, back.data(), o.tableConversion);
  if (copied < 0 || copied > count) std::abort();
  for (int32_t i = 0; i < copied; ++i)
    if (text[i] == 0) std::abort();
  if (copied < count && text[copied] != 0) std::abort();
  return 0;
}
