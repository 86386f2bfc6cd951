// Parsing zebfont.map and the default map.
#include "quickdraw/font_map.h"

#include <cstring>

namespace zeb::quickdraw {
namespace {

constexpr char kDefaultMap[] =
    "systemFont(0):System(Swiss)\r\n"
    "times(20):Times New Roman(Roman)\r\n"
    "helvetica(21):Arial(Modern)\r\n"
    "courier(22):Courier New(Modern)\r\n"
    "symbol(23):Symbol(Decorative)\r\n"
    "applFont(1):Arial(Swiss)\r\n"
    "newYork(2):Times New Roman(Roman)\r\n"
    "geneva(3):Arial(Swiss)\r\n"
    "monaco(4):Courier New(Modern)\r\n"
    "venice(5):Times New Roman(Roman)\r\n"
    "london(6):Times New Roman(Roman)\r\n"
    "athens(7):Times New Roman(Roman)\r\n"
    "sanFran(8):Times New Roman(Roman)\r\n"
    "toronto(9):Times New Roman(Roman)\r\n"
    "cairo(11):Wingdings(Decorative)\r\n"
    "losAngeles(12):Times New Roman(Roman)\r\n"
    "taliesin(24):Wingdings(Decorative)\r\n";

struct NamedFamily {
  const char* name;
  uint8_t family;
};
constexpr NamedFamily kFamilies[] = {
    {"DontCare", kFamilyDontCare}, {"Roman", kFamilyRoman},   {"Swiss", kFamilySwiss},
    {"Modern", kFamilyModern},     {"Script", kFamilyScript}, {"Decorative", kFamilyDecorative}};

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Reads one map line from text[pos..size); false when the line breaks the pattern.
class LineReader {
 public:
  LineReader(const char* text, size_t size, size_t pos) : text_(text), size_(size), pos_(pos) {}
  size_t Position() const { return pos_; }

  // The bytes up to (not including) the delimiter, which is consumed; false at a line end or
  // the end of the text.
  bool Until(char delimiter, const char** start, size_t* length) {
    const size_t begin = pos_;
    while (pos_ < size_ && text_[pos_] != delimiter) {
      if (IsLineEnd(text_[pos_])) return false;
      ++pos_;
    }
    if (pos_ >= size_) return false;
    *start = text_ + begin;
    *length = pos_ - begin;
    ++pos_;
    return true;
  }
  bool Take(char expected) {
    if (pos_ >= size_ || text_[pos_] != expected) return false;
    ++pos_;
    return true;
  }
  // Every byte up to and including 32: line ends, blanks, controls.
  void SkipBlanks() {
    while (pos_ < size_ && static_cast<unsigned char>(text_[pos_]) <= 32) ++pos_;
  }
  // The rest of the line, then the blanks before the next one.
  void SkipToNextLine() {
    while (pos_ < size_ && !IsLineEnd(text_[pos_])) ++pos_;
    SkipBlanks();
  }

 private:
  const char* text_;
  size_t size_;
  size_t pos_;
};

// A name fills its field with its terminator; no name holds a control byte.
bool CopyName(const char* start, size_t length, char* field, size_t fieldSize) {
  if (length == 0 || length >= fieldSize) return false;
  for (size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(start[i]) < 32) return false;
  std::memcpy(field, start, length);
  field[length] = '\0';
  return true;
}

bool ParseNumber(const char* start, size_t length, int16_t* number) {
  if (length == 0) {
    *number = kNoFontNumber;
    return true;
  }
  int32_t value = 0;
  for (size_t i = 0; i < length; ++i) {
    if (start[i] < '0' || start[i] > '9') return false;
    value = value * 10 + (start[i] - '0');
    if (value > kHighestFontNumber) return false;
  }
  *number = static_cast<int16_t>(value);
  return true;
}

// Up to three comma-separated names, blanks around each dropped; names after the third are
// passed over.
bool ParseFaces(const char* start, size_t length, FontMapEntry* entry) {
  size_t i = 0;
  while (i <= length) {
    size_t end = i;
    while (end < length && start[end] != ',') ++end;
    size_t first = i, last = end;
    while (first < last && start[first] == ' ') ++first;
    while (last > first && start[last - 1] == ' ') --last;
    if (entry->faceCount < kFacesPerEntry) {
      if (!CopyName(start + first, last - first, entry->faces[entry->faceCount], kFaceNameSize))
        return false;
      ++entry->faceCount;
    }
    i = end + 1;
  }
  return entry->faceCount > 0;
}

bool ParseLine(LineReader& reader, FontMapEntry* entry) {
  const char* start;
  size_t length;
  if (!reader.Until('(', &start, &length) ||
      !CopyName(start, length, entry->toolboxName, kMapNameSize))
    return false;
  if (!reader.Until(')', &start, &length) || !ParseNumber(start, length, &entry->number))
    return false;
  if (!reader.Take(':')) return false;
  if (!reader.Until('(', &start, &length) || !ParseFaces(start, length, entry)) return false;
  if (!reader.Until(')', &start, &length)) return false;
  entry->family = FamilyFromName(start, length);
  return true;
}

}  // namespace

bool SameFontName(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (Fold(*a) != Fold(*b)) return false;
    if (*a == '\0') return true;
  }
}

uint8_t FamilyFromName(const char* name, size_t length) {
  for (const NamedFamily& f : kFamilies) {
    if (std::strlen(f.name) != length) continue;
    size_t i = 0;
    while (i < length && Fold(name[i]) == Fold(f.name[i])) ++i;
    if (i == length) return f.family;
  }
  return kFamilyModern;
}

void ParseFontMap(const char* text, size_t size, FontMap* map) {
  map->entries.clear();
  map->firstCustomNumber = kFirstCustomFontNumber;
  if (!text) return;
  LineReader reader(text, size, 0);
  reader.SkipBlanks();
  while (reader.Position() < size && map->entries.size() < kFontMapCapacity) {
    FontMapEntry entry;
    if (!ParseLine(reader, &entry)) break;
    if (entry.number >= kFirstCustomFontNumber && entry.number >= map->firstCustomNumber)
      map->firstCustomNumber = entry.number + 1;
    map->entries.push_back(entry);
    reader.SkipToNextLine();
  }
}

const char* DefaultFontMapText() { return kDefaultMap; }

const FontMapEntry* FontMap::ByNumber(int16_t number) const {
  if (number == kNoFontNumber) return nullptr;
  for (const FontMapEntry& e : entries)
    if (e.number == number) return &e;
  return nullptr;
}

const FontMapEntry* FontMap::ByToolboxName(const char* name) const {
  for (const FontMapEntry& e : entries)
    if (SameFontName(e.toolboxName, name)) return &e;
  return nullptr;
}

}  // namespace zeb::quickdraw
