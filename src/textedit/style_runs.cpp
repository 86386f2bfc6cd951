#include "textedit/style_runs.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace zeb::textedit {

namespace {

// Every character's style-table index: the runs expanded, which makes every edit one plain
// array operation (a record holds at most 32000 characters).
struct Expanded {
  std::vector<int> index;
  int emptyIndex = 0;  // the style of an empty text
};

Expanded Expand(const StyleRuns& s, int length) {
  Expanded e;
  e.index.assign(static_cast<size_t>(length), 0);
  if (s.runs.empty()) return e;
  e.emptyIndex = s.runs[0].index;
  const int n = s.RunCount();
  for (int r = 0; r < n; ++r) {
    const int from = std::max(0, s.runs[r].start);
    const int to = std::min(length, s.runs[r + 1].start);
    for (int i = from; i < to; ++i) e.index[i] = s.runs[r].index;
  }
  // Characters past the last run's end take the last run's style.
  const int lastEnd = std::max(0, s.runs[n].start);
  for (int i = std::max(lastEnd, 0); i < length && n > 0; ++i) e.index[i] = s.runs[n - 1].index;
  return e;
}

void Compress(StyleRuns& s, const Expanded& e, int length) {
  s.runs.clear();
  if (length == 0) {
    s.runs.push_back({0, e.emptyIndex});
  } else {
    for (int i = 0; i < length; ++i) {
      if (i == 0 || e.index[i] != e.index[i - 1]) s.runs.push_back({i, e.index[i]});
    }
  }
  s.runs.push_back({length + 1, 0});
}

void Put16(std::vector<uint8_t>& out, int v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<uint8_t>& out, long v) {
  Put16(out, static_cast<int>(v & 0xFFFF));
  Put16(out, static_cast<int>((v >> 16) & 0xFFFF));
}
int Get16(const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); }
long Get32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 |
                              static_cast<uint32_t>(p[3]) << 24);
}

constexpr size_t kScrapElementSize = 20;

}  // namespace

StyleRuns StyleRuns::Single(const StyleValue& style, int length) {
  StyleRuns s;
  s.table.push_back({1, style});
  s.runs.push_back({0, 0});
  s.runs.push_back({length + 1, 0});
  return s;
}

int StyleRuns::RunAt(int offset) const {
  const int n = RunCount();
  if (n <= 0) return 0;
  int r = 0;
  while (r + 1 < n && runs[r + 1].start <= offset) ++r;
  return r;
}

const StyleValue& StyleRuns::StyleAt(int offset) const {
  static const StyleValue kNone{};
  if (runs.empty() || table.empty()) return kNone;
  const int index = runs[RunAt(offset)].index;
  return index >= 0 && index < static_cast<int>(table.size()) ? table[index].style : kNone;
}

bool StyleRuns::Normalise(int length) {
  if (table.empty()) return false;
  if (runs.size() < 2) {
    const int index = runs.empty() ? 0 : runs[0].index;
    runs.assign({{0, index}, {length + 1, 0}});
  }
  // Runs from a handle may be out of order or out of range: keep the ordered ones, clamped.
  std::vector<Run> kept;
  for (int r = 0; r < RunCount(); ++r) {
    Run run = runs[r];
    if (run.index < 0 || run.index >= static_cast<int>(table.size())) run.index = 0;
    run.start = std::clamp(run.start, 0, length);
    if (!kept.empty() && run.start < kept.back().start) continue;
    if (!kept.empty() && run.start == kept.back().start) kept.pop_back();
    if (run.start >= length && !kept.empty()) continue;
    kept.push_back(run);
  }
  if (kept.empty()) kept.push_back({0, 0});
  kept[0].start = 0;
  // Entries of one style become one entry.
  for (Run& run : kept) {
    for (int k = 0; k < run.index; ++k) {
      if (table[k].style.SameStyle(table[run.index].style)) {
        run.index = k;
        break;
      }
    }
  }
  runs.clear();
  for (const Run& run : kept) {
    if (!runs.empty() && runs.back().index == run.index) continue;
    runs.push_back(run);
  }
  // Counts, then unused entries removed and the indices renumbered.
  std::vector<int> count(table.size(), 0);
  for (const Run& run : runs) ++count[run.index];
  std::vector<int> renumber(table.size(), 0);
  std::vector<StyleEntry> used;
  for (size_t k = 0; k < table.size(); ++k) {
    if (count[k] == 0) continue;
    renumber[k] = static_cast<int>(used.size());
    StyleEntry e = table[k];
    e.count = static_cast<int16_t>(count[k]);
    used.push_back(e);
  }
  for (Run& run : runs) run.index = renumber[run.index];
  table = used;
  runs.push_back({length + 1, 0});
  return true;
}

int StyleRuns::FindOrAdd(const StyleValue& style) {
  for (size_t k = 0; k < table.size(); ++k) {
    if (table[k].style.SameStyle(style)) return static_cast<int>(k);
  }
  table.push_back({0, style});
  return static_cast<int>(table.size()) - 1;
}

void StyleRuns::Replace(int at, int removed, int inserted, const StyleValue* style,
                        int newLength) {
  if (table.empty()) return;
  const int oldLength = newLength - inserted + removed;
  Expanded e = Expand(*this, oldLength);
  at = std::clamp(at, 0, oldLength);
  removed = std::clamp(removed, 0, oldLength - at);
  int index;
  if (style) {
    index = FindOrAdd(*style);
  } else if (oldLength == 0) {
    index = e.emptyIndex;
  } else {
    index = e.index[at > 0 ? at - 1 : 0];
  }
  e.index.erase(e.index.begin() + at, e.index.begin() + at + removed);
  e.index.insert(e.index.begin() + at, static_cast<size_t>(std::max(0, inserted)), index);
  if (e.index.empty()) e.emptyIndex = index;
  const int length = static_cast<int>(e.index.size());
  Compress(*this, e, length);
  Normalise(length);
}

void StyleRuns::ApplyScrap(int at, int count,
                           const std::vector<std::pair<int, StyleValue>>& styles, int length) {
  if (table.empty() || styles.empty()) return;
  Expanded e = Expand(*this, length);
  at = std::clamp(at, 0, length);
  count = std::clamp(count, 0, length - at);
  for (size_t k = 0; k < styles.size(); ++k) {
    const int index = FindOrAdd(styles[k].second);
    const int from = at + std::clamp(styles[k].first, 0, count);
    const int to = k + 1 < styles.size() ? at + std::clamp(styles[k + 1].first, 0, count)
                                         : at + count;
    for (int i = from; i < to; ++i) e.index[i] = index;
    if (length == 0) e.emptyIndex = index;
  }
  Compress(*this, e, length);
  Normalise(length);
}

void StyleRuns::Restyle(int from, int to,
                        const std::function<StyleValue(const StyleValue&)>& change, int length) {
  if (table.empty()) return;
  Expanded e = Expand(*this, length);
  from = std::clamp(from, 0, length);
  to = std::clamp(to, from, length);
  std::map<int, int> changed;
  for (int i = from; i < to; ++i) {
    auto it = changed.find(e.index[i]);
    if (it == changed.end()) {
      const StyleValue style = change(table[e.index[i]].style);
      it = changed.emplace(e.index[i], FindOrAdd(style)).first;
    }
    e.index[i] = it->second;
  }
  Compress(*this, e, length);
  Normalise(length);
}

int StyleRuns::RunsIn(int from, int to) const {
  if (to <= from) return 1;
  return RunAt(to - 1) - RunAt(from) + 1;
}

std::vector<std::pair<int, StyleValue>> ReadStyleScrap(const uint8_t* data, size_t size,
                                                       int textLength) {
  std::vector<std::pair<int, StyleValue>> styles;
  if (!data || size < 2) return styles;
  int count = Get16(data);
  if (count < 0) count = 0;
  const size_t fits = (size - 2) / kScrapElementSize;
  if (static_cast<size_t>(count) > fits) count = static_cast<int>(fits);
  for (int k = 0; k < count; ++k) {
    const uint8_t* p = data + 2 + k * kScrapElementSize;
    long start = Get32(p);
    if (start < 0) start = 0;
    if (start > textLength) start = textLength;
    if (!styles.empty() && start < styles.back().first) continue;
    StyleValue v;
    v.height = static_cast<int16_t>(Get16(p + 4));
    v.ascent = static_cast<int16_t>(Get16(p + 6));
    v.font = static_cast<int16_t>(Get16(p + 8));
    v.face = p[10];
    v.size = static_cast<int16_t>(Get16(p + 12));
    v.red = static_cast<uint16_t>(Get16(p + 14));
    v.green = static_cast<uint16_t>(Get16(p + 16));
    v.blue = static_cast<uint16_t>(Get16(p + 18));
    if (!styles.empty() && start == styles.back().first) styles.pop_back();
    styles.push_back({static_cast<int>(start), v});
  }
  if (!styles.empty()) styles[0].first = 0;
  return styles;
}

std::vector<uint8_t> WriteStyleScrap(const StyleRuns& runs, int from, int to) {
  std::vector<uint8_t> out;
  Put16(out, 0);
  if (runs.runs.empty() || runs.table.empty()) return out;
  int n = 0;
  const int first = runs.RunAt(from);
  const int last = to > from ? runs.RunAt(to - 1) : first;
  for (int r = first; r <= last; ++r) {
    const StyleValue& v = runs.table[runs.runs[r].index].style;
    Put32(out, std::max(0, runs.runs[r].start - from));
    Put16(out, v.height);
    Put16(out, v.ascent);
    Put16(out, v.font);
    out.push_back(v.face);
    out.push_back(0);
    Put16(out, v.size);
    Put16(out, v.red);
    Put16(out, v.green);
    Put16(out, v.blue);
    ++n;
  }
  out[0] = static_cast<uint8_t>(n & 0xFF);
  out[1] = static_cast<uint8_t>(n >> 8);
  return out;
}

}  // namespace zeb::textedit
