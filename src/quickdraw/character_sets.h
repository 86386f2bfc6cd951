// The Macintosh Roman and Windows (code page 1252) character sets: two tables for the upper
// half, each the inverse of the other. Characters that exist in both map to each other; the
// Macintosh characters that Windows lacks take codes Windows leaves unused or that hold
// characters the Macintosh lacks. Host-independent: titles, menus, keys and text share them.
#ifndef ZEB_QUICKDRAW_CHARACTER_SETS_H
#define ZEB_QUICKDRAW_CHARACTER_SETS_H

#include <cstdint>

namespace zeb::quickdraw {

// Indexed by code - 0x80.
extern const uint8_t kMacToWindows[128];
extern const uint8_t kWindowsToMac[128];

// Codes below 0x80 are the same in both sets.
inline uint8_t MacToWindowsChar(uint8_t c) { return c < 0x80 ? c : kMacToWindows[c - 0x80]; }
inline uint8_t WindowsToMacChar(uint8_t c) { return c < 0x80 ? c : kWindowsToMac[c - 0x80]; }

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_CHARACTER_SETS_H
