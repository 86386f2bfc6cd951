// Patterns as GDI brushes. An 8-byte pattern becomes an 8 x 8 monochrome bitmap of the inverted
// pattern bytes, so that a set pattern bit paints in the DC's text (foreground) colour and a
// clear bit in its background colour; the five standard patterns' bitmaps are made once. A
// black-and-white port caches its last brush; a pixel pattern caches its own.
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

constexpr uint8_t kStandardPatterns[5][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // white
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // black
    {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},  // gray
    {0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22},  // ltGray
    {0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD},  // dkGray
};

// patXValid of a pixel pattern whose patXMap holds no brush.
constexpr short kNoCachedBrush = -1;

// Kinds of brushes in the black-and-white cache.
enum BrushKind : uint16_t { kPatternBrush = 1, kSolidForeBrush = 2, kSolidBackBrush = 3,
                            kDitherBrush = 4 };

HBITMAP MakePatternBitmap(const uint8_t pattern[8]) {
  // Monochrome bitmap rows are padded to 16 bits.
  uint8_t rows[16];
  for (int i = 0; i < 8; ++i) {
    rows[i * 2] = static_cast<uint8_t>(~pattern[i]);
    rows[i * 2 + 1] = 0;
  }
  return CreateBitmap(8, 8, 1, 1, rows);
}

HBRUSH MakeMonochromeBrush(const uint8_t pattern[8]) {
  for (int i = 0; i < 5; ++i) {
    if (State().patternBitmaps[i] && std::memcmp(pattern, kStandardPatterns[i], 8) == 0)
      return CreatePatternBrush(State().patternBitmaps[i]);
  }
  HBITMAP bitmap = MakePatternBitmap(pattern);
  if (!bitmap) return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  HBRUSH brush = CreatePatternBrush(bitmap);  // the brush keeps its own copy
  DeleteObject(bitmap);
  return brush;
}

bool IsStockBrush(HBRUSH b) { return b == GetStockObject(GRAY_BRUSH); }

void ForgetBrush(HBRUSH& brush) {
  if (brush && !IsStockBrush(brush)) DeleteBrushEverywhere(brush);
  brush = nullptr;
}

bool UsesDither(const DrawingContext& ctx) {
  return State().options.greyDither && ctx.dc == State().screenDC && ctx.depthClass == 1;
}

// The colours a mono pattern brush is drawn with: the port's, or black and white when the
// colours are already in a dither pattern.
void SelectBrushColours(DrawingContext& ctx, bool dithered) {
  SelectTextColour(ctx, dithered ? RGB(0, 0, 0) : ctx.foreColor);
  SelectBackColour(ctx, dithered ? RGB(255, 255, 255) : ctx.backColor);
}

bool SelectBrush(DrawingContext& ctx, HBRUSH brush) {
  if (!brush) return false;
  if (ctx.selectedBrush != brush) {
    SelectObject(ctx.dc, brush);
    ctx.selectedBrush = brush;
    ctx.brushOriginH = ctx.brushOriginV = -1;
  }
  ApplyBrushOrigin(ctx);
  return true;
}

// A brush for a black-and-white port's pattern, from the context's one-entry cache.
HBRUSH BlackAndWhiteBrush(DrawingContext& ctx, const uint8_t pattern[8], bool& dithered) {
  dithered = UsesDither(ctx);
  uint16_t kind = kPatternBrush;
  if (dithered)
    kind = kDitherBrush;
  else if (State().options.solidColourBrushes && IsAllBytes(pattern, 0xFF))
    kind = kSolidForeBrush;
  else if (State().options.solidColourBrushes && IsAllBytes(pattern, 0x00))
    kind = kSolidBackBrush;
  BrushCache& cache = ctx.brushCache;
  if (cache.brush && cache.kind == kind && cache.fore == ctx.foreRgb && cache.back == ctx.backRgb &&
      std::memcmp(cache.pattern, pattern, 8) == 0)
    return cache.brush;

  HBRUSH made = nullptr;
  switch (kind) {
    case kSolidForeBrush: made = CreateSolidBrush(ctx.foreColor); break;
    case kSolidBackBrush: made = CreateSolidBrush(ctx.backColor); break;
    case kDitherBrush: {
      uint8_t combined[8];
      CombineWithDither(pattern, ctx.foreRgb, ctx.backRgb, combined);
      made = MakeMonochromeBrush(combined);
      break;
    }
    default: made = MakeMonochromeBrush(pattern); break;
  }
  if (!made) return nullptr;  // the previous brush stays selected
  // The new brush goes in before the old one is deleted: a selected brush cannot be deleted.
  SelectBrush(ctx, made);
  ForgetBrush(cache.brush);
  cache.brush = made;
  cache.kind = kind;
  cache.fore = ctx.foreRgb;
  cache.back = ctx.backRgb;
  std::memcpy(cache.pattern, pattern, 8);
  return made;
}

// A packed DIB (header, colour table, bottom-up rows) of a full pixel pattern, or empty when
// the pattern's pixels cannot be read as its rows say.
std::vector<uint8_t> PixPatDIB(PixPatHandle pp) {
  std::vector<uint8_t> dib;
  PixMapHandle pmh = (*pp)->patMap;
  Handle data = (*pp)->patData;
  if (!pmh || !*pmh || !data || !*data) return dib;
  const PixMap& pm = **pmh;
  const int width = pm.bounds.right - pm.bounds.left;
  const int height = pm.bounds.bottom - pm.bounds.top;
  const int rowBytes = pm.rowBytes & 0x3FFF;
  const int depth = pm.pixelSize;
  if (width <= 0 || height <= 0 || width > 1024 || height > 1024) return dib;
  if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16 && depth != 32) return dib;
  if (rowBytes * 8 < width * depth) return dib;
  if (GetHandleSize(data) < static_cast<long>(rowBytes) * height) return dib;

  // Two-bit pixels widen to four, which DIBs know; direct pixels become 24-bit.
  const int outDepth = depth == 2 ? 4 : (depth >= 16 ? 24 : depth);
  const int colours = outDepth <= 8 ? (1 << outDepth) : 0;
  const int outRowBytes = ((width * outDepth + 31) / 32) * 4;
  dib.assign(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD) +
                 static_cast<size_t>(outRowBytes) * height, 0);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(outDepth);
  header->biCompression = BI_RGB;
  auto* quads = reinterpret_cast<RGBQUAD*>(dib.data() + sizeof(BITMAPINFOHEADER));
  if (colours && pm.pmTable && *pm.pmTable) {
    const ColorTable& ct = **pm.pmTable;
    const int available = ct.ctSize + 1;
    for (int i = 0; i < colours && i < available && i < (1 << depth); ++i) {
      const RGBColor& c = ct.ctTable[i].rgb;
      quads[i] = {static_cast<BYTE>(c.blue >> 8), static_cast<BYTE>(c.green >> 8),
                  static_cast<BYTE>(c.red >> 8), 0};
    }
  }
  uint8_t* rows = dib.data() + sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
  const auto* src = reinterpret_cast<const uint8_t*>(*data);
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = src + static_cast<size_t>(y) * rowBytes;
    uint8_t* out = rows + static_cast<size_t>(height - 1 - y) * outRowBytes;
    if (depth == outDepth) {
      std::memcpy(out, in, static_cast<size_t>((width * depth + 7) / 8));
    } else if (depth == 2) {
      for (int x = 0; x < width; ++x) {
        const int v = (in[x / 4] >> (6 - 2 * (x % 4))) & 3;
        out[x / 2] = static_cast<uint8_t>(out[x / 2] | (x % 2 ? v : v << 4));
      }
    } else if (depth == 16) {  // big-endian x-5-5-5
      for (int x = 0; x < width; ++x) {
        const int v = (in[x * 2] << 8) | in[x * 2 + 1];
        out[x * 3 + 0] = static_cast<uint8_t>((v & 0x1F) * 255 / 31);
        out[x * 3 + 1] = static_cast<uint8_t>(((v >> 5) & 0x1F) * 255 / 31);
        out[x * 3 + 2] = static_cast<uint8_t>(((v >> 10) & 0x1F) * 255 / 31);
      }
    } else {  // 32: big-endian x-r-g-b
      for (int x = 0; x < width; ++x) {
        out[x * 3 + 0] = in[x * 4 + 3];
        out[x * 3 + 1] = in[x * 4 + 2];
        out[x * 3 + 2] = in[x * 4 + 1];
      }
    }
  }
  return dib;
}

HBRUSH MakePixPatBrush(DrawingContext& ctx, PixPatHandle pp, bool& monochrome) {
  monochrome = false;
  const PixPat& p = **pp;
  if (p.patType == 2) {
    // An RGB pattern: its colour is the first entry of its pixel map's colour table.
    if (p.patMap && *p.patMap && (*p.patMap)->pmTable && *(*p.patMap)->pmTable) {
      const RGBColor& c = (**(*p.patMap)->pmTable).ctTable[0].rgb;
      return CreateSolidBrush(ColorRefFor(ToRgb16(c), ctx.depthClass == 1));
    }
    return CreateSolidBrush(ctx.foreColor);
  }
  if (p.patType == 1) {
    const PixMapHandle pm = p.patMap;
    // A one-bit 8 x 8 pattern is its 8-byte form; other full patterns keep their colours.
    const bool eightByOneBit = pm && *pm && (*pm)->pixelSize == 1 &&
                               (*pm)->bounds.right - (*pm)->bounds.left == 8 &&
                               (*pm)->bounds.bottom - (*pm)->bounds.top == 8;
    if (!eightByOneBit) {
      std::vector<uint8_t> dib = PixPatDIB(pp);
      if (!dib.empty()) return CreateDIBPatternBrushPt(dib.data(), DIB_RGB_COLORS);
    }
  }
  monochrome = true;
  if (State().options.solidColourBrushes && IsAllBytes(p.pat1Data.pat, 0xFF))
    return CreateSolidBrush(ctx.foreColor);
  if (State().options.solidColourBrushes && IsAllBytes(p.pat1Data.pat, 0x00))
    return CreateSolidBrush(ctx.backColor);
  return MakeMonochromeBrush(p.pat1Data.pat);
}

HBRUSH CachedPixPatBrush(const PixPat& p) {
  return p.patXValid == 0 ? reinterpret_cast<HBRUSH>(p.patXMap) : nullptr;
}

}  // namespace

bool IsAllBytes(const uint8_t pattern[8], uint8_t value) {
  for (int i = 0; i < 8; ++i)
    if (pattern[i] != value) return false;
  return true;
}

void PatternBytes(GrafPtr port, PatternRole role, uint8_t out[8], PixPatHandle* pixPat) {
  if (pixPat) *pixPat = nullptr;
  if (!IsColourPort(port)) {
    const Pattern& p = role == PatternRole::Pen ? port->pnPat
                       : role == PatternRole::Back ? port->bkPat : port->fillPat;
    std::memcpy(out, p.pat, 8);
    return;
  }
  const CGrafPort* c = AsColour(port);
  const PixPatHandle pp = role == PatternRole::Pen ? c->pnPixPat
                          : role == PatternRole::Back ? c->bkPixPat : c->fillPixPat;
  if (pixPat) *pixPat = pp;
  if (pp && *pp) {
    std::memcpy(out, (*pp)->pat1Data.pat, 8);
  } else {
    std::memset(out, role == PatternRole::Back ? 0x00 : 0xFF, 8);
  }
}

void PenPatternBytes(const DrawingContext& ctx, uint8_t out[8]) {
  PatternBytes(ctx.port, PatternRole::Pen, out, nullptr);
  if (ctx.drawingMask && ctx.maskInverted)
    for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(~out[i]);
}

bool SelectPatternBrush(DrawingContext& ctx, PatternRole role) {
  uint8_t pattern[8];
  PixPatHandle pp = nullptr;
  PatternBytes(ctx.port, role, pattern, &pp);
  if (ctx.drawingMask && role == PatternRole::Pen) {
    // The mask is drawn from the 8-byte form, black on white.
    PenPatternBytes(ctx, pattern);
    pp = nullptr;
  }
  if (!pp || !*pp) {
    bool dithered = false;
    HBRUSH brush = BlackAndWhiteBrush(ctx, pattern, dithered);
    if (!brush) return ctx.selectedBrush != nullptr;
    SelectBrushColours(ctx, dithered);
    return SelectBrush(ctx, brush);
  }
  PixPat& p = **pp;
  HBRUSH brush = CachedPixPatBrush(p);
  bool monochrome = p.patType == 0;
  if (!brush) {
    brush = MakePixPatBrush(ctx, pp, monochrome);
    if (!brush) return ctx.selectedBrush != nullptr;
    (*pp)->patXMap = reinterpret_cast<Handle>(brush);
    (*pp)->patXValid = 0;
  }
  if (monochrome) SelectBrushColours(ctx, false);
  return SelectBrush(ctx, brush);
}

void InvalidatePixPatBrush(PixPatHandle pp) {
  if (!pp || !*pp) return;
  HBRUSH brush = CachedPixPatBrush(**pp);
  (*pp)->patXValid = kNoCachedBrush;
  (*pp)->patXMap = nullptr;
  ForgetBrush(brush);
}

void InvalidateContextPixPatBrushes(DrawingContext& ctx) {
  if (!IsColourPort(ctx.port)) return;
  const CGrafPort* c = AsColour(ctx.port);
  InvalidatePixPatBrush(c->pnPixPat);
  InvalidatePixPatBrush(c->bkPixPat);
  InvalidatePixPatBrush(c->fillPixPat);
}

void DeleteBrushEverywhere(HBRUSH brush) {
  if (!brush) return;
  for (DrawingContext* ctx : State().slots) {
    if (ctx && ctx->selectedBrush == brush) {
      if (ctx->dc) SelectObject(ctx->dc, State().nullBrush);
      ctx->selectedBrush = nullptr;
    }
  }
  DeleteObject(brush);
}

void ReleaseBrushCache(DrawingContext& ctx) { ForgetBrush(ctx.brushCache.brush); }

void BuildStandardPatterns() {
  for (int i = 0; i < 5; ++i)
    if (!State().patternBitmaps[i]) State().patternBitmaps[i] = MakePatternBitmap(kStandardPatterns[i]);
}

void DeleteStandardPatterns() {
  for (HBITMAP& b : State().patternBitmaps) {
    if (b) DeleteObject(b);
    b = nullptr;
  }
}

}  // namespace zeb::quickdraw
