// Styled records: the style record's handles, and the style calls.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "Fonts.h"
#include "MacMemory.h"
#include "Quickdraw.h"
#include "TextEdit.h"
#include "frame/address32.h"
#include "frame/toolbox_globals.h"
#include "textedit/line_layout.h"
#include "textedit/te_state.h"
#include "textedit/te_styles.h"

namespace zeb::textedit {

namespace {

constexpr size_t kStyleFixedSize = offsetof(TEStyleRec, runs);

template <class T>
T* Deref(void* handle) {
  return handle ? *reinterpret_cast<T**>(handle) : nullptr;
}

StyleValue FromElement(const STElement& e) {
  StyleValue v;
  v.height = e.stHeight;
  v.ascent = e.stAscent;
  v.font = e.stFont;
  v.face = e.stFace;
  v.size = e.stSize;
  v.red = e.stColor.red;
  v.green = e.stColor.green;
  v.blue = e.stColor.blue;
  return v;
}

STElement ToElement(const StyleEntry& entry) {
  STElement e{};
  e.stCount = entry.count;
  e.stHeight = entry.style.height;
  e.stAscent = entry.style.ascent;
  e.stFont = entry.style.font;
  e.stFace = entry.style.face;
  e.stSize = entry.style.size;
  e.stColor = {entry.style.red, entry.style.green, entry.style.blue};
  return e;
}

// Height and ascent of a style, measured in the record's port.
void Measure(TEHandle hTE, StyleValue& v) {
  GrafPtr saved = nullptr;
  GetPort(&saved);
  GrafPtr port = (*hTE)->inPort;
  if (!port) return;
  SetPort(port);
  const short font = port->txFont, face = port->txFace, size = port->txSize;
  TextFont(v.font);
  TextFace(v.face);
  TextSize(v.size);
  FontInfo info{};
  GetFontInfo(&info);
  v.height = static_cast<int16_t>(info.ascent + info.descent + info.leading);
  v.ascent = static_cast<int16_t>(info.ascent);
  TextFont(font);
  TextFace(face);
  TextSize(size);
  SetPort(saved);
}

StyleValue FromTextStyle(const TextStyle& s) {
  StyleValue v;
  v.font = s.tsFont;
  v.face = s.tsFace;
  v.size = s.tsSize;
  v.red = s.tsColor.red;
  v.green = s.tsColor.green;
  v.blue = s.tsColor.blue;
  return v;
}

TextStyle ToTextStyle(const StyleValue& v) {
  TextStyle s{};
  s.tsFont = v.font;
  s.tsFace = v.face;
  s.tsSize = v.size;
  s.tsColor = {v.red, v.green, v.blue};
  return s;
}

// The null style's scrap, or nullptr when none is set.
StScrpHandle NullScrap(TEHandle hTE) {
  TEStylePtr st = Deref<TEStyleRec>(StyleHandleOf(hTE));
  if (!st || !st->nullStyle || !*st->nullStyle) return nullptr;
  StScrpHandle scrap = (*st->nullStyle)->nullScrap;
  if (!scrap || !*scrap || GetHandleSize(reinterpret_cast<Handle>(scrap)) < 22) return nullptr;
  return (*scrap)->scrpNStyles > 0 ? scrap : nullptr;
}

std::vector<std::pair<int, StyleValue>> ReadScrapHandle(StScrpHandle scrap, int textLength) {
  if (!scrap || !*scrap) return {};
  return ReadStyleScrap(reinterpret_cast<const uint8_t*>(*scrap),
                        static_cast<size_t>(GetHandleSize(reinterpret_cast<Handle>(scrap))),
                        textLength);
}

Handle BytesToHandle(const std::vector<uint8_t>& bytes) {
  Handle h = NewHandle(static_cast<Size>(bytes.size()));
  if (h) std::memcpy(*h, bytes.data(), bytes.size());
  return h;
}

bool IsStyled(TEHandle hTE) { return LiveRecord(hTE) && StyleHandleOf(hTE) && !NativeWindow(hTE); }

void SetStyleHandleField(TEHandle hTE, TEStyleHandle st) {
  const uint32_t value = AddressToLong(st);
  std::memcpy(&(*hTE)->txFont, &value, 4);
}

}  // namespace

TEStyleHandle StyleHandleOf(TEHandle hTE) {
  if (!hTE || !*hTE || (*hTE)->txSize != -1) return nullptr;
  uint32_t value = 0;
  std::memcpy(&value, &(*hTE)->txFont, 4);
  return LongToAddress<TEStylePtr>(value) ? reinterpret_cast<TEStyleHandle>(LongToAddress(value))
                                          : nullptr;
}

StyleRuns LoadRuns(TEHandle hTE) {
  StyleRuns s;
  TEStyleHandle sh = StyleHandleOf(hTE);
  if (!sh || !*sh) return s;
  const long size = GetHandleSize(reinterpret_cast<Handle>(sh));
  if (size < static_cast<long>(kStyleFixedSize + 4)) return s;
  TEStylePtr st = *sh;
  const long maxRuns = (size - static_cast<long>(kStyleFixedSize)) / 4 - 1;
  const int nRuns = static_cast<int>(std::clamp<long>(st->nRuns, 0, maxRuns));
  if (st->styleTab && *st->styleTab) {
    const long entries =
        GetHandleSize(reinterpret_cast<Handle>(st->styleTab)) / static_cast<long>(sizeof(STElement));
    const int n = static_cast<int>(std::clamp<long>(st->nStyles, 0, entries));
    for (int k = 0; k < n; ++k) s.table.push_back({(*st->styleTab)[k].stCount, FromElement((*st->styleTab)[k])});
  }
  for (int r = 0; r <= nRuns; ++r) s.runs.push_back({st->runs[r].startChar, st->runs[r].styleIndex});
  if (!s.Normalise((*hTE)->teLength)) s = StyleRuns();
  return s;
}

bool StoreRuns(TEHandle hTE, const StyleRuns& runs) {
  TEStyleHandle sh = StyleHandleOf(hTE);
  if (!sh || !*sh || runs.table.empty()) return false;
  auto h = reinterpret_cast<Handle>(sh);
  SetHandleSize(h, static_cast<Size>(kStyleFixedSize + runs.runs.size() * sizeof(StyleRun)));
  if (MemError() != noErr) return false;
  auto tab = reinterpret_cast<Handle>((*sh)->styleTab);
  if (!tab) return false;
  SetHandleSize(tab, static_cast<Size>(runs.table.size() * sizeof(STElement)));
  if (MemError() != noErr) return false;
  TEStylePtr st = *sh;
  st->nRuns = static_cast<short>(runs.RunCount());
  st->nStyles = static_cast<short>(runs.table.size());
  for (size_t r = 0; r < runs.runs.size(); ++r) {
    st->runs[r].startChar = static_cast<short>(runs.runs[r].start);
    st->runs[r].styleIndex = static_cast<short>(runs.runs[r].index);
  }
  for (size_t k = 0; k < runs.table.size(); ++k) (*st->styleTab)[k] = ToElement(runs.table[k]);
  return true;
}

bool AttachNewStyleRecord(TEHandle hTE) {
  TEPtr te = *hTE;
  StyleValue v;
  v.font = te->txFont;
  v.face = te->txFace;
  v.size = te->txSize;
  RGBColor fore{0, 0, 0};
  GrafPtr port = nullptr;
  GetPort(&port);
  if (port) GetForeColor(&fore);
  v.red = fore.red;
  v.green = fore.green;
  v.blue = fore.blue;
  Measure(hTE, v);
  Handle st = NewHandleClear(static_cast<Size>(kStyleFixedSize + 2 * sizeof(StyleRun)));
  Handle tab = NewHandleClear(sizeof(STElement));
  Handle lh = NewHandleClear(2 * kLineStartGrowth);
  Handle nullStyle = NewHandleClear(sizeof(NullStRec));
  Handle nullScrap = NewHandleClear(sizeof(short) + sizeof(ScrpSTElement));
  if (!st || !tab || !lh || !nullStyle || !nullScrap) {
    for (Handle h : {st, tab, lh, nullStyle, nullScrap}) {
      if (h) DisposeHandle(h);
    }
    return false;
  }
  auto sh = reinterpret_cast<TEStyleHandle>(st);
  (*sh)->styleTab = reinterpret_cast<STHandle>(tab);
  (*sh)->lhTab = reinterpret_cast<LHHandle>(lh);
  (*sh)->nullStyle = reinterpret_cast<NullStHandle>(nullStyle);
  (*(*sh)->nullStyle)->nullScrap = reinterpret_cast<StScrpHandle>(nullScrap);
  te = *hTE;
  te->txSize = -1;
  SetStyleHandleField(hTE, sh);
  return StoreRuns(hTE, StyleRuns::Single(v, te->teLength));
}

void DisposeStyleRecord(TEHandle hTE) {
  TEStyleHandle sh = StyleHandleOf(hTE);
  if (!sh || !*sh) return;
  TEStylePtr st = *sh;
  if (st->nullStyle && *st->nullStyle && (*st->nullStyle)->nullScrap)
    DisposeHandle(reinterpret_cast<Handle>((*st->nullStyle)->nullScrap));
  for (Handle h : {reinterpret_cast<Handle>(st->styleTab), reinterpret_cast<Handle>(st->lhTab),
                   reinterpret_cast<Handle>(st->nullStyle)}) {
    if (h) DisposeHandle(h);
  }
  DisposeHandle(reinterpret_cast<Handle>(sh));
  (*hTE)->txFont = 0;
  (*hTE)->txFace = 0;
}

bool StoreLineHeight(TEHandle hTE, const StyleRuns& runs, int line, int start, int end) {
  if (line >= kMaxLineHeights) return false;
  TEStyleHandle sh = StyleHandleOf(hTE);
  if (!sh || !*sh || !(*sh)->lhTab) return true;
  auto lh = reinterpret_cast<Handle>((*sh)->lhTab);
  const long need = (line + 1) * 2L;
  if (GetHandleSize(lh) < need) {
    const long entries = std::min<long>(kMaxLineHeights, (line / kLineStartGrowth + 1) * kLineStartGrowth);
    SetHandleSize(lh, entries * 2);
    if (MemError() != noErr) return false;
  }
  int height = 0;
  if (!runs.runs.empty() && !runs.table.empty()) {
    const int last = std::max(start + 1, end);
    for (int r = runs.RunAt(start); r < runs.RunCount() && runs.runs[r].start < last; ++r)
      height = std::max<int>(height, runs.table[runs.runs[r].index].style.height);
  }
  (*reinterpret_cast<LHHandle>(lh))[line] = static_cast<short>(height);
  return true;
}

void TrimLineHeights(TEHandle hTE, int lines) {
  TEStyleHandle sh = StyleHandleOf(hTE);
  if (!sh || !*sh || !(*sh)->lhTab) return;
  auto lh = reinterpret_cast<Handle>((*sh)->lhTab);
  const long entries = std::max(1, std::min(lines, kMaxLineHeights));
  if (GetHandleSize(lh) > entries * 2) SetHandleSize(lh, entries * 2);
}

void ClearNullStyle(TEHandle hTE) {
  StScrpHandle scrap = NullScrap(hTE);
  if (scrap) (*scrap)->scrpNStyles = 0;
}

void UpdateRunsForReplace(TEHandle hTE, int at, int removed, int inserted,
                          const std::vector<std::pair<int, StyleValue>>* styles) {
  if (!StyleHandleOf(hTE)) return;
  const int length = (*hTE)->teLength;
  StyleRuns runs;
  {
    // The runs as they were, for the old length.
    TEStyleHandle sh = StyleHandleOf(hTE);
    if (!sh || !*sh) return;
    const short saved = (*hTE)->teLength;
    (*hTE)->teLength = static_cast<short>(length - inserted + removed);
    runs = LoadRuns(hTE);
    (*hTE)->teLength = saved;
  }
  if (runs.table.empty()) return;
  std::vector<std::pair<int, StyleValue>> nullStyles;
  if (!styles) {
    StScrpHandle nullScrap = NullScrap(hTE);
    if (nullScrap && inserted > 0) {
      nullStyles = ReadScrapHandle(nullScrap, inserted);
      (*nullScrap)->scrpNStyles = 0;
      styles = &nullStyles;
    }
  }
  runs.Replace(at, removed, inserted, nullptr, length);
  if (styles && !styles->empty()) {
    std::vector<std::pair<int, StyleValue>> measured = *styles;
    for (auto& s : measured) Measure(hTE, s.second);
    runs.ApplyScrap(at, inserted, measured, length);
  }
  StoreRuns(hTE, runs);
}

}  // namespace zeb::textedit

using namespace zeb;
using namespace zeb::textedit;

namespace {

// The new style of a run under TESetStyle's mode.
StyleValue Changed(const StyleValue& old, short mode, const TextStyle& s, uint8_t toggleClear) {
  StyleValue v = old;
  if (mode & doFont) v.font = s.tsFont;
  if (mode & doFace) {
    if (mode & doToggle) {
      v.face = static_cast<uint8_t>((v.face | s.tsFace) & ~toggleClear);
    } else {
      v.face = s.tsFace == 0 ? 0 : static_cast<uint8_t>(v.face | s.tsFace);
    }
  }
  if (mode & doSize) v.size = s.tsSize;
  if (mode & addSize) v.size = static_cast<int16_t>(std::max(1, v.size + s.tsSize));
  if (mode & doColor) {
    v.red = s.tsColor.red;
    v.green = s.tsColor.green;
    v.blue = s.tsColor.blue;
  }
  return v;
}

// Face bits every run of [from, to) has.
uint8_t CommonFace(const StyleRuns& runs, int from, int to) {
  uint8_t common = 0xFF;
  for (int r = runs.RunAt(from); r < runs.RunCount() && (r == runs.RunAt(from) || runs.runs[r].start < to); ++r)
    common &= runs.table[runs.runs[r].index].style.face;
  return common;
}

void Restyle(TEHandle hTE, int from, int to,
             const std::function<StyleValue(const StyleValue&)>& change, bool redraw) {
  StyleRuns runs = LoadRuns(hTE);
  if (runs.table.empty()) return;
  runs.Restyle(from, to, [&](const StyleValue& old) {
    StyleValue v = change(old);
    if (!v.SameStyle(old)) Measure(hTE, v);
    return v;
  }, (*hTE)->teLength);
  StoreRuns(hTE, runs);
  RecalculateAndRedraw(hTE, redraw);
}

}  // namespace

extern "C" {

void ZEBAPI TESetStyleHandle(TEStyleHandle theHandle, TEHandle hTE) {
  if (!LiveRecord(hTE) || !theHandle || (*hTE)->txSize != -1) return;
  SetStyleHandleField(hTE, theHandle);
}

TEStyleHandle ZEBAPI TEGetStyleHandle(TEHandle hTE) {
  if (!LiveRecord(hTE)) return nullptr;
  return StyleHandleOf(hTE);
}

void ZEBAPI TEStyleInsert(const void* text, long length, StScrpHandle hST, TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  if (length < 0) length = 0;
  if (!IsStyled(hTE)) {
    TEInsert(text, length, hTE);
    return;
  }
  const auto styles = ReadScrapHandle(hST, static_cast<int>(length));
  TEPtr te = *hTE;
  const short start = te->selStart, end = te->selEnd, before = te->teLength;
  ReplaceText(hTE, start, start, static_cast<const char*>(text), length,
              styles.empty() ? nullptr : &styles, true);
  te = *hTE;
  if (end != start) {
    const short added = static_cast<short>(te->teLength - before);
    te->selStart = static_cast<short>(start + added);
    te->selEnd = static_cast<short>(end + added);
  }
}

StScrpHandle ZEBAPI TEGetStyleScrapHandle(TEHandle hTE) {
  if (!IsStyled(hTE)) return nullptr;
  const StyleRuns runs = LoadRuns(hTE);
  if (runs.table.empty()) return nullptr;
  const std::vector<uint8_t> bytes = WriteStyleScrap(runs, (*hTE)->selStart, (*hTE)->selEnd);
  return reinterpret_cast<StScrpHandle>(BytesToHandle(bytes));
}

void ZEBAPI TEUseStyleScrap(long rangeStart, long rangeEnd, StScrpHandle newStyles,
                            Boolean fRedraw, TEHandle hTE) {
  if (!IsStyled(hTE) || !newStyles) return;
  const int length = (*hTE)->teLength;
  const int from = static_cast<int>(std::clamp<long>(std::min(rangeStart, rangeEnd), 0, length));
  const int to = static_cast<int>(std::clamp<long>(std::max(rangeStart, rangeEnd), 0, length));
  auto styles = ReadScrapHandle(newStyles, to - from);
  if (styles.empty()) return;
  for (auto& s : styles) Measure(hTE, s.second);
  StyleRuns runs = LoadRuns(hTE);
  if (runs.table.empty()) return;
  runs.ApplyScrap(from, to - from, styles, length);
  StoreRuns(hTE, runs);
  RecalculateAndRedraw(hTE, fRedraw != 0);
}

long ZEBAPI TENumStyles(long rangeStart, long rangeEnd, TEHandle hTE) {
  if (!IsStyled(hTE)) return LiveRecord(hTE) ? 1 : 0;
  const StyleRuns runs = LoadRuns(hTE);
  const int length = (*hTE)->teLength;
  const int from = static_cast<int>(std::clamp<long>(std::min(rangeStart, rangeEnd), 0, length));
  const int to = static_cast<int>(std::clamp<long>(std::max(rangeStart, rangeEnd), 0, length));
  return runs.RunsIn(from, to);
}

void ZEBAPI TEGetStyle(short offset, TextStyle* theStyle, short* lineHeight, short* fontAscent,
                       TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  TEPtr te = *hTE;
  if (!IsStyled(hTE)) {
    if (theStyle) {
      TextStyle s{};
      s.tsFont = te->txFont;
      s.tsFace = te->txFace;
      s.tsSize = te->txSize;
      if (te->inPort) {
        GrafPtr saved;
        GetPort(&saved);
        SetPort(te->inPort);
        GetForeColor(&s.tsColor);
        SetPort(saved);
      }
      *theStyle = s;
    }
    if (lineHeight) *lineHeight = te->lineHeight;
    if (fontAscent) *fontAscent = te->fontAscent;
    return;
  }
  const StyleRuns runs = LoadRuns(hTE);
  int at = std::clamp<int>(offset, 0, te->teLength);
  if (at == te->teLength && at > 0) --at;
  const StyleValue& v = runs.StyleAt(at);
  if (theStyle) *theStyle = ToTextStyle(v);
  if (lineHeight) *lineHeight = v.height;
  if (fontAscent) *fontAscent = v.ascent;
}

void ZEBAPI TESetStyle(short mode, const TextStyle* newStyle, Boolean fRedraw, TEHandle hTE) {
  if (!IsStyled(hTE) || !newStyle) return;
  TEPtr te = *hTE;
  const int from = te->selStart, to = te->selEnd;
  const TextStyle s = *newStyle;
  if (from == to) {
    // The null style: the next inserted text takes it.
    StyleRuns runs = LoadRuns(hTE);
    if (runs.table.empty()) return;
    TEStylePtr st = *StyleHandleOf(hTE);
    if (!st->nullStyle || !*st->nullStyle) return;
    StScrpHandle scrap = (*st->nullStyle)->nullScrap;
    StyleValue base = runs.StyleAt(from > 0 ? from - 1 : 0);
    if (StScrpHandle current = NullScrap(hTE)) {
      const auto styles = ReadScrapHandle(current, 1);
      if (!styles.empty()) base = styles[0].second;
    }
    const uint8_t clear = (mode & doToggle) ? static_cast<uint8_t>(base.face & s.tsFace) : 0;
    StyleValue v = Changed(base, mode, s, clear);
    Measure(hTE, v);
    StyleRuns one = StyleRuns::Single(v, 1);
    const std::vector<uint8_t> bytes = WriteStyleScrap(one, 0, 1);
    auto h = reinterpret_cast<Handle>(scrap);
    SetHandleSize(h, static_cast<Size>(bytes.size()));
    if (MemError() == noErr) std::memcpy(*h, bytes.data(), bytes.size());
    return;
  }
  const StyleRuns runs = LoadRuns(hTE);
  if (runs.table.empty()) return;
  const uint8_t clear = (mode & doToggle) ? static_cast<uint8_t>(CommonFace(runs, from, to) & s.tsFace) : 0;
  Restyle(hTE, from, to, [&](const StyleValue& old) { return Changed(old, mode, s, clear); },
          fRedraw != 0);
}

void ZEBAPI TEReplaceStyle(short mode, const TextStyle* oldStyle, const TextStyle* newStyle,
                           Boolean fRedraw, TEHandle hTE) {
  if (!IsStyled(hTE) || !oldStyle || !newStyle) return;
  const TextStyle o = *oldStyle, n = *newStyle;
  const int from = (*hTE)->selStart, to = (*hTE)->selEnd;
  Restyle(hTE, from, to, [&](const StyleValue& old) {
    // Only runs whose chosen attributes all equal the old style's are changed.
    if ((mode & doFont) && old.font != o.tsFont) return old;
    if ((mode & doFace) && old.face != o.tsFace) return old;
    if ((mode & doSize) && old.size != o.tsSize) return old;
    if ((mode & doColor) && (old.red != o.tsColor.red || old.green != o.tsColor.green ||
                             old.blue != o.tsColor.blue))
      return old;
    StyleValue v = old;
    if (mode & doFont) v.font = n.tsFont;
    if (mode & doFace) v.face = n.tsFace;
    if (mode & doSize) v.size = n.tsSize;
    if (mode & doColor) {
      v.red = n.tsColor.red;
      v.green = n.tsColor.green;
      v.blue = n.tsColor.blue;
    }
    return v;
  }, fRedraw != 0);
}

Boolean ZEBAPI TEContinuousStyle(short* mode, TextStyle* aStyle, TEHandle hTE) {
  if (!mode || !aStyle || !LiveRecord(hTE)) return false;
  if (!IsStyled(hTE)) {
    TEGetStyle(0, aStyle, nullptr, nullptr, hTE);
    return true;
  }
  const StyleRuns runs = LoadRuns(hTE);
  TEPtr te = *hTE;
  const int from = te->selStart, to = te->selEnd;
  StyleValue first;
  if (from == to) {
    first = runs.StyleAt(from > 0 ? from - 1 : 0);
    if (StScrpHandle nullScrap = NullScrap(hTE)) {
      const auto styles = ReadScrapHandle(nullScrap, 1);
      if (!styles.empty()) first = styles[0].second;
    }
    *aStyle = ToTextStyle(first);
    return true;
  }
  first = runs.StyleAt(from);
  short continuous = *mode;
  uint8_t face = 0xFF;
  for (int r = runs.RunAt(from); r < runs.RunCount() && runs.runs[r].start < to; ++r) {
    const StyleValue& v = runs.table[runs.runs[r].index].style;
    if (v.font != first.font) continuous &= ~doFont;
    if (v.face != first.face) continuous &= ~doFace;
    if (v.size != first.size) continuous &= ~doSize;
    if (v.red != first.red || v.green != first.green || v.blue != first.blue)
      continuous &= ~doColor;
    face &= v.face;
  }
  *aStyle = ToTextStyle(first);
  aStyle->tsFace = face;
  const bool all = continuous == *mode;
  *mode = continuous;
  return all;
}

void ZEBAPI TEStylePaste(TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  const frame::ToolboxGlobals& g = frame::Globals();
  Handle scrap = *g.teScrpHandle;
  if (!scrap) return;
  const long length = std::clamp<long>(*g.teScrpLength, 0, GetHandleSize(scrap));
  if (!IsStyled(hTE)) {
    TEPaste(hTE);
    return;
  }
  std::vector<char> text(*scrap, *scrap + length);
  std::vector<std::pair<int, StyleValue>> styles;
  if (*g.teStylScrapSwitch && *g.teStylScrapHandle)
    styles = ReadScrapHandle(reinterpret_cast<StScrpHandle>(*g.teStylScrapHandle), static_cast<int>(length));
  TEPtr te = *hTE;
  ReplaceText(hTE, te->selStart, te->selEnd, text.data(), length, styles.empty() ? nullptr : &styles,
              true);
}

}  // extern "C"
