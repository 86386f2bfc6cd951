// Drawing text at the pen location: the text bottleneck StdText and the calls that reach it,
// GDI's own text output where it gives the port's mode, a one-bit image of the glyphs where it
// does not (and on ports that draw into a DIB), and the library's command-key glyph.
#include <vector>

#include "quickdraw/font_manager.h"
#include "quickdraw/offscreen_band.h"
#include "quickdraw/picture_recording.h"

namespace zeb::quickdraw {
namespace {

// QDProcs entry of the text bottleneck.
constexpr int kTextProc = 0;
// Raster operations of a one-bit image put on the destination (a black pixel is 0, white all
// ones): the selected brush where the image is black (PSDPxax), or the destination inverted
// there (DSxn).
constexpr DWORD kRopBrushWhereBlack = 0xB8074A;
constexpr DWORD kRopInvertWhereBlack = 0x990066;

using TextProc = void(ZEBAPI*)(short, const void*, Point, Point);

// The command-key sign, one row a line, '#' inked; a blank column on each side.
constexpr const char* kCommandGlyphArt[kCommandGlyphHeight] = {
    "..##.....##..",
    ".#..#...#..#.",
    ".#..#...#..#.",
    "..#########..",
    "....#...#....",
    "....#...#....",
    "....#...#....",
    "..#########..",
    ".#..#...#..#.",
    ".#..#...#..#.",
    "..##.....##..",
};

// A packed one-bit DIB: header, two colours and top-down rows of whole 32-bit words.
struct OneBitImage {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  std::vector<uint8_t> rows;
  int stride = 0;

  OneBitImage(int width, int height) {
    stride = ((width + 31) / 32) * 4;
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colours[0] = {0, 0, 0, 0};
    info.colours[1] = {255, 255, 255, 0};
    rows.assign(static_cast<size_t>(stride) * height, 0);
  }
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(&info); }
};

RGBQUAD QuadOf(COLORREF c) {
  return {GetBValue(c), GetGValue(c), GetRValue(c), 0};
}

void* InstalledTextProc(GrafPtr port) {
  if (!port->grafProcs) return nullptr;
  void* p = reinterpret_cast<void**>(port->grafProcs)[kTextProc];
  return p != reinterpret_cast<void*>(&StdText) ? p : nullptr;
}

bool MayDrawText(const GrafPort* port, const DrawingContext& ctx) {
  return port->pnVis >= 0 && !ctx.clipEmpty && ctx.dc && TextRuleFor(port->txMode).supported;
}

// Whether any line of the text, from the baseline less the ascent to the baseline plus the
// descent, lies in the DC's clip box.
bool RowsVisible(const DrawingContext& ctx) {
  RECT clip;
  const int kind = GetClipBox(ctx.dc, &clip);
  if (kind == ERROR) return true;
  if (kind == NULLREGION) return false;
  const int32_t top = ctx.penV - ctx.textMetrics.tmAscent;
  const int32_t bottom = ctx.penV + ctx.textMetrics.tmDescent;
  return bottom > clip.top && top < clip.bottom;
}

void FillWithColour(HDC dc, const DeviceRect& r, COLORREF colour) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  HBRUSH brush = CreateSolidBrush(colour);
  if (!brush) return;
  HGDIOBJ previous = SelectObject(dc, brush);
  PatBlt(dc, r.left, r.top, r.Width(), r.Height(), PATCOPY);
  SelectObject(dc, previous);
  DeleteObject(brush);
}

void DrawCommandGlyph(DrawingContext& ctx, int32_t width) {
  OneBitImage image(kCommandGlyphWidth, kCommandGlyphHeight);
  const uint8_t* rows = CommandGlyphRows();
  for (int y = 0; y < kCommandGlyphHeight; ++y) {
    image.rows[static_cast<size_t>(y) * image.stride] = rows[y * 2];
    image.rows[static_cast<size_t>(y) * image.stride + 1] = rows[y * 2 + 1];
  }
  // Set bits take the foreground colour, clear ones the background: a copy of the glyph.
  image.info.colours[1] = QuadOf(ctx.foreColor);
  image.info.colours[0] = QuadOf(ctx.backColor);
  StretchDIBits(ctx.dc, ctx.penH, ctx.penV - kCommandGlyphHeight, width, kCommandGlyphHeight, 0,
                0, width, kCommandGlyphHeight, image.rows.data(), image.Info(), DIB_RGB_COLORS,
                SRCCOPY);
}

void DrawConverted(DrawingContext& ctx, const ConvertedText& text, int32_t width) {
  const GrafPort* port = ctx.port;
  const TextModeRule rule = TextRuleFor(port->txMode);
  const TEXTMETRICA& tm = ctx.textMetrics;
  const int32_t x = ctx.penH, y = ctx.penV;
  const DeviceRect textBox = {x, y - tm.tmAscent, x + width, y + tm.tmDescent};
  auto glyphs = [&](HDC dc, int gx, int gy) {
    SetSpaceJustification(ctx, dc, text.spaces);
    const char* bytes = reinterpret_cast<const char*>(text.bytes);
    if (text.advances)
      ExtTextOutA(dc, gx, gy, 0, nullptr, bytes, static_cast<UINT>(text.count),
                  reinterpret_cast<const INT*>(text.advances));
    else
      TextOutA(dc, gx, gy, bytes, text.count);
    SetTextJustification(dc, 0, 0);
  };
  const bool intoDIB = (ctx.flags & kCtxDrawsIntoDIB) != 0;
  if (!intoDIB && GdiDrawsText(rule)) {
    // notSrcCopy is the copy with the colours exchanged.
    SelectTextColour(ctx, rule.inverted ? ctx.backColor : ctx.foreColor);
    SelectBackColour(ctx, rule.inverted ? ctx.foreColor : ctx.backColor);
    SelectBkMode(ctx, rule.ink == TextInk::Copy ? kOpaque : kTransparent);
    glyphs(ctx.dc, x, y);
    return;
  }
  // Italic and overhanging glyphs reach past the advance: the image leaves them room.
  const int32_t margin = tm.tmMaxCharWidth / 2 + tm.tmOverhang + 1;
  const DeviceRect box = {textBox.left - margin, textBox.top - 1, textBox.right + margin,
                          textBox.bottom + 1};
  if (intoDIB)
    DrawTextThroughMask(ctx, box, textBox, rule, glyphs);
  else
    DrawTextInBand(ctx, box, textBox, rule, glyphs);
}

void DrawTextBytes(GrafPtr port, DrawingContext& ctx, const uint8_t* text, int32_t count,
                   const TextScale& scale) {
  if (count <= 0 || !text) return;
  if (port->picSave && !port->rgnSave) RecordText(port, text, static_cast<int16_t>(count));
  if (!RealiseFont(ctx, scale)) return;
  int32_t width = 0;
  const bool drawing = MayDrawText(port, ctx) && RowsVisible(ctx);
  if (count == 1 && text[0] == kCommandKeyCharacter) {
    width = CommandGlyphDeviceWidth(ctx);
    if (drawing && width > 0) DrawCommandGlyph(ctx, width);
  } else if (count > 1 || text[0] >= kFirstMeasuredCharacter) {
    TextScratch scratch;
    ConvertedText converted;
    if (!ConvertForContext(ctx, scale, text, count, scratch, &converted)) return;
    width = DeviceTextWidth(ctx, converted);
    if (drawing && converted.count > 0) DrawConverted(ctx, converted, width);
  }
  // The pen moves on by the width, even when nothing was drawn.
  const int32_t h = port->pnLoc.h + ctx.map.LengthToLocalH(width);
  port->pnLoc.h = static_cast<short>(h > 32767 ? 32767 : h < -32768 ? -32768 : h);
  MapPen(ctx);
}

void TextThroughBottleneck(const void* text, int32_t count) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !text || count <= 0) return;
  if (auto proc = reinterpret_cast<TextProc>(InstalledTextProc(port))) {
    proc(static_cast<short>(count), text, Point{1, 1}, Point{1, 1});
    return;
  }
  DrawTextBytes(port, *ctx, static_cast<const uint8_t*>(text), count, TextScale());
}

}  // namespace

const uint8_t* CommandGlyphRows() {
  static uint8_t rows[kCommandGlyphHeight * 2];
  static bool made = false;
  if (!made) {
    for (int y = 0; y < kCommandGlyphHeight; ++y)
      for (int x = 0; x < kCommandGlyphWidth; ++x)
        if (kCommandGlyphArt[y][x] == '#') rows[y * 2 + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    made = true;
  }
  return rows;
}

void DrawTextThroughMask(DrawingContext& ctx, const DeviceRect& box, const DeviceRect& textBox,
                         const TextModeRule& rule,
                         const std::function<void(HDC dc, int x, int y)>& drawGlyphs) {
  // The image is the box with a blank pixel around it; the text stands at (1, 1) from the box.
  const int width = box.Width() + 2, height = box.Height() + 2;
  if (box.Width() <= 0 || box.Height() <= 0 || !ctx.dc) return;
  const int dx = 1 - box.left, dy = 1 - box.top;
  HDC mask = CreateCompatibleDC(ctx.dc);
  HBITMAP bits = mask ? CreateBitmap(width, height, 1, 1, nullptr) : nullptr;
  if (!bits) {
    if (mask) DeleteDC(mask);
    return;
  }
  HGDIOBJ firstBitmap = SelectObject(mask, bits);
  HGDIOBJ firstFont = SelectObject(mask, ctx.font ? static_cast<HGDIOBJ>(ctx.font)
                                                  : GetCurrentObject(ctx.dc, OBJ_FONT));
  PatBlt(mask, 0, 0, width, height, WHITENESS);
  SetTextAlign(mask, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  SetBkMode(mask, TRANSPARENT);
  if (rule.inverted) {
    // The not- modes ink the text box less the glyphs.
    PatBlt(mask, textBox.left + dx, textBox.top + dy, textBox.Width(), textBox.Height(),
           BLACKNESS);
    SetTextColor(mask, RGB(255, 255, 255));
  } else {
    SetTextColor(mask, RGB(0, 0, 0));
  }
  drawGlyphs(mask, ctx.penH + dx, ctx.penV + dy);
  OneBitImage image(width, height);
  const int lines = GetDIBits(mask, bits, 0, height, image.rows.data(), image.Info(), DIB_RGB_COLORS);
  SelectObject(mask, firstFont);
  SelectObject(mask, firstBitmap);
  DeleteObject(bits);
  DeleteDC(mask);
  if (lines != height) return;
  // GetDIBits wrote the image's own two colours: black glyphs, white paper.
  image.info.colours[0] = {0, 0, 0, 0};
  image.info.colours[1] = {255, 255, 255, 0};

  COLORREF ink = ctx.foreColor;
  DWORD rop = kRopBrushWhereBlack;
  switch (rule.ink) {
    case TextInk::Copy:
      FillWithColour(ctx.dc, textBox, ctx.backColor);
      break;
    case TextInk::Or: break;
    case TextInk::Bic: ink = ctx.backColor; break;
    case TextInk::Xor: rop = kRopInvertWhereBlack; break;
  }
  HBRUSH brush = rop == kRopBrushWhereBlack ? CreateSolidBrush(ink) : nullptr;
  HGDIOBJ previousBrush = brush ? SelectObject(ctx.dc, brush) : nullptr;
  StretchDIBits(ctx.dc, box.left - 1, box.top - 1, width, height, 0, 0, width, height,
                image.rows.data(), image.Info(), DIB_RGB_COLORS, rop);
  if (brush) {
    SelectObject(ctx.dc, previousBrush);
    DeleteObject(brush);
  }
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI StdText(short byteCount, const void* textBuf, Point numer, Point denom) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx) return;
  DrawTextBytes(port, *ctx, static_cast<const uint8_t*>(textBuf), byteCount,
                TextScaleOf(numer, denom));
}

void ZEBAPI DrawChar(short ch) {
  const uint8_t c = static_cast<uint8_t>(ch);
  TextThroughBottleneck(&c, 1);
}

void ZEBAPI DrawString(ConstStr255Param s) {
  if (s) TextThroughBottleneck(s + 1, s[0]);
}

void ZEBAPI DrawTex(const void* textBuf, short firstByte, short byteCount) {
  if (!textBuf || byteCount <= 0) return;
  TextThroughBottleneck(static_cast<const uint8_t*>(textBuf) + firstByte, byteCount);
}

}  // extern "C"
