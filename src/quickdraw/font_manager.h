// Text and fonts inside QuickDraw: the session's font list and map, a port's realised font, the
// conversion of its text and the measures the drawing and measuring calls share.
#ifndef ZEB_QUICKDRAW_FONT_MANAGER_H
#define ZEB_QUICKDRAW_FONT_MANAGER_H

#include <windows.h>

#include <cstdint>
#include <functional>

#include "Fonts.h"
#include "quickdraw/font_list.h"
#include "quickdraw/font_map.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/text_conversion.h"
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {

// --- The font list and map (font_manager.cpp) ---
// Start-up, after the standard fonts: zebfont.map is read (and the default written beside the
// application when the file is missing or empty) and the font list built.
void StartFontManager();
// Exit: the list, the map and the Font Manager's width table go.
void StopFontManager();
// The font list, the map and the map's text are freed; the next call that needs them builds
// them again. Runs when the last drawing context is released.
void ReleaseFontState();
// The record for a Toolbox font number (with the lookup's fallbacks); null when none.
const FontRecord* FontForNumber(int16_t number);
// Changes with every build of the list: fonts realised from the old one are made again.
uint32_t FontListGeneration();
// The session's double-byte lead bytes; null on single-byte systems.
const LeadByteTable* SessionLeadBytes();
// The lead bytes of the Windows profile's country (iCountry, read at start-up), which count on
// double-byte systems only.
void UseCountryLeadBytes(int country);
// The Font Manager's width-table record (InitFonts); null before InitFonts.
Handle FontManagerWidthTable();

// --- A port's font (font_realisation.cpp) ---
// The scale StdText is given (numer / denom per axis), 1:1 for the other calls.
struct TextScale {
  int16_t numH = 1, denH = 1, numV = 1, denV = 1;
  bool IsUnit() const { return numH == denH && numV == denV; }
};
// A text scale from StdText's points; an axis with a zero or negative term is 1:1.
TextScale TextScaleOf(Point numer, Point denom);
// Selects the port's font into its DC, making it when the font triple, the scale, the DC kind
// or the font list changed since it was made, and selecting it again when another port drew on
// the DC. False when the context has no DC. Keeps the last font when CreateFontA fails.
bool RealiseFont(DrawingContext& ctx, const TextScale& scale);
// Selects the port's realised font again if another port's selection replaced it.
void ReselectFont(DrawingContext& ctx);
// The size txSize stands for: 0 (and an impossible negative size) is 12.
int16_t EffectiveTextSize(const GrafPort* port);

// --- Conversion and measuring (text_measuring.cpp) ---
// The converted bytes of some text and, in width-table mode, each byte's device advance.
struct ConvertedText {
  const uint8_t* bytes = nullptr;
  const int32_t* advances = nullptr;  // null outside width-table mode
  int32_t count = 0;
  int32_t spaces = 0;
  int32_t totalAdvance = 0;
};
// Shared scratch storage for one conversion: the scratch buffers of QuickDraw when they are
// large enough and free, else blocks of its own.
class TextScratch {
 public:
  TextScratch() = default;
  ~TextScratch();
  TextScratch(const TextScratch&) = delete;
  TextScratch& operator=(const TextScratch&) = delete;
  // Room for count input bytes (4 output bytes and advances each); false when memory is short.
  bool Reserve(int32_t count, bool advances);
  uint8_t* bytes = nullptr;
  int32_t* advances = nullptr;

 private:
  bool sharedBytes_ = false, sharedAdvances_ = false;
  uint8_t* ownBytes_ = nullptr;
  int32_t* ownAdvances_ = nullptr;
};
// Whether the upper half of the port's text goes through the character table: ZEB_SystemValue
// 24, and not for a double-byte font.
bool TableConversionOn(const DrawingContext* ctx);
// Converts text as the context draws and measures it: the font's flags, line ends dropped,
// advances in width-table mode.
bool ConvertForContext(DrawingContext& ctx, const TextScale& scale, const uint8_t* text,
                       int32_t count, TextScratch& scratch, ConvertedText* out);
// The extra width spExtra gives count spaces (local units, FixRound(FixMul(spExtra, spaces))).
int32_t SpaceExtraWidth(const GrafPort* port, int32_t spaces);
// The device width of converted text with the context's font selected, spExtra included.
int32_t DeviceTextWidth(DrawingContext& ctx, const ConvertedText& text);
// Width in local units of count bytes of text, with the measuring rules for single characters;
// the font is realised first.
int32_t MeasureBytes(DrawingContext& ctx, const TextScale& scale, const uint8_t* text,
                     int32_t count);
// GetFontInfo of the realised font.
FontInfo CurrentFontInfo(DrawingContext& ctx);
// The justification spExtra asks for while text is drawn, and none afterwards.
void SetSpaceJustification(DrawingContext& ctx, HDC dc, int32_t spaces);

// Control characters below 14 measure nothing; 18 is the command-key sign, drawn from the
// library's glyph and as wide as the font's widest character but no wider than the glyph.
constexpr uint8_t kFirstMeasuredCharacter = 14;
constexpr uint8_t kCommandKeyCharacter = 18;
int32_t CommandGlyphDeviceWidth(const DrawingContext& ctx);

// --- Drawing (text_drawing.cpp) ---
// The command-key glyph: its size and its rows, top row first, one bit a pixel with the
// leftmost pixel in the top bit of the first byte, a set bit inked.
constexpr int kCommandGlyphWidth = 13;
constexpr int kCommandGlyphHeight = 11;
const uint8_t* CommandGlyphRows();  // kCommandGlyphHeight rows of 2 bytes
// Draws converted text with the port's mode through a one-bit image of its glyphs: drawGlyphs
// draws them black on white (or white on the black text box of a not- mode) into the image's
// DC at the position given; the mode's ink is then put where the image is black.
void DrawTextThroughMask(DrawingContext& ctx, const DeviceRect& box, const DeviceRect& textBox,
                         const TextModeRule& rule,
                         const std::function<void(HDC dc, int x, int y)>& drawGlyphs);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_FONT_MANAGER_H
