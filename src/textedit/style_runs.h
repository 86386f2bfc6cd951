// A styled record's runs and style table, as plain values: every change of text or style is
// made here and written back to the record's handles.
#ifndef ZEB_TEXTEDIT_STYLE_RUNS_H
#define ZEB_TEXTEDIT_STYLE_RUNS_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace zeb::textedit {

struct StyleValue {
  int16_t height = 0;
  int16_t ascent = 0;
  int16_t font = 0;
  uint8_t face = 0;
  int16_t size = 0;
  uint16_t red = 0, green = 0, blue = 0;
  // Two entries are the same style when these agree (height and ascent follow from them).
  bool SameStyle(const StyleValue& o) const {
    return font == o.font && face == o.face && size == o.size && red == o.red &&
           green == o.green && blue == o.blue;
  }
};

struct StyleEntry {
  int16_t count = 0;  // runs using the entry
  StyleValue style;
};

struct Run {
  int start = 0;
  int index = 0;
};

// runs hold nRuns + 1 entries; the last starts at length + 1 and names no style.
struct StyleRuns {
  std::vector<Run> runs;
  std::vector<StyleEntry> table;

  // One style over an empty text.
  static StyleRuns Single(const StyleValue& style, int length);
  int RunCount() const { return static_cast<int>(runs.size()) - 1; }
  // The run holding offset (the last run for offsets at or past the end).
  int RunAt(int offset) const;
  const StyleValue& StyleAt(int offset) const;

  // Brings runs and table to their rules: every run inside 0..length, ordered, no empty runs,
  // neighbours of one entry merged, counts equal to the runs using each entry, unused entries
  // removed. False when nothing usable remains (no run or no entry).
  bool Normalise(int length);

  // The old characters [at, at + removed) were replaced by inserted characters of `style`
  // (nullptr: the style of the character before at, or of the first character).
  void Replace(int at, int removed, int inserted, const StyleValue* style, int newLength);
  // The styles of `styles` (start offsets relative to at) given to [at, at + count).
  void ApplyScrap(int at, int count, const std::vector<std::pair<int, StyleValue>>& styles,
                  int length);
  // Every run of [from, to) gets change(its style).
  void Restyle(int from, int to, const std::function<StyleValue(const StyleValue&)>& change,
               int length);
  // The distinct runs of [from, to), at least 1.
  int RunsIn(int from, int to) const;

 private:
  int FindOrAdd(const StyleValue& style);
  void Split(int offset);
};

// Reads a style scrap ('styl': a count, then 20-byte elements in the Toolbox's byte order as the
// library holds them in memory, little-endian) within its size. Elements past the size are
// dropped, start offsets are ordered and clamped to 0..textLength; the first starts at 0.
std::vector<std::pair<int, StyleValue>> ReadStyleScrap(const uint8_t* data, size_t size,
                                                       int textLength);
// The style scrap of [from, to): its bytes as a handle holds them.
std::vector<uint8_t> WriteStyleScrap(const StyleRuns& runs, int from, int to);

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_STYLE_RUNS_H
