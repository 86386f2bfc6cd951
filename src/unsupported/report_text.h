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
  const char* text;  // null: nothing is reported
  const char* suffix;
};

constexpr Message Choose(OwnName, const char* ownName) { return {ownName, ""}; }
constexpr Message Choose(OwnNameSystem7, const char* ownName) { return {ownName, kSystem7Suffix}; }
constexpr Message Choose(const char* text, const char*) { return {text, ""}; }
constexpr Message Choose(NoReport, const char*) { return {nullptr, ""}; }

constexpr std::size_t Length(const char* text) {
  std::size_t n = 0;
  while (text && text[n]) ++n;
  return n;
}
constexpr std::size_t Length(Message m) { return Length(m.text) + Length(m.suffix); }

template <std::size_t N>
struct LengthPrefixed {
  static_assert(N <= 255, "a length-prefixed text holds at most 255 bytes");
  unsigned char bytes[N + 2];  // length, text, zero

  constexpr explicit LengthPrefixed(Message m) : bytes{} {
    bytes[0] = static_cast<unsigned char>(N);
    std::size_t at = 1;
    for (const char* p = m.text; p && *p; ++p) bytes[at++] = static_cast<unsigned char>(*p);
    for (const char* p = m.suffix; *p; ++p) bytes[at++] = static_cast<unsigned char>(*p);
    bytes[at] = 0;
  }
};

}  // namespace zeb::unsupported

#endif  // ZEB_UNSUPPORTED_REPORT_TEXT_H
