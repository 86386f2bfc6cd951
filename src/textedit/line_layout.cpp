#include "textedit/line_layout.h"

#include <algorithm>
#include <vector>

namespace zeb::textedit {

namespace {

constexpr uint8_t kReturn = 13;

bool IsBlankish(const LayoutText& t, int offset) {
  return t.text[offset] != kReturn && t.isBreak(offset);
}

// A first word wider than the line: it ends before the first character that does not fit, at
// a break character if one comes first, and holds at least one character.
int BreakInsideWord(const LayoutText& t, int start, int wordEnd) {
  int fit = start + 1;
  while (fit < wordEnd && t.measure(start, fit + 1 - start) <= t.width) ++fit;
  for (int i = start + 1; i < fit; ++i) {
    if (IsBlankish(t, i)) {
      while (i < t.length && IsBlankish(t, i)) ++i;
      return i;
    }
  }
  return fit;
}

bool EnsureRoom(LineStore& store, int entries) {
  if (entries <= store.Capacity()) return true;
  const int wanted = (entries + kLineStartGrowth - 1) / kLineStartGrowth * kLineStartGrowth;
  return store.Grow(wanted);
}

// Closes a layout that memory cut short: the last entry becomes the text's end, so that the
// last line kept runs to the end of the text.
LayoutResult Stopped(const LayoutText& t, LineStore& store, int line, int firstChanged) {
  LayoutResult r;
  r.complete = false;
  r.firstChangedLine = firstChanged;
  if (line == 0) {
    if (!store.Grow(2)) {
      store.Starts()[0] = static_cast<int16_t>(t.length);
      return r;
    }
    line = 1;
  }
  store.Starts()[line] = static_cast<int16_t>(t.length);
  r.nLines = line;
  return r;
}

// Lays lines out from line `line` (whose start is already in the store) to the end. tail holds
// old line starts, shifted by the change, of lines whose text is unchanged: as soon as a new
// start meets one of them, the old starts that follow are taken as they are.
LayoutResult LayOutFrom(const LayoutText& t, LineStore& store, int line,
                        const std::vector<int>& tail) {
  const int firstChanged = line;
  int start = store.Starts()[line];
  size_t tailIndex = 0;
  while (start < t.length) {
    const int end = LineEnd(t, start);
    if (!store.RecordLineHeight(line, start, end)) return Stopped(t, store, line, firstChanged);
    if (!EnsureRoom(store, line + 2)) return Stopped(t, store, line, firstChanged);
    store.Starts()[++line] = static_cast<int16_t>(end);
    start = end;
    while (tailIndex < tail.size() && tail[tailIndex] < start) ++tailIndex;
    if (tailIndex < tail.size() && tail[tailIndex] == start) {
      for (size_t k = tailIndex + 1; k < tail.size(); ++k) {
        if (!store.RecordLineHeight(line, start, tail[k]))
          return Stopped(t, store, line, firstChanged);
        if (!EnsureRoom(store, line + 2)) return Stopped(t, store, line, firstChanged);
        store.Starts()[++line] = static_cast<int16_t>(tail[k]);
        start = tail[k];
      }
      tailIndex = tail.size();
    }
  }
  // A text that ends with CR has an empty last line.
  if (t.length > 0 && t.text[t.length - 1] == kReturn) {
    if (!store.RecordLineHeight(line, t.length, t.length) || !EnsureRoom(store, line + 2))
      return Stopped(t, store, line, firstChanged);
    store.Starts()[++line] = static_cast<int16_t>(t.length);
  }
  LayoutResult r;
  r.nLines = line;
  r.firstChangedLine = firstChanged;
  return r;
}

}  // namespace

int LineEnd(const LayoutText& t, int start) {
  if (start >= t.length) return t.length;
  if (t.crOnly || !t.isBreak) {
    for (int i = start; i < t.length; ++i) {
      if (t.text[i] == kReturn) return i + 1;
    }
    return t.length;
  }
  int pos = start;
  int lastFit = -1;
  while (pos < t.length) {
    if (t.text[pos] == kReturn) return pos + 1;
    // One character, a run of break characters, a run of word characters.
    int p = pos + 1;
    while (p < t.length && t.text[p] != kReturn && t.isBreak(p)) ++p;
    while (p < t.length && !t.isBreak(p)) ++p;
    if (t.measure(start, p - start) > t.width) {
      if (lastFit < 0) return BreakInsideWord(t, start, p);
      // The blanks after the last word that fits stay on the line.
      int end = lastFit;
      while (end < t.length && IsBlankish(t, end)) ++end;
      if (end < t.length && t.text[end] == kReturn) ++end;
      return end;
    }
    lastFit = p;
    pos = p;
  }
  return t.length;
}

LayoutResult LayOutAll(const LayoutText& t, LineStore& store) {
  if (!EnsureRoom(store, 2)) {
    LayoutResult r;
    r.complete = false;
    if (store.Capacity() >= 1) store.Starts()[0] = static_cast<int16_t>(t.length);
    return r;
  }
  store.Starts()[0] = 0;
  return LayOutFrom(t, store, 0, {});
}

LayoutResult LayOutChange(const LayoutText& t, LineStore& store, int oldLines,
                          const TextChange& change) {
  if (oldLines <= 0 || store.Capacity() < oldLines + 1) return LayOutAll(t, store);
  const int delta = change.inserted - change.removed;
  const int16_t* old = store.Starts();
  const int oldLength = old[oldLines];
  // The line holding the change, and the line before it: removing text can let the first word
  // of the changed line move up.
  int line = 0;
  while (line + 1 < oldLines && old[line + 1] <= change.at) ++line;
  if (line > 0) --line;
  // Old lines that start at or after the end of the change lay out as before, shifted.
  std::vector<int> tail;
  const int oldChangeEnd = change.at + change.removed;
  for (int k = line + 1; k < oldLines; ++k) {
    if (old[k] >= oldChangeEnd && old[k] < oldLength) tail.push_back(old[k] + delta);
  }
  return LayOutFrom(t, store, line, tail);
}

}  // namespace zeb::textedit
