// SeedFill and CalcMask on the application's one-bit rows.
#include "Errors.h"
#include "quickdraw/mask_fill.h"
#include "quickdraw/quickdraw_state.h"

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

// words is the width in 16-bit words; the seed is relative to the rows' top-left pixel.
void ZEBAPI SeedFill(Ptr srcPtr, Ptr dstPtr, short srcRow, short dstRow, short height,
                     short words, short seedH, short seedV) {
  const bool done = SeedFillRows(reinterpret_cast<const uint8_t*>(srcPtr),
                                 reinterpret_cast<uint8_t*>(dstPtr), srcRow, dstRow, height, words,
                                 seedH, seedV);
  SetQDError(done ? static_cast<OSErr>(noErr) : static_cast<OSErr>(paramErr));
}

void ZEBAPI CalcMask(Ptr srcPtr, Ptr dstPtr, short srcRow, short dstRow, short height,
                     short words) {
  const bool done = CalcMaskRows(reinterpret_cast<const uint8_t*>(srcPtr),
                                 reinterpret_cast<uint8_t*>(dstPtr), srcRow, dstRow, height, words);
  SetQDError(done ? static_cast<OSErr>(noErr) : static_cast<OSErr>(paramErr));
}

}  // extern "C"
