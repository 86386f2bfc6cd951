// TextEdit records the library draws itself: text, layout, drawing, selection, keys and clicks.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "Events.h"
#include "Fonts.h"
#include "MacMemory.h"
#include "MacWindows.h"
#include "Quickdraw.h"
#include "TextEdit.h"
#include "frame/address32.h"
#include "ZEB.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "textedit/line_layout.h"
#include "textedit/style_runs.h"
#include "textedit/te_styles.h"
#include "textedit/te_state.h"
#include "textedit/word_breaks.h"

namespace zeb::textedit {

namespace {

constexpr unsigned char kBackspace = 8;
constexpr unsigned char kReturn = 13;
constexpr unsigned char kLeftArrow = 0x1C, kRightArrow = 0x1D, kUpArrow = 0x1E,
                        kDownArrow = 0x1F;
constexpr short kCustomHooksBit = 0x08;
constexpr size_t kFixedSize = offsetof(TERec, lineStarts);

std::map<TEHandle, RecordState>& Records() {
  static std::map<TEHandle, RecordState> records;
  return records;
}

// Click loops wrapped by ZEB_MakePIClickLoop: TEDispose releases the one its record holds.
std::set<void*>& MadeClickLoops() {
  static std::set<void*> made;
  return made;
}

char* Text(TEPtr te) { return *te->hText; }

// The record's port with the record's text attributes, for as long as the scope lasts.
class PortScope {
 public:
  explicit PortScope(TEPtr te) {
    GetPort(&saved_);
    if (te->inPort) SetPort(te->inPort);
    port_ = te->inPort;
    if (port_) {
      font_ = port_->txFont;
      face_ = port_->txFace;
      size_ = port_->txSize;
      mode_ = port_->txMode;
      GetForeColor(&colour_);
      if (te->txSize != -1) {
        TextFont(te->txFont);
        TextFace(te->txFace);
        TextSize(te->txSize);
        TextMode(te->txMode);
      }
    }
  }
  ~PortScope() {
    if (port_) {
      TextFont(font_);
      TextFace(face_);
      TextSize(size_);
      TextMode(mode_);
      RGBForeColor(&colour_);
    }
    SetPort(saved_);
  }
  PortScope(const PortScope&) = delete;
  PortScope& operator=(const PortScope&) = delete;

 private:
  GrafPtr saved_ = nullptr;
  GrafPtr port_ = nullptr;
  short font_ = 0, face_ = 0, size_ = 0, mode_ = 0;
  RGBColor colour_{};
};

void ApplyStyle(const StyleValue& v) {
  TextFont(v.font);
  TextFace(v.face);
  TextSize(v.size);
  RGBColor c{v.red, v.green, v.blue};
  RGBForeColor(&c);
}

// The record seen through the pieces layout and drawing need.
struct View {
  TEHandle h;
  TEPtr te;
  RecordState& state;
  StyleRuns runs;
  bool styled = false;

  View(TEHandle handle, RecordState& s) : h(handle), te(*handle), state(s) {
    styled = te->txSize == -1;
    if (styled) runs = LoadRuns(h);
    if (styled && runs.table.empty()) styled = false;
  }

  // Width of text[start, start + count) in the record's fonts, in its port.
  int Measure(int start, int count) {
    if (count <= 0) return 0;
    const char* text = Text(te);
    if (state.measure) return state.measure(te, text + start, static_cast<short>(count));
    if (!styled) return TextWidth(text, static_cast<short>(start), static_cast<short>(count));
    int width = 0;
    int at = start;
    const int end = start + count;
    while (at < end) {
      const int r = runs.RunAt(at);
      const int runEnd = std::min(end, runs.runs[r + 1].start);
      ApplyStyle(runs.table[runs.runs[r].index].style);
      width += TextWidth(text, static_cast<short>(at), static_cast<short>(std::max(1, runEnd - at)));
      at = std::max(at + 1, runEnd);
    }
    return width;
  }

  int LineStart(int line) const { return te->lineStarts[std::clamp<int>(line, 0, te->nLines)]; }

  // Height and ascent of one line: the record's own, or the tallest style on the line.
  void LineMetrics(int line, int* height, int* ascent) {
    if (!styled) {
      *height = te->lineHeight;
      *ascent = te->fontAscent;
      return;
    }
    const int start = LineStart(line);
    const int end = std::max(start + 1, LineStart(line + 1));
    int h = 0, a = 0;
    for (int r = runs.RunAt(start); r < runs.RunCount() && runs.runs[r].start < end; ++r) {
      const StyleValue& v = runs.table[runs.runs[r].index].style;
      h = std::max<int>(h, v.height);
      a = std::max<int>(a, v.ascent);
    }
    *height = h > 0 ? h : 16;
    *ascent = a > 0 ? a : 12;
  }
  int LineHeight(int line) {
    int h, a;
    LineMetrics(line, &h, &a);
    return h;
  }
  // Lines the text occupies (an empty text still has the caret's line).
  int DrawnLines() const { return std::max<int>(1, te->nLines); }
  int LineTop(int line) {
    if (!styled) return te->destRect.top + line * te->lineHeight;
    int top = te->destRect.top;
    for (int i = 0; i < line; ++i) top += LineHeight(i);
    return top;
  }
  int LineOf(int offset) const {
    int line = 0;
    while (line + 1 < te->nLines && te->lineStarts[line + 1] <= offset) ++line;
    // An offset at the end of a text that ends with CR is on the empty last line.
    if (te->nLines > 0 && offset >= te->teLength && te->lineStarts[te->nLines - 1] == te->teLength)
      line = te->nLines - 1;
    return line;
  }
  // The characters of a line that are drawn: without its closing CR.
  int VisibleEnd(int line) {
    const int start = LineStart(line), end = LineStart(line + 1);
    if (end > start && Text(te)[end - 1] == static_cast<char>(kReturn)) return end - 1;
    return end;
  }
  int LineLeft(int line) {
    const int width = te->destRect.right - te->destRect.left;
    const int used = Measure(LineStart(line), VisibleEnd(line) - LineStart(line));
    if (te->just == teJustCenter) return te->destRect.left + (width - used) / 2;
    if (te->just == teJustRight) return te->destRect.right - used;
    return te->destRect.left;
  }
  int OffsetX(int offset) {
    const int line = LineOf(offset);
    const int start = LineStart(line);
    return LineLeft(line) + Measure(start, std::min(offset, VisibleEnd(line)) - start);
  }
};

Boolean CallWordBreak(TEPtr te, int offset) {
  if (!te->wordBreak || te->wordBreak == SimpleWordBreak)
    return IsWordBreakCharacter(static_cast<uint8_t>(Text(te)[offset]));
  return te->wordBreak(Text(te), static_cast<short>(offset));
}

// The record's handle as the store of its line starts.
class RecordLines : public LineStore {
 public:
  RecordLines(TEHandle h, View* view) : h_(h), view_(view) {}
  int Capacity() const override {
    return static_cast<int>((GetHandleSize(reinterpret_cast<Handle>(h_)) - kFixedSize) / 2);
  }
  bool Grow(int entries) override {
    SetHandleSize(reinterpret_cast<Handle>(h_), static_cast<Size>(kFixedSize + entries * 2));
    if (MemError() != noErr) return false;
    view_->te = *h_;
    return true;
  }
  int16_t* Starts() override { return (*h_)->lineStarts; }
  bool RecordLineHeight(int line, int start, int end) override {
    if (!view_->styled) return true;
    return StoreLineHeight(h_, view_->runs, line, start, end);
  }

 private:
  TEHandle h_;
  View* view_;
};

LayoutText Describe(View& v) {
  LayoutText t;
  t.text = reinterpret_cast<const uint8_t*>(Text(v.te));
  t.length = v.te->teLength;
  t.width = v.te->destRect.right - v.te->destRect.left;
  t.crOnly = v.te->crOnly < 0;
  t.measure = [&v](int start, int count) { return v.Measure(start, count); };
  TEPtr* te = &v.te;
  t.isBreak = [te](int offset) { return CallWordBreak(*te, offset) != 0; };
  return t;
}

// Lays the record out, whole or after a change, and cuts its handle to the lines it has.
int Layout(View& v, const TextChange* change) {
  PortScope scope(v.te);
  RecordLines store(v.h, &v);
  const LayoutText t = Describe(v);
  const LayoutResult r =
      change ? LayOutChange(t, store, v.te->nLines, *change) : LayOutAll(t, store);
  v.te = *v.h;
  v.te->nLines = static_cast<short>(r.nLines);
  SetHandleSize(reinterpret_cast<Handle>(v.h), static_cast<Size>(kFixedSize + (r.nLines + 1) * 2));
  v.te = *v.h;
  if (v.styled) TrimLineHeights(v.h, r.nLines);
  return r.firstChangedLine;
}

void Hilite(View& v, const Rect& r) {
  Rect box = r;
  if (box.bottom <= box.top || box.right <= box.left) return;
  if (v.state.hilite) {
    v.state.hilite(v.te, &box);
  } else if (v.te->highHook) {
    v.te->highHook(&box, v.te);
  } else {
    InvertRec(&box);
  }
}

// The selection or, with an empty selection, the caret while it is shown.
void DrawHighlight(View& v) {
  TEPtr te = v.te;
  if (!(te->active & 1)) return;
  if (te->selStart == te->selEnd) {
    if (!te->caretState) return;
    const int line = v.LineOf(te->selStart);
    const int x = v.OffsetX(te->selStart);
    const int top = v.LineTop(line);
    Rect caret{static_cast<short>(top), static_cast<short>(x - 1),
               static_cast<short>(top + v.LineHeight(line)), static_cast<short>(x)};
    if (caret.left < te->destRect.left) {
      caret.left = te->destRect.left;
      caret.right = static_cast<short>(caret.left + 1);
    }
    Hilite(v, caret);
    return;
  }
  const int first = v.LineOf(te->selStart), last = v.LineOf(te->selEnd);
  for (int line = first; line <= last; ++line) {
    const int top = v.LineTop(line);
    const int left = line == first ? v.OffsetX(te->selStart) : te->destRect.left;
    int right = line == last ? v.OffsetX(te->selEnd) : te->destRect.right;
    if (line == last && te->selEnd > v.VisibleEnd(line) && te->selEnd >= v.LineStart(line + 1))
      right = te->destRect.right;
    if (line == last && line != first && te->selEnd == v.LineStart(line)) break;
    Rect r{static_cast<short>(top), static_cast<short>(left),
           static_cast<short>(top + v.LineHeight(line)), static_cast<short>(right)};
    Hilite(v, r);
  }
}

void DrawLineText(View& v, int line, int baseline) {
  const int start = v.LineStart(line), end = v.VisibleEnd(line);
  MoveT(static_cast<short>(v.LineLeft(line)), static_cast<short>(baseline));
  const char* text = Text(v.te);
  if (end <= start) return;
  if (v.state.drawText) {
    v.state.drawText(v.te, text + start, static_cast<short>(end - start));
    return;
  }
  if (!v.styled) {
    DrawTex(text, static_cast<short>(start), static_cast<short>(end - start));
    return;
  }
  int at = start;
  while (at < end) {
    const int r = v.runs.RunAt(at);
    const int runEnd = std::min(end, v.runs.runs[r + 1].start);
    ApplyStyle(v.runs.table[v.runs.runs[r].index].style);
    DrawTex(text, static_cast<short>(at), static_cast<short>(std::max(1, runEnd - at)));
    at = std::max(at + 1, runEnd);
  }
}

// Erases and draws the lines from `first` on that meet `area`, inside viewRect only, then the
// highlight.
void DrawLines(View& v, int first, const Rect& area) {
  PortScope scope(v.te);
  TEPtr te = v.te;
  Rect clip;
  if (!SectRect(&te->viewRect, &area, &clip)) return;
  RgnHandle saved = NewRgn();
  GetClip(saved);
  RgnHandle limit = NewRgn();
  RectRgn(limit, &clip);
  SectRgn(limit, saved, limit);
  SetClip(limit);
  const int lines = v.DrawnLines();
  int top = v.LineTop(first);
  Rect below{static_cast<short>(top), clip.left, clip.bottom, clip.right};
  if (below.top < clip.top) below.top = clip.top;
  if (below.bottom > below.top) EraseRect(&below);
  for (int line = first; line < lines && top < clip.bottom; ++line) {
    int height, ascent;
    v.LineMetrics(line, &height, &ascent);
    if (top + height > clip.top && te->nLines > 0) DrawLineText(v, line, top + ascent);
    top += height;
  }
  DrawHighlight(v);
  SetClip(saved);
  DisposeRgn(limit);
  DisposeRgn(saved);
}

void Redraw(View& v, int firstLine) {
  DrawLines(v, std::max(0, firstLine), v.te->viewRect);
}

// Toggles the highlight alone, with the record's port and clip.
void ToggleHighlight(View& v) {
  PortScope scope(v.te);
  RgnHandle saved = NewRgn();
  GetClip(saved);
  RgnHandle limit = NewRgn();
  RectRgn(limit, &v.te->viewRect);
  SectRgn(limit, saved, limit);
  SetClip(limit);
  DrawHighlight(v);
  SetClip(saved);
  DisposeRgn(limit);
  DisposeRgn(saved);
}

short ClampOffset(TEPtr te, long offset) {
  return static_cast<short>(std::clamp<long>(offset, 0, te->teLength));
}

}  // namespace

RecordState* LiveRecord(TEHandle hTE) {
  // A disposed record's handle is never read: only registered records are.
  if (!hTE) return nullptr;
  auto it = Records().find(hTE);
  if (it == Records().end() || !*hTE) return nullptr;
  if (!(*hTE)->hText || !*(*hTE)->hText) return nullptr;
  TEPtr te = *hTE;
  // The text and selection the application may have set directly are kept in bounds.
  const long size = GetHandleSize(te->hText);
  if (te->teLength < 0) te->teLength = 0;
  if (te->teLength > kMaxTextLength) te->teLength = kMaxTextLength;
  if (te->teLength > size) te->teLength = static_cast<short>(size);
  te->selStart = ClampOffset(te, te->selStart);
  te->selEnd = ClampOffset(te, te->selEnd);
  if (te->selStart > te->selEnd) std::swap(te->selStart, te->selEnd);
  if (te->nLines < 0) te->nLines = 0;
  const long capacity = (GetHandleSize(reinterpret_cast<Handle>(hTE)) - long(kFixedSize)) / 2;
  if (te->nLines + 1 > capacity) te->nLines = static_cast<short>(std::max(0L, capacity - 1));
  return &it->second;
}

RecordState& RegisterRecord(TEHandle hTE) { return Records()[hTE]; }
void ForgetRecord(TEHandle hTE) { Records().erase(hTE); }

// ---- Shared by the calls below and the styled calls ----

// Replaces [from, to) by text (clamped so that the record stays within 32000 characters), lays
// out again from the change and redraws the changed lines. styles: the style scrap the new text
// takes, nullptr for the style of the insertion point (or the null style).
bool ReplaceText(TEHandle hTE, long from, long to, const char* text, long length,
                 const std::vector<std::pair<int, StyleValue>>* styles, bool draw) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return false;
  TEPtr te = *hTE;
  from = ClampOffset(te, from);
  to = ClampOffset(te, to);
  if (from > to) std::swap(from, to);
  if (length < 0 || !text) length = 0;
  const long kept = te->teLength - (to - from);
  length = std::min<long>(length, kMaxTextLength - kept);
  const long newLength = kept + length;
  Handle h = te->hText;
  const long tail = te->teLength - to;
  // The text is copied first: it may lie in the record's own text.
  std::vector<char> inserted(text, text + length);
  if (newLength > GetHandleSize(h)) {
    SetHandleSize(h, newLength);
    if (MemError() != noErr) return false;
  }
  te = *hTE;
  std::memmove(*h + from + length, *h + to, static_cast<size_t>(tail));
  if (length) std::memcpy(*h + from, inserted.data(), static_cast<size_t>(length));
  if (newLength < GetHandleSize(h)) SetHandleSize(h, newLength);
  te->teLength = static_cast<short>(newLength);
  UpdateRunsForReplace(hTE, static_cast<int>(from), static_cast<int>(to - from),
                       static_cast<int>(length), styles);
  View v(hTE, *state);
  const TextChange change{static_cast<int>(from), static_cast<int>(to - from),
                          static_cast<int>(length)};
  const int first = Layout(v, &change);
  te = *hTE;
  te->selStart = te->selEnd = static_cast<short>(from + length);
  te->clickTime = 0;
  te->clickLoc = 0;
  // The redrawn lines show the caret at once, and its blinking starts again.
  if (draw && (te->active & 1)) {
    te->caretState = 1;
    te->caretTime = static_cast<long>(TickCount());
  }
  if (draw) Redraw(v, first);
  return true;
}

void RecalculateAndRedraw(TEHandle hTE, bool draw) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return;
  View v(hTE, *state);
  Layout(v, nullptr);
  if (draw) Redraw(v, 0);
}

void SelectRange(TEHandle hTE, long start, long end) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return;
  TEPtr te = *hTE;
  start = ClampOffset(te, start);
  end = ClampOffset(te, end);
  if (start > end) std::swap(start, end);
  if (start != te->selStart || end != te->selEnd) ClearNullStyle(hTE);
  View v(hTE, *state);
  ToggleHighlight(v);  // off
  te->selStart = static_cast<short>(start);
  te->selEnd = static_cast<short>(end);
  ToggleHighlight(v);  // on
}

}  // namespace zeb::textedit

using namespace zeb;
using namespace zeb::textedit;

namespace {

void InitialiseRecord(TEPtr te, const Rect* destRect, const Rect* viewRect) {
  std::memset(te, 0, kFixedSize + 2);
  te->destRect = *destRect;
  te->viewRect = *viewRect;
  GrafPtr port = nullptr;
  GetPort(&port);
  te->inPort = port;
  if (port) {
    te->txFont = port->txFont;
    te->txFace = port->txFace;
    te->txMode = port->txMode;
    te->txSize = port->txSize;
  }
  te->wordBreak = SimpleWordBreak;
  te->clikLoop = SimpleClikProc;
  te->just = teJustLeft;
}

TEHandle MakeRecord(const Rect* destRect, const Rect* viewRect) {
  if (!destRect || !viewRect) return nullptr;
  Handle h = NewHandleClear(static_cast<Size>(kFixedSize + 2 * kLineStartGrowth));
  if (!h) return nullptr;
  Handle text = NewHandle(0);
  if (!text) {
    DisposeHandle(h);
    return nullptr;
  }
  auto hTE = reinterpret_cast<TEHandle>(h);
  InitialiseRecord(*hTE, destRect, viewRect);
  (*hTE)->hText = text;
  FontInfo info{};
  GetFontInfo(&info);
  // One pixel more than the font's height, as the library has always spaced its lines.
  (*hTE)->lineHeight = static_cast<short>(info.ascent + info.descent + info.leading + 1);
  (*hTE)->fontAscent = static_cast<short>(info.ascent + info.leading);
  SetHandleSize(h, static_cast<Size>(kFixedSize + 2));
  RegisterRecord(hTE);
  return hTE;
}

}  // namespace

extern "C" {

void ZEBAPI TEInit(void) {
  const frame::ToolboxGlobals& g = frame::Globals();
  if (!*g.teScrpHandle) *g.teScrpHandle = NewHandle(0);
  *g.teScrpLength = 0;
  *g.teStylScrapSwitch = 0;
  if (*g.teStylScrapHandle) {
    DisposeHandle(*g.teStylScrapHandle);
    *g.teStylScrapHandle = nullptr;
  }
}

TEHandle ZEBAPI TENew(const Rect* destRect, const Rect* viewRect) {
  return MakeRecord(destRect, viewRect);
}

TEHandle ZEBAPI TEStyleNew(const Rect* destRect, const Rect* viewRect) {
  TEHandle hTE = MakeRecord(destRect, viewRect);
  if (!hTE) return nullptr;
  if (!AttachNewStyleRecord(hTE)) {
    TEDispose(hTE);
    return nullptr;
  }
  (*hTE)->lineHeight = -1;
  (*hTE)->fontAscent = -1;
  return hTE;
}

void ZEBAPI TEDispose(TEHandle hTE) {
  if (!hTE || Records().find(hTE) == Records().end()) return;
  RecordState& state = Records()[hTE];
  if (state.wrappedClickLoop) frame::ReleaseCallback(state.wrappedClickLoop);
  if (*hTE) {
    TEPtr te = *hTE;
    auto made = MadeClickLoops().find(reinterpret_cast<void*>(te->clikLoop));
    if (made != MadeClickLoops().end()) {
      frame::ReleaseCallback(te->clikLoop);
      MadeClickLoops().erase(made);
    }
    DisposeStyleRecord(hTE);
    if ((*hTE)->hText) DisposeHandle((*hTE)->hText);
  }
  ForgetRecord(hTE);
  DisposeHandle(reinterpret_cast<Handle>(hTE));
}

void ZEBAPI TESetText(const void* text, long length, TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  if (NativeWindow(hTE)) {
    NativeSetText(hTE, static_cast<const char*>(text), length < 0 ? 0 : length);
    return;
  }
  ReplaceText(hTE, 0, (*hTE)->teLength, static_cast<const char*>(text), length, nullptr, false);
}

CharsHandle ZEBAPI TEGetText(TEHandle hTE) {
  if (!hTE || Records().find(hTE) == Records().end() || !*hTE) return nullptr;
  return reinterpret_cast<CharsHandle>((*hTE)->hText);
}

void ZEBAPI TECalText(TEHandle hTE) {
  if (!LiveRecord(hTE) || NativeWindow(hTE)) return;
  RecalculateAndRedraw(hTE, false);
}

void ZEBAPI TEUpdate(const void* rUpdate, TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state || NativeWindow(hTE)) return;
  View v(hTE, *state);
  const Rect area = rUpdate ? *static_cast<const Rect*>(rUpdate) : (*hTE)->viewRect;
  DrawLines(v, 0, area);
}

void ZEBAPI TESetSelect(long selStart, long selEnd, TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  if (NativeWindow(hTE)) {
    NativeSetSelect(hTE, selStart, selEnd);
    return;
  }
  SelectRange(hTE, selStart, selEnd);
}

void ZEBAPI TEActivate(TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return;
  if (NativeWindow(hTE)) {
    (*hTE)->active = 1;
    NativeActivate(hTE);
    return;
  }
  TEPtr te = *hTE;
  if (te->active & 1) return;
  te->active = 1;
  te->caretState = 1;
  te->caretTime = static_cast<long>(TickCount());
  View v(hTE, *state);
  ToggleHighlight(v);
}

void ZEBAPI TEDeactivate(TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return;
  if (NativeWindow(hTE)) {
    (*hTE)->active = 0;
    return;
  }
  TEPtr te = *hTE;
  if (!(te->active & 1)) return;
  View v(hTE, *state);
  ToggleHighlight(v);
  te->active = 0;
  te->caretState = 0;
}

void ZEBAPI TEIdle(TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state || NativeWindow(hTE)) return;
  TEPtr te = *hTE;
  if (!(te->active & 1) || te->selStart != te->selEnd) return;
  const unsigned long now = TickCount();
  if (now - static_cast<unsigned long>(te->caretTime) < GetCaretTime()) return;
  View v(hTE, *state);
  ToggleHighlight(v);
  te->caretState = te->caretState ? 0 : 1;
  te->caretTime = static_cast<long>(now);
}

void ZEBAPI TEDelete(TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  if (NativeWindow(hTE)) {
    NativeDelete(hTE);
    return;
  }
  TEPtr te = *hTE;
  if (te->selStart == te->selEnd) return;
  ReplaceText(hTE, te->selStart, te->selEnd, nullptr, 0, nullptr, true);
}

void ZEBAPI TEInsert(const void* text, long length, TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  if (length < 0) length = 0;
  if (NativeWindow(hTE)) {
    NativeInsert(hTE, static_cast<const char*>(text), length);
    return;
  }
  // The text goes in before the selection, which keeps its characters.
  TEPtr te = *hTE;
  const short start = te->selStart, end = te->selEnd;
  const short before = te->teLength;
  ReplaceText(hTE, start, start, static_cast<const char*>(text), length, nullptr, true);
  te = *hTE;
  const short added = static_cast<short>(te->teLength - before);
  if (end != start) {
    te->selStart = static_cast<short>(start + added);
    te->selEnd = static_cast<short>(end + added);
  }
}

void ZEBAPI TEKey(CharParameter key, TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return;
  const auto ch = static_cast<unsigned char>(key);
  if (NativeWindow(hTE)) {
    NativeKey(hTE, ch);
    return;
  }
  ObscureCursor();
  TEPtr te = *hTE;
  if (ch >= kLeftArrow && ch <= kDownArrow) {
    long offset = te->selStart;
    if (ch == kLeftArrow) offset = te->selStart != te->selEnd ? te->selStart : te->selStart - 1;
    if (ch == kRightArrow) offset = te->selStart != te->selEnd ? te->selEnd : te->selEnd + 1;
    if (ch == kUpArrow || ch == kDownArrow) {
      View v(hTE, *state);
      PortScope scope(te);
      const int line = v.LineOf(ch == kUpArrow ? te->selStart : te->selEnd);
      const int target = ch == kUpArrow ? line - 1 : line + 1;
      const int x = v.OffsetX(ch == kUpArrow ? te->selStart : te->selEnd);
      if (target < 0) {
        offset = 0;
      } else if (target >= v.DrawnLines()) {
        offset = te->teLength;
      } else {
        Point p{static_cast<short>(v.LineTop(target) + 1), static_cast<short>(x)};
        offset = TEGetOffset(p, hTE);
      }
    }
    SelectRange(hTE, offset, offset);
    TESelView(hTE);
    return;
  }
  if (ch == kBackspace) {
    if (te->selStart != te->selEnd) {
      ReplaceText(hTE, te->selStart, te->selEnd, nullptr, 0, nullptr, true);
    } else if (te->selStart > 0) {
      ReplaceText(hTE, te->selStart - 1, te->selStart, nullptr, 0, nullptr, true);
    }
  } else {
    const char c = static_cast<char>(ch);
    ReplaceText(hTE, te->selStart, te->selEnd, &c, 1, nullptr, true);
  }
  TESelView(hTE);
}

short ZEBAPI TEGetOffset(Point pt, TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return 0;
  View v(hTE, *state);
  PortScope scope(v.te);
  TEPtr te = v.te;
  if (te->nLines == 0) return 0;
  int line = 0, top = te->destRect.top;
  while (line + 1 < te->nLines && top + v.LineHeight(line) <= pt.v) {
    top += v.LineHeight(line);
    ++line;
  }
  if (pt.v < te->destRect.top) line = 0;
  const int start = v.LineStart(line), end = v.VisibleEnd(line);
  const int left = v.LineLeft(line);
  int best = start, bestDistance = std::abs(pt.h - left);
  for (int i = start + 1; i <= end; ++i) {
    const int d = std::abs(pt.h - (left + v.Measure(start, i - start)));
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return static_cast<short>(best);
}

Point ZEBAPI TEGetPoint(short offset, TEHandle hTE) {
  Point p{0, 0};
  RecordState* state = LiveRecord(hTE);
  if (!state) return p;
  View v(hTE, *state);
  PortScope scope(v.te);
  const int at = ClampOffset(v.te, offset);
  const int line = v.LineOf(at);
  p.h = static_cast<short>(v.OffsetX(at));
  p.v = static_cast<short>(v.LineTop(line) + v.LineHeight(line));
  return p;
}

long ZEBAPI TEGetHeight(long endLine, long startLine, TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return 0;
  View v(hTE, *state);
  const long lines = v.DrawnLines();
  if (startLine > endLine) std::swap(startLine, endLine);
  startLine = std::clamp<long>(startLine, 1, lines);
  endLine = std::clamp<long>(endLine, 1, lines);
  long height = 0;
  for (long line = startLine; line <= endLine; ++line) height += v.LineHeight(line - 1);
  return height;
}

void ZEBAPI TEScroll(short dh, short dv, TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  if (NativeWindow(hTE)) {
    NativeScroll(hTE, dh, dv);
    return;
  }
  if (!dh && !dv) return;
  TEPtr te = *hTE;
  OffsetRec(&te->destRect, dh, dv);
  TEUpdate(&te->viewRect, hTE);
}

void ZEBAPI TEPinScroll(short dh, short dv, TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return;
  TEPtr te = *hTE;
  View v(hTE, *state);
  const long height = TEGetHeight(v.DrawnLines(), 1, hTE);
  // Scrolling stops when the last line or the first shows.
  if (dv < 0) {
    const long room = te->destRect.top + height - te->viewRect.bottom;
    dv = static_cast<short>(-std::clamp<long>(-dv, 0, std::max(0L, room)));
  } else if (dv > 0) {
    const long room = te->viewRect.top - te->destRect.top;
    dv = static_cast<short>(std::clamp<long>(dv, 0, std::max(0L, room)));
  }
  if (dh < 0) {
    const long room = te->destRect.right - te->viewRect.right;
    dh = static_cast<short>(-std::clamp<long>(-dh, 0, std::max(0L, room)));
  } else if (dh > 0) {
    const long room = te->viewRect.left - te->destRect.left;
    dh = static_cast<short>(std::clamp<long>(dh, 0, std::max(0L, room)));
  }
  TEScroll(dh, dv, hTE);
}

void ZEBAPI TEAutoView(Boolean fAuto, TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (state) state->autoView = fAuto != 0;
}

void ZEBAPI TESelView(TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state || !state->autoView || NativeWindow(hTE)) return;
  TEPtr te = *hTE;
  View v(hTE, *state);
  PortScope scope(te);
  const int line = v.LineOf(te->selStart);
  const int top = v.LineTop(line), bottom = top + v.LineHeight(line);
  const int x = v.OffsetX(te->selStart);
  int dv = 0, dh = 0;
  if (top < te->viewRect.top) dv = te->viewRect.top - top;
  else if (bottom > te->viewRect.bottom) dv = te->viewRect.bottom - bottom;
  if (x < te->viewRect.left) dh = te->viewRect.left - x;
  else if (x > te->viewRect.right) dh = te->viewRect.right - x;
  TEScroll(static_cast<short>(dh), static_cast<short>(dv), hTE);
}

void ZEBAPI TESetAlignment(short just, TEHandle hTE) {
  if (!LiveRecord(hTE) || NativeWindow(hTE)) return;
  if (just != teJustLeft && just != teJustCenter && just != teJustRight) return;
  (*hTE)->just = just;
}

void ZEBAPI TESetWordBreak(WordBreakProcPtr wBrkProc, TEHandle hTE) {
  if (!LiveRecord(hTE) || NativeWindow(hTE)) return;
  (*hTE)->wordBreak = wBrkProc;
}

void ZEBAPI TESetClickLoop(TEClickLoopProcPtr clikProc, TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state || NativeWindow(hTE)) return;
  if (state->wrappedClickLoop) frame::ReleaseCallback(state->wrappedClickLoop);
  state->wrappedClickLoop = nullptr;
  if (clikProc && clikProc != SimpleClikProc && !frame::SessionFlag(ZEB_SF_NOPROCINSTANCES)) {
    state->wrappedClickLoop = frame::WrapCallback(clikProc);
    (*hTE)->clikLoop = state->wrappedClickLoop;
  } else {
    // An application that asked for its callbacks unchanged gets its procedure stored as
    // given, and nothing to release later: clearing the flag afterwards must not make the
    // library free a procedure it never made.
    (*hTE)->clikLoop = clikProc ? clikProc : SimpleClikProc;
  }
}

void ZEBAPI ZEB_MakePIClickLoop(TEClickLoopProcPtr* proc) {
  if (!proc || !*proc || frame::SessionFlag(ZEB_SF_NOPROCINSTANCES)) return;
  *proc = frame::WrapCallback(*proc);
  MadeClickLoops().insert(reinterpret_cast<void*>(*proc));
}

void ZEBAPI TEClick(Point pt, Boolean fExtend, TEHandle hTE) {
  RecordState* state = LiveRecord(hTE);
  if (!state || NativeWindow(hTE)) return;
  if (!((*hTE)->active & 1)) TEActivate(hTE);
  TEPtr te = *hTE;
  const short offset = TEGetOffset(pt, hTE);
  const unsigned long now = TickCount();
  const bool doubleClick = !fExtend && offset == te->clickLoc && te->clickTime != 0 &&
                           now - static_cast<unsigned long>(te->clickTime) < GetDblTime();
  if (doubleClick) {
    te->clickTime = 0;
  } else {
    te->clickTime = static_cast<long>(now);
    te->clickLoc = offset;
  }
  short anchor = offset;
  if (fExtend) anchor = te->selStart < offset ? te->selStart : te->selEnd;
  auto wordAround = [hTE](short at, short* from, short* to) {
    TEPtr t = *hTE;
    int a = at, b = at;
    while (a > 0 && !CallWordBreak(t, a - 1)) --a;
    while (b < t->teLength && !CallWordBreak(t, b)) ++b;
    *from = static_cast<short>(a);
    *to = static_cast<short>(b);
  };
  auto select = [&](short at) {
    short a = std::min(anchor, at), b = std::max(anchor, at);
    if (doubleClick) {
      short f, t;
      wordAround(a, &f, &t);
      a = f;
      wordAround(b, &f, &t);
      b = std::max(b, t);
    }
    if (a != (*hTE)->selStart || b != (*hTE)->selEnd) SelectRange(hTE, a, b);
  };
  select(offset);
  HWND window = te->inPort ? ZEB_GethWnd(te->inPort) : nullptr;
  HWND captured = window ? SetCapture(window) : nullptr;
  (void)captured;
  short last = offset;
  while (StillDown()) {
    TEClickLoopProcPtr loop = (*hTE)->clikLoop;
    if (loop && !loop()) break;
    if (!LiveRecord(hTE)) return;
    Point mouse;
    GrafPtr savedPort;
    GetPort(&savedPort);
    SetPort((*hTE)->inPort);
    GetMouse(&mouse);
    SetPort(savedPort);
    const short at = TEGetOffset(mouse, hTE);
    if (at != last) {
      last = at;
      select(at);
    }
  }
  if (window && GetCapture() == window) ReleaseCapture();
  if ((*hTE)->teLength > 0) TESelView(hTE);
}

Boolean ZEBAPI SimpleWordBreak(Ptr text, short charPos) {
  if (!text || charPos < 0) return true;
  return IsWordBreakCharacter(static_cast<uint8_t>(text[charPos]));
}

Boolean ZEBAPI SimpleLineBreak(Ptr text, short charPos) {
  if (!text || charPos < 0) return true;
  return IsLineBreakCharacter(static_cast<uint8_t>(text[charPos]));
}

Boolean ZEBAPI SimpleClikProc(void) { return true; }

void ZEBAPI TETextBox(const void* text, long length, const Rect* box, short just) {
  if (!box) return;
  if (length < 0 || !text) length = 0;
  TEHandle hTE = TENew(box, box);
  if (!hTE) return;
  if (just == teJustLeft || just == teJustCenter || just == teJustRight) (*hTE)->just = just;
  ReplaceText(hTE, 0, 0, static_cast<const char*>(text), length, nullptr, false);
  {
    PortScope scope(*hTE);
    EraseRect(box);
  }
  TEUpdate(box, hTE);
  TEDispose(hTE);
}

void ZEBAPI ZEB_SetTE3D(TEHandle hTE, Boolean on) {
  if (!LiveRecord(hTE)) return;
  (*hTE)->te3D = on ? 1 : 0;
}

Boolean ZEBAPI ZEB_GetTE3D(TEHandle hTE) {
  if (!LiveRecord(hTE)) return false;
  unsigned long hdc = 0, printerDC = 0;
  unsigned short printing = 0;
  ZEB_GetCurHDCs(&hdc, &printerDC, &printing);
  if (printing) return false;
  return (*hTE)->te3D != 0;
}

void ZEBAPI ZEB_TECustomHooks(TEHandle hTE, ZEB_TEDrawTextHook drawText,
                              ZEB_TEMeasureHook measure, ZEB_TEHiliteHook hilite) {
  RecordState* state = LiveRecord(hTE);
  if (!state) return;
  if (drawText && measure && hilite) {
    state->drawText = drawText;
    state->measure = measure;
    state->hilite = hilite;
    (*hTE)->clikStuff = static_cast<short>((*hTE)->clikStuff | kCustomHooksBit);
  } else {
    state->drawText = nullptr;
    state->measure = nullptr;
    state->hilite = nullptr;
    (*hTE)->clikStuff = static_cast<short>((*hTE)->clikStuff & ~kCustomHooksBit);
  }
}

}  // extern "C"
