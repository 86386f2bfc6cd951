// str2dec on arbitrary text from arbitrary positions, and dec2str on what it scanned and on
// arbitrary records: indexes stay inside the text and the output inside its buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "SANE.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  unsigned char text[256];
  const size_t length = size - 1 > 255 ? 255 : size - 1;
  text[0] = static_cast<unsigned char>(length);
  std::memcpy(text + 1, data + 1, length);
  short index = static_cast<short>(data[0] % 260);
  const short start = index;
  decimal d{};
  Boolean prefix = 0;
  const short end = str2dec(text, &index, &d, &prefix);
  if (end != index || prefix > 2 || d.sig.length > SIGDIGLEN) std::abort();
  if (prefix && (end < start || end > static_cast<short>(length) + 1)) std::abort();

  char out[DECSTROUTLEN + 1];
  out[DECSTROUTLEN] = 0x5A;
  const decform formats[] = {{FIXEDDECIMAL, 0, static_cast<short>(data[0])},
                             {FLOATDECIMAL, 0, 0}};
  for (const decform& f : formats) {
    const short n = dec2str(&f, &d, out);
    if (n < 0 || n >= DECSTROUTLEN || out[DECSTROUTLEN] != 0x5A) std::abort();
  }
  // The input bytes as a record of their own, damaged length byte included.
  if (size >= sizeof(decimal)) {
    decimal raw;
    std::memcpy(&raw, data, sizeof raw);
    const short n = dec2str(nullptr, &raw, out);
    if (n < 0 || n >= DECSTROUTLEN || out[DECSTROUTLEN] != 0x5A) std::abort();
  }
  return 0;
}
