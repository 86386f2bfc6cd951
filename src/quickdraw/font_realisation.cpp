// A port's font as a GDI font: the session's shared fonts where the port substitutes them,
// otherwise the face of the font list that the port's font number finds, at the port's size,
// style and scale.
#include <cstdint>
#include <cstring>

#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "quickdraw/font_manager.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {
namespace {

constexpr int16_t kDefaultTextSize = 12;
// ZEB_SystemValue indices: the extend style strikes text out; font heights on other DCs than
// the screen are in printer points (scaled by the screen's vertical resolution).
constexpr int kStrikeOutOption = 45;
constexpr int kPrinterPointOption = 46;
constexpr uint8_t kShiftJisCharset = 128;
constexpr uint8_t kExtendStyle = 0x40;
// GDI rasterises every glyph whole: a font taller than this would take glyph bitmaps of
// hundreds of megabytes.
constexpr int32_t kTallestFont = 4096;
constexpr int kPointsPerInch = 72;

int32_t ScaleLength(int32_t n, int32_t num, int32_t den) {
  if (num == den || den == 0) return n;
  return MulDivRound(n, num, den);
}

int32_t ClampHeight(int32_t h) {
  if (h > kTallestFont) return kTallestFont;
  if (h < -kTallestFont) return -kTallestFont;
  return h;
}

FontKey KeyFor(const DrawingContext& ctx, const TextScale& scale) {
  const GrafPort* port = ctx.port;
  FontKey key;
  key.font = port->txFont;
  key.size = EffectiveTextSize(port);
  key.face = port->txFace;
  key.substitution = (ctx.flags & kCtxSystemFontSubstitution) != 0;
  key.screen = ctx.dc == State().screenDC;
  key.mapNumH = ctx.map.scale ? ctx.map.numH : 1;
  key.mapDenH = ctx.map.scale ? ctx.map.denH : 1;
  key.mapNumV = ctx.map.scale ? ctx.map.numV : 1;
  key.mapDenV = ctx.map.scale ? ctx.map.denV : 1;
  key.textNumH = scale.numH;
  key.textDenH = scale.denH;
  key.textNumV = scale.numV;
  key.textDenV = scale.denV;
  key.strikeOutOption = events::StoredSystemValue(kStrikeOutOption);
  key.printerPointOption = events::StoredSystemValue(kPrinterPointOption);
  key.generation = FontListGeneration();
  return key;
}

// The session's shared fonts, used as they are whatever the size and style: the system fonts
// under system-font substitution, and the dialog fonts of numbers -2 and -3 on every port.
HFONT SharedFontFor(const FontKey& key) {
  const StandardFonts& f = Fonts();
  if (key.substitution) {
    if (key.font == systemFont || (key.font == applFont && !frame::Session().doubleByte))
      return f.system;
    if (key.font == monaco && key.size < 10) return f.smallMono;
    if (key.font == monaco && key.size < 13) return f.mono;
  }
  if (key.font == ZEB_FONT_DIALOG) return f.measuring;
  if (key.font == ZEB_FONT_SMALLDIALOG) return f.DialogFontOption() ? f.measuring : f.dialog;
  return nullptr;
}

// The LOGFONT of the key's face, size and style before scaling.
LOGFONTA DescribeFont(const FontKey& key) {
  LOGFONTA lf{};
  lf.lfHeight = -key.size;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  if (const FontRecord* r = FontForNumber(key.font)) {
    const FontSizeEntry* entry = nullptr;
    if (r->IsRaster()) {
      const int chosen = ChooseRasterSize(*r, key.size);
      if (chosen >= 0) {
        entry = &r->sizes[chosen];
        // Only the size itself keeps the face's own cell; another size is asked by height.
        if (entry->pixelSize == key.size) {
          lf.lfHeight = entry->height;
          lf.lfWidth = entry->width;
        }
      }
    } else if (r->sizeCount > 0) {
      entry = &r->sizes[0];
    }
    if (entry) {
      lf.lfEscapement = entry->escapement;
      lf.lfOrientation = entry->orientation;
      lf.lfOutPrecision = entry->outPrecision;
      lf.lfClipPrecision = entry->clipPrecision;
      lf.lfQuality = entry->quality;
      lf.lfPitchAndFamily = entry->pitchAndFamily;
    } else {
      // The record keeps its face's TEXTMETRIC pitch bits, which mean otherwise in a LOGFONT:
      // only the family is asked for.
      lf.lfPitchAndFamily = static_cast<BYTE>(r->pitchAndFamily & 0xF0);
    }
    lf.lfCharSet = r->charSet;
    std::memcpy(lf.lfFaceName, r->faceName, kLongestFaceName);
    lf.lfFaceName[kLongestFaceName] = '\0';
  }
  lf.lfWeight = (key.face & bold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (key.face & italic) ? 1 : 0;
  lf.lfUnderline = (key.face & underline) ? 1 : 0;
  lf.lfStrikeOut = ((key.face & kExtendStyle) && key.strikeOutOption) ? 1 : 0;
  return lf;
}

// The average character width of a font made from lf, for a width of its own.
int32_t AverageWidth(HDC dc, const LOGFONTA& lf) {
  HFONT probe = CreateFontIndirectA(&lf);
  if (!probe) return 0;
  HGDIOBJ previous = SelectObject(dc, probe);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, previous);
  DeleteObject(probe);
  return tm.tmAveCharWidth;
}

HFONT MakeFont(const DrawingContext& ctx, const FontKey& key) {
  LOGFONTA lf = DescribeFont(key);
  const int32_t numH = int32_t{key.mapNumH} * key.textNumH;
  const int32_t denH = int32_t{key.mapDenH} * key.textDenH;
  const int32_t numV = int32_t{key.mapNumV} * key.textNumV;
  const int32_t denV = int32_t{key.mapDenV} * key.textDenV;
  int32_t height = ScaleLength(lf.lfHeight, numV, denV);
  int32_t width = ScaleLength(lf.lfWidth, numH, denH);
  if (!key.screen && key.printerPointOption)
    height = MulDivRound(height, State().pixelsPerInchV, kPointsPerInch);
  lf.lfHeight = ClampHeight(height);
  // A text scale wider or narrower than it is tall asks for a width of its own: the face's
  // average width at this height, scaled by the difference.
  if (width == 0 && int64_t{numH} * denV != int64_t{numV} * denH) {
    lf.lfWidth = 0;
    const int32_t average = AverageWidth(ctx.dc, lf);
    width = static_cast<int32_t>(
        (int64_t{average} * numH * denV + int64_t{denH} * numV / 2) / (int64_t{denH} * numV));
    if (width < 1) width = 1;
  }
  lf.lfWidth = ClampHeight(width);
  return CreateFontIndirectA(&lf);
}

void AdoptMetrics(DrawingContext& ctx) {
  GetTextMetricsA(ctx.dc, &ctx.textMetrics);
  ctx.flags = static_cast<uint16_t>(ctx.flags & ~(kCtxTrueTypeFont | kCtxDoubleByteFont));
  if (ctx.textMetrics.tmPitchAndFamily & TMPF_TRUETYPE) ctx.flags |= kCtxTrueTypeFont;
  if (ctx.textMetrics.tmCharSet == kShiftJisCharset) ctx.flags |= kCtxDoubleByteFont;
  ++ctx.fontSerial;
}

}  // namespace

int16_t EffectiveTextSize(const GrafPort* port) {
  return port->txSize > 0 ? port->txSize : kDefaultTextSize;
}

TextScale TextScaleOf(Point numer, Point denom) {
  TextScale s;
  if (numer.h > 0 && denom.h > 0) {
    s.numH = numer.h;
    s.denH = denom.h;
  }
  if (numer.v > 0 && denom.v > 0) {
    s.numV = numer.v;
    s.denV = denom.v;
  }
  return s;
}

void ReselectFont(DrawingContext& ctx) {
  if (ctx.fontSelected || !ctx.font || !ctx.dc) return;
  SelectObject(ctx.dc, ctx.font);
  ctx.fontSelected = true;
}

bool RealiseFont(DrawingContext& ctx, const TextScale& scale) {
  if (!ctx.dc || !ctx.port) return false;
  const FontKey key = KeyFor(ctx, scale);
  if (!ctx.fontRecreate && ctx.font && key == ctx.fontKey) {
    ReselectFont(ctx);
    return true;
  }
  HFONT shared = SharedFontFor(key);
  HFONT made = shared ? nullptr : MakeFont(ctx, key);
  HFONT chosen = shared ? shared : made;
  if (!chosen) {
    // CreateFontA failed: the last font stays, or the DC's own when there is none.
    ReselectFont(ctx);
    if (!ctx.font) AdoptMetrics(ctx);
    return true;
  }
  SelectObject(ctx.dc, chosen);
  if (ctx.ownFont && ctx.ownFont != chosen) DeleteObject(ctx.ownFont);
  ctx.ownFont = made;
  ctx.font = chosen;
  ctx.fontSelected = true;
  ctx.fontKey = key;
  ctx.fontRecreate = false;
  AdoptMetrics(ctx);
  return true;
}

}  // namespace zeb::quickdraw
