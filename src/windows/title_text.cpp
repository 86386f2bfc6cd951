// Window titles in the Windows character set.
#include "windows/title_text.h"

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
  auto put = [&](uint8_t c) {
    if (n + 1 >= capacity) return false;
    out[n++] = static_cast<char>(c);
    return true;
  };
  const size_t length = title ? title[0] : 0;
  for (size_t i = 1; i <= length; ++i) {
    const uint8_t c = title[i];
    if (how.isLeadByte && how.isLeadByte(c)) {
      if (i == length) break;
      if (!put(c) || !put(title[i + 1])) break;
      ++i;
      continue;
    }
    if (const char* text = Substitute(c)) {
      bool fitted = true;
      for (const char* p = text; *p && fitted; ++p) fitted = put(static_cast<uint8_t>(*p));
      if (!fitted) break;
      continue;
    }
    if (!put(how.tables ? quickdraw::MacToWindowsChar(c) : c)) break;
  }
  out[n] = '\0';
  return n;
}

}  // namespace zeb::windows
