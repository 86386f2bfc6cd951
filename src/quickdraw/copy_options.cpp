// The option table's bits, read where each option is consulted.
#include "quickdraw/copy_options.h"

#include <algorithm>

#include "ZEB.h"
#include "frame/frame_internal.h"

namespace zeb::quickdraw {
namespace {

bool g_copyBitsFlag = false;
constexpr int64_t kBandBytes = 32768;

}  // namespace

bool DirectCopyOption() { return g_copyBitsFlag || frame::Switch(kSwitchDirectCopy); }
bool BandedTransferOption() { return frame::Switch(kSwitchBandedTransfer); }
bool TransparentAsCopyOption() { return frame::Switch(kSwitchTransparentAsCopy); }
bool DIBWorldOption() { return frame::Switch(kSwitchDIBWorlds); }
bool OffscreenBandOption() { return frame::Switch(kSwitchOffscreenBand); }
bool LivePaletteOption() { return frame::Switch(kSwitchLivePalette); }

void TakeCopyBitsFlag() { g_copyBitsFlag = frame::SessionFlag(ZEB_SF_COPYBITSOPTION); }

int32_t BandHeight(int64_t dibRowBytes, int32_t height) {
  if (dibRowBytes <= 0 || height <= 0) return std::max<int32_t>(height, 1);
  // 32768 / row bytes, in whole groups of 4 rows so that a band stays within 32 KB; rows too
  // long for 4 to fit make smaller bands, and a row longer than 32 KB a band of one row.
  int64_t rows = kBandBytes / dibRowBytes;
  if (rows == 0) return 1;
  if (rows >= 4) rows &= ~int64_t{3};
  return static_cast<int32_t>(std::min<int64_t>(rows, height));
}

}  // namespace zeb::quickdraw
