// TextEdit's line layout: where each line of a record's text starts, given the wrapping width,
// a measure standing in for the record's fonts and a word-break rule.
#ifndef ZEB_TEXTEDIT_LINE_LAYOUT_H
#define ZEB_TEXTEDIT_LINE_LAYOUT_H

#include <cstdint>
#include <functional>

namespace zeb::textedit {

// The line-start array grows by this many entries at a time, as the record's handle does.
constexpr int kLineStartGrowth = 64;
// A styled record's line-height table never holds more entries than this.
constexpr int kMaxLineHeights = 16383;
// The longest text of a record.
constexpr int kMaxTextLength = 32000;

// Where the starts are kept: the record's own handle. Grow makes room for at least `entries`
// entries (keeping those already there) and returns false when memory is short; Starts is the
// array as it stands after the last Grow.
class LineStore {
 public:
  virtual ~LineStore() = default;
  virtual int Capacity() const = 0;
  virtual bool Grow(int entries) = 0;
  virtual int16_t* Starts() = 0;
  // A styled record's line heights: the height of the line [start, end) recorded as entry
  // `line`. False when the table cannot grow: the layout stops.
  virtual bool RecordLineHeight(int line, int start, int end) {
    (void)line;
    (void)start;
    (void)end;
    return true;
  }
};

struct LayoutText {
  const uint8_t* text = nullptr;
  int length = 0;
  int width = 0;  // the destination rectangle's width
  // Lines end only at CR (crOnly negative, or no word-break procedure).
  bool crOnly = false;
  // The width of text[start, start + count) in the record's fonts.
  std::function<int(int start, int count)> measure;
  // The word-break procedure: true when text[offset] separates words.
  std::function<bool(int offset)> isBreak;
};

// A change of the text since the last layout: the old characters [at, at + removed) were
// replaced by `inserted` characters.
struct TextChange {
  int at = 0;
  int removed = 0;
  int inserted = 0;
};

struct LayoutResult {
  int nLines = 0;
  bool complete = true;  // false when memory ran short: the lines stop early
  int firstChangedLine = 0;
};

// The end of the line that starts at `start`.
int LineEnd(const LayoutText& t, int start);

// Lays the whole text out. Starts()[0..nLines] hold the line starts afterwards; the last is the
// text's length (also when the layout stopped early, so that the record stays consistent).
LayoutResult LayOutAll(const LayoutText& t, LineStore& store);

// Lays out again after `change`, given the old layout of oldLines lines in the store: lines
// before the change are kept and, after it, old lines are reused as soon as a new line start
// meets an old one shifted by the change.
LayoutResult LayOutChange(const LayoutText& t, LineStore& store, int oldLines,
                          const TextChange& change);

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_LINE_LAYOUT_H
