// The shapes showcase: every shape family with every verb over a patterned backdrop, and a few
// region operations, drawn through a colour port into a pane at the right of the text (the
// window is widened for it; below the other panes it would not fit a 768-pixel screen).
#include <windows.h>

#include <initializer_list>

#include "MacMemory.h"
#include "Printing.h"
#include "Quickdraw.h"
#include "SegLoad.h"
#include "ZEB.h"
#include "demo.h"

namespace {

constexpr int kPaneWidth = 312, kPaneTop = 136, kPaneMaxHeight = 306;
constexpr int kFrameWidth = 1024;
constexpr short kCell = 50, kRow = 30, kGridLeft = 58, kGridTop = 18;
constexpr short kRegionsTop = 196;

const Pattern kLtGray = {{0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22}};
const Pattern kGray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
const Pattern kBricks = {{0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}};
const Pattern kWeave = {{0x88, 0x54, 0x22, 0x45, 0x88, 0x15, 0x22, 0x51}};

OSErr g_bitMapResult = 0;

void ShapeGrid();

// One family drawn with one verb into r.
void DrawShape(int family, int verb, const Rect* r, PolyHandle triangle) {
  switch (family) {
    case 0: StdRect(static_cast<GrafVerb>(verb), r); break;
    case 1: StdOval(static_cast<GrafVerb>(verb), r); break;
    case 2: StdRRect(static_cast<GrafVerb>(verb), r, 12, 10); break;
    case 3: StdArc(static_cast<GrafVerb>(verb), r, 45, 270); break;
    default: {
      OffsetPoly(triangle, static_cast<short>(r->left - (*triangle)->polyBBox.left),
                 static_cast<short>(r->top - (*triangle)->polyBBox.top));
      StdPoly(static_cast<GrafVerb>(verb), triangle);
      break;
    }
  }
}

void ShapeGrid() {
  PolyHandle triangle = OpenPoly();
  MoveTo(0, 20);
  LineTo(18, 0);
  LineTo(36, 20);
  LineTo(0, 20);
  ClosePoly();
  for (int family = 0; family < 5; ++family) {
    for (int verb = frame; verb <= fill; ++verb) {
      const short left = static_cast<short>(kGridLeft + verb * kCell);
      const short top = static_cast<short>(kGridTop + family * kRow);
      // A light backdrop under the erase and invert verbs shows what they do.
      const Rect backdrop = {top, left, static_cast<short>(top + kRow - 4),
                             static_cast<short>(left + kCell - 8)};
      if (verb == erase || verb == invert) FillRect(&backdrop, &kLtGray);
      Rect r = backdrop;
      InsetRect(&r, 3, 2);
      PenSize(family % 2 ? 3 : 1, family % 2 ? 3 : 1);
      ForeColor(family == 3 ? blueColor : family == 2 ? redColor : blackColor);
      if (verb == fill) {
        switch (family) {
          case 0: FillRect(&r, &kBricks); break;
          case 1: FillOval(&r, &kGray); break;
          case 2: FillRoundRect(&r, 12, 10, &kWeave); break;
          case 3: FillArc(&r, 45, 270, &kGray); break;
          default: DrawShape(family, verb, &r, triangle); break;
        }
      } else {
        DrawShape(family, verb, &r, triangle);
      }
    }
  }
  KillPoly(triangle);
  ForeColor(blackColor);
  PenNormal();
}

void Regions() {
  // An oval region and a rectangle region, combined four ways.
  RgnHandle oval = NewRgn(), box = NewRgn(), result = NewRgn();
  OpenRgn();
  const Rect o = {0, 0, 50, 50};
  FrameOval(&o);
  CloseRgn(oval);
  SetRectRgn(box, 25, 15, 66, 40);
  void(ZEBAPI* const ops[])(RgnHandle, RgnHandle, RgnHandle) = {UnionRg, SectRgn, DiffRgn, XorRg};
  const long colours[] = {blueColor, redColor, greenColor, magentaColor};
  for (int i = 0; i < 4; ++i) {
    ops[i](oval, box, result);
    OffsetRgn(result, static_cast<short>(6 + i * 76), kRegionsTop);
    ForeColor(colours[i]);
    PaintRgn(result);
    ForeColor(blackColor);
    FrameRgn(result);
  }
  // A region from a bit image, drawn with a pattern.
  unsigned char rows[16 * 2] = {};
  for (int y = 0; y < 16; ++y) rows[y * 2] = rows[y * 2 + 1] = static_cast<unsigned char>(y & 1 ? 0x3C : 0xE7);
  BitMap bits{};
  bits.baseAddr = reinterpret_cast<Ptr>(rows);
  bits.rowBytes = 2;
  bits.bounds = {0, 0, 16, 16};
  g_bitMapResult = BitMapToRegion(result, &bits);
  if (g_bitMapResult == noErr) {
    OffsetRgn(result, 10, kRegionsTop + 82);
    ForeColor(blueColor);
    PaintRgn(result);
    OffsetRgn(result, 24, 0);
    InvertRgn(result);
  }
  ForeColor(blackColor);
  for (RgnHandle h : {oval, box, result}) DisposeRgn(h);
}

void PaintPane(HDC dc, const RECT& client) {
  (void)client;
  DrawShapeGridPicture(kShapeGridFrame);
  Regions();

  SetTextAlign(dc, TA_TOP | TA_LEFT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 64, 128));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const char* verbs[] = {"frame", "paint", "erase", "invert", "fill"};
  for (int i = 0; i < 5; ++i) Label(dc, kGridLeft + i * kCell, 4, verbs[i]);
  const char* families[] = {"rect", "oval 3x3", "rrect", "arc 3x3", "poly"};
  SetTextColor(dc, RGB(0, 0, 0));
  for (int i = 0; i < 5; ++i) Label(dc, 6, kGridTop + i * kRow + 8, families[i]);
  SetTextColor(dc, RGB(0, 64, 128));
  Label(dc, 6, kRegionsTop - 16, "regions: oval and rectangle combined");
  const char* ops[] = {"union", "sect", "diff", "xor"};
  for (int i = 0; i < 4; ++i) Label(dc, 6 + i * 76, kRegionsTop + 54, ops[i]);
  char text[64];
  wsprintfA(text, "BitMapToRegion = %d: paint, invert", g_bitMapResult);
  Label(dc, 66, kRegionsTop + 82, text);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

}  // namespace

// Widens the frame to the screen's 1024 pixels and adds the shapes pane at the right of the
// text, between the first section and the panes below.
WindowPtr ShowShapesShowcase(HWND frame) {
  RECT window, client;
  GetWindowRect(frame, &window);
  SetWindowPos(frame, nullptr, 0, 0, kFrameWidth, window.bottom - window.top,
               SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(frame, &client);
  int height = TextBottom() - kPaneTop;
  if (height > kPaneMaxHeight) height = kPaneMaxHeight;
  // A zoomable document window; its title shows Macintosh characters (a-umlaut and the ellipsis).
  return AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x13" "Formen und Fl\x8A" "chen\xC9"),
                          zoomDocProc, PaintPane, client.right - kPaneWidth - 8, kPaneTop,
                          kPaneWidth, height);
}

namespace {

void ZEBAPI PrintIdle() {}

}  // namespace

// Started with "/p", the demo prints its shapes on the default printer: the print loop of a
// classic application, in 72-dpi units, with an idle procedure in place of an abort dialog.
void PrintShapesWhenAsked() {
  short message = 0, count = 0;
  CountAppFiles(&message, &count);
  if (message != appPrint) return;
  Heading("Print Manager");
  ZEB_SetFlags(ZEB_SF_PRINT72DPI, ZEB_SF_PRINT72DPI, 0, 0);
  ZEB_SystemValue(ZEB_SV_SET, 0x3C, 1);  // no error box: the line below says it
  PrOpen();
  THPrint record = reinterpret_cast<THPrint>(NewHandleClear(sizeof(TPrint)));
  PrintDefault(record);
  if (PrError() != noErr) {
    Say("PrintDefault = %d: no default printer, the shapes are not printed", PrError());
  } else {
    (**record).prJob.pIdleProc = &PrintIdle;
    ZEB_SetPrintFileName(reinterpret_cast<const unsigned char*>("\x0F" "ZEB Demo Shapes"));
    GrafPtr before = nullptr;
    GetPort(&before);
    TPPrPort port = PrOpenDoc(record, nullptr, nullptr);
    short pageResult = 0;
    if (port) {
      PrOpenPage(port, nullptr);
      // The pane's drawing, an inch in from the printable area's corner.
      SetOrigin(-72, -72);
      ShapeGrid();
      Regions();
      pageResult = PrClosePage(port);
      PrCloseDoc(port);
    }
    SetPort(before);
    Say("printed the shapes: page %ld by %ld points, PrClosePage = %d, PrError = %d",
        static_cast<long>((**record).prInfo.rPage.right),
        static_cast<long>((**record).prInfo.rPage.bottom), pageResult, PrError());
  }
  PrClose();
  DisposeHandle(reinterpret_cast<Handle>(record));
  ZEB_SystemValue(ZEB_SV_SET, 0x3C, 0);
  ZEB_SetFlags(ZEB_SF_PRINT72DPI, 0, 0, 0);
}

// The shape grid is recorded once into a picture, which the shapes pane draws back at 1:1 and
// the pictures window at other sizes.
const Rect kShapeGridFrame = {0, 0, static_cast<short>(kGridTop + 5 * kRow),
                              static_cast<short>(kGridLeft + 5 * kCell)};

void DrawShapeGridPicture(const Rect& dst) {
  static PicHandle grid = nullptr;
  if (!grid) {
    grid = OpenPicture(&kShapeGridFrame);
    ShapeGrid();
    ClosePicture();
  }
  if (grid) DrawPicture(grid, &dst);
}
