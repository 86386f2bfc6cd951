// The TextEdit scrap: its handle and length live in the application's cells (48 and 49), the
// style scrap and its switch in cells 55 and 56.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "Scrap.h"
#include "TextEdit.h"
#include "frame/toolbox_globals.h"
#include "textedit/line_layout.h"
#include "textedit/te_state.h"
#include "textedit/te_styles.h"

namespace zeb::textedit {

Handle ScrapHandleCell() {
  Handle& h = *frame::Globals().teScrpHandle;
  if (!h) h = NewHandle(0);
  return h;
}

// The 32-bit cell, read as the length it may be: never beyond 0..32000 nor the handle.
long ScrapLengthCell() {
  Handle h = ScrapHandleCell();
  long length = std::clamp<long>(*frame::Globals().teScrpLength, 0, kMaxTextLength);
  if (h) length = std::min<long>(length, GetHandleSize(h));
  return length;
}

void SetScrapLengthCell(long length) {
  *frame::Globals().teScrpLength = std::clamp<long>(length, 0, kMaxTextLength);
}

namespace {

constexpr ResType kTextScrapType = 0x54455854;  // 'TEXT'

// Copies the selection into the TextEdit scrap, with its styles for a styled record.
void CopySelection(TEHandle hTE) {
  TEPtr te = *hTE;
  const long from = te->selStart, to = te->selEnd;
  Handle scrap = ScrapHandleCell();
  if (!scrap) return;
  std::vector<char> text(*te->hText + from, *te->hText + to);
  SetHandleSize(scrap, static_cast<Size>(text.size()));
  if (MemError() != noErr) return;
  if (!text.empty()) std::memcpy(*scrap, text.data(), text.size());
  SetScrapLengthCell(static_cast<long>(text.size()));
  // The copy goes on the desk scrap as well, as the Toolbox's styled TextEdit does, so that the
  // text reaches other programs without the application calling TEToScrap.
  ZeroScrap();
  PutScrap(static_cast<long>(text.size()), kTextScrapType, text.empty() ? nullptr : text.data());
  const frame::ToolboxGlobals& g = frame::Globals();
  if (*g.teStylScrapHandle) {
    DisposeHandle(*g.teStylScrapHandle);
    *g.teStylScrapHandle = nullptr;
  }
  *g.teStylScrapSwitch = 0;
  if (StyleHandleOf(hTE) && !NativeWindow(hTE)) {
    StScrpHandle styles = TEGetStyleScrapHandle(hTE);
    if (styles) {
      *g.teStylScrapHandle = reinterpret_cast<Handle>(styles);
      *g.teStylScrapSwitch = 1;
    }
  }
}

}  // namespace

}  // namespace zeb::textedit

using namespace zeb;
using namespace zeb::textedit;

extern "C" {

Handle ZEBAPI TEScrapHandle(void) { return ScrapHandleCell(); }

long ZEBAPI TEGetScrapLength(void) { return ScrapLengthCell(); }

void ZEBAPI TESetScrapLength(long length) {
  if (length < 0) length = 0;
  if (length > kMaxTextLength) length = kMaxTextLength;
  Handle h = ScrapHandleCell();
  if (!h) return;
  SetHandleSize(h, length);
  if (MemError() != noErr) return;
  SetScrapLengthCell(length);
}

// The Scrap Manager's 'TEXT' becomes the TextEdit scrap. Text beyond what a record can hold
// is cut to 32000 characters; without 'TEXT' on the scrap the TextEdit scrap is kept as it was.
OSErr ZEBAPI TEFromScrap(void) {
  Handle scrap = ScrapHandleCell();
  if (!scrap) return memFullErr;
  Handle incoming = NewHandle(0);
  if (!incoming) return memFullErr;
  long offset = 0;
  long length = GetScrap(incoming, kTextScrapType, &offset);
  if (length < 0) {
    DisposeHandle(incoming);
    return static_cast<OSErr>(length);
  }
  length = std::min<long>({length, static_cast<long>(GetHandleSize(incoming)), kMaxTextLength});
  SetHandleSize(scrap, length);
  if (MemError() != noErr) {
    DisposeHandle(incoming);
    return memFullErr;
  }
  if (length > 0) std::memcpy(*scrap, *incoming, static_cast<size_t>(length));
  DisposeHandle(incoming);
  SetScrapLengthCell(length);
  return noErr;
}

// The TextEdit scrap is put on the Scrap Manager's scrap as 'TEXT'. As in the Toolbox, the
// application clears the scrap with ZeroScrap first.
OSErr ZEBAPI TEToScrap(void) {
  Handle scrap = ScrapHandleCell();
  if (!scrap) return memFullErr;
  const long length = ScrapLengthCell();
  std::vector<char> text(*scrap, *scrap + length);
  return static_cast<OSErr>(
      PutScrap(length, kTextScrapType, text.empty() ? nullptr : text.data()));
}

void ZEBAPI TECopy(TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  if (NativeWindow(hTE)) ZEB_SethTEfromhWnd(hTE, true);
  CopySelection(hTE);
}

void ZEBAPI TECut(TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  TECopy(hTE);
  TEDelete(hTE);
}

void ZEBAPI TEPaste(TEHandle hTE) {
  if (!LiveRecord(hTE)) return;
  Handle scrap = ScrapHandleCell();
  if (!scrap) return;
  const long length = ScrapLengthCell();
  std::vector<char> text(*scrap, *scrap + length);
  if (NativeWindow(hTE)) {
    NativeReplace(hTE, text.data(), length);
    return;
  }
  TEPtr te = *hTE;
  ReplaceText(hTE, te->selStart, te->selEnd, text.data(), length, nullptr, true);
}

}  // extern "C"
