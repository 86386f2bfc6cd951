// The colour utilities on the current device's colour table, the device list's walking and
// attribute calls, and the Color Picker's conversions.
#include <algorithm>
#include <vector>

#include "Palettes.h"
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
  // Entries reserved with ReserveEntry (value bit 0x4000) are not matched, unless every one is.
  std::vector<Rgb16> entries;
  std::vector<int> indices;
  for (int pass = 0; pass < 2 && entries.empty(); ++pass)
    for (int i = 0; i < n; ++i)
      if (pass == 1 || !((*ct)->ctTable[i].value & 0x4000)) {
        entries.push_back(ToRgb16((*ct)->ctTable[i].rgb));
        indices.push_back(i);
      }
  const int i = NearestTableEntry(entries.data(), static_cast<int>(entries.size()), rgb);
  if (i < 0) return -1;
  if (found) *found = entries[static_cast<size_t>(i)];
  return indices[static_cast<size_t>(i)];
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

// Device colour tables keep two flags in each entry's value: protected (no application may
// change the entry) and reserved (colour matching passes it over).
constexpr short kEntryProtected = static_cast<short>(0x8000);
constexpr short kEntryReserved = 0x4000;

// The current device's table entry, or null (QDError cRangeErr) when it has none of that index.
ColorSpec* DeviceEntry(long index) {
  CTabHandle ct = DeviceTable(CurrentDevice());
  if (index < 0 || index >= TableEntries(ct)) {
    SetQDError(cRangeErr);
    return nullptr;
  }
  return &(*ct)->ctTable[index];
}

void ZEBAPI ReserveEntry(long srcEntry, Boolean reserve) {
  ColorSpec* e = DeviceEntry(srcEntry);
  if (!e) return;
  if (e->value & kEntryProtected) {
    SetQDError(cProtectErr);
    return;
  }
  e->value = static_cast<short>(reserve ? (e->value | kEntryReserved) : (e->value & ~kEntryReserved));
  SetQDError(noErr);
}

void ZEBAPI ProtectEntry(short index, Boolean protect) {
  ColorSpec* e = DeviceEntry(index);
  if (!e) return;
  if (protect && (e->value & kEntryProtected)) {
    SetQDError(cProtectErr);
    return;
  }
  e->value = static_cast<short>(protect ? (e->value | kEntryProtected) : (e->value & ~kEntryProtected));
  SetQDError(noErr);
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
