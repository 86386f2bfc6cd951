// PackBits: runs of three or more equal bytes become a count byte 1 - n and the byte; other
// stretches a count byte n - 1 and the bytes. Pieces hold at most 127 bytes, so packed data
// never uses the count byte -128, which some decoders treat as a no-op.
#include "resources/pack_bits.h"

#include <cstring>

#include "ToolUtils.h"

namespace zeb::resources {
namespace {

constexpr size_t kLongestPiece = 127;

bool RunStartsAt(const uint8_t* src, size_t n, size_t i) {
  return i + 2 < n && src[i] == src[i + 1] && src[i] == src[i + 2];
}

// A packed piece is at most 128 bytes: at that size a call into the C library's memcpy or
// memset costs more than the bytes themselves, so pieces are moved inline in 16-byte blocks, the
// last block overlapping the one before it rather than a byte loop finishing the piece.
void CopyPiece(uint8_t* dst, const uint8_t* src, size_t n) {
  if (n >= 16) {
    const size_t last = n - 16;
    for (size_t i = 0; i < last; i += 16) std::memcpy(dst + i, src + i, 16);
    std::memcpy(dst + last, src + last, 16);
  } else if (n >= 8) {
    std::memcpy(dst, src, 8);
    std::memcpy(dst + n - 8, src + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(dst, src, 4);
    std::memcpy(dst + n - 4, src + n - 4, 4);
  } else if (n) {
    dst[0] = src[0];
    dst[n / 2] = src[n / 2];
    dst[n - 1] = src[n - 1];
  }
}

void FillPiece(uint8_t* dst, uint8_t value, size_t n) {
  const uint64_t word = 0x0101010101010101ull * value;
  const uint64_t block[2] = {word, word};
  if (n >= 16) {
    const size_t last = n - 16;
    for (size_t i = 0; i < last; i += 16) std::memcpy(dst + i, block, 16);
    std::memcpy(dst + last, block, 16);
  } else if (n >= 8) {
    std::memcpy(dst, &word, 8);
    std::memcpy(dst + n - 8, &word, 8);
  } else if (n >= 4) {
    const uint32_t half = static_cast<uint32_t>(word);
    std::memcpy(dst, &half, 4);
    std::memcpy(dst + n - 4, &half, 4);
  } else if (n) {
    dst[0] = value;
    dst[n / 2] = value;
    dst[n - 1] = value;
  }
}

}  // namespace

size_t PackRuns(const uint8_t* src, size_t n, uint8_t* dst) {
  size_t in = 0, out = 0;
  while (in < n) {
    if (RunStartsAt(src, n, in)) {
      size_t run = 1;
      while (in + run < n && src[in + run] == src[in]) ++run;
      for (size_t left = run; left > 0;) {
        const size_t piece = left < kLongestPiece ? left : kLongestPiece;
        dst[out++] = static_cast<uint8_t>(1 - static_cast<int>(piece));
        dst[out++] = src[in];
        left -= piece;
      }
      in += run;
      continue;
    }
    size_t end = in + 1;
    while (end < n && !RunStartsAt(src, n, end)) ++end;
    while (in < end) {
      const size_t piece = end - in < kLongestPiece ? end - in : kLongestPiece;
      dst[out++] = static_cast<uint8_t>(piece - 1);
      std::memcpy(dst + out, src + in, piece);
      out += piece;
      in += piece;
    }
  }
  return out;
}

UnpackResult UnpackRuns(const uint8_t* src, size_t srcLimit, uint8_t* dst, size_t dstBytes) {
  size_t in = 0, out = 0;
  while (out < dstBytes && in < srcLimit) {
    const int count = static_cast<int8_t>(src[in++]);
    const size_t wanted = dstBytes - out;
    if (count >= 0) {
      size_t piece = static_cast<size_t>(count) + 1;
      if (piece > wanted) piece = wanted;
      if (piece > srcLimit - in) piece = srcLimit - in;
      CopyPiece(dst + out, src + in, piece);
      in += piece;
      out += piece;
    } else {
      if (in >= srcLimit) break;
      size_t piece = static_cast<size_t>(1 - count);
      if (piece > wanted) piece = wanted;
      FillPiece(dst + out, src[in++], piece);
      out += piece;
    }
  }
  return {in, out};
}

}  // namespace zeb::resources

namespace {

void Pack(Ptr* srcPtr, Ptr* dstPtr, long srcBytes) {
  if (!srcPtr || !dstPtr || srcBytes <= 0) return;
  const auto* src = reinterpret_cast<const uint8_t*>(*srcPtr);
  auto* dst = reinterpret_cast<uint8_t*>(*dstPtr);
  const size_t written = zeb::resources::PackRuns(src, static_cast<size_t>(srcBytes), dst);
  *srcPtr += srcBytes;
  *dstPtr += written;
}

void Unpack(Ptr* srcPtr, Ptr* dstPtr, long dstBytes) {
  if (!srcPtr || !dstPtr || dstBytes <= 0) return;
  // The call has no source length: the destination count alone bounds the work.
  const auto result = zeb::resources::UnpackRuns(reinterpret_cast<const uint8_t*>(*srcPtr),
                                                 SIZE_MAX, reinterpret_cast<uint8_t*>(*dstPtr),
                                                 static_cast<size_t>(dstBytes));
  *srcPtr += result.consumed;
  *dstPtr += result.produced;
}

}  // namespace

extern "C" {

void ZEBAPI PackBits(Ptr* srcPtr, Ptr* dstPtr, short srcBytes) { Pack(srcPtr, dstPtr, srcBytes); }
void ZEBAPI UnpackBits(Ptr* srcPtr, Ptr* dstPtr, short dstBytes) {
  Unpack(srcPtr, dstPtr, dstBytes);
}
void ZEBAPI HPackBits(Ptr* srcPtr, Ptr* dstPtr, long srcBytes) { Pack(srcPtr, dstPtr, srcBytes); }
void ZEBAPI HUnpackBits(Ptr* srcPtr, Ptr* dstPtr, long dstBytes) {
  Unpack(srcPtr, dstPtr, dstBytes);
}

}  // extern "C"
