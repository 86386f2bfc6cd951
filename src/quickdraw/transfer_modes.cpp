// The transfer-mode table.
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {
namespace {

// Modes 0..15 in order; the pattern modes 8..15 behave as the source modes 0..7.
constexpr ModeRule kSourceModes[8] = {
    {kR2CopyPen, kOpaque, true},          // srcCopy
    {kR2MaskPen, kTransparent, true},     // srcOr
    {kR2NotXorPen, kTransparent, true},   // srcXor
    {kR2MergeNotPen, kTransparent, true}, // srcBic
    {kR2NotCopyPen, kOpaque, true},       // notSrcCopy
    {kR2MaskNotPen, kOpaque, true},       // notSrcOr
    {kR2XorPen, kOpaque, true},           // notSrcXor
    {kR2MergePen, kOpaque, true},         // notSrcBic
};

}  // namespace

ModeRule RuleForMode(int16_t mode) {
  if (mode >= 0 && mode <= 15) return kSourceModes[mode & 7];
  switch (mode) {
    case 32:  // blend
      return {kR2CopyPen, kOpaque, true};
    case 34:  // addOver
    case 38:  // subOver
      return {kR2NotXorPen, kTransparent, true};
    case 33:  // addPin
    case 37:  // addMax
      return {kR2MergeNotPen, kTransparent, true};
    case 35:  // subPin
    case 36:  // transparent
    case 39:  // adMin
    case 47:
      return {kR2MaskPen, kTransparent, true};
    default:
      return {kR2MaskPen, kTransparent, false};
  }
}

uint32_t PatBltRopFor(uint16_t rop2) {
  switch (rop2) {
    case kR2CopyPen: return kRopPatCopy;
    case kR2NotXorPen: return kRopPatNotXor;
    case kR2MaskPen: return kRopPatAnd;
    default: return 0;
  }
}

EmulationRule EmulationFor(int16_t mode, bool blackOnWhite) {
  // Black ink on white paper is what GDI's raster operations are made for: every mode renders.
  if (blackOnWhite || mode < 0 || mode > 15) return {MaskedInk::None, false};
  switch (mode & 7) {
    case 1: return {MaskedInk::Foreground, false};  // or
    case 3: return {MaskedInk::Background, false};  // bic
    case 5: return {MaskedInk::Foreground, true};   // notOr
    case 7: return {MaskedInk::Background, true};   // notBic
    default: return {MaskedInk::None, false};       // copy and xor modes render in colour
  }
}

TextModeRule TextRuleFor(int16_t mode) {
  if (mode >= 0 && mode <= 15) {
    // Text takes the pattern modes as the source modes.
    static constexpr TextInk kInks[4] = {TextInk::Copy, TextInk::Or, TextInk::Xor, TextInk::Bic};
    return {kInks[mode & 3], (mode & 4) != 0, true};
  }
  // The arithmetic modes draw as the source mode whose raster operation they share.
  const ModeRule rule = RuleForMode(mode);
  switch (rule.rop2) {
    case kR2CopyPen: return {TextInk::Copy, false, rule.supported};
    case kR2NotXorPen: return {TextInk::Xor, false, rule.supported};
    case kR2MergeNotPen: return {TextInk::Bic, false, rule.supported};
    default: return {TextInk::Or, false, rule.supported};
  }
}

}  // namespace zeb::quickdraw
