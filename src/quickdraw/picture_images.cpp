// The images a recording writes: CopyBits sources as Macintosh rows, and pixel patterns as the
// data of their opcodes.
#include <cstring>

#include "MacMemory.h"
#include "memory/memory_internal.h"
#include "quickdraw/pict_format.h"
#include "quickdraw/pixel_map_record.h"
#include "quickdraw/picture_state.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {
namespace {

constexpr uint16_t kPortPixMapFlags = 0xC000;
constexpr uint16_t kPixMapBit = 0x8000;
constexpr uint16_t kRowBytesBits = 0x3FFF;
// Addresses below this are context slots or placeholders, not rows.
constexpr uintptr_t kLowestRowAddress = 0x10000;

const PixMap* PixMapOf(const BitMap* map) {
  const uint16_t flags = static_cast<uint16_t>(map->rowBytes);
  if ((flags & kPortPixMapFlags) == kPortPixMapFlags) {
    const auto h = reinterpret_cast<PixMapHandle>(map->baseAddr);
    if (memory::LiveHandleSize(reinterpret_cast<Handle>(h)) < static_cast<long>(sizeof(PixMap)))
      return nullptr;
    return *h;
  }
  return (flags & kPixMapBit) ? reinterpret_cast<const PixMap*>(map) : nullptr;
}

void TableOf(CTabHandle ct, int depth, std::vector<pict::ColourEntry>& out) {
  out.clear();
  const long bytes = memory::LiveHandleSize(reinterpret_cast<Handle>(ct));
  if (bytes > 8) {
    const ColorTable& t = **ct;
    const int fits = static_cast<int>((bytes - 8) / 8);
    const int count = std::min<int>({t.ctSize + 1, fits, 1 << depth});
    for (int i = 0; i < count; ++i)
      out.push_back({static_cast<uint16_t>(i), ToRgb16(t.ctTable[i].rgb)});
  }
  if (out.empty()) {
    // No table: grey levels from white (0) to black, as a Macintosh default table runs.
    const int n = 1 << depth;
    for (int i = 0; i < n; ++i) {
      const uint16_t level = static_cast<uint16_t>(0xFFFF - (0xFFFF * i) / (n - 1));
      out.push_back({static_cast<uint16_t>(i), {level, level, level}});
    }
  }
}

}  // namespace

bool ImageForRecording(const BitMap* srcBits, const Rect& srcRect, pict::BitsSource& image,
                       std::vector<uint8_t>& rows) {
  if (!srcBits) return false;
  const PixMap* pm = PixMapOf(srcBits);
  if ((static_cast<uint16_t>(srcBits->rowBytes) & kPortPixMapFlags) == kPortPixMapFlags && !pm)
    return false;
  const Ptr base = pm ? pm->baseAddr : srcBits->baseAddr;
  const Rect bounds = pm ? pm->bounds : srcBits->bounds;
  const bool dibHeld = pm && static_cast<uint16_t>(pm->pmVersion) == kDIBPixMapVersion &&
                       static_cast<uint16_t>(pm->packType) == kDIBPixMapPackType;
  if (reinterpret_cast<uintptr_t>(base) >= kLowestRowAddress && !dibHeld) {
    // Rows in memory: written as they are.
    const int depth = pm ? pm->pixelSize : 1;
    const int rowBytes = (pm ? pm->rowBytes : srcBits->rowBytes) & kRowBytesBits;
    const int64_t height = int64_t{bounds.bottom} - bounds.top;
    if (height <= 0 || rowBytes <= 0) return false;
    rows.assign(reinterpret_cast<const uint8_t*>(base),
                reinterpret_cast<const uint8_t*>(base) + height * rowBytes);
    image.pixMap = pm != nullptr;
    image.rowBytes = rowBytes;
    image.bounds = bounds;
    image.pixelSize = static_cast<int16_t>(depth);
    if (pm) {
      image.hRes = pm->hRes;
      image.vRes = pm->vRes;
      if (depth <= 8) TableOf(pm->pmTable, depth, image.table);
      if (pm->pmTable && *pm->pmTable) image.ctSeed = static_cast<uint32_t>((*pm->pmTable)->ctSeed);
    }
    image.rows = rows.data();
    return true;
  }
  // Pixels a device or Windows holds: the part the transfer takes is copied into 32-bit rows.
  Rect part;
  if (!SectRect(&srcRect, &bounds, &part)) return false;
  const int width = part.right - part.left, height = part.bottom - part.top;
  const int rowBytes = width * 4;
  if (rowBytes > kRowBytesBits) return false;
  rows.assign(static_cast<size_t>(rowBytes) * height, 0);
  PixMap temp{};
  temp.baseAddr = reinterpret_cast<Ptr>(rows.data());
  temp.rowBytes = static_cast<short>(rowBytes | kPixMapBit);
  temp.bounds = part;
  temp.hRes = temp.vRes = pict::kStandardResolution;
  temp.pixelType = 16;  // RGBDirect
  temp.pixelSize = 32;
  temp.cmpCount = 3;
  temp.cmpSize = 8;
  TransferBitsRaw(srcBits, reinterpret_cast<const BitMap*>(&temp), part, part);
  if (QDError() != noErr) return false;
  image.pixMap = true;
  image.rowBytes = rowBytes;
  image.bounds = part;
  image.pixelSize = 32;
  image.rows = rows.data();
  return true;
}

void EncodePixelPattern(PixPatHandle pattern, std::vector<uint8_t>& out) {
  out.clear();
  if (!pattern || !*pattern) return;
  const PixPat& pp = **pattern;
  Rgb16 rgb{};
  pict::BitsSource image;
  std::vector<uint8_t> rows;
  const pict::BitsSource* full = nullptr;
  PixMapHandle map = pp.patMap;
  const bool haveMap =
      memory::LiveHandleSize(reinterpret_cast<Handle>(map)) >= static_cast<long>(sizeof(PixMap));
  if (pp.patType == 2 && haveMap && (*map)->pmTable && *(*map)->pmTable &&
      memory::LiveHandleSize(reinterpret_cast<Handle>((*map)->pmTable)) >= 16)
    rgb = ToRgb16((*(*map)->pmTable)->ctTable[0].rgb);
  if (pp.patType == 1) {
    if (!haveMap || !pp.patData) return;
    const PixMap& pm = **map;
    const int rowBytes = pm.rowBytes & kRowBytesBits;
    const int64_t height = int64_t{pm.bounds.bottom} - pm.bounds.top;
    const long held = memory::LiveHandleSize(pp.patData);
    if (height <= 0 || rowBytes <= 0 || held < height * rowBytes) return;
    rows.assign(reinterpret_cast<const uint8_t*>(*pp.patData),
                reinterpret_cast<const uint8_t*>(*pp.patData) + height * rowBytes);
    image.pixMap = true;
    image.rowBytes = rowBytes;
    image.bounds = pm.bounds;
    image.pixelSize = pm.pixelSize;
    if (pm.pixelSize <= 8) TableOf(pm.pmTable, pm.pixelSize, image.table);
    image.rows = rows.data();
    full = &image;
  }
  if (!pict::EncodePixPatData(pp.patType, pp.pat1Data.pat, full, rgb, out)) out.clear();
}

}  // namespace zeb::quickdraw
