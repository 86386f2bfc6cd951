// The coordinate mapping of a drawing context: a port's local coordinates to the device pixels
// of its DC. Ports never use the Windows mapping modes; every coordinate handed to GDI passes
// through here instead.
#ifndef ZEB_QUICKDRAW_COORDINATE_MAPPING_H
#define ZEB_QUICKDRAW_COORDINATE_MAPPING_H

#include <cstdint>

namespace zeb::quickdraw {

// a * b / c rounded to the nearest integer, halves away from zero, as Windows' MulDiv rounds;
// c == 0 gives -1, as MulDiv does.
int32_t MulDivRound(int32_t a, int32_t b, int32_t c);

struct CoordinateMapping {
  bool offset = false;      // origin or device offset differ from zero
  bool scale = false;       // numerators and denominators differ
  int16_t denH = 1, denV = 1;
  int16_t originH = 0, originV = 0;  // the local coordinate that lands on the device offset
  int16_t numH = 1, numV = 1;
  int16_t deviceH = 0, deviceV = 0;

  int32_t ToDeviceH(int32_t h) const {
    if (scale) return MulDivRound(h - originH, numH, denH) + deviceH;
    return offset ? h - originH + deviceH : h;
  }
  int32_t ToDeviceV(int32_t v) const {
    if (scale) return MulDivRound(v - originV, numV, denV) + deviceV;
    return offset ? v - originV + deviceV : v;
  }
  int32_t ToLocalH(int32_t x) const {
    if (scale) return MulDivRound(x - deviceH, denH, numH) + originH;
    return offset ? x - deviceH + originH : x;
  }
  int32_t ToLocalV(int32_t y) const {
    if (scale) return MulDivRound(y - deviceV, denV, numV) + originV;
    return offset ? y - deviceV + originV : y;
  }
  // A length (pen size, font height) in device units; a non-zero length stays at least 1.
  int32_t LengthToDeviceH(int32_t n) const { return ScaleLength(n, numH, denH); }
  int32_t LengthToDeviceV(int32_t n) const { return ScaleLength(n, numV, denV); }

  // A device length back in local units.
  int32_t LengthToLocalH(int32_t n) const { return scale ? MulDivRound(n, denH, numH) : n; }
  int32_t LengthToLocalV(int32_t n) const { return scale ? MulDivRound(n, denV, numV) : n; }

  void SetOrigin(int16_t h, int16_t v) {
    originH = h;
    originV = v;
    Recompute();
  }
  void SetScale(int16_t nh, int16_t dh, int16_t nv, int16_t dv) {
    numH = nh ? nh : 1;
    denH = dh ? dh : 1;
    numV = nv ? nv : 1;
    denV = dv ? dv : 1;
    Recompute();
  }
  void SetDeviceOffset(int16_t h, int16_t v) {
    deviceH = h;
    deviceV = v;
    Recompute();
  }

 private:
  int32_t ScaleLength(int32_t n, int16_t num, int16_t den) const {
    if (!scale || n == 0) return n;
    const int32_t scaled = MulDivRound(n, num, den);
    return scaled == 0 ? (n > 0 ? 1 : -1) : scaled;
  }
  void Recompute() {
    scale = numH != denH || numV != denV;
    offset = scale || originH != 0 || originV != 0 || deviceH != 0 || deviceV != 0;
  }
};

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_COORDINATE_MAPPING_H
