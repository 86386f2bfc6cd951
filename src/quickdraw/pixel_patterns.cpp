// Pixel patterns: NewPixPat, GetPixPat, CopyPixPat, DisposePixPat and MakeRGBPat. A pattern's
// cached brush (patXMap while patXValid is 0) is deleted whenever the pattern changes or goes.
#include <cstring>

#include "MacMemory.h"
#include "Resources.h"
#include "memory/memory_internal.h"
#include "quickdraw/colour_resources.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

constexpr int16_t kFullPattern = 1;
constexpr int16_t kRGBPattern = 2;
constexpr size_t kStoredPatternBytes = 20;  // where a 'ppat' keeps its 8-byte pattern
constexpr uint8_t kNoBytes[8] = {};

// The Toolbox's grey levels for a colour shown on one bit: white, light grey, grey, dark grey,
// black, by brightness.
void GreyPattern(const RGBColor& c, uint8_t out[8]) {
  static const uint8_t kLevels[5][8] = {
      {0, 0, 0, 0, 0, 0, 0, 0},
      {0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22},
      {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},
      {0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD},
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
  const uint32_t brightness = (c.red * 30u + c.green * 59u + c.blue * 11u) / 100u;
  const int level = brightness >= 0xE000 ? 0 : brightness >= 0xA000 ? 1 : brightness >= 0x6000 ? 2
                                           : brightness >= 0x2000 ? 3 : 4;
  std::memcpy(out, kLevels[level], 8);
}

bool IsPattern(PixPatHandle pp) {
  return pp && memory::LiveHandleSize(reinterpret_cast<Handle>(pp)) >= static_cast<long>(sizeof(PixPat));
}

// A handle holding a copy of bytes; null when memory fails.
Handle HandleOf(const void* bytes, size_t n) {
  Handle h = NewHandle(static_cast<long>(n));
  if (h && n) std::memcpy(*h, bytes, n);
  return h;
}

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

// A full pixel pattern with a pixel map of its own (the current device's table) and no data.
PixPatHandle ZEBAPI NewPixPat(void) {
  PixPatHandle pp = NewPatternRecord(kNoBytes);
  PixMapHandle map = pp ? NewPixMap() : nullptr;
  Handle data = map ? NewHandle(0) : nullptr;
  if (!data) {
    if (map) DisposePixMap(map);
    if (pp) DisposePatternRecord(pp);
    return nullptr;
  }
  (*pp)->patType = kFullPattern;
  (*pp)->patMap = map;
  (*pp)->patData = data;
  return pp;
}

void ZEBAPI DisposePixPat(PixPatHandle pp) {
  if (!IsPattern(pp)) return;
  if ((*pp)->patMap) DisposePixMap((*pp)->patMap);
  if ((*pp)->patData) DisposeHandle((*pp)->patData);
  if ((*pp)->patXData) DisposeHandle((*pp)->patXData);
  (*pp)->patMap = nullptr;
  (*pp)->patData = nullptr;
  (*pp)->patXData = nullptr;
  DisposePatternRecord(pp);
}

// dst takes src's kind, 8-byte pattern, pixel map (with its own table) and data.
void ZEBAPI CopyPixPat(PixPatHandle srcPP, PixPatHandle dstPP) {
  if (!IsPattern(srcPP) || !IsPattern(dstPP) || srcPP == dstPP) return;
  Handle data = (*srcPP)->patData;
  if (data && HandToHand(&data) != noErr) return;
  if (!(*dstPP)->patMap) (*dstPP)->patMap = NewPixMap();
  if ((*srcPP)->patMap && (*dstPP)->patMap) CopyPixMap((*srcPP)->patMap, (*dstPP)->patMap);
  InvalidatePixPatBrush(dstPP);
  if ((*dstPP)->patData) DisposeHandle((*dstPP)->patData);
  (*dstPP)->patData = data;
  (*dstPP)->patType = (*srcPP)->patType;
  std::memcpy((*dstPP)->pat1Data.pat, (*srcPP)->pat1Data.pat, 8);
}

// An RGB pattern: the colour is the first entry of the pattern's colour table, and its 8-byte
// form is the grey of the colour's brightness for one-bit devices.
void ZEBAPI MakeRGBPat(PixPatHandle pp, const RGBColor* myColor) {
  if (!IsPattern(pp) || !myColor) return;
  if (!(*pp)->patMap) (*pp)->patMap = NewPixMap();
  PixMapHandle map = (*pp)->patMap;
  if (!map) return;
  auto table = reinterpret_cast<CTabHandle>(NewHandleClear(8 + 8));
  if (!table) return;
  (*table)->ctSize = 0;
  (*table)->ctTable[0].rgb = *myColor;
  if ((*map)->pmTable) DisposeHandle(reinterpret_cast<Handle>((*map)->pmTable));
  (*map)->pmTable = table;
  (*map)->bounds = Rect{0, 0, 8, 8};
  InvalidatePixPatBrush(pp);
  (*pp)->patType = kRGBPattern;
  GreyPattern(*myColor, (*pp)->pat1Data.pat);
}

// A 'ppat' resource as a new pattern; nil when there is none or it does not hold together
// (every offset, row and table bounded by the resource).
PixPatHandle ZEBAPI GetPixPat(short patID) {
  Handle res = GetResource(0x70706174 /* 'ppat' */, patID);
  if (!res || !*res) return nullptr;
  const long size = memory::LiveHandleSize(res);
  const auto* data = reinterpret_cast<const uint8_t*>(*res);
  PixelPatternLayout layout;
  if (size <= 0 || !CheckPixelPattern(data, static_cast<size_t>(size), layout)) return nullptr;
  PixPatHandle pp = NewPixPat();
  if (!pp) return nullptr;
  // The resource may have moved while memory was found for the pattern.
  data = reinterpret_cast<const uint8_t*>(*res);
  std::memcpy((*pp)->pat1Data.pat, data + kStoredPatternBytes, 8);
  (*pp)->patType = layout.patType;
  if (layout.patType == 0) return pp;
  Handle rows = HandleOf(data + layout.dataOffset, layout.map.imageBytes);
  Handle table = nullptr;
  if (!layout.map.direct) {
    const size_t bytes = 8 + 8 * static_cast<size_t>(layout.tableEntries);
    table = HandleOf(reinterpret_cast<const uint8_t*>(*res) + layout.tableOffset, bytes);
  }
  if (!rows || (!layout.map.direct && !table)) {
    if (rows) DisposeHandle(rows);
    DisposePixPat(pp);
    return nullptr;
  }
  DisposeHandle((*pp)->patData);
  (*pp)->patData = rows;
  PixMap& pm = **(*pp)->patMap;
  if (pm.pmTable) DisposeHandle(reinterpret_cast<Handle>(pm.pmTable));
  pm.pmTable = reinterpret_cast<CTabHandle>(table);
  pm.rowBytes = static_cast<short>(layout.map.rowBytes | 0x8000);
  pm.bounds = Rect{layout.map.top, layout.map.left, layout.map.bottom, layout.map.right};
  pm.pixelSize = static_cast<short>(layout.map.depth);
  pm.pixelType = static_cast<short>(layout.map.direct ? RGBDirect : 0);
  pm.cmpCount = static_cast<short>(layout.map.direct ? 3 : 1);
  pm.cmpSize = static_cast<short>(layout.map.direct ? (layout.map.depth == 16 ? 5 : 8) : layout.map.depth);
  return pp;
}

}  // extern "C"
