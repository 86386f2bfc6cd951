/*
 * A classic Toolbox program in C, as a porter first builds one: the Toolbox spellings that
 * Windows also uses (SetRect, OffsetRect, InsetRect, PtInRect, FrameRect, MoveTo, LineTo,
 * SetRectRgn, FrameRgn, ShowCursor, GetCursor) must reach the library, not Windows. It draws
 * into a DIB section and reads the pixels back; it prints each failed check and exits non-zero.
 */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "Errors.h"
#include "Memory.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "ToolUtils.h"
#include "Types.h"
#include "ZEB.h"

enum { kSide = 64 };

QDGlobals qd;
ZEB_SystemGlobals systemGlobals;

static int failures = 0;

static void Check(int condition, const char* what) {
  if (!condition) {
    printf("FAILED: %s\n", what);
    ++failures;
  }
}

static UInt32* pixels = NIL;

static UInt32 PixelAt(int x, int y) {
  GdiFlush();
  return pixels[y * kSide + x] & 0xFFFFFF;
}

static int IsBlack(int x, int y) { return PixelAt(x, y) == 0; }

static HWND StartSession(void) {
  WNDCLASSA wc;
  ZEB_SessionRec session;
  ZEB_GlobalsRec globals;
  HWND frame;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(NIL);
  wc.lpszClassName = "ZEBMainWndClass";
  RegisterClassA(&wc);
  frame = CreateWindowA("ZEBMainWndClass", "classic C", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                        NIL, NIL, GetModuleHandleA(NIL), NIL);
  memset(&session, 0, sizeof session);
  session.size = kZEBSessionRecSize;
  session.instance = GetModuleHandleA(NIL);
  session.frameWindow = frame;
  ZEB_InitSession(&session);
  Check(session.started == 1, "ZEB_InitSession starts the session");
  ZEB_FillGlobalsRec(&globals, &qd, &systemGlobals);
  Check(ZEB_InitGlobals(&globals) == ZEB_GLOBALS_OK, "ZEB_InitGlobals");
  return frame;
}

/* The globals arrive in the application's own records, QuickDraw's in the Toolbox layout. */
static void CheckGlobals(void) {
  static const unsigned char blackPattern[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  Handle tooBig;
  InitGraf(&qd.thePort);
  Check(qd.thePort != NIL, "InitGraf stores the screen port into qd.thePort");
  Check(memcmp(qd.black.pat, blackPattern, 8) == 0, "qd.black is the black pattern");
  Check(qd.screenBits.bounds.right == GetSystemMetrics(SM_CXSCREEN), "qd.screenBits.bounds");
  Check(systemGlobals.mBarHeight == GetSystemMetrics(SM_CYMENU) + 2, "the menu bar height cell");
  tooBig = NewHandle(-1);
  Check(tooBig == NIL && MemError() == memFullErr && systemGlobals.memErr == memFullErr,
        "MemError through the application's cell");
}

static void CheckRectangleArithmetic(void) {
  struct {
    Rect r;
    unsigned char guard[8];
  } guarded;
  Rect inset, copy;
  Point inside, outside;
  memset(&guarded, 0xEE, sizeof guarded);
  SetRect(&guarded.r, 10, 20, 30, 40);
  Check(guarded.r.left == 10 && guarded.r.top == 20 && guarded.r.right == 30 &&
            guarded.r.bottom == 40,
        "SetRect takes left, top, right, bottom into a Toolbox Rect");
  Check(guarded.guard[0] == 0xEE && guarded.guard[7] == 0xEE,
        "SetRect writes 8 bytes, not a 16-byte Windows RECT");
  OffsetRect(&guarded.r, 5, -5);
  Check(guarded.r.left == 15 && guarded.r.top == 15 && guarded.r.right == 35 &&
            guarded.r.bottom == 35,
        "OffsetRect moves by (dh, dv)");
  Check(guarded.guard[0] == 0xEE, "OffsetRect leaves the bytes after the Rect alone");
  BlockMoveData(&guarded.r, &copy, (Size)sizeof copy);
  inset = copy;
  InsetRect(&inset, 2, 3);
  Check(inset.left == 17 && inset.top == 18 && inset.right == 33 && inset.bottom == 32,
        "InsetRect");
  inside.h = 20;
  inside.v = 20;
  outside.h = 35;
  outside.v = 20;
  Check(PtInRect(inside, &copy) && !PtInRect(outside, &copy), "PtInRect");
}

static void CheckDrawing(void) {
  BITMAPINFO info;
  void* bits = NIL;
  HBITMAP bitmap;
  HDC dc;
  HGDIOBJ previous;
  CGrafPort port;
  Rect r;
  RgnHandle region;
  int x;
  memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSide;
  info.bmiHeader.biHeight = -kSide; /* top-down */
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap = CreateDIBSection(NIL, &info, DIB_RGB_COLORS, &bits, NIL, 0);
  Check(bitmap != NIL, "a DIB section to draw into");
  if (!bitmap) return;
  pixels = (UInt32*)bits;
  memset(pixels, 0xFF, kSide * kSide * 4);
  dc = CreateCompatibleDC(NIL);
  previous = SelectObject(dc, bitmap);

  memset(&port, 0, sizeof port);
  OpenPortForHDC(&port, dc);
  Check(port.patStretch >= 0, "OpenPortForHDC opens the port");
  PortSize(kSide, kSide);
  PenNormal();

  SetRect(&r, 10, 20, 30, 40);
  OffsetRect(&r, 5, -5); /* 15, 15, 35, 35 */
  FrameRect(&r);
  Check(IsBlack(15, 15) && IsBlack(34, 15) && IsBlack(15, 34) && IsBlack(34, 34),
        "FrameRect draws the rectangle's corners");
  Check(IsBlack(25, 15) && IsBlack(15, 25) && IsBlack(34, 25) && IsBlack(25, 34),
        "FrameRect draws the four edges");
  Check(!IsBlack(25, 25) && !IsBlack(16, 16), "FrameRect leaves the inside alone");
  Check(!IsBlack(14, 15) && !IsBlack(35, 15) && !IsBlack(15, 35),
        "FrameRect stays inside the rectangle");

  MoveTo(2, 50);
  LineTo(12, 50);
  Check(IsBlack(2, 50) && IsBlack(7, 50) && IsBlack(12, 50), "MoveTo and LineTo draw a line");
  Check(!IsBlack(7, 51) && !IsBlack(13, 50), "the line is one pixel wide and ends there");

  region = NewRgn();
  SetRectRgn(region, 40, 2, 60, 12);
  FrameRgn(region);
  Check(IsBlack(40, 2) && IsBlack(59, 11) && !IsBlack(50, 7), "FrameRgn frames the region");
  DisposeRgn(region);

  for (x = 0; x < kSide; ++x) Check(!IsBlack(x, 63), "nothing drawn along the bottom row");

  ClosePort((GrafPtr)&port);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
  pixels = NIL;
}

static void CheckCursors(void) {
  CursHandle watch, iBeam;
  InitResources();
  watch = GetCursor(watchCursor);
  iBeam = GetCursor(iBeamCursor);
  Check(watch != NIL && iBeam != NIL && watch != iBeam, "GetCursor gives the standard cursors");
  HideCursor();
  ShowCursor();
  SetCursor(&qd.arrow);
}

int main(void) {
  HWND frame = StartSession();
  CheckGlobals();
  CheckRectangleArithmetic();
  CheckDrawing();
  CheckCursors();
  ZEB_ExitSession();
  DestroyWindow(frame);
  if (failures) {
    printf("%d checks failed\n", failures);
    return 1;
  }
  printf("every check passed\n");
  return 0;
}
