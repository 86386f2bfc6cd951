// Records mirrored in a native edit window: the window does the editing, the record follows it.
// The window ends its lines with CR LF, the record with CR; offsets cross in line_ends.h. The
// window also holds Windows characters and the record Macintosh ones: while character-set
// conversion is on (ZEB_SystemValue 24, as for drawn text and typed keys) the upper half crosses
// through the character tables, one byte for one, so that offsets stay what they are.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MacMemory.h"
#include "TextEdit.h"
#include "events/events_internal.h"
#include "quickdraw/character_sets.h"
#include "textedit/line_ends.h"
#include "textedit/line_layout.h"
#include "textedit/te_state.h"
#include "textedit/textedit_internal.h"

namespace zeb::textedit {

namespace {

constexpr size_t kFixedSize = offsetof(TERec, lineStarts);
constexpr int kCharacterConversion = 24;

bool ConversionOn() { return events::StoredSystemValue(kCharacterConversion) != 0; }

// Record text as the window shows it: CR LF line ends, Windows characters.
std::string ToWindow(const char* text, long length) {
  std::string out = ToWindowsLineEnds(text ? text : "", static_cast<size_t>(std::max(0L, length)));
  if (ConversionOn()) {
    for (char& c : out) c = static_cast<char>(quickdraw::MacToWindowsChar(static_cast<uint8_t>(c)));
  }
  return out;
}

// Window text as the record keeps it: CR line ends, Macintosh characters, at most 32000.
std::string FromWindow(const std::string& text) {
  std::string out = FromWindowsLineEnds(text.data(), text.size(), kMaxTextLength);
  if (ConversionOn()) {
    for (char& c : out) c = static_cast<char>(quickdraw::WindowsToMacChar(static_cast<uint8_t>(c)));
  }
  return out;
}

std::string WindowText(HWND w) {
  const int length = GetWindowTextLengthA(w);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(w, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(0, got)));
  return text;
}

long RecordOffsetToWindow(TEHandle hTE, long offset) {
  TEPtr te = *hTE;
  return RecordToWindowOffset(*te->hText, te->teLength, offset);
}

// The window's selection, in window offsets.
void WindowSelection(HWND w, long* start, long* end) {
  DWORD s = 0, e = 0;
  SendMessageA(w, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  *start = static_cast<long>(std::min(s, e));
  *end = static_cast<long>(std::max(s, e));
}

// Room left for new text in a record of at most 32000 characters.
long Room(TEHandle hTE, long replaced) {
  return std::max(0L, kMaxTextLength - ((*hTE)->teLength - replaced));
}

}  // namespace

void NativeSetSelect(TEHandle hTE, long start, long end) {
  HWND w = NativeWindow(hTE);
  if (start > end) std::swap(start, end);
  const long ws = RecordOffsetToWindow(hTE, start), we = RecordOffsetToWindow(hTE, end);
  SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(ws), static_cast<LPARAM>(we));
  SendMessageA(w, EM_SCROLLCARET, 0, 0);
  ZEB_SethTEfromhWnd(hTE, false);
}

void NativeDelete(TEHandle hTE) {
  HWND w = NativeWindow(hTE);
  SendMessageA(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
  ZEB_SethTEfromhWnd(hTE, true);
}

void NativeReplace(TEHandle hTE, const char* text, long length) {
  HWND w = NativeWindow(hTE);
  ZEB_SethTEfromhWnd(hTE, true);
  TEPtr te = *hTE;
  length = std::min(std::max(0L, length), Room(hTE, te->selEnd - te->selStart));
  const std::string converted = ToWindow(text, length);
  long ws, we;
  WindowSelection(w, &ws, &we);
  SendMessageA(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(converted.c_str()));
  SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(ws), static_cast<LPARAM>(ws + long(converted.size())));
  ZEB_SethTEfromhWnd(hTE, true);
}

void NativeInsert(TEHandle hTE, const char* text, long length) {
  HWND w = NativeWindow(hTE);
  ZEB_SethTEfromhWnd(hTE, true);
  length = std::min(std::max(0L, length), Room(hTE, 0));
  const std::string converted = ToWindow(text, length);
  long ws, we;
  WindowSelection(w, &ws, &we);
  SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(ws), static_cast<LPARAM>(ws));
  SendMessageA(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(converted.c_str()));
  // The characters that were selected stay selected, after the inserted text.
  if (we != ws) {
    const long added = static_cast<long>(converted.size());
    SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(ws + added), static_cast<LPARAM>(we + added));
  }
  ZEB_SethTEfromhWnd(hTE, true);
}

void NativeSetText(TEHandle hTE, const char* text, long length) {
  HWND w = NativeWindow(hTE);
  length = std::min(std::max(0L, length), static_cast<long>(kMaxTextLength));
  const std::string converted = ToWindow(text, length);
  SetWindowTextA(w, converted.c_str());
  const auto end = static_cast<WPARAM>(converted.size());
  SendMessageA(w, EM_SETSEL, end, static_cast<LPARAM>(end));
  ZEB_SethTEfromhWnd(hTE, true);
}

void NativeKey(TEHandle hTE, unsigned char key) {
  HWND w = NativeWindow(hTE);
  ZEB_SethTEfromhWnd(hTE, true);
  TEPtr te = *hTE;
  switch (key) {
    case 0x1C:
    case 0x1D:
    case 0x1E:
    case 0x1F: {
      // Arrows move the window's insertion point; they are never text.
      static const WPARAM kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
      SendMessageA(w, WM_KEYDOWN, kKeys[key - 0x1C], 1);
      SendMessageA(w, WM_KEYUP, kKeys[key - 0x1C], 0xC0000001);
      ZEB_SethTEfromhWnd(hTE, false);
      return;
    }
    case 8:
    case 0x7F: {
      if (te->selStart == te->selEnd) {
        // The character before (Backspace) or after (Delete): a line break goes whole.
        const long at = te->selStart;
        if (key == 8 && at == 0) return;
        if (key == 0x7F && at >= te->teLength) return;
        const long from = key == 8 ? at - 1 : at, to = key == 8 ? at : at + 1;
        SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(RecordOffsetToWindow(hTE, from)),
                     static_cast<LPARAM>(RecordOffsetToWindow(hTE, to)));
      }
      NativeDelete(hTE);
      return;
    }
    default: {
      const char c = static_cast<char>(key);
      NativeReplace(hTE, &c, 1);
      // The insertion point follows the typed character.
      long ws, we;
      WindowSelection(w, &ws, &we);
      SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(we), static_cast<LPARAM>(we));
      ZEB_SethTEfromhWnd(hTE, false);
    }
  }
}

void NativeScroll(TEHandle hTE, short dh, short dv) {
  HWND w = NativeWindow(hTE);
  const int lineHeight = std::max<int>(1, (*hTE)->lineHeight);
  int charWidth = 8;
  if (HDC dc = GetDC(w)) {
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(w, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    if (GetTextMetricsA(dc, &tm) && tm.tmAveCharWidth > 0) charWidth = tm.tmAveCharWidth;
    if (old) SelectObject(dc, old);
    ReleaseDC(w, dc);
  }
  // The record's text moves by dv pixels: the window scrolls the other way, by lines.
  SendMessageA(w, EM_LINESCROLL, static_cast<WPARAM>(-dh / charWidth),
               static_cast<LPARAM>(-dv / lineHeight));
  ZEB_SethTEfromhWnd(hTE, false);
}

void NativeActivate(TEHandle hTE) { SetFocus(NativeWindow(hTE)); }

void SelectEditWindowText(HWND edit, long start, long end) {
  if (!edit || !IsWindow(edit)) return;
  if (start > end) std::swap(start, end);
  const std::string text = WindowText(edit);
  const long length = static_cast<long>(text.size());
  const long ws = RecordOffsetInWindowText(text.data(), length, start);
  const long we = RecordOffsetInWindowText(text.data(), length, end);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(ws), static_cast<LPARAM>(we));
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

}  // namespace zeb::textedit

using namespace zeb::textedit;

extern "C" void ZEBAPI ZEB_SethTEfromhWnd(TEHandle hTE, Boolean force) {
  if (!LiveRecord(hTE)) return;
  HWND w = NativeWindow(hTE);
  if (!w || !IsWindow(w)) return;
  const std::string windowText = WindowText(w);
  const bool modified = SendMessageA(w, EM_GETMODIFY, 0, 0) != 0;
  if (force || modified) {
    const std::string text = FromWindow(windowText);
    Handle h = (*hTE)->hText;
    SetHandleSize(h, static_cast<Size>(text.size()));
    if (MemError() == noErr) {
      if (!text.empty()) std::copy(text.begin(), text.end(), *h);
      (*hTE)->teLength = static_cast<short>(text.size());
      SendMessageA(w, EM_SETMODIFY, FALSE, 0);
    }
  }
  TEPtr te = *hTE;
  // The selection, read after the text so that it is clamped to the text now held.
  long ws, we;
  WindowSelection(w, &ws, &we);
  const long wl = static_cast<long>(windowText.size());
  te->selStart = static_cast<short>(std::min<long>(WindowToRecordOffset(windowText.data(), wl, ws), te->teLength));
  te->selEnd = static_cast<short>(std::min<long>(WindowToRecordOffset(windowText.data(), wl, we), te->teLength));
  // The layout: the window's lines, as record offsets.
  const long lines = std::max<LRESULT>(1, SendMessageA(w, EM_GETLINECOUNT, 0, 0));
  const long nLines = te->teLength == 0 ? 0 : lines;
  SetHandleSize(reinterpret_cast<Handle>(hTE), static_cast<Size>(kFixedSize + (nLines + 1) * 2));
  if (MemError() != noErr) return;
  te = *hTE;
  // The window's line starts ascend: they cross to record offsets in one pass over the text.
  std::vector<long> starts(static_cast<size_t>(nLines));
  for (long i = 0; i < nLines; ++i) {
    const LRESULT at = SendMessageA(w, EM_LINEINDEX, static_cast<WPARAM>(i), 0);
    starts[static_cast<size_t>(i)] = at < 0 ? wl : static_cast<long>(at);
  }
  WindowToRecordOffsets(windowText.data(), wl, starts.data(), nLines);
  for (long i = 0; i < nLines; ++i)
    te->lineStarts[i] = static_cast<short>(std::min<long>(starts[static_cast<size_t>(i)], te->teLength));
  te->nLines = static_cast<short>(nLines);
  te->lineStarts[nLines] = te->teLength;
  const long first = static_cast<long>(SendMessageA(w, EM_GETFIRSTVISIBLELINE, 0, 0));
  te->destRect.top = static_cast<short>(te->viewRect.top - te->lineHeight * first);
  te->destRect.bottom = static_cast<short>(
      std::max<long>(te->destRect.top + te->lineHeight * nLines, te->viewRect.bottom));
}
