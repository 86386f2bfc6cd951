// A port's text settings (font, face, size, mode, space extra, the system-font substitution
// and width-table mode), the character conversion calls and the scratch storage of converted
// text.
#include <new>

#include "MacMemory.h"
#include "events/events_internal.h"
#include "quickdraw/font_manager.h"
#include "textedit/textedit_internal.h"

namespace zeb::quickdraw {
namespace {

constexpr short kDefaultTextSize = 12;
// ZEB_SystemValue index 24: the upper half of text goes through the character tables.
constexpr int kCharacterConversion = 24;
constexpr uint16_t kWidthModeFlags = kCtxWidthTableText | kCtxWidthTableSecond;

bool g_scratchBytesBusy = false;
bool g_scratchAdvancesBusy = false;

// The current port and its context, or false.
bool CurrentText(GrafPtr* port, DrawingContext** ctx) {
  *port = CurrentPort();
  *ctx = Current();
  return *port && *ctx;
}

void ApplyWidthMode(DrawingContext& ctx, const WidthTableMode& mode) {
  ctx.widthMode = mode;
  ctx.flags = static_cast<uint16_t>((ctx.flags & ~kWidthModeFlags) | mode.flags);
}

short ModeOf(const DrawingContext& ctx) {
  if (!(ctx.flags & kCtxWidthTableText)) return ZEB_EXTDRAW_OFF;
  return (ctx.flags & kCtxWidthTableSecond) ? ZEB_EXTDRAW_TABLE2 : ZEB_EXTDRAW_TABLE;
}

MacToWindowsOptions ExportOptions(uint16_t flags) {
  MacToWindowsOptions o;
  // Advances belong to the drawing that asks for them: a caller's buffer gets the bytes only.
  o.flags = static_cast<uint16_t>(flags & ~kConvertAdvances);
  o.tableConversion = TableConversionOn(Current());
  o.passwordEcho = textedit::PasswordEchoOn();
  o.leadBytes = SessionLeadBytes();
  return o;
}

}  // namespace

TextScratch::~TextScratch() {
  if (sharedBytes_) g_scratchBytesBusy = false;
  if (sharedAdvances_) g_scratchAdvancesBusy = false;
  delete[] ownBytes_;
  delete[] ownAdvances_;
}

bool TextScratch::Reserve(int32_t count, bool withAdvances) {
  const size_t capacity = static_cast<size_t>(ConvertedCapacity(count > 0 ? count : 1));
  const QuickDrawState& s = State();
  if (!bytes) {
    if (!g_scratchBytesBusy && s.scratchLarge &&
        capacity <= static_cast<size_t>(GetPtrSize(s.scratchLarge))) {
      bytes = reinterpret_cast<uint8_t*>(s.scratchLarge);
      sharedBytes_ = g_scratchBytesBusy = true;
    } else {
      bytes = ownBytes_ = new (std::nothrow) uint8_t[capacity];
    }
  }
  if (withAdvances && !advances) {
    if (!g_scratchAdvancesBusy && s.scratchSmall &&
        capacity * sizeof(int32_t) <= static_cast<size_t>(GetPtrSize(s.scratchSmall))) {
      advances = reinterpret_cast<int32_t*>(s.scratchSmall);
      sharedAdvances_ = g_scratchAdvancesBusy = true;
    } else {
      advances = ownAdvances_ = new (std::nothrow) int32_t[capacity];
    }
  }
  return bytes && (!withAdvances || advances);
}

bool TableConversionOn(const DrawingContext* ctx) {
  if (events::StoredSystemValue(kCharacterConversion) == 0) return false;
  return !(ctx && (ctx->flags & kCtxDoubleByteFont));
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI TextFont(short font) {
  GrafPtr port;
  DrawingContext* ctx;
  if (!CurrentText(&port, &ctx) || port->txFont == font) return;
  port->txFont = font;
  ctx->fontRecreate = true;
}

void ZEBAPI TextFace(short face) {
  GrafPtr port;
  DrawingContext* ctx;
  const Style style = static_cast<Style>(face);
  if (!CurrentText(&port, &ctx) || port->txFace == style) return;
  port->txFace = style;
  ctx->fontRecreate = true;
}

void ZEBAPI TextSize(short size) {
  GrafPtr port;
  DrawingContext* ctx;
  if (!CurrentText(&port, &ctx)) return;
  if (size == 0) size = kDefaultTextSize;
  if (port->txSize == size) return;
  port->txSize = size;
  ctx->fontRecreate = true;
}

void ZEBAPI TextMode(short mode) {
  GrafPtr port;
  DrawingContext* ctx;
  if (!CurrentText(&port, &ctx)) return;
  port->txMode = mode;
  ctx->textBkMode = RuleForMode(mode).backgroundMode;
}

void ZEBAPI SpaceExtra(Fixed extra) {
  GrafPtr port;
  DrawingContext* ctx;
  if (!CurrentText(&port, &ctx)) return;
  port->spExtra = extra;
  if (extra == 0 && ctx->dc) SetTextJustification(ctx->dc, 0, 0);
}

void ZEBAPI ZEB_DialogFontMode(GrafPtr port, short on) {
  DrawingContext* ctx = ContextOf(port);
  if (!ctx) return;
  if (on)
    ctx->flags |= kCtxSystemFontSubstitution;
  else
    ctx->flags = static_cast<uint16_t>(ctx->flags & ~kCtxSystemFontSubstitution);
}

short ZEBAPI ZEB_ExtDrawText(short mode, const Fixed* widthTable, long positions) {
  DrawingContext* ctx = Current();
  if (!ctx) return ZEB_EXTDRAW_OFF;
  const short previous = ModeOf(*ctx);
  const uint16_t bits = static_cast<uint16_t>(mode);
  if (bits == ZEB_EXTDRAW_SAVE) {
    if (ctx->widthModeSaved) ApplyWidthMode(*ctx, ctx->savedWidthMode);
    ctx->widthModeSaved = false;
    ctx->fontInfoValid = ctx->fontMetricsValid = false;
    return previous;
  }
  if (bits & ZEB_EXTDRAW_SAVE) {
    ctx->savedWidthMode = ctx->widthMode;
    ctx->widthModeSaved = true;
  }
  WidthTableMode next;
  const uint16_t kind = bits & 0x7FFF;
  // Without a table of its own the mode takes the Font Manager's, which exists from InitFonts.
  if ((kind == ZEB_EXTDRAW_TABLE || kind == ZEB_EXTDRAW_TABLE2) &&
      (widthTable || FontManagerWidthTable())) {
    next.flags = kCtxWidthTableText;
    if (kind == ZEB_EXTDRAW_TABLE2) next.flags |= kCtxWidthTableSecond;
    next.table = widthTable;
    next.positions = positions;
  }
  ApplyWidthMode(*ctx, next);
  ctx->fontInfoValid = ctx->fontMetricsValid = false;
  return previous;
}

long ZEBAPI ZEB_MacToAnsiBuf(const void* src, void* dst, long count, short flags) {
  if (count <= 0 || !src || !dst) return 0;
  return MacToWindowsText(static_cast<const uint8_t*>(src), static_cast<int32_t>(count),
                          static_cast<uint8_t*>(dst), nullptr,
                          ExportOptions(static_cast<uint16_t>(flags)))
      .written;
}

long ZEBAPI ZEB_AnsiToMacBuf(const void* src, void* dst, long count) {
  if (count <= 0 || !src || !dst) return 0;
  return WindowsToMacText(static_cast<const uint8_t*>(src), static_cast<int32_t>(count),
                          static_cast<uint8_t*>(dst), TableConversionOn(Current()));
}

}  // extern "C"
