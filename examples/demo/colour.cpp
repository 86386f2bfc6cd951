// The colour showcase: a deep image copied in several modes and scales, a GWorld's drawing
// copied out, ramps of the standard colour tables 8 and 40, a strip moved by ScrollRect, and
// the demo's 'ICON' and 'cicn' drawn by PlotIcon and PlotCIcon, in a window of its own.
#include <windows.h>

#include <vector>

#include "QDOffscreen.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "demo.h"

namespace {

constexpr int kPaneWidth = 330, kPaneHeight = 196;

// An 8 x 8 32-bit image: a red-to-blue gradient across, green growing downwards.
struct Gradient {
  std::vector<uint8_t> rows = std::vector<uint8_t>(8 * 8 * 4);
  PixMap pm{};
  Gradient() {
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        uint8_t* p = &rows[static_cast<size_t>((y * 8 + x) * 4)];
        p[0] = 0;
        p[1] = static_cast<uint8_t>(255 - x * 32);  // red
        p[2] = static_cast<uint8_t>(y * 32);        // green
        p[3] = static_cast<uint8_t>(x * 32);        // blue
      }
    pm.baseAddr = reinterpret_cast<Ptr>(rows.data());
    pm.rowBytes = static_cast<short>(0x8000 | 32);
    SetRec(&pm.bounds, 0, 0, 8, 8);
    pm.pixelType = RGBDirect;
    pm.pixelSize = 32;
    pm.cmpCount = 3;
    pm.cmpSize = 8;
  }
  const BitMap* Bits() const { return reinterpret_cast<const BitMap*>(&pm); }
};

void Images(GrafPtr port) {
  Gradient g;
  Rect src;
  SetRec(&src, 0, 0, 8, 8);
  const short modes[] = {srcCopy, notSrcCopy, srcOr, srcXor};
  const short sizes[] = {16, 24, 32, 32};
  short x = 10;
  for (int i = 0; i < 4; ++i) {
    Rect dst;
    SetRec(&dst, x, 24, static_cast<short>(x + sizes[i]), static_cast<short>(24 + sizes[i]));
    CopyBits(g.Bits(), &port->portBits, &src, &dst, modes[i], nullptr);
    x = static_cast<short>(x + sizes[i] + 6);
  }
}

void WorldResult(GrafPtr port) {
  GWorldPtr world = nullptr;
  Rect bounds;
  SetRec(&bounds, 0, 0, 40, 32);
  if (NewGWorld(&world, 0, &bounds, nullptr, nullptr, 0) != 0) return;
  CGrafPtr saved = nullptr;
  GDHandle device = nullptr;
  GetGWorld(&saved, &device);
  SetGWorld(world, nullptr);
  EraseRect(&bounds);
  RGBColor c = {0, 0x8000, 0xFFFF};
  RGBForeColor(&c);
  PaintOval(&bounds);
  RGBColor y = {0xFFFF, 0xE000, 0};
  RGBForeColor(&y);
  Rect inner;
  SetRec(&inner, 12, 8, 28, 24);
  PaintRect(&inner);
  SetGWorld(saved, device);
  Rect dst;
  SetRec(&dst, 160, 24, 200, 56);
  CopyBits(&reinterpret_cast<GrafPtr>(world)->portBits, &port->portBits, &bounds, &dst, srcCopy,
           nullptr);
  DisposeGWorld(world);
}

// A ramp of a standard table: one 4-pixel column per entry.
void Ramp(short id, short top, int entries) {
  CTabHandle table = GetCTable(id);
  if (!table) return;
  for (int i = 0; i < entries && i <= (*table)->ctSize; ++i) {
    RGBForeColor(&(*table)->ctTable[i].rgb);
    Rect r;
    SetRec(&r, static_cast<short>(10 + (i * 300) / entries), top,
           static_cast<short>(10 + ((i + 1) * 300) / entries), static_cast<short>(top + 14));
    PaintRect(&r);
  }
  DisposeCTable(table);
  const RGBColor black = {0, 0, 0};
  RGBForeColor(&black);
}

// A striped strip scrolled 12 pixels right: the uncovered part is erased.
void ScrolledStrip() {
  for (int i = 0; i < 8; ++i) {
    Rect r;
    SetRec(&r, static_cast<short>(10 + i * 20), 150, static_cast<short>(20 + i * 20), 166);
    ForeColor(i % 2 ? redColor : blueColor);
    PaintRect(&r);
  }
  ForeColor(blackColor);
  Rect strip;
  SetRec(&strip, 10, 150, 170, 166);
  RgnHandle update = NewRgn();
  ScrollRect(&strip, 12, 0, update);
  DisposeRgn(update);
}

void Icons() {
  Rect r;
  SetRec(&r, 210, 24, 242, 56);
  if (Handle icon = GetResource(0x49434F4E /* 'ICON' */, 300)) PlotIcon(&r, icon);
  if (CIconHandle cicon = GetCIcon(301)) {
    SetRec(&r, 250, 24, 282, 56);
    PlotCIcon(&r, cicon);
    SetRec(&r, 286, 24, 302, 40);  // reduced
    PlotCIcon(&r, cicon);
    DisposeCIcon(cicon);
  }
}

void PaintPane(HDC dc, const RECT& client) {
  (void)client;
  GrafPtr port = nullptr;
  GetPort(&port);
  Images(port);
  WorldResult(port);
  Icons();
  Ramp(8, 90, 256);
  Ramp(40, 116, 256);
  ScrolledStrip();
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 64, 128));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  Label(dc, 10, 4, "CopyBits: 4 modes");
  Label(dc, 160, 4, "GWorld");
  Label(dc, 210, 4, "ICON, cicn");
  Label(dc, 10, 72, "colour table 8");
  Label(dc, 10, 132, "table 40 above; ScrollRect by 12");
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

}  // namespace

void ShowColourShowcase(int x, int y) {
  AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x06" "Colour"), noGrowDocProc,
                   PaintPane, x, y, kPaneWidth, kPaneHeight);
}
