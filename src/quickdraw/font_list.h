// The font list: one record per Windows face, sorted by display name, each holding up to eight
// Toolbox font numbers and the sizes Windows has of the face. Enumeration fills it, the font map
// numbers it, and a Toolbox font number finds its face through it. Host-independent: the
// enumeration glue hands in what Windows reported.
#ifndef ZEB_QUICKDRAW_FONT_LIST_H
#define ZEB_QUICKDRAW_FONT_LIST_H

#include <cstddef>
#include <cstdint>

#include "quickdraw/font_map.h"

namespace zeb::quickdraw {

// A size of a face: the first 28 bytes of the LOGFONT Windows enumerated (the same fields in the
// same order), and the character height in pixels it stands for.
struct FontSizeEntry {
  int32_t height, width, escapement, orientation, weight;
  uint8_t italic, underline, strikeOut, charSet;
  uint8_t outPrecision, clipPrecision, quality, pitchAndFamily;
  int16_t pixelSize;  // cell height less internal leading
  uint16_t spare;
};
static_assert(sizeof(FontSizeEntry) == 32, "a size entry is 32 bytes");

// Windows font types, as enumeration reports them.
enum FontTypeBit : uint16_t { kRasterFontType = 1, kDeviceFontType = 2, kTrueTypeFontType = 4 };
// TMPF_TRUETYPE in a TEXTMETRIC's pitch-and-family byte.
constexpr uint8_t kPitchTrueTypeBit = 0x04;
constexpr int kNumberSlots = 8;
constexpr size_t kDisplayNameSize = 64;
// Enumerated names of 32 characters or more are not taken.
constexpr size_t kLongestFaceName = 31;

struct FontRecord {
  FontRecord* next;
  FontRecord* previous;
  int16_t numbers[kNumberSlots];      // kNoFontNumber in unused slots
  char displayName[kDisplayNameSize]; // a TrueType face's full name, else the face name
  char faceName[kDisplayNameSize];    // what CreateFontA is given
  uint8_t styledFace;                 // 1 when the display name differs from the face name
  uint8_t pitchAndFamily;             // as the face's TEXTMETRIC reports it
  uint8_t spare;
  uint8_t charSet;
  uint16_t fontType;                  // the highest type seen for the name
  uint16_t sizeCount;
  FontSizeEntry sizes[1];             // sizeCount entries; a record has room for one

  bool HasNumber(int16_t number) const;
  int16_t FirstNumber() const;        // kNoFontNumber when it has none
  bool IsTrueType() const { return (fontType & kTrueTypeFontType) != 0; }
  bool IsRaster() const { return fontType == kRasterFontType; }
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(FontRecord, sizes) == 160 && sizeof(FontRecord) == 192,
              "a record's first 192 bytes hold room for one size entry");
#endif

// A face as enumeration reports it.
struct EnumeratedFace {
  const char* displayName;
  const char* faceName;
  uint8_t pitchAndFamily;
  uint8_t charSet;
  uint16_t fontType;
  const FontSizeEntry* logFont;  // the enumerated LOGFONT, kept as the size of a styled face
};

class FontList {
 public:
  FontList() = default;
  ~FontList() { Clear(); }
  FontList(const FontList&) = delete;
  FontList& operator=(const FontList&) = delete;

  void Clear();
  // A face reported by enumeration: a new record, or an update of the record of that display
  // name when the face's type is higher. Names of 32 characters or more are passed over. False
  // only when a record cannot be allocated (enumeration then stops).
  bool AddFace(const EnumeratedFace& face);
  // Appends a size to the record, which may move (record is updated); false when it cannot grow.
  bool AppendSize(FontRecord*& record, const FontSizeEntry& size);
  // The map's numbers go to the first present face of each entry; every record left without a
  // number then takes the next custom number, up to 32767.
  void ApplyMap(const FontMap& map);

  FontRecord* Head() const { return head_; }
  int Count() const { return count_; }
  // Case-insensitive.
  FontRecord* ByDisplayName(const char* name) const;
  // The record for a Toolbox font number: the first record holding it (slot 0 of every record
  // first, then slot 1, ...); else, when the map names the number, a face of the entry's family
  // (a TrueType one at once, otherwise the one of highest pitch value); else the first record
  // holding applFont (1); else null.
  const FontRecord* Lookup(int16_t number, const FontMap& map) const;

 private:
  FontRecord* head_ = nullptr;
  FontRecord* tail_ = nullptr;
  int count_ = 0;
};

// The size entry of a raster face nearest to wanted: the equal one, else the one of least cost,
// a larger size costing (size - wanted) * 2 + 1 and a smaller one (wanted - size) * 2; -1 when the
// record has no sizes.
int ChooseRasterSize(const FontRecord& record, int wanted);

// The bytes a record of count size entries occupies (room for one entry at least).
size_t FontRecordBytes(uint16_t count);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_FONT_LIST_H
