// zebfont.map: the text file beside the application that joins Toolbox font numbers and names
// to Windows faces, one entry a line:
//   times(20):Times New Roman(Roman)
// the Toolbox name, its number in parentheses (empty for none), a colon, up to three Windows
// face names separated by commas (tried in order), and the Windows family in parentheses.
// Host-independent.
#ifndef ZEB_QUICKDRAW_FONT_MAP_H
#define ZEB_QUICKDRAW_FONT_MAP_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zeb::quickdraw {

// Windows font families (the high nibble of a pitch-and-family byte).
enum FontFamily : uint8_t {
  kFamilyDontCare = 0x00,
  kFamilyRoman = 0x10,
  kFamilySwiss = 0x20,
  kFamilyModern = 0x30,
  kFamilyScript = 0x40,
  kFamilyDecorative = 0x50
};

// Toolbox font numbers from this one up are handed to the faces the map does not name.
constexpr int32_t kFirstCustomFontNumber = 128;
constexpr int32_t kHighestFontNumber = 32767;
constexpr int16_t kNoFontNumber = -1;
// Field sizes: a Toolbox name of up to 63 characters, Windows face names of up to 31 (GDI's
// LF_FACESIZE less its terminator), three of them.
constexpr size_t kMapNameSize = 64;
constexpr size_t kFaceNameSize = 32;
constexpr int kFacesPerEntry = 3;
// The map table holds 8000 bytes of 16-byte entries.
constexpr size_t kFontMapCapacity = 500;

struct FontMapEntry {
  int16_t number = kNoFontNumber;
  char toolboxName[kMapNameSize] = "";
  char faces[kFacesPerEntry][kFaceNameSize] = {};
  uint8_t faceCount = 0;
  uint8_t family = kFamilyDontCare;
};

struct FontMap {
  std::vector<FontMapEntry> entries;
  // One above the highest number of 128 or more in the map, else 128 (up to 32768: then no
  // number is left for the faces the map does not name).
  int32_t firstCustomNumber = kFirstCustomFontNumber;

  const FontMapEntry* ByNumber(int16_t number) const;
  // Case-insensitive.
  const FontMapEntry* ByToolboxName(const char* name) const;
};

// Parses size bytes of map text. Parsing stops at the first line that breaks the pattern, at
// a name longer than its field, at a number above 32767, or when the table is full; it never
// reads past size.
void ParseFontMap(const char* text, size_t size, FontMap* map);

// The map used, and written, when zebfont.map is missing or empty: 17 lines ended by CR LF.
const char* DefaultFontMapText();

// The family of a map line: "DontCare", "Roman", "Swiss", "Modern", "Script" or "Decorative",
// case-insensitive; any other name is Modern.
uint8_t FamilyFromName(const char* name, size_t length);

// ASCII case-insensitive equality of two zero-terminated names.
bool SameFontName(const char* a, const char* b);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_FONT_MAP_H
