// The demo's scrap piece: its clipboard procedure, which converts 'TEXT' and CF_TEXT, and a copy
// and paste through the clipboard with the scrap count before and after.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "MacMemory.h"
#include "Scrap.h"
#include "ZEB.h"
#include "demo.h"

namespace {

constexpr ResType kText = 0x54455854;  // 'TEXT'

long ReadText(Handle destination, long* result) {
  HANDLE h = GetClipboardData(CF_TEXT);
  if (!h) return 0;
  const char* text = static_cast<const char*>(GlobalLock(h));
  if (!text) return 0;
  const size_t held = GlobalSize(h);
  size_t length = 0;
  while (length < held && text[length]) ++length;
  *result = static_cast<long>(length);
  if (destination) {
    SetHandleSize(destination, static_cast<Size>(length));
    if (MemError() != noErr)
      *result = MemError();
    else
      std::memcpy(*destination, text, length);
  }
  GlobalUnlock(h);
  return 1;
}

long WriteText(const ZEB_PutScrapBlock* block) {
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(block->length) + 1);
  if (!g) return 0;
  char* p = static_cast<char*>(GlobalLock(g));
  if (block->length) std::memcpy(p, block->source, static_cast<size_t>(block->length));
  p[block->length] = '\0';
  GlobalUnlock(g);
  if (SetClipboardData(CF_TEXT, g)) return 1;
  GlobalFree(g);
  return 0;
}

}  // namespace

long WINAPI DemoScrapProc(long operation, long format, HDC, Handle destination, ResType scrapType,
                          void*, void* resultBlock) {
  switch (operation) {
    case ZEB_SCRAP_GET:
      if (static_cast<UINT>(format) != CF_TEXT || scrapType != kText) return 0;
      return ReadText(destination, static_cast<long*>(resultBlock));
    case ZEB_SCRAP_PUT:
      if (scrapType != kText) return 0;
      return WriteText(static_cast<const ZEB_PutScrapBlock*>(resultBlock));
    default:
      return 0;
  }
}

void ShowScrap() {
  Heading("Scrap Manager on the clipboard");
  const short before = InfoScrap()->scrapCount;
  static const char kCut[] = "Cut from the demo";
  const long zeroed = ZeroScrap();
  const long put = PutScrap(static_cast<long>(std::strlen(kCut)), kText, kCut);
  Handle pasted = NewHandle(0);
  long offset = 0;
  const long length = GetScrap(pasted, kText, &offset);
  char text[64] = "";
  if (length > 0 && length < static_cast<long>(sizeof text)) std::memcpy(text, *pasted, length);
  DisposeHandle(pasted);
  Say("ZeroScrap %ld, PutScrap('TEXT') %ld, GetScrap('TEXT') %ld bytes \"%s\" at format %ld;"
      " scrapCount %d before, %d after",
      zeroed, put, length, text, offset, before, InfoScrap()->scrapCount);
}
