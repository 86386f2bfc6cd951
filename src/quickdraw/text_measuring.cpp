// Measuring text: its conversion as the port's font needs it, its width in local units through
// the measure bottleneck, the font's metrics (GetFontInfo, FontMetrics) and the Font Manager's
// width table.
#include <cstring>

#include "FixMath.h"
#include "events/events_internal.h"
#include "quickdraw/character_sets.h"
#include "quickdraw/font_manager.h"
#include "textedit/textedit_internal.h"

namespace zeb::quickdraw {
namespace {

// ZEB_SystemValue index 47: how GetFontInfo's ascent and leading take the font's leadings.
constexpr int kFontInfoOptions = 47;
// QDProcs entry of the measure bottleneck.
constexpr int kTxMeasProc = 10;
constexpr uint8_t kSpace = 0x20;

using MeasureProc = short(ZEBAPI*)(short, const void*, Point*, Point*, FontInfo*);

// The option word's meanings, bit by bit (the low byte outside width-table mode, the high
// byte in it).
enum FontInfoOption : uint8_t {
  kAscentPlusInternal = 0x01,
  kAscentPlusExternal = 0x02,
  kAscentLessInternal = 0x04,
  kAscentLessExternal = 0x08,
  kLeadingIsInternal = 0x10,
  kLeadingPlusExternal = 0x20,
  kLeadingLessInternal = 0x40,
  kLeadingLessExternal = 0x80
};

short ToShort(int32_t n) {
  if (n > 32767) return 32767;
  if (n < -32768) return -32768;
  return static_cast<short>(n);
}

FontMeasureKey MeasureKeyOf(const DrawingContext& ctx) {
  FontMeasureKey key;
  key.fontSerial = ctx.fontSerial;
  key.options = events::StoredSystemValue(kFontInfoOptions);
  key.widthTable = (ctx.flags & kCtxWidthTableText) != 0;
  key.tableConversion = TableConversionOn(&ctx);
  if (ctx.map.scale) {
    key.numH = ctx.map.numH;
    key.denH = ctx.map.denH;
    key.numV = ctx.map.numV;
    key.denV = ctx.map.denV;
  }
  return key;
}

// The font's ascent, descent, widest character and leading in device units, as the option
// word adjusts them.
void DeviceFontInfo(const DrawingContext& ctx, uint32_t optionWord, int32_t out[4]) {
  const TEXTMETRICA& tm = ctx.textMetrics;
  const bool widthTable = (ctx.flags & kCtxWidthTableText) != 0;
  const uint8_t options = static_cast<uint8_t>(widthTable ? optionWord >> 8 : optionWord);
  int32_t ascent = tm.tmAscent, leading = 0;
  if (options & kAscentPlusInternal) ascent += tm.tmInternalLeading;
  if (options & kAscentPlusExternal) ascent += tm.tmExternalLeading;
  if (options & kAscentLessInternal) ascent -= tm.tmInternalLeading;
  if (options & kAscentLessExternal) ascent -= tm.tmExternalLeading;
  if (options & kLeadingIsInternal) leading = tm.tmInternalLeading;
  if (options & kLeadingPlusExternal) leading += tm.tmExternalLeading;
  if (options & kLeadingLessInternal) leading -= tm.tmInternalLeading;
  if (options & kLeadingLessExternal) leading -= tm.tmExternalLeading;
  out[0] = ascent;
  out[1] = tm.tmDescent;
  out[2] = tm.tmMaxCharWidth;
  out[3] = leading;
}

// A device length as a Fixed local length.
Fixed ToLocalFixed(int32_t n, int16_t num, int16_t den) {
  return static_cast<Fixed>((static_cast<int64_t>(n) * 65536 * den) / (num ? num : 1));
}

// The width table of width-table mode: the one given to ZEB_ExtDrawText, else the Font
// Manager's.
const int32_t* WidthTableOf(const DrawingContext& ctx) {
  if (ctx.widthMode.table) return reinterpret_cast<const int32_t*>(ctx.widthMode.table);
  Handle h = FontManagerWidthTable();
  return h && *h ? reinterpret_cast<const int32_t*>(reinterpret_cast<WidthTable*>(*h)->tabData)
                 : nullptr;
}

void* InstalledMeasureProc(GrafPtr port) {
  if (!port->grafProcs) return nullptr;
  void* p = reinterpret_cast<void**>(port->grafProcs)[kTxMeasProc];
  return p != reinterpret_cast<void*>(&StdTxMeas) ? p : nullptr;
}

// Width through the measure bottleneck: the application's routine when one is installed,
// with the scale it hands back applied.
short MeasureThroughBottleneck(const void* text, short count) {
  GrafPtr port = CurrentPort();
  DrawingContext* ctx = Current();
  if (!port || !ctx || !text || count <= 0) return 0;
  Point numer = {1, 1}, denom = {1, 1};
  FontInfo info;
  if (auto proc = reinterpret_cast<MeasureProc>(InstalledMeasureProc(port))) {
    const short width = proc(count, text, &numer, &denom, &info);
    if (denom.h > 0 && numer.h != denom.h) return ToShort(MulDivRound(width, numer.h, denom.h));
    return width;
  }
  return StdTxMeas(count, text, &numer, &denom, &info);
}

}  // namespace

int32_t CommandGlyphDeviceWidth(const DrawingContext& ctx) {
  const int32_t widest = ctx.textMetrics.tmMaxCharWidth;
  return widest < kCommandGlyphWidth ? widest : kCommandGlyphWidth;
}

bool ConvertForContext(DrawingContext& ctx, const TextScale& scale, const uint8_t* text,
                       int32_t count, TextScratch& scratch, ConvertedText* out) {
  *out = ConvertedText();
  if (count <= 0 || !text) return true;
  MacToWindowsOptions o;
  o.flags = kConvertDropLineEnds;
  if (ctx.flags & kCtxTrueTypeFont) o.flags |= kConvertRaw;
  if (ctx.flags & kCtxDoubleByteFont) o.flags |= kConvertDoubleByte;
  o.tableConversion = TableConversionOn(&ctx);
  o.passwordEcho = textedit::PasswordEchoOn();
  o.leadBytes = SessionLeadBytes();
  const int32_t* widths = (ctx.flags & kCtxWidthTableText) ? WidthTableOf(ctx) : nullptr;
  if (widths) {
    o.flags |= kConvertAdvances;
    o.widths = widths;
    o.scaleNum = (ctx.map.scale ? ctx.map.numH : 1) * scale.numH;
    o.scaleDen = (ctx.map.scale ? ctx.map.denH : 1) * scale.denH;
    o.spaceExtra = ctx.port->spExtra;
  }
  if (!scratch.Reserve(count, widths != nullptr)) return false;
  const MacToWindowsResult r = MacToWindowsText(text, count, scratch.bytes, scratch.advances, o);
  out->bytes = scratch.bytes;
  out->advances = widths ? scratch.advances : nullptr;
  out->count = r.written;
  out->spaces = r.spaces;
  out->totalAdvance = r.totalAdvance;
  return true;
}

int32_t SpaceExtraWidth(const GrafPort* port, int32_t spaces) {
  if (port->spExtra == 0 || spaces <= 0) return 0;
  return FixRound(FixMul(port->spExtra, static_cast<Fixed>(spaces) << 16));
}

namespace {

// The device width spExtra gives the spaces, in the font's scale.
int32_t DeviceSpaceExtra(const DrawingContext& ctx, int32_t spaces) {
  const int32_t extra = SpaceExtraWidth(ctx.port, spaces);
  if (extra == 0) return 0;
  const FontKey& k = ctx.fontKey;
  return MulDivRound(extra, int32_t{k.mapNumH} * k.textNumH, int32_t{k.mapDenH} * k.textDenH);
}

}  // namespace

void SetSpaceJustification(DrawingContext& ctx, HDC dc, int32_t spaces) {
  if (ctx.flags & kCtxWidthTableText) return;  // the advances carry spExtra
  const int32_t extra = DeviceSpaceExtra(ctx, spaces);
  if (extra != 0) SetTextJustification(dc, extra, spaces);
}

int32_t DeviceTextWidth(DrawingContext& ctx, const ConvertedText& text) {
  if (text.advances) return text.totalAdvance;
  if (text.count <= 0) return DeviceSpaceExtra(ctx, text.spaces);
  SIZE extent{};
  GetTextExtentPoint32A(ctx.dc, reinterpret_cast<const char*>(text.bytes), text.count, &extent);
  return extent.cx - ctx.textMetrics.tmOverhang + DeviceSpaceExtra(ctx, text.spaces);
}

int32_t MeasureBytes(DrawingContext& ctx, const TextScale& scale, const uint8_t* text,
                     int32_t count) {
  if (count <= 0 || !text || !RealiseFont(ctx, scale)) return 0;
  if (count == 1 && text[0] < kFirstMeasuredCharacter) return 0;
  if (count == 1 && text[0] == kCommandKeyCharacter)
    return ctx.map.LengthToLocalH(CommandGlyphDeviceWidth(ctx));
  TextScratch scratch;
  ConvertedText converted;
  if (!ConvertForContext(ctx, scale, text, count, scratch, &converted)) return 0;
  return ctx.map.LengthToLocalH(DeviceTextWidth(ctx, converted));
}

FontInfo CurrentFontInfo(DrawingContext& ctx) {
  const FontMeasureKey key = MeasureKeyOf(ctx);
  if (ctx.fontInfoValid && ctx.fontInfoKey == key) return ctx.fontInfo;
  int32_t device[4];
  DeviceFontInfo(ctx, key.options, device);
  FontInfo info;
  info.ascent = ToShort(ctx.map.LengthToLocalV(device[0]));
  info.descent = ToShort(ctx.map.LengthToLocalV(device[1]));
  info.widMax = ToShort(ctx.map.LengthToLocalH(device[2]));
  info.leading = ToShort(ctx.map.LengthToLocalV(device[3]));
  ctx.fontInfo = info;
  ctx.fontInfoKey = key;
  ctx.fontInfoValid = true;
  return info;
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

namespace {

// FontMetrics' values and widths for the realised font, cached with what they depend on.
void ComputeFontMetrics(DrawingContext& ctx) {
  const FontMeasureKey key = MeasureKeyOf(ctx);
  if (ctx.fontMetricsValid && ctx.fontMetricsKey == key) return;
  int32_t device[4];
  DeviceFontInfo(ctx, key.options, device);
  ctx.metrics[0] = ToLocalFixed(device[0], key.numV, key.denV);
  ctx.metrics[1] = ToLocalFixed(device[1], key.numV, key.denV);
  ctx.metrics[2] = ToLocalFixed(device[3], key.numV, key.denV);
  ctx.metrics[3] = ToLocalFixed(device[2], key.numH, key.denH);
  INT widths[256];
  if (!GetCharWidthA(ctx.dc, 0, 255, widths)) {
    for (int c = 0; c < 256; ++c) {
      const char one = static_cast<char>(c);
      SIZE extent{};
      GetTextExtentPoint32A(ctx.dc, &one, 1, &extent);
      widths[c] = extent.cx;
    }
  }
  for (int c = 0; c < 256; ++c) {
    const uint8_t code = key.tableConversion ? MacToWindowsChar(static_cast<uint8_t>(c))
                                             : static_cast<uint8_t>(c);
    ctx.widths[c] = ToLocalFixed(widths[code], key.numH, key.denH);
  }
  ctx.fontMetricsKey = key;
  ctx.fontMetricsValid = true;
}

void FillWidthTable(const DrawingContext& ctx, Handle h) {
  auto* table = reinterpret_cast<WidthTable*>(*h);
  std::memcpy(table->tabData, ctx.widths, sizeof table->tabData);
  const GrafPort* port = ctx.port;
  table->sExtra = port->spExtra;
  table->fID = table->aFID = port->txFont;
  table->fSize = table->aSize = EffectiveTextSize(port);
  table->face = port->txFace;
  table->aFace = port->txFace;
  table->inNumer = table->inDenom = Point{1, 1};
  table->vOutput = table->hOutput = table->vFactor = table->hFactor = 1;
  table->tabSize = static_cast<short>(sizeof(WidthTable));
}

}  // namespace

extern "C" {

short ZEBAPI StdTxMeas(short byteCount, const void* textAddr, Point* numer, Point* denom,
                       FontInfo* info) {
  DrawingContext* ctx = Current();
  if (!ctx || !ctx->port) return 0;
  const Point unit = {1, 1};
  const TextScale scale = TextScaleOf(numer ? *numer : unit, denom ? *denom : unit);
  if (!RealiseFont(*ctx, scale)) return 0;
  if (info) *info = CurrentFontInfo(*ctx);
  const int32_t width = MeasureBytes(*ctx, scale, static_cast<const uint8_t*>(textAddr), byteCount);
  // The scale is applied: the caller has none left to apply.
  if (numer) *numer = unit;
  if (denom) *denom = unit;
  return ToShort(width);
}

short ZEBAPI TextWidth(const void* textBuf, short firstByte, short byteCount) {
  if (!textBuf || byteCount <= 0) return 0;
  return MeasureThroughBottleneck(static_cast<const uint8_t*>(textBuf) + firstByte, byteCount);
}

short ZEBAPI StringWidth(ConstStr255Param s) {
  if (!s) return 0;
  return MeasureThroughBottleneck(s + 1, s[0]);
}

short ZEBAPI CharWidth(short ch) {
  const uint8_t c = static_cast<uint8_t>(ch);
  return MeasureThroughBottleneck(&c, 1);
}

void ZEBAPI MeasureText(short count, const void* textAddr, void* charLocs) {
  if (!charLocs) return;
  auto* locs = static_cast<short*>(charLocs);
  locs[0] = 0;
  DrawingContext* ctx = Current();
  if (count <= 0 || !textAddr || !ctx || !ctx->port) return;
  const auto* text = static_cast<const uint8_t*>(textAddr);
  const LeadByteTable* leads = SessionLeadBytes();
  const TextScale unit;
  int32_t position = 0;
  for (int32_t i = 0; i < count; ++i) {
    // A double-byte character is measured whole; its trail byte adds nothing.
    const int32_t n = (leads && leads->lead[text[i]] && i + 1 < count) ? 2 : 1;
    position += MeasureBytes(*ctx, unit, text + i, n);
    locs[i + 1] = ToShort(position);
    if (n == 2) {
      locs[i + 2] = ToShort(position);
      ++i;
    }
  }
}

void ZEBAPI GetFontInfo(FontInfo* info) {
  if (!info) return;
  *info = FontInfo{};
  DrawingContext* ctx = Current();
  if (!ctx || !RealiseFont(*ctx, TextScale())) return;
  *info = CurrentFontInfo(*ctx);
}

void ZEBAPI FontMetrics(FMetricRec* theMetrics) {
  if (!theMetrics) return;
  *theMetrics = FMetricRec{};
  Handle table = FontManagerWidthTable();
  theMetrics->wTabHandle = table;
  DrawingContext* ctx = Current();
  if (!ctx || !RealiseFont(*ctx, TextScale())) return;
  ComputeFontMetrics(*ctx);
  theMetrics->ascent = ctx->metrics[0];
  theMetrics->descent = ctx->metrics[1];
  theMetrics->leading = ctx->metrics[2];
  theMetrics->widMax = ctx->metrics[3];
  if (table && *table) FillWidthTable(*ctx, table);
}

}  // extern "C"
