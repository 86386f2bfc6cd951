// Length-prefixed strings.
#include "frame/pascal_strings.h"

#include <cstring>

namespace zeb::pstr {

void Copy(const unsigned char* src, unsigned char* dst) {
  std::memmove(dst, src, static_cast<size_t>(src[0]) + 1);
}

char* ToC(const unsigned char* src, char* dst) {
  const size_t length = src[0];
  std::memmove(dst, src + 1, length);
  dst[length] = '\0';
  return dst;
}

unsigned char* FromC(const char* src, unsigned char* dst) {
  size_t length = 0;
  while (length < 255 && src[length]) ++length;
  std::memmove(dst + 1, src, length);
  dst[0] = static_cast<unsigned char>(length);
  return dst;
}

size_t TextLength(const unsigned char* src) {
  const size_t limit = src[0];
  const void* zero = std::memchr(src + 1, 0, limit);
  return zero ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - (src + 1)) : limit;
}

}  // namespace zeb::pstr
