// White-box: what the drawing contexts hold (colours, pens, brushes), the cursor resources as the
// Resource Manager converts them, and QuickDraw's end of session.
#include <cstring>

#include "frame/frame_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw_fixture.h"

namespace zebtest {
namespace {

using zeb::quickdraw::ContextOf;
using zeb::quickdraw::DrawingContext;

using ContextsTest = QuickDrawTest;

TEST_F(ContextsTest, ColoursBecomePaletteRelativeColorRefsExceptBlackAndWhite) {
  CGrafPort port{};
  OpenCPort(&port);
  DrawingContext* ctx = ContextOf(AsGraf(port));
  ASSERT_NE(ctx, nullptr);
  ForeColor(blueColor);
  EXPECT_EQ(ctx->foreColor, 0x02D40000u);
  ForeColor(blackColor);
  EXPECT_EQ(ctx->foreColor, 0u);
  BackColor(whiteColor);
  EXPECT_EQ(ctx->backColor, 0xFFFFFFu);
  CloseCPort(&port);
}

TEST_F(ContextsTest, PensAreMadeOnlyWhenTheirFlagsSayAndEmptyPensAreNull) {
  DibSurface dib(8, 8);
  CGrafPort port{};
  OpenColourPortOn(port, dib);
  DrawingContext* ctx = ContextOf(AsGraf(port));
  ZEB_SetFlags(0, 0, ZEB_SW_NOFASTLINES, ZEB_SW_NOFASTLINES);
  MoveT(0, 0);
  LineT(3, 3);
  const HPEN made = ctx->pen;
  ASSERT_NE(made, nullptr);
  LineT(5, 3);
  EXPECT_EQ(ctx->pen, made) << "nothing changed: the same pen";
  ForeColor(redColor);
  LineT(5, 5);
  EXPECT_NE(ctx->pen, made);
  LOGPEN lp{};
  PenSize(0, 0);
  zeb::quickdraw::SelectPen(*ctx);
  GetObjectA(ctx->pen, sizeof lp, &lp);
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_NULL));
  PenSize(3, 1);
  zeb::quickdraw::SelectPen(*ctx);
  GetObjectA(ctx->pen, sizeof lp, &lp);
  EXPECT_EQ(lp.lopnWidth.x, 2) << "(height + width) / 2";
  ZEB_SetFlags(0, 0, ZEB_SW_SINGLEPIXELPEN, ZEB_SW_SINGLEPIXELPEN);
  EXPECT_TRUE(ctx->singlePixelPen);
  zeb::quickdraw::SelectPen(*ctx);
  GetObjectA(ctx->pen, sizeof lp, &lp);
  EXPECT_EQ(lp.lopnWidth.x, 1);
  ZEB_SetFlags(0, 0, 0xFFFF, 0);
  EXPECT_FALSE(ctx->singlePixelPen);
  CloseCPort(&port);
}

TEST_F(ContextsTest, EachBlackAndWhitePortCachesItsOwnBrush) {
  DibSurface a(8, 8), b(8, 8);
  GrafPort first{}, second{};
  OpenBlackAndWhitePortOn(first, a);
  OpenBlackAndWhitePortOn(second, b);
  const Pattern gray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
  for (GrafPort* p : {&first, &second}) {
    SetPort(p);
    PenPat(&gray);
    PenSize(2, 2);
    MoveT(0, 0);
    LineT(4, 4);
  }
  const HBRUSH one = ContextOf(&first)->brushCache.brush;
  const HBRUSH two = ContextOf(&second)->brushCache.brush;
  ASSERT_NE(one, nullptr);
  ASSERT_NE(two, nullptr);
  EXPECT_NE(one, two);
  SetPort(&first);
  LineT(6, 6);
  EXPECT_EQ(ContextOf(&first)->brushCache.brush, one) << "same pattern and colours: reused";
  ClosePort(&first);
  EXPECT_EQ(GetObjectType(one), 0u) << "the cache goes with its port";
  ClosePort(&second);
}

TEST_F(ContextsTest, CursorResourcesAreConvertedStampedAndReleased) {
  // A 'CURS' resource as it lies on disk: big-endian, a black top-left pixel, hot spot (1, 2).
  Handle h = NewHandleClear(68);
  auto* bytes = reinterpret_cast<unsigned char*>(*h);
  bytes[0] = 0x80;        // data[0]
  bytes[32] = 0x80;       // mask[0]
  bytes[65] = 2;          // hot spot v
  bytes[67] = 1;          // hot spot h
  zeb::quickdraw::ConvertCursorResource(h, false, true);
  Cursor* c = reinterpret_cast<Cursor*>(*h);
  EXPECT_EQ(static_cast<unsigned short>(c->data[0]), 0x8000);
  EXPECT_EQ(static_cast<unsigned short>(c->hotSpot.h) >> 8, 0xFFu) << "stamped";
  SetCursor(c);
  const HCURSOR host = GetCursor();
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(host, &info));
  EXPECT_EQ(info.xHotspot, 1u);
  EXPECT_EQ(info.yHotspot, 2u);
  DeleteObject(info.hbmMask);
  // To disk: the stamp is not written out, and the byte order goes back.
  zeb::quickdraw::ConvertCursorResource(h, false, false);
  EXPECT_EQ(bytes[0], 0x80);
  EXPECT_EQ(bytes[66], 0x00) << "hot spot h high byte without the stamp";
  EXPECT_EQ(bytes[67], 1);
  zeb::quickdraw::ConvertCursorResource(h, false, true);
  SetCursor(c);
  EXPECT_EQ(GetCursor(), host) << "the resource keeps its host cursor across a write";
  zeb::quickdraw::ReleaseResourceCursor(h);
  EXPECT_NE(GetCursor(), host);
  DisposeHandle(h);
}

TEST_F(ContextsTest, StandardCursorsAreTheBuiltInHandles) {
  const LPCSTR system[] = {IDC_ARROW, IDC_IBEAM, IDC_CROSS, nullptr, IDC_WAIT};
  for (short id = 0; id < 5; ++id) {
    CursHandle h = zeb::quickdraw::StandardCursor(id);
    ASSERT_NE(h, nullptr) << id;
    SetCursor(*h);
    if (system[id]) {
      EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, system[id])) << id;
    }
    EXPECT_EQ(zeb::quickdraw::CurrentHostCursor(), GetCursor());
  }
  EXPECT_EQ(zeb::quickdraw::StandardCursor(5), nullptr);
  zeb::quickdraw::SetUpStandardCursors();  // again: nothing changes
  EXPECT_NE(zeb::quickdraw::StandardCursor(0), nullptr);
}

TEST_F(ContextsTest, AWindowsPortDrawsOnTheWindowsDCFromItsPortRectOrigin) {
  HWND child = CreateWindowA("ZEBSubWndClass", "", WS_CHILD | WS_VISIBLE, 30, 20, 100, 80,
                             frame_, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(child, nullptr);
  GrafPort port{};
  OpenPort(&port);
  SetRect(&port.portRect, 10, 10, 110, 90);
  zeb::quickdraw::BindPortToWindow(&port, child);
  DrawingContext* ctx = ContextOf(&port);
  EXPECT_EQ(ctx->window, child);
  EXPECT_EQ(WindowFromDC(ZEB_GetCurrentDC()), child);
  EXPECT_EQ(zeb::quickdraw::PortDC(&port), ZEB_GetCurrentDC());
  EXPECT_TRUE(ctx->flags & zeb::quickdraw::kCtxWindowPort);
  Point pt = {10, 10};  // portRect.topLeft: the window's client origin
  LocalToGlobal(&pt);
  POINT client = {0, 0};
  ClientToScreen(child, &client);
  EXPECT_EQ(pt.h, client.x);
  EXPECT_EQ(pt.v, client.y);
  ClosePort(&port);
  DestroyWindow(child);
}

TEST_F(ContextsTest, ExitFreesTheContextsOfPortsLeftOpen) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(zeb::quickdraw::ScreenValue(), static_cast<uint32_t>(GetDeviceCaps(screen, BITSPIXEL)));
  ReleaseDC(nullptr, screen);
  HDC memory = ZEB_OffScreenDC(nullptr, 0);
  GrafPort port{};
  OpenPort(&port);
  PenSize(2, 2);
  MoveT(0, 0);
  LineT(1, 1);
  const HPEN pen = ContextOf(&port)->pen;
  EndSession();
  EXPECT_EQ(GetObjectType(memory), 0u);
  EXPECT_EQ(GetObjectType(pen), 0u);
}

}  // namespace
}  // namespace zebtest
