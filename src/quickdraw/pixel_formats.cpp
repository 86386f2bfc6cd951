// Pixel layouts of Macintosh images and DIBs.
#include "quickdraw/pixel_formats.h"

#include <cstring>

namespace zeb::quickdraw {
namespace {

uint16_t Widen5(uint32_t v) {
  v &= 31;
  return static_cast<uint16_t>((v << 11) | (v << 6) | (v << 1) | (v >> 4));
}

}  // namespace

uint32_t ReadMacPixel(const uint8_t* row, int32_t x, int depth) {
  switch (depth) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 2: return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3u;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15u;
    case 8: return row[x];
    case 16: {
      const uint8_t* p = row + 2 * static_cast<size_t>(x);
      return static_cast<uint32_t>(p[0] << 8 | p[1]);
    }
    case 24: {
      const uint8_t* p = row + 3 * static_cast<size_t>(x);
      return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    }
    case 32: {
      const uint8_t* p = row + 4 * static_cast<size_t>(x);
      return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1] << 16 | p[2] << 8 | p[3]);
    }
    default: return 0;
  }
}

void WriteMacPixel(uint8_t* row, int32_t x, int depth, uint32_t value) {
  switch (depth) {
    case 1: {
      const int shift = 7 - (x & 7);
      row[x >> 3] = static_cast<uint8_t>((row[x >> 3] & ~(1u << shift)) | ((value & 1u) << shift));
      break;
    }
    case 2: {
      const int shift = 6 - 2 * (x & 3);
      row[x >> 2] = static_cast<uint8_t>((row[x >> 2] & ~(3u << shift)) | ((value & 3u) << shift));
      break;
    }
    case 4: {
      const int shift = (x & 1) ? 0 : 4;
      row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & ~(15u << shift)) | ((value & 15u) << shift));
      break;
    }
    case 8: row[x] = static_cast<uint8_t>(value); break;
    case 16: {
      uint8_t* p = row + 2 * static_cast<size_t>(x);
      p[0] = static_cast<uint8_t>(value >> 8);
      p[1] = static_cast<uint8_t>(value);
      break;
    }
    case 24: {
      uint8_t* p = row + 3 * static_cast<size_t>(x);
      p[0] = static_cast<uint8_t>(value >> 16);
      p[1] = static_cast<uint8_t>(value >> 8);
      p[2] = static_cast<uint8_t>(value);
      break;
    }
    case 32: {
      uint8_t* p = row + 4 * static_cast<size_t>(x);
      p[0] = static_cast<uint8_t>(value >> 24);
      p[1] = static_cast<uint8_t>(value >> 16);
      p[2] = static_cast<uint8_t>(value >> 8);
      p[3] = static_cast<uint8_t>(value);
      break;
    }
    default: break;
  }
}

Rgb16 RgbFromDirect16(uint16_t pixel) {
  return {Widen5(pixel >> 10), Widen5(pixel >> 5), Widen5(pixel)};
}

uint16_t Direct16FromRgb(const Rgb16& rgb) {
  return static_cast<uint16_t>((rgb.red >> 11) << 10 | (rgb.green >> 11) << 5 | (rgb.blue >> 11));
}

Rgb16 RgbFromDirect32(uint32_t pixel) {
  return {Widen(static_cast<uint8_t>(pixel >> 16)), Widen(static_cast<uint8_t>(pixel >> 8)),
          Widen(static_cast<uint8_t>(pixel))};
}

uint32_t Direct32FromRgb(const Rgb16& rgb) {
  return static_cast<uint32_t>((rgb.red >> 8) << 16 | (rgb.green >> 8) << 8 | (rgb.blue >> 8));
}

int DIBDepthFor(int macDepth) {
  switch (macDepth) {
    case 2: return 4;
    case 1: case 4: case 8: case 16: case 24: case 32: return macDepth;
    default: return 0;
  }
}

void MacRowToDIB(const uint8_t* mac, uint8_t* dib, int32_t width, int macDepth) {
  if (width <= 0) return;
  switch (macDepth) {
    case 1: case 4: case 8:
      std::memcpy(dib, mac, static_cast<size_t>(MinimumRowBytes(width, macDepth)));
      break;
    case 2:
      for (int32_t x = 0; x < width; x += 2) {
        const uint32_t a = ReadMacPixel(mac, x, 2);
        const uint32_t b = x + 1 < width ? ReadMacPixel(mac, x + 1, 2) : 0;
        dib[x >> 1] = static_cast<uint8_t>(a << 4 | b);
      }
      break;
    case 16:
      for (int32_t x = 0; x < width; ++x) {
        dib[2 * x] = mac[2 * x + 1];
        dib[2 * x + 1] = mac[2 * x];
      }
      break;
    case 24:
      for (int32_t x = 0; x < width; ++x) {
        dib[3 * x] = mac[3 * x + 2];
        dib[3 * x + 1] = mac[3 * x + 1];
        dib[3 * x + 2] = mac[3 * x];
      }
      break;
    case 32:
      for (int32_t x = 0; x < width; ++x) {
        dib[4 * x] = mac[4 * x + 3];
        dib[4 * x + 1] = mac[4 * x + 2];
        dib[4 * x + 2] = mac[4 * x + 1];
        dib[4 * x + 3] = 0;
      }
      break;
    default: break;
  }
}

bool DIBRowToMac(const uint8_t* dib, int dibDepth, uint8_t* mac, int32_t width, int macDepth) {
  if (!IsMacDepth(macDepth)) return false;
  const bool dibIndexed = dibDepth == 1 || dibDepth == 4 || dibDepth == 8;
  const bool dibDirect = dibDepth == 16 || dibDepth == 24 || dibDepth == 32;
  if (!dibIndexed && !dibDirect) return false;
  if (dibIndexed != IsIndexedDepth(macDepth)) return false;
  for (int32_t x = 0; x < width; ++x) {
    if (dibIndexed) {
      // DIB rows put the leftmost pixel in the high bits as Macintosh rows do.
      const uint32_t v = ReadMacPixel(dib, x, dibDepth);
      WriteMacPixel(mac, x, macDepth, v & ((1u << macDepth) - 1u));
      continue;
    }
    Rgb16 rgb;
    if (dibDepth == 16) {
      rgb = RgbFromDirect16(static_cast<uint16_t>(dib[2 * x] | dib[2 * x + 1] << 8));
    } else {
      const uint8_t* p = dib + static_cast<size_t>(x) * (dibDepth / 8);
      rgb = {Widen(p[2]), Widen(p[1]), Widen(p[0])};
    }
    if (macDepth == 16) WriteMacPixel(mac, x, 16, Direct16FromRgb(rgb));
    else WriteMacPixel(mac, x, macDepth, Direct32FromRgb(rgb));
  }
  return true;
}

void MacImageToDIBRows(const uint8_t* rows, int32_t rowBytes, int32_t width, int32_t height,
                       int depth, uint8_t* dibRows) {
  const int dibDepth = DIBDepthFor(depth);
  if (!dibDepth || width <= 0 || height <= 0) return;
  const size_t dibRowBytes = static_cast<size_t>(DIBRowBytes(width, dibDepth));
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* out = dibRows + static_cast<size_t>(height - 1 - y) * dibRowBytes;
    std::memset(out, 0, dibRowBytes);
    MacRowToDIB(rows + static_cast<size_t>(y) * rowBytes, out, width, depth);
  }
}

bool DIBRowsToMacImage(const uint8_t* dibRows, int dibDepth, bool topDown, int32_t width,
                       int32_t height, uint8_t* rows, int32_t rowBytes, int macDepth) {
  if (width <= 0 || height <= 0) return true;
  const size_t dibRowBytes = static_cast<size_t>(DIBRowBytes(width, dibDepth));
  for (int32_t y = 0; y < height; ++y) {
    const int32_t from = topDown ? y : height - 1 - y;
    if (!DIBRowToMac(dibRows + static_cast<size_t>(from) * dibRowBytes, dibDepth,
                     rows + static_cast<size_t>(y) * rowBytes, width, macDepth))
      return false;
  }
  return true;
}

Rgb16 Colourise(const Rgb16& source, const Rgb16& fore, const Rgb16& back) {
  auto mix = [](uint32_t s, uint32_t f, uint32_t b) {
    return static_cast<uint16_t>((f * (65535u - s) + b * s + 32767u) / 65535u);
  };
  return {mix(source.red, fore.red, back.red), mix(source.green, fore.green, back.green),
          mix(source.blue, fore.blue, back.blue)};
}

void OneBitPalette(const Rgb16& fore, const Rgb16& back, uint32_t out[2]) {
  out[0] = RgbQuadFor(back);
  out[1] = RgbQuadFor(fore);
}

}  // namespace zeb::quickdraw
