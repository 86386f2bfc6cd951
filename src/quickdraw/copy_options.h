// The pixel-transfer options and the switches that carry them. The Toolbox has no such options;
// the library's own switches (ZEB_SetFlags, second pair) turn them on, each paired with one bit
// here and nowhere else:
//   0x0200 direct copy: unscaled, unmasked srcCopy memory images reach a device by
//          SetDIBitsToDevice (also on while session flag 0x10 was set when the display was
//          measured);
//   0x0400 banded transfer: memory images reach a device in bands of at most 32 KB of rows;
//   0x1000 transparent as copy: on the screen, transparent (36) copies and srcBic paints white;
//   0x0100 DIB worlds: NewGWorld makes a DIB section of the depth asked for;
//   0x0008 off-screen band: ZEB_BeginOffScreen makes bands;
//   0x4000 live palette: logical palettes are rewritten in place.
#ifndef ZEB_QUICKDRAW_COPY_OPTIONS_H
#define ZEB_QUICKDRAW_COPY_OPTIONS_H

#include <cstdint>

namespace zeb::quickdraw {

enum CopyOptionSwitch : uint32_t {
  kSwitchOffscreenBand = 0x0008,
  kSwitchDIBWorlds = 0x0100,
  kSwitchDirectCopy = 0x0200,
  kSwitchBandedTransfer = 0x0400,
  kSwitchTransparentAsCopy = 0x1000,
  kSwitchLivePalette = 0x4000,
};

bool DirectCopyOption();
bool BandedTransferOption();
bool TransparentAsCopyOption();
bool DIBWorldOption();
bool OffscreenBandOption();
bool LivePaletteOption();

// ZEB_QDInitTestScreen takes session flag 0x10 as it measures the display.
void TakeCopyBitsFlag();

// The rows of one band of a banded transfer: at most 32768 bytes of DIB rows (a multiple of 4
// rows where 4 fit), and never less than one row, however long the rows are.
int32_t BandHeight(int64_t dibRowBytes, int32_t height);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_COPY_OPTIONS_H
