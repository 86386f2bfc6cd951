// The two 'WIND' layouts and the rule that tells them apart.
#include "resources/window_template.h"

#include <cstring>

namespace zeb::resources {

namespace {

constexpr uint32_t kMacTitleOffset = 18;
constexpr uint32_t kLibraryTitleOffset = 20;

}  // namespace

int PositioningWordAfter(uint32_t titleEnd, uint32_t size) {
  if (size == titleEnd + 2) return static_cast<int>(titleEnd);
  const uint32_t aligned = (titleEnd + 1) & ~1u;
  if (aligned != titleEnd && size == aligned + 2) return static_cast<int>(aligned);
  return -1;
}

WindowTemplateFields LocateWindowTemplate(const uint8_t* data, uint32_t size) {
  WindowTemplateFields f{WindowTemplateLayout::kTooShort, -1, -1, -1};
  if (data == nullptr || size <= kMacTitleOffset) return f;
  const uint32_t macEnd = kMacTitleOffset + 1 + data[kMacTitleOffset];
  if (macEnd == size) {
    f = {WindowTemplateLayout::kMacintosh, 14, static_cast<int>(kMacTitleOffset), -1};
    return f;
  }
  const int macPositioning = PositioningWordAfter(macEnd, size);
  if (macPositioning >= 0) {
    f = {WindowTemplateLayout::kMacintosh, 14, static_cast<int>(kMacTitleOffset), macPositioning};
    return f;
  }
  if (size <= kLibraryTitleOffset) return f;
  const uint32_t libEnd = kLibraryTitleOffset + 1 + data[kLibraryTitleOffset];
  if (libEnd > size) return f;
  f = {WindowTemplateLayout::kLibrary, 16, static_cast<int>(kLibraryTitleOffset),
       PositioningWordAfter(libEnd, size)};
  return f;
}

bool ReadWindowTemplate(const uint8_t* data, uint32_t size, WindowTemplate& out) {
  const WindowTemplateFields f = LocateWindowTemplate(data, size);
  if (f.layout == WindowTemplateLayout::kTooShort) return false;
  auto word = [data](int at) {
    int16_t v;
    std::memcpy(&v, data + at, 2);
    return v;
  };
  out.top = word(0);
  out.left = word(2);
  out.bottom = word(4);
  out.right = word(6);
  out.procID = word(8);
  out.visible = data[10] != 0;
  out.goAwayFlag = data[12] != 0;
  std::memcpy(&out.refCon, data + f.refConOffset, 4);
  out.title = data + f.titleOffset;
  out.hasPositioning = f.positioningOffset >= 0;
  out.positioning = out.hasPositioning ? static_cast<uint16_t>(word(f.positioningOffset)) : 0;
  return true;
}

}  // namespace zeb::resources
