// The colour utilities on the current device's colour table, the device list's walking and
// attribute calls, and the Color Picker's conversions.
#include <algorithm>
#include <vector>

#include "Picker.h"
#include "Quickdraw.h"
#include "frame/toolbox_globals.h"
#include "memory/memory_internal.h"
#include "quickdraw/colour_space.h"
#include "quickdraw/pixel_engine.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {
namespace {

// A colour table's entries that its handle really holds.
int TableEntries(CTabHandle ct) {
  if (!ct || !*ct) return 0;
  const long bytes = memory::LiveHandleSize(reinterpret_cast<Handle>(ct));
  const int fits = bytes > 8 ? static_cast<int>((bytes - 8) / 8) : 0;
  return std::max(0, std::min<int>((*ct)->ctSize + 1, fits));
}

CTabHandle DeviceTable(GDHandle device) {
  if (!device || !*device || !(*device)->gdPMap || !*(*device)->gdPMap) return nullptr;
  return (*(*device)->gdPMap)->pmTable;
}

int DeviceDepth(GDHandle device) {
  if (!device || !*device || !(*device)->gdPMap || !*(*device)->gdPMap) return 0;
  return (*(*device)->gdPMap)->pixelSize;
}

GDHandle CurrentDevice() { return *frame::Globals().theGDevice; }

// The nearest entry of a device's table, -1 when it has none.
int NearestOnDevice(GDHandle device, const Rgb16& rgb, Rgb16* found) {
  CTabHandle ct = DeviceTable(device);
  const int n = TableEntries(ct);
  if (!n) return -1;
  std::vector<Rgb16> entries(n);
  for (int i = 0; i < n; ++i) entries[i] = ToRgb16((*ct)->ctTable[i].rgb);
  const int i = NearestTableEntry(entries.data(), n, rgb);
  if (found && i >= 0) *found = entries[i];
  return i;
}

// A direct device shows any colour: no table search.
bool IsDirectDevice(GDHandle device) { return DeviceDepth(device) > 8 || !DeviceTable(device); }

// SaveFore and SaveBack keep a colour port's RGB (value 0) or a black-and-white port's classic
// colour (its value, never 0).
void SaveColour(ColorSpec* c, bool fore) {
  GrafPtr port = CurrentPort();
  if (!c || !port) return;
  if (fore) GetForeColor(&c->rgb);
  else GetBackColor(&c->rgb);
  c->value = IsColourPort(port) ? 0 : static_cast<short>(fore ? port->fgColor : port->bkColor);
}

void RestoreColour(const ColorSpec* c, bool fore) {
  if (!c || !CurrentPort()) return;
  if (c->value == 0) {
    if (fore) RGBForeColor(&c->rgb);
    else RGBBackColor(&c->rgb);
  } else if (fore) {
    ForeColor(c->value);
  } else {
    BackColor(c->value);
  }
}

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

long ZEBAPI Color2Index(const RGBColor* myColor) {
  if (!myColor) return 0;
  const int i = NearestOnDevice(CurrentDevice(), ToRgb16(*myColor), nullptr);
  return i < 0 ? 0 : i;
}

// An index outside the table, negative ones included, gives black.
void ZEBAPI Index2Color(long index, RGBColor* aColor) {
  if (!aColor) return;
  CTabHandle ct = DeviceTable(CurrentDevice());
  if (index < 0 || index >= TableEntries(ct)) {
    *aColor = RGBColor{0, 0, 0};
    return;
  }
  *aColor = (*ct)->ctTable[index].rgb;
}

// The complement of the colour, as near as the device shows it.
void ZEBAPI InvertColor(RGBColor* myColor) {
  if (!myColor) return;
  Rgb16 c = Complement(ToRgb16(*myColor));
  GDHandle device = CurrentDevice();
  if (!IsDirectDevice(device)) NearestOnDevice(device, c, &c);
  *myColor = ToRGBColor(c);
}

// The colour halfway between background and foreground that the device shows; false (and
// foreGround unchanged) when the nearest it has is one of the two.
Boolean ZEBAPI GetGray(GDHandle device, const RGBColor* backGround, RGBColor* foreGround) {
  if (!backGround || !foreGround) return false;
  const Rgb16 back = ToRgb16(*backGround), fore = ToRgb16(*foreGround);
  Rgb16 mid = Midpoint(back, fore);
  if (!IsDirectDevice(device)) {
    if (NearestOnDevice(device, mid, &mid) < 0) return false;
    if (mid == back || mid == fore) return false;
  }
  *foreGround = ToRGBColor(mid);
  return true;
}

void ZEBAPI SaveFore(ColorSpec* c) { SaveColour(c, true); }
void ZEBAPI SaveBack(ColorSpec* c) { SaveColour(c, false); }
void ZEBAPI RestoreFore(const ColorSpec* c) { RestoreColour(c, true); }
void ZEBAPI RestoreBack(const ColorSpec* c) { RestoreColour(c, false); }

GDHandle ZEBAPI GetNextDevice(GDHandle curDevice) {
  if (!curDevice || !*curDevice) return nullptr;
  return reinterpret_cast<GDHandle>((*curDevice)->gdNextGD);
}

// The deepest device whose rectangle meets globalRect; nil when none does.
GDHandle ZEBAPI GetMaxDevice(const Rect* globalRect) {
  if (!globalRect) return nullptr;
  GDHandle best = nullptr;
  int bestDepth = -1;
  int guard = 0;  // a damaged list that loops stops here
  for (GDHandle d = *frame::Globals().deviceList; d && *d && guard < 256; d = GetNextDevice(d), ++guard) {
    Rect meet;
    if (!IntersectRects((*d)->gdRect, *globalRect, meet)) continue;
    if (DeviceDepth(d) > bestDepth) {
      bestDepth = DeviceDepth(d);
      best = d;
    }
  }
  return best;
}

void ZEBAPI SetDeviceAttribute(GDHandle gdh, short attribute, Boolean value) {
  if (!gdh || !*gdh || attribute < 0 || attribute > 15) return;
  const uint16_t bit = static_cast<uint16_t>(1u << attribute);
  uint16_t flags = static_cast<uint16_t>((*gdh)->gdFlags);
  flags = value ? static_cast<uint16_t>(flags | bit) : static_cast<uint16_t>(flags & ~bit);
  (*gdh)->gdFlags = static_cast<short>(flags);
}

Boolean ZEBAPI TestDeviceAttribute(GDHandle gdh, short attribute) {
  if (!gdh || !*gdh || attribute < 0 || attribute > 15) return false;
  return (static_cast<uint16_t>((*gdh)->gdFlags) >> attribute) & 1u;
}

void ZEBAPI RGB2HSV(const RGBColor* rColor, HSVColor* hColor) {
  if (!rColor || !hColor) return;
  const Hsv16 h = RgbToHsv(ToRgb16(*rColor));
  *hColor = HSVColor{h.hue, h.saturation, h.value};
}

void ZEBAPI HSV2RGB(const HSVColor* hColor, RGBColor* rColor) {
  if (!hColor || !rColor) return;
  *rColor = ToRGBColor(HsvToRgb(Hsv16{hColor->hue, hColor->saturation, hColor->value}));
}

}  // extern "C"
