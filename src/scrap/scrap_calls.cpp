// The Scrap Manager's calls on the Windows clipboard. The clipboard procedure does every
// conversion; these calls open and close the clipboard around it and keep the record current.
#include <windows.h>

#include "Quickdraw.h"
#include "Scrap.h"
#include "scrap/scrap_state.h"

namespace zeb::scrap {
namespace {

// The clipboard is held open by another program (or thread). The Toolbox has no result of its
// own for this; the file-locked result is the one ported applications have always seen.
constexpr long kClipboardBusy = fLckdErr;

}  // namespace
}  // namespace zeb::scrap

using namespace zeb::scrap;

PScrapStuff ZEBAPI InfoScrap(void) { return Record(); }

long ZEBAPI ZeroScrap(void) {
  ScrapState& s = State();
  s.ownChange = true;
  bool emptied = false;
  if (OpenForFrame()) {
    emptied = EmptyClipboard() != FALSE;
    CloseClipboard();
  }
  s.ownChange = false;
  // The application has let go of its scrap either way: it counts as a change.
  CountChange(Record());
  return emptied ? long{noErr} : kClipboardBusy;
}

long ZEBAPI PutScrap(long length, ResType theType, const void* source) {
  // A negative length or a missing source would send the procedure reading outside the
  // caller's data; the clipboard is not touched.
  if (length < 0 || (length > 0 && !source)) return paramErr;
  ZEB_ScrapProc proc = Procedure();
  if (!proc) return noScrapErr;
  if (!OpenForFrame()) return kClipboardBusy;
  ZEB_PutScrapBlock block;
  block.length = length;
  block.scrapType = theType;
  block.source = source;
  const long stored = proc(ZEB_SCRAP_PUT, 0, ZEB_GetCurrentDC(), nullptr, theType,
                           const_cast<void*>(source), &block);
  CloseAsOwnChange();
  return stored ? long{noErr} : long{noScrapErr};
}

long ZEBAPI GetScrap(Handle hDest, ResType theType, long* offset) {
  // The count of formats passed over goes to the caller's offset, or nowhere for a nil one;
  // the procedure is always given somewhere to write.
  long ownOffset = 0;
  long* passedOver = offset ? offset : &ownOffset;
  *passedOver = 0;
  long result = noTypeErr;
  ZEB_ScrapProc proc = Procedure();
  if (!proc) return noTypeErr;
  if (!OpenForFrame()) return kClipboardBusy;
  HDC dc = ZEB_GetCurrentDC();
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (proc(ZEB_SCRAP_GET, static_cast<long>(format), dc, hDest, theType, passedOver, &result))
      break;
    ++*passedOver;
  }
  CloseAsOwnChange();
  return result;
}

long ZEBAPI LoadScrap(void) { return noErr; }
long ZEBAPI LodeScrap(void) { return noErr; }

long ZEBAPI UnloadScrap(void) {
  Record()->scrapState = 0;
  return noErr;
}
long ZEBAPI UnlodeScrap(void) { return UnloadScrap(); }
