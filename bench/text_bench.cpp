// Text and fonts: drawing and measuring strings, switching ports and fonts, converting text
// and reading font metrics, against the bare GDI calls they stand on, drawn into a DIB section.
#include <cstring>
#include <string>

#include "Quickdraw.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

const unsigned char kText[] = "\x1CThe quick brown fox jumps ov";  // 28 bytes, length first
const char* const kHostText = "The quick brown fox jumps ov";
constexpr int kHostLength = 28;

HFONT CurrentFont() { return static_cast<HFONT>(GetCurrentObject(ZEB_GetCurrentDC(), OBJ_FONT)); }

void Prepare(HDC host, HFONT font) {
  SelectObject(host, font);
  SetTextAlign(host, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  SetBkMode(host, TRANSPARENT);
}

void DrawingAndMeasuring(HDC host) {
  TextFont(1);
  TextSize(12);
  DrawString(kText);
  Prepare(host, CurrentFont());
  constexpr long n = 20000;
  const double draw = NanosecondsPerOp(n, [](long count) {
    for (long i = 0; i < count; ++i) {
      MoveT(4, static_cast<short>(20 + (i & 127)));
      DrawString(kText);
    }
  });
  const double hostDraw = NanosecondsPerOp(n, [host](long count) {
    for (long i = 0; i < count; ++i)
      TextOutA(host, 4, static_cast<int>(20 + (i & 127)), kHostText, kHostLength);
  });
  Report("DrawString, 28 bytes (host: TextOutA)", draw, hostDraw);

  constexpr long m = 100000;
  const double width = NanosecondsPerOp(m, [](long count) {
    for (long i = 0; i < count; ++i) StringWidth(kText);
  });
  const double hostWidth = NanosecondsPerOp(m, [host](long count) {
    SIZE extent;
    for (long i = 0; i < count; ++i) GetTextExtentPoint32A(host, kHostText, kHostLength, &extent);
  });
  Report("StringWidth, 28 bytes (host: GetTextExtentPoint32A)", width, hostWidth);

  FontInfo info;
  const double fontInfo = NanosecondsPerOp(m, [&info](long count) {
    for (long i = 0; i < count; ++i) GetFontInfo(&info);
  });
  const double hostMetrics = NanosecondsPerOp(m, [host](long count) {
    TEXTMETRICA tm;
    for (long i = 0; i < count; ++i) GetTextMetricsA(host, &tm);
  });
  Report("GetFontInfo, cached (host: GetTextMetricsA)", fontInfo, hostMetrics);
}

// The host side creates, selects and deletes a font for each string, as an application without
// a font cache would.
void FontSwitching(HDC host) {
  constexpr long n = 5000;
  const double library = NanosecondsPerOp(n, [](long count) {
    for (long i = 0; i < count; ++i) {
      TextFont((i & 1) ? 1 : 4);
      MoveT(4, 40);
      DrawString(kText);
    }
  });
  const double gdi = NanosecondsPerOp(n, [host](long count) {
    for (long i = 0; i < count; ++i) {
      HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                               (i & 1) ? "DejaVu Sans" : "DejaVu Sans Mono");
      HGDIOBJ previous = SelectObject(host, font);
      TextOutA(host, 4, 40, kHostText, kHostLength);
      SelectObject(host, previous);
      DeleteObject(font);
    }
  });
  Report("TextFont switch+DrawString (host: Create..Delete)", library, gdi);
  TextFont(1);
}

void ScreenPortSwitching() {
  GrafPort first{}, second{};
  OpenPort(&first);
  TextFont(1);
  TextSize(12);
  OpenPort(&second);
  TextFont(4);
  TextSize(10);
  HDC screen = ZEB_GetCurrentDC();
  DrawString(kText);
  HFONT secondFont = CurrentFont();
  SetPort(&first);
  DrawString(kText);
  HFONT firstFont = CurrentFont();
  constexpr long n = 20000;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      SetPort((i & 1) ? &second : &first);
      MoveT(4, 40);
      DrawString(kText);
    }
  });
  SetTextAlign(screen, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      SelectObject(screen, (i & 1) ? secondFont : firstFont);
      TextOutA(screen, 4, 40, kHostText, kHostLength);
    }
  });
  Report("SetPort+DrawString, screen DC (host: Select+TextOut)", library, host);
  ClosePort(&second);
  ClosePort(&first);
}

void Conversion() {
  char mac[256], windows[1024], copy[256];
  for (int i = 0; i < 256; ++i) mac[i] = static_cast<char>(i < 32 ? 'a' + i % 26 : i);
  constexpr long n = 200000;
  const double library = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) ZEB_MacToAnsiBuf(mac, windows, 256, ZEB_MACTOANSI_RAW);
  });
  const double host = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) {
      std::memcpy(copy, mac, 256);
      // Keeps the copy from being optimised away.
      __asm__ volatile("" : : "r"(copy) : "memory");
    }
  });
  Report("ZEB_MacToAnsiBuf, 256 bytes (host: memcpy)", library, host);
}

}  // namespace

void RunTextBenchmarks() {
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  Surface library, host;
  CGrafPort port{};
  OpenPortForHDC(&port, library.dc);
  PortSize(kSurfaceSize, kSurfaceSize);
  DrawingAndMeasuring(host.dc);
  FontSwitching(host.dc);
  CloseCPort(&port);
  ScreenPortSwitching();
  Conversion();
}

}  // namespace zebbench
