// Application text on its way to GDI and back: Macintosh bytes become Windows bytes (with the
// substitutions a font without the Macintosh's typographic characters needs, double-byte pairs
// kept whole, and optionally the advance of every byte from a table of Fixed widths), and
// Windows bytes become Macintosh bytes. Host-independent.
#ifndef ZEB_QUICKDRAW_TEXT_CONVERSION_H
#define ZEB_QUICKDRAW_TEXT_CONVERSION_H

#include <cstdint>

namespace zeb::quickdraw {

// ZEB_MacToAnsiBuf's flags.
enum ConversionFlag : uint16_t {
  kConvertRaw = 0x1,           // no substitutions: the font has the typographic characters
  kConvertDropLineEnds = 0x2,  // CR and LF produce nothing
  kConvertAdvances = 0x4,      // every output byte gets its advance for ExtTextOutA
  kConvertDoubleByte = 0x8     // double-byte text: the upper half stays as it is
};

// The most bytes one Macintosh byte becomes: the trade mark sign is written "(tm)". Every
// output buffer (and advance buffer) holds this many entries per input byte.
constexpr int32_t kMaxExpansion = 4;
inline int32_t ConvertedCapacity(int32_t count) { return count > 0 ? count * kMaxExpansion : 0; }

// The lead bytes of a double-byte code page: a lead byte and the byte after it are one
// character.
struct LeadByteTable {
  bool lead[256];
};
// The Windows profile's iCountry values of double-byte systems (Japan 81, Korea 82, China 86)
// and their ANSI code pages' lead bytes; false and an empty table for any other country.
bool LeadBytesForCountry(int country, LeadByteTable* table);

struct MacToWindowsOptions {
  uint16_t flags = 0;
  bool tableConversion = true;   // the upper half goes through the character table
  bool passwordEcho = false;     // every output byte is '*'
  const LeadByteTable* leadBytes = nullptr;  // null on single-byte systems
  // With kConvertAdvances: Fixed widths indexed by Macintosh code, scaled by scaleNum / scaleDen
  // (the port's device scale), with spaceExtra (Fixed) added to every space.
  const int32_t* widths = nullptr;
  int32_t scaleNum = 1, scaleDen = 1;
  int32_t spaceExtra = 0;
};

struct MacToWindowsResult {
  int32_t written = 0;      // output bytes
  int32_t spaces = 0;       // spaces among the input bytes
  int32_t totalAdvance = 0; // sum of the advances written (device units)
};

// Converts count bytes of src into dst, which holds ConvertedCapacity(count) bytes. Unless raw,
// the ellipsis becomes "...", the trade mark "(tm)" and the curly double quotes '"'; the
// command-key sign (18) becomes 0xBB. advances, when kConvertAdvances is set and widths are
// given, receives one device advance per output byte (the same capacity); each is rounded from
// the running Fixed sum, so their total is the rounded sum of the widths. A count of 0 or less
// writes nothing.
MacToWindowsResult MacToWindowsText(const uint8_t* src, int32_t count, uint8_t* dst,
                                    int32_t* advances, const MacToWindowsOptions& options);

// Copies up to count bytes of src into dst, stopping before a zero byte, with the upper half
// converted through the Windows-to-Macintosh table when tableConversion is set. Returns the
// bytes written (nothing for a count of 0 or less).
int32_t WindowsToMacText(const uint8_t* src, int32_t count, uint8_t* dst, bool tableConversion);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_TEXT_CONVERSION_H
