// Window titles in the Windows character set.
#include "windows/title_text.h"

#include <cstring>

#include "quickdraw/character_sets.h"

namespace zeb::windows {
namespace {

constexpr uint8_t kMacEllipsis = 0xC9;
constexpr uint8_t kMacTradeMark = 0xAA;
constexpr uint8_t kMacOpenDoubleQuote = 0xD2;
constexpr uint8_t kMacCloseDoubleQuote = 0xD3;

const char* Substitute(uint8_t c) {
  switch (c) {
    case kMacEllipsis: return "...";
    case kMacTradeMark: return "(tm)";
    case kMacOpenDoubleQuote:
    case kMacCloseDoubleQuote: return "\"";
    default: return nullptr;
  }
}

}  // namespace

size_t MacTitleToWindows(const uint8_t* title, char* out, size_t capacity,
                         const TitleConversion& how) {
  if (!out || capacity == 0) return 0;
  size_t n = 0;
  // A character goes in whole or not at all: a substitution or a double-byte pair is never cut.
  auto fits = [&](size_t bytes) { return n + bytes < capacity; };
  const size_t length = title ? title[0] : 0;
  for (size_t i = 1; i <= length; ++i) {
    const uint8_t c = title[i];
    if (how.isLeadByte && how.isLeadByte(c)) {
      if (i == length || !fits(2)) break;
      out[n++] = static_cast<char>(c);
      out[n++] = static_cast<char>(title[++i]);
      continue;
    }
    if (const char* text = Substitute(c)) {
      const size_t bytes = std::strlen(text);
      if (!fits(bytes)) break;
      for (size_t k = 0; k < bytes; ++k) out[n++] = text[k];
      continue;
    }
    if (!fits(1)) break;
    out[n++] = static_cast<char>(how.tables ? quickdraw::MacToWindowsChar(c) : c);
  }
  out[n] = '\0';
  return n;
}

}  // namespace zeb::windows
