// Window titles from the Macintosh character set to the Windows one. The Macintosh's ellipsis,
// trade mark sign and curly double quotes, which titles use freely, become "...", "(tm)" and
// '"' as the Windows fonts of the time lacked them; other upper-half characters go through the
// character tables. Host-independent.
#ifndef ZEB_WINDOWS_TITLE_TEXT_H
#define ZEB_WINDOWS_TITLE_TEXT_H

#include <cstddef>
#include <cstdint>

namespace zeb::windows {

// The most a length-prefixed title can become: every byte the four of "(tm)", and the zero.
constexpr size_t kTitleTextCapacity = 255 * 4 + 1;

struct TitleConversion {
  bool tables = true;  // upper-half characters through the character tables
  // Double-byte text: a lead byte and the byte after it are copied as they are. Null for
  // single-byte text.
  bool (*isLeadByte)(uint8_t byte) = nullptr;
};

// Converts the length-prefixed title into out (capacity bytes, zero-terminated, never
// overrun) and answers the number of bytes written before the zero. A lead byte that ends the
// title has no partner and is dropped. A null title gives the empty text.
size_t MacTitleToWindows(const uint8_t* title, char* out, size_t capacity,
                         const TitleConversion& how);

}  // namespace zeb::windows

#endif  // ZEB_WINDOWS_TITLE_TEXT_H
