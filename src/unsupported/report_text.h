// The texts that the entry points without their manager's work report through DebugStr, built
// at compile time as length-prefixed strings with a zero byte after their text (DebugStr's
// readers, and debuggers, take the bytes after the length byte as a C string).
#ifndef ZEB_UNSUPPORTED_REPORT_TEXT_H
#define ZEB_UNSUPPORTED_REPORT_TEXT_H

#include <cstddef>

namespace zeb::unsupported {

// What a row of the table reports: see unsupported_calls.inc.
struct OwnName {};
struct OwnNameSystem7 {};
struct NoReport {};
inline constexpr OwnName OWN{};
inline constexpr OwnNameSystem7 SYSTEM7{};
inline constexpr NoReport SILENT{};

// The calls that System 7 applications make to manage Apple event objects and display depths
// say so after their name.
inline constexpr char kSystem7Suffix[] = " - Not Supported, System 7";

struct Message {
  const char* text;  // "" when nothing is reported
  bool system7;      // kSystem7Suffix follows the text
  bool reported;
};

constexpr Message Choose(OwnName, const char* ownName) { return {ownName, false, true}; }
constexpr Message Choose(OwnNameSystem7, const char* ownName) { return {ownName, true, true}; }
constexpr Message Choose(const char* text, const char*) { return {text, false, true}; }
constexpr Message Choose(NoReport, const char*) { return {"", false, false}; }

constexpr std::size_t Length(const char* text) {
  std::size_t n = 0;
  while (text[n]) ++n;
  return n;
}
constexpr std::size_t Length(Message m) {
  return Length(m.text) + (m.system7 ? Length(kSystem7Suffix) : 0);
}

template <std::size_t N>
struct LengthPrefixed {
  static_assert(N <= 255, "a length-prefixed text holds at most 255 bytes");
  unsigned char bytes[N + 2];  // length, text, zero

  constexpr explicit LengthPrefixed(Message m) : bytes{} {
    bytes[0] = static_cast<unsigned char>(N);
    std::size_t at = 1;
    for (std::size_t i = 0; m.text[i]; ++i) bytes[at++] = static_cast<unsigned char>(m.text[i]);
    if (m.system7) {
      for (std::size_t i = 0; kSystem7Suffix[i]; ++i)
        bytes[at++] = static_cast<unsigned char>(kSystem7Suffix[i]);
    }
    bytes[at] = 0;
  }
};

}  // namespace zeb::unsupported

#endif  // ZEB_UNSUPPORTED_REPORT_TEXT_H
