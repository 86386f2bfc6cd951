// The font list's records, numbering and lookup.
#include "quickdraw/font_list.h"

#include <cstdlib>
#include <cstring>

namespace zeb::quickdraw {
namespace {

constexpr int16_t kApplFont = 1;
constexpr uint8_t kFamilyMask = 0xF0;
constexpr uint8_t kPitchMask = 0x0F;

void CopyField(char* field, const char* name) {
  const size_t n = std::strlen(name);
  std::memcpy(field, name, n);
  field[n] = '\0';
}

// Case-insensitive ordering of display names.
int CompareNames(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const int ca = (*a >= 'A' && *a <= 'Z') ? *a - 'A' + 'a' : static_cast<unsigned char>(*a);
    const int cb = (*b >= 'A' && *b <= 'Z') ? *b - 'A' + 'a' : static_cast<unsigned char>(*b);
    if (ca != cb) return ca - cb;
    if (ca == 0) return 0;
  }
}

void Describe(FontRecord* r, const EnumeratedFace& face) {
  CopyField(r->faceName, face.faceName);
  r->styledFace = SameFontName(face.displayName, face.faceName) ? 0 : 1;
  r->pitchAndFamily = face.pitchAndFamily;
  r->charSet = face.charSet;
  r->fontType = face.fontType;
  r->sizeCount = 0;
  if (r->styledFace && face.logFont) {
    r->sizes[0] = *face.logFont;
    r->sizeCount = 1;
  }
}

}  // namespace

size_t FontRecordBytes(uint16_t count) {
  const size_t entries = count > 1 ? count : 1;
  return offsetof(FontRecord, sizes) + entries * sizeof(FontSizeEntry);
}

bool FontRecord::HasNumber(int16_t number) const {
  for (int16_t n : numbers)
    if (n == number) return true;
  return false;
}

int16_t FontRecord::FirstNumber() const {
  for (int16_t n : numbers)
    if (n != kNoFontNumber) return n;
  return kNoFontNumber;
}

void FontList::Clear() {
  for (FontRecord* r = head_; r;) {
    FontRecord* next = r->next;
    std::free(r);
    r = next;
  }
  head_ = tail_ = nullptr;
  count_ = 0;
}

FontRecord* FontList::ByDisplayName(const char* name) const {
  for (FontRecord* r = head_; r; r = r->next)
    if (SameFontName(r->displayName, name)) return r;
  return nullptr;
}

bool FontList::AddFace(const EnumeratedFace& face) {
  if (!face.displayName || !face.faceName) return true;
  if (std::strlen(face.displayName) > kLongestFaceName ||
      std::strlen(face.faceName) > kLongestFaceName)
    return true;
  if (FontRecord* existing = ByDisplayName(face.displayName)) {
    if (face.fontType > existing->fontType) Describe(existing, face);
    return true;
  }
  auto* r = static_cast<FontRecord*>(std::calloc(1, FontRecordBytes(1)));
  if (!r) return false;
  for (int16_t& n : r->numbers) n = kNoFontNumber;
  CopyField(r->displayName, face.displayName);
  Describe(r, face);
  // Sorted insert by display name.
  FontRecord* after = nullptr;
  for (FontRecord* p = head_; p && CompareNames(p->displayName, r->displayName) <= 0; p = p->next)
    after = p;
  r->previous = after;
  r->next = after ? after->next : head_;
  if (r->next) r->next->previous = r; else tail_ = r;
  if (after) after->next = r; else head_ = r;
  ++count_;
  return true;
}

bool FontList::AppendSize(FontRecord*& record, const FontSizeEntry& size) {
  if (record->sizeCount == UINT16_MAX) return false;
  if (record->sizeCount >= 1) {
    auto* grown = static_cast<FontRecord*>(
        std::realloc(record, FontRecordBytes(static_cast<uint16_t>(record->sizeCount + 1))));
    if (!grown) return false;
    record = grown;
    if (record->previous) record->previous->next = record; else head_ = record;
    if (record->next) record->next->previous = record; else tail_ = record;
  }
  record->sizes[record->sizeCount++] = size;
  return true;
}

void FontList::ApplyMap(const FontMap& map) {
  for (const FontMapEntry& entry : map.entries) {
    if (entry.number == kNoFontNumber) continue;
    for (int i = 0; i < entry.faceCount; ++i) {
      FontRecord* r = ByDisplayName(entry.faces[i]);
      if (!r) continue;
      if (SameFontName(entry.toolboxName, entry.faces[i])) {
        // The Toolbox knows the face by its Windows name: that is its one number.
        for (int16_t& n : r->numbers) n = kNoFontNumber;
        r->numbers[0] = entry.number;
      } else if (!r->HasNumber(entry.number)) {
        for (int16_t& n : r->numbers) {
          if (n != kNoFontNumber) continue;
          n = entry.number;
          break;
        }
      }
      break;
    }
  }
  int32_t next = map.firstCustomNumber;
  for (FontRecord* r = head_; r && next <= kHighestFontNumber; r = r->next)
    if (r->FirstNumber() == kNoFontNumber) r->numbers[0] = static_cast<int16_t>(next++);
}

const FontRecord* FontList::Lookup(int16_t number, const FontMap& map) const {
  const FontRecord* applFont = nullptr;
  for (int slot = 0; slot < kNumberSlots; ++slot) {
    for (const FontRecord* r = head_; r; r = r->next) {
      if (r->numbers[slot] == number) return r;
      if (!applFont && r->numbers[slot] == kApplFont) applFont = r;
    }
  }
  if (const FontMapEntry* entry = map.ByNumber(number)) {
    const FontRecord* best = nullptr;
    for (const FontRecord* r = head_; r; r = r->next) {
      if ((r->pitchAndFamily & kFamilyMask) != entry->family) continue;
      if (r->pitchAndFamily & kPitchTrueTypeBit) return r;
      if (!best || (r->pitchAndFamily & kPitchMask) > (best->pitchAndFamily & kPitchMask)) best = r;
    }
    if (best) return best;
  }
  return applFont;
}

int ChooseRasterSize(const FontRecord& record, int wanted) {
  int best = -1;
  long bestCost = 0;
  for (int i = 0; i < record.sizeCount; ++i) {
    const int size = record.sizes[i].pixelSize;
    const long cost = size == wanted ? 0
                      : size > wanted ? (static_cast<long>(size) - wanted) * 2 + 1
                                      : (static_cast<long>(wanted) - size) * 2;
    if (best < 0 || cost < bestCost) {
      best = i;
      bestCost = cost;
    }
  }
  return best;
}

}  // namespace zeb::quickdraw
