// Transfer modes as Windows raster operations. The raster operations are those of a device
// where white is all ones: the Toolbox's OR of black ink is GDI's AND.
#ifndef ZEB_QUICKDRAW_TRANSFER_MODES_H
#define ZEB_QUICKDRAW_TRANSFER_MODES_H

#include <cstdint>

namespace zeb::quickdraw {

// Windows' ROP2 codes and background modes, named once for the host-independent code.
enum Rop2 : uint16_t {
  kR2MaskNotPen = 3,   // R2_MASKNOTPEN
  kR2NotCopyPen = 4,   // R2_NOTCOPYPEN
  kR2XorPen = 7,       // R2_XORPEN
  kR2MaskPen = 9,      // R2_MASKPEN
  kR2NotXorPen = 10,   // R2_NOTXORPEN
  kR2MergeNotPen = 12, // R2_MERGENOTPEN
  kR2CopyPen = 13,     // R2_COPYPEN
  kR2MergePen = 15     // R2_MERGEPEN
};
enum BackgroundMode : uint16_t { kTransparent = 1, kOpaque = 2 };

// PatBlt raster operations of the fast straight-line path.
constexpr uint32_t kRopPatCopy = 0xF00021;     // P
constexpr uint32_t kRopPatNotXor = 0xA50065;   // not (P xor D)
constexpr uint32_t kRopPatAnd = 0xA000C9;      // P and D
// BitBlt of a one-bit mask: keeps the destination where the mask is white and puts the
// selected brush where it is black.
constexpr uint32_t kRopBrushThroughMask = 0xB8074A;

struct ModeRule {
  uint16_t rop2;
  uint16_t backgroundMode;
  bool supported;  // lines, shapes and text are drawn only in supported modes
};

// PenMode takes modes 40..63 as mode - 8.
inline int16_t NormalisePenMode(int16_t mode) {
  return (mode >= 40 && mode <= 63) ? static_cast<int16_t>(mode - 8) : mode;
}

ModeRule RuleForMode(int16_t mode);

// The PatBlt raster operation for a pen raster operation, 0 when PatBlt cannot stand in.
uint32_t PatBltRopFor(uint16_t rop2);

// What the mode does with the pattern's set bits where GDI cannot render it in colours other
// than black on white, so that it is drawn through a one-bit mask (mode emulation).
enum class MaskedInk : uint8_t {
  None,        // GDI renders the mode directly
  Foreground,  // set pattern bits take the foreground colour (or modes)
  Background   // set pattern bits take the background colour (bic modes)
};
struct EmulationRule {
  MaskedInk ink;
  bool invertPattern;  // the not- modes act on the pattern's clear bits
};
EmulationRule EmulationFor(int16_t mode, bool blackOnWhite);

// How text lands in a transfer mode. GDI draws text only opaquely (copy) or transparently (or);
// the other modes combine a one-bit image of the glyphs with the destination.
enum class TextInk : uint8_t {
  Copy,  // glyphs in the foreground colour on the background colour
  Or,    // glyphs in the foreground colour
  Xor,   // glyphs invert what is there
  Bic    // glyphs in the background colour
};
struct TextModeRule {
  TextInk ink;
  bool inverted;   // the not- modes: the text box less the glyphs takes the ink
  bool supported;  // text is drawn only in supported modes
};
TextModeRule TextRuleFor(int16_t mode);
// GDI's own text output gives the rule's result: copy (the inverted copy with the colours
// exchanged) and or.
inline bool GdiDrawsText(const TextModeRule& rule) {
  return rule.ink == TextInk::Copy || (rule.ink == TextInk::Or && !rule.inverted);
}

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_TRANSFER_MODES_H
