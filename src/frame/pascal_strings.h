// Length-prefixed (Pascal) strings: one length byte, then up to 255 bytes of text.
// Host-independent. Source and destination may be the same buffer.
#ifndef ZEB_FRAME_PASCAL_STRINGS_H
#define ZEB_FRAME_PASCAL_STRINGS_H

#include <cstddef>

namespace zeb::pstr {

// Copies length byte and text (length + 1 bytes).
void Copy(const unsigned char* src, unsigned char* dst);
// The text as a zero-terminated string; dst holds at least length + 1 bytes.
char* ToC(const unsigned char* src, char* dst);
// A zero-terminated string as a length-prefixed one, cut at 255 bytes; dst holds 256.
unsigned char* FromC(const char* src, unsigned char* dst);
// Bytes of text up to the length byte's count or an earlier zero byte, whichever comes first.
size_t TextLength(const unsigned char* src);

}  // namespace zeb::pstr

#endif  // ZEB_FRAME_PASCAL_STRINGS_H
