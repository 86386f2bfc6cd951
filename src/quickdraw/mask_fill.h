// Masks computed from one-bit images, as paint would flow through their white pixels: SeedFill's
// fill from a seed point and CalcMask's enclosed area. Rows are the Toolbox's: a width given in
// 16-bit words, row strides of their own, the most significant bit leftmost, 1 black.
#ifndef ZEB_QUICKDRAW_MASK_FILL_H
#define ZEB_QUICKDRAW_MASK_FILL_H

#include <cstdint>

namespace zeb::quickdraw {

// Paint poured at (seedH, seedV) flows to the white pixels joined to it by white pixels (left,
// right, up and down); dst gets 1 bits where it flows and 0 bits elsewhere, over
// words x 16 pixels of height rows. A seed outside the image or on a black pixel fills nothing.
// Source and destination may be the same rows. False (and nothing written) for a height, width
// or stride that cannot describe the image.
bool SeedFillRows(const uint8_t* src, uint8_t* dst, int32_t srcRowBytes, int32_t dstRowBytes,
                  int32_t height, int32_t words, int32_t seedH, int32_t seedV);

// The area paint poured in from every edge cannot reach: dst gets 1 bits on the black pixels and
// on the white pixels that black encloses, 0 bits on the white pixels joined to an edge.
bool CalcMaskRows(const uint8_t* src, uint8_t* dst, int32_t srcRowBytes, int32_t dstRowBytes,
                  int32_t height, int32_t words);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_MASK_FILL_H
