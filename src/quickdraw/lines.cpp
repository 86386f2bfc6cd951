// Moving the pen and drawing lines. A line is drawn with whichever GDI primitive gives the
// Toolbox's pen geometry on the device: the swept pen rectangle filled as a polygon, a rectangle,
// a PatBlt, or the GDI pen with its end point added.
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "quickdraw/picture_recording.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

// ZEB_SystemValue index 19: thin lines with a patterned pen are filled as polygons.
constexpr int kPatternLines = 19;

using LineProc = void(ZEBAPI*)(Point);

DevicePoint ToDevice(const DrawingContext& ctx, Point pt) {
  return {ctx.map.ToDeviceH(pt.h), ctx.map.ToDeviceV(pt.v)};
}

bool IsRecordingShape(GrafPtr port) { return port->rgnSave || port->polySave; }

// Fills the area the pen rectangle sweeps from a to b with the pen's pattern.
void FillSwept(DrawingContext& ctx, DevicePoint a, DevicePoint b, int w, int h) {
  DevicePoint corners[6];
  const int count = SweptPenOutline(a, b, w, h, corners);
  POINT points[6];
  for (int i = 0; i < count; ++i) points[i] = {corners[i].x, corners[i].y};
  SelectNullPen(ctx);
  if (!SelectPatternBrush(ctx, PatternRole::Pen)) return;
  SetPolyFillMode(ctx.dc, WINDING);
  Polygon(ctx.dc, points, count);
}

// A rectangle with the null pen leaves out its right column and bottom row: one more each way.
void FillCover(DrawingContext& ctx, const DeviceRect& r) {
  SelectNullPen(ctx);
  if (!SelectPatternBrush(ctx, PatternRole::Pen)) return;
  Rectangle(ctx.dc, r.left, r.top, r.right + 1, r.bottom + 1);
}

bool PatBltStandsIn(const DrawingContext& ctx, uint16_t rop) {
  if (!ctx.patBltDC || ctx.swapped || ctx.dc == State().screenDC) return false;
  if (frame::Switch(ZEB_SW_NOFASTLINES) || frame::Switch(ZEB_SW_MODEEMULATION)) return false;
  if (!State().options.fastLineFills && !ctx.drawingMask) return false;
  if (!PatBltRopFor(rop) || ctx.foreRgb != kBlackRgb) return false;
  // The brush paints clear pattern bits in the background colour: only white leaves the or and
  // xor results right; a solid pattern has none.
  uint8_t pattern[8];
  PenPatternBytes(ctx, pattern);
  return ctx.backRgb == kWhiteRgb || IsAllBytes(pattern, 0xFF);
}

// Each GDI drawing call costs about as much as a short line (under Wine it is a call into the
// graphics driver): the Toolbox's end point, which GDI's LineTo leaves out, and the move back to
// the pen location are done with as few calls as give the same pixels.
void MoveUnlessThere(HDC dc, DevicePoint a) {
  // Reading the current position is an attribute read, far cheaper than moving it.
  POINT at;
  if (!GetCurrentPositionEx(dc, &at) || at.x != a.x || at.y != a.y) MoveToEx(dc, a.x, a.y, nullptr);
}

// Draws with the GDI pen; true when the DC's current position was left at b.
bool PenLine(DrawingContext& ctx, DevicePoint a, DevicePoint b) {
  SelectBkMode(ctx, ctx.drawingMask ? static_cast<uint16_t>(kOpaque) : ctx.penBkMode);
  SelectBackColour(ctx, ctx.backColor);  // the gaps of a dotted pen
  SelectPen(ctx);
  if (ctx.penStyle == PS_SOLID) {
    // A solid pen paints the same pixels whether a line and its end point are drawn as two
    // segments or, for a straight line, as one segment one pixel longer. (A dotted pen's
    // dashes restart with each segment: it keeps the two segments.)
    if (a.y == b.y || a.x == b.x) {
      const int beyondX = a.y != b.y ? b.x : b.x >= a.x ? b.x + 1 : b.x - 1;
      const int beyondY = a.y == b.y ? b.y : b.y >= a.y ? b.y + 1 : b.y - 1;
      MoveUnlessThere(ctx.dc, a);
      LineTo(ctx.dc, beyondX, beyondY);
      MoveToEx(ctx.dc, b.x, b.y, nullptr);
      return true;
    }
    // A slanted line: move to a, line to b, line on one pixel to the right and move back to b
    // as one call.
    const POINT points[4] = {{a.x, a.y}, {b.x, b.y}, {b.x + 1, b.y}, {b.x, b.y}};
    static const BYTE kSteps[4] = {PT_MOVETO, PT_LINETO, PT_LINETO, PT_MOVETO};
    if (PolyDraw(ctx.dc, points, kSteps, 4)) return true;
  }
  MoveUnlessThere(ctx.dc, a);
  LineTo(ctx.dc, b.x, b.y);
  // GDI leaves out the end point, which the Toolbox paints.
  LineTo(ctx.dc, b.x + 1, b.y);
  return false;
}

// Draws the line from a to b; true when the DC's current position was left at b.
bool RenderLine(DrawingContext& ctx, DevicePoint a, DevicePoint b) {
  const bool single = ctx.singlePixelPen;
  const int w = single ? 1 : ctx.penWidth;
  const int h = single ? 1 : ctx.penHeight;
  const uint16_t rop = ctx.drawingMask ? static_cast<uint16_t>(kR2CopyPen) : ctx.penRop;
  SelectRop(ctx, rop);
  uint8_t pattern[8];
  PenPatternBytes(ctx, pattern);
  const bool patterned = !IsAllBytes(pattern, 0xFF) && !IsAllBytes(pattern, 0x00);
  const bool thick = w > 1 || h > 1;
  const bool polygon =
      !single && (thick || (patterned && events::StoredSystemValue(kPatternLines) != 0));
  const bool straight = IsStraight(a, b);

  if (!straight && polygon) {
    FillSwept(ctx, a, b, w, h);
  } else if (straight && State().options.rectForLine && ctx.dc == State().screenDC &&
             !ctx.drawingMask) {
    FillCover(ctx, StraightLineCover(a, b, w, h));
  } else if (straight && PatBltStandsIn(ctx, rop)) {
    const DeviceRect r = StraightLineCover(a, b, w, h);
    if (!SelectPatternBrush(ctx, PatternRole::Pen)) return false;
    PatBlt(ctx.dc, r.left, r.top, r.Width(), r.Height(), PatBltRopFor(rop));
  } else if (polygon) {
    // A thick straight line the shortcuts above did not take: the GDI pen would centre it on
    // the line with round ends; the Toolbox's pen hangs below and to the right.
    FillCover(ctx, StraightLineCover(a, b, w, h));
  } else {
    return PenLine(ctx, a, b);
  }
  return false;
}

void DrawLineTo(GrafPtr port, DrawingContext& ctx, Point to) {
  const Point from = port->pnLoc;
  if (port->picSave && !IsRecordingShape(port)) RecordLine(port, from, to);
  if (IsRecordingShape(port)) RecordPolygonPoint(port, to, false);
  const bool visible = port->pnSize.h > 0 && port->pnSize.v > 0 && port->pnVis >= 0;
  bool penAtEnd = false;  // the DC's current position already stands at the line's end
  if (visible && !ctx.unsupportedMode && !ctx.clipEmpty && ctx.dc) {
    const DevicePoint a = ToDevice(ctx, from);
    const DevicePoint b = ToDevice(ctx, to);
    EmulationRule rule;
    if (NeedsMask(ctx, &rule)) {
      const int w = ctx.singlePixelPen ? 1 : ctx.penWidth;
      const int h = ctx.singlePixelPen ? 1 : ctx.penHeight;
      // Room for the pen on every side, whatever route draws it.
      DeviceRect bounds = StraightLineCover(a, b, w, h);
      bounds = {bounds.left - w, bounds.top - h, bounds.right + w + 1, bounds.bottom + h + 1};
      DrawThroughMask(ctx, bounds, rule, [&] { RenderLine(ctx, a, b); });
    } else {
      penAtEnd = RenderLine(ctx, a, b);
    }
  }
  port->pnLoc = to;
  MapPen(ctx);
  // The DC's position follows the pen. A route that leaves it alone (a fill, or no drawing)
  // leaves it where the line began, which for a one-pixel line is already its end.
  if (!penAtEnd && port->pnVis >= 0 && ctx.dc) MoveUnlessThere(ctx.dc, {ctx.penH, ctx.penV});
  ctx.lastLineEnd = to;
}

void LineThroughBottleneck(Point to) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  if (port->grafProcs) {
    auto proc = reinterpret_cast<LineProc>(port->grafProcs->lineProc);
    if (proc && proc != &StdLine) {
      proc(to);
      return;
    }
  }
  DrawLineTo(port, *ctx, to);
}

void MoveThroughRecording(short h, short v) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  if (IsRecordingShape(port)) RecordPolygonPoint(port, Point{v, h}, true);
  MovePenTo(port, *ctx, h, v);
}

}  // namespace

void MovePenTo(GrafPtr port, DrawingContext& ctx, short h, short v) {
  port->pnLoc = {v, h};
  MapPen(ctx);
  if (port->pnVis >= 0 && ctx.dc) MoveToEx(ctx.dc, ctx.penH, ctx.penV, nullptr);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI MoveT(short h, short v) { MoveThroughRecording(h, v); }

void ZEBAPI Move(short dh, short dv) {
  if (GrafPtr port = CurrentPort())
    MoveThroughRecording(static_cast<short>(port->pnLoc.h + dh),
                         static_cast<short>(port->pnLoc.v + dv));
}

void ZEBAPI LineT(short h, short v) { LineThroughBottleneck(Point{v, h}); }

void ZEBAPI Line(short dh, short dv) {
  if (GrafPtr port = CurrentPort())
    LineThroughBottleneck(Point{static_cast<short>(port->pnLoc.v + dv),
                                static_cast<short>(port->pnLoc.h + dh)});
}

// The standard line bottleneck draws: an application's own lineProc calls it to do the
// standard work, so it never turns back to grafProcs.
void ZEBAPI StdLine(Point newPt) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (port && ctx) DrawLineTo(port, *ctx, newPt);
}

}  // extern "C"
