// The scrap: ZeroScrap, PutScrap and GetScrap of 4 KB of 'TEXT' through a clipboard procedure
// against the bare clipboard calls that procedure makes.
#include <cstring>
#include <string>

#include "MacMemory.h"
#include "Scrap.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr ResType kText = 0x54455854;  // 'TEXT'
volatile char g_sink;

bool PutText(const void* source, size_t length) {
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, length + 1);
  if (!g) return false;
  char* p = static_cast<char*>(GlobalLock(g));
  std::memcpy(p, source, length);
  p[length] = '\0';
  GlobalUnlock(g);
  if (SetClipboardData(CF_TEXT, g)) return true;
  GlobalFree(g);
  return false;
}

// Copies CF_TEXT into dst (resized by resize); the length, or -1.
template <class Resize>
long GetText(Resize resize) {
  HANDLE h = GetClipboardData(CF_TEXT);
  if (!h) return -1;
  const char* text = static_cast<const char*>(GlobalLock(h));
  const size_t length = strnlen(text, GlobalSize(h));
  std::memcpy(resize(length), text, length);
  GlobalUnlock(h);
  return static_cast<long>(length);
}

long WINAPI TextProcedure(long operation, long format, HDC, Handle destination, ResType type,
                          void*, void* resultBlock) {
  if (type != kText) return 0;
  if (operation == ZEB_SCRAP_PUT) {
    const ZEB_PutScrapBlock* block = static_cast<const ZEB_PutScrapBlock*>(resultBlock);
    return PutText(block->source, static_cast<size_t>(block->length));
  }
  if (operation == ZEB_SCRAP_GET && static_cast<UINT>(format) == CF_TEXT) {
    *static_cast<long*>(resultBlock) = GetText([destination](size_t n) {
      SetHandleSize(destination, static_cast<Size>(n));
      return *destination;
    });
    return 1;
  }
  return 0;
}

}  // namespace

FARPROC ScrapBenchProcedure() {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&TextProcedure));
}

void RunScrapBenchmarks(HWND frame) {
  const std::string text(4096, 'x');
  Handle h = NewHandle(0);
  long offset = 0;
  const double library = NanosecondsPerOp(200, [&](long n) {
    for (long i = 0; i < n; ++i) {
      ZeroScrap();
      PutScrap(static_cast<long>(text.size()), kText, text.data());
      GetScrap(h, kText, &offset);
      g_sink = (*h)[i & 4095];
    }
  });
  std::string out;
  const double host = NanosecondsPerOp(200, [&](long n) {
    for (long i = 0; i < n; ++i) {
      OpenClipboard(frame);
      EmptyClipboard();
      CloseClipboard();
      OpenClipboard(frame);
      PutText(text.data(), text.size());
      CloseClipboard();
      OpenClipboard(frame);
      GetText([&out](size_t size) {
        out.resize(size);
        return &out[0];
      });
      CloseClipboard();
      g_sink = out[static_cast<size_t>(i) & 4095];
    }
  });
  Report("ZeroScrap+PutScrap+GetScrap 4 KB 'TEXT' vs clipboard calls", library, host);
  DisposeHandle(h);
}

}  // namespace zebbench
