// Cursors: Toolbox cursors as Windows cursors, the table of converted cursors, the built-in
// cursors and the cursor calls.
//
// A converted cursor is kept in a table of 140 host cursors (slots 0 to 4 hold the built-in
// ones) and its slot is stamped into the cursor record's hot spot, so that the next SetCursor
// with the same record takes the kept cursor at once. The stamp is trusted only for an occupied
// slot whose image equals the record's: a hot spot that merely looks stamped, or a record copied
// from another cursor and then changed, is converted afresh.
#include <cstring>

#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "osutils/osutils_internal.h"
#include "quickdraw/cursor_image.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

constexpr int kCursorSlots = 140;
constexpr int kStandardCursors = 5;  // arrow, I-beam, cross, plus, watch
// Screens at this many pixels per inch and more get cursors doubled in both directions.
constexpr int kHighResolutionPpi = 144;

struct CursorSlot {
  bool used = false;
  bool shared = false;   // a system cursor, not ours to destroy
  HCURSOR cursor = nullptr;
  CursorImage image{};
  Handle owner = nullptr;  // the 'CURS' or 'crsr' resource it was built for
};

struct CursorState {
  CursorSlot slots[kCursorSlots];
  Handle standard[kStandardCursors] = {};  // the CursHandles GetCursor returns for IDs 0..4
  bool standardReady = false;
  HCURSOR transient = nullptr;  // converted when the table is full; destroyed when replaced
  HCURSOR current = nullptr;
  int level = 0;                // the Toolbox's cursor level: shown at 0, hidden below
  bool obscured = false;
};
CursorState g_cursors;

// The built-in images. Rows are 16 bits, leftmost pixel in bit 15.
constexpr CursorImage kArrow = {
    {0x0000, 0x4000, 0x6000, 0x7000, 0x7800, 0x7C00, 0x7E00, 0x7F00, 0x7F80, 0x7C00, 0x6C00,
     0x4600, 0x0600, 0x0300, 0x0300, 0x0000},
    {0xC000, 0xE000, 0xF000, 0xF800, 0xFC00, 0xFE00, 0xFF00, 0xFF80, 0xFFC0, 0xFFE0, 0xFE00,
     0xEF00, 0xCF00, 0x8780, 0x0780, 0x0380},
    1, 1};
constexpr CursorImage kIBeam = {
    {0x0C60, 0x0280, 0x0100, 0x0100, 0x0100, 0x0100, 0x0100, 0x0100, 0x0100, 0x0100, 0x0100,
     0x0100, 0x0100, 0x0100, 0x0280, 0x0C60},
    {0x0EE0, 0x07C0, 0x0380, 0x0380, 0x0380, 0x0380, 0x0380, 0x0380, 0x0380, 0x0380, 0x0380,
     0x0380, 0x0380, 0x0380, 0x07C0, 0x0EE0},
    7, 4};
constexpr CursorImage kCross = {
    {0x0400, 0x0400, 0x0400, 0x0400, 0x0400, 0xFFE0, 0x0400, 0x0400, 0x0400, 0x0400, 0x0400,
     0x0000, 0x0000, 0x0000, 0x0000, 0x0000},
    {0x0E00, 0x0E00, 0x0E00, 0x0E00, 0xFFE0, 0xFFE0, 0xFFE0, 0x0E00, 0x0E00, 0x0E00, 0x0E00,
     0x0000, 0x0000, 0x0000, 0x0000, 0x0000},
    5, 5};
constexpr CursorImage kPlus = {
    {0x0000, 0x0E00, 0x0A00, 0x0A00, 0x0A00, 0xFBE0, 0x8020, 0xFBE0, 0x0A00, 0x0A00, 0x0A00,
     0x0E00, 0x0000, 0x0000, 0x0000, 0x0000},
    {0x0E00, 0x0E00, 0x0E00, 0x0E00, 0xFFE0, 0xFFE0, 0xFFE0, 0xFFE0, 0xFFE0, 0x0E00, 0x0E00,
     0x0E00, 0x0000, 0x0000, 0x0000, 0x0000},
    6, 5};
constexpr CursorImage kWatch = {
    {0x3F00, 0x3F00, 0x3F00, 0x3F00, 0x4080, 0x8440, 0x8440, 0x8460, 0x9C60, 0x8040, 0x8040,
     0x4080, 0x3F00, 0x3F00, 0x3F00, 0x3F00},
    {0x3F00, 0x3F00, 0x3F00, 0x3F00, 0x7F80, 0xFFC0, 0xFFC0, 0xFFE0, 0xFFE0, 0xFFC0, 0xFFC0,
     0x7F80, 0x3F00, 0x3F00, 0x3F00, 0x3F00},
    8, 8};
constexpr const CursorImage* kStandardImages[kStandardCursors] = {&kArrow, &kIBeam, &kCross,
                                                                  &kPlus, &kWatch};

CursorImage ImageOf(const Bits16 data, const Bits16 mask, Point hotSpot) {
  CursorImage image;
  for (int i = 0; i < 16; ++i) {
    image.data[i] = static_cast<uint16_t>(data[i]);
    image.mask[i] = static_cast<uint16_t>(mask[i]);
  }
  image.hotH = HotSpotCoordinate(hotSpot.h);
  image.hotV = HotSpotCoordinate(hotSpot.v);
  return image;
}

bool HighResolutionScreen() { return State().pixelsPerInchV >= kHighResolutionPpi; }

HCURSOR MakeHostCursor(const CursorImage& image) {
  const HostCursorPlanes planes = HostCursorFor(image, HighResolutionScreen());
  HINSTANCE instance = frame::Session().libraryInstance;
  return CreateCursor(instance ? instance : GetModuleHandleA(nullptr), planes.hotX, planes.hotY,
                      kHostCursorSize, kHostCursorSize, planes.andPlane, planes.xorPlane);
}

void FreeSlot(CursorSlot& slot) {
  if (slot.cursor && !slot.shared) {
    if (g_cursors.current == slot.cursor) {
      ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      g_cursors.current = nullptr;
    }
    DestroyCursor(slot.cursor);
  }
  slot = CursorSlot();
}

int FindByImage(const CursorImage& image) {
  for (int i = 0; i < kCursorSlots; ++i)
    if (g_cursors.slots[i].used && g_cursors.slots[i].image == image) return i;
  return -1;
}

int KeepCursor(const CursorImage& image, Handle owner) {
  for (int i = kStandardCursors; i < kCursorSlots; ++i) {
    CursorSlot& slot = g_cursors.slots[i];
    if (slot.used) continue;
    slot.cursor = MakeHostCursor(image);
    if (!slot.cursor) return -1;
    slot.used = true;
    slot.image = image;
    slot.owner = owner;
    return i;
  }
  return -1;
}

// The record's memory may be a constant the application cannot have meant to be written.
bool Writable(const void* p, size_t bytes) {
  MEMORY_BASIC_INFORMATION info;
  if (!VirtualQuery(p, &info, sizeof info) || info.State != MEM_COMMIT) return false;
  const DWORD writable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE |
                         PAGE_EXECUTE_WRITECOPY;
  if (!(info.Protect & writable) || (info.Protect & PAGE_GUARD)) return false;
  const auto end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
  return reinterpret_cast<uintptr_t>(p) + bytes <= end;
}

// The slot for a record's image: its stamp when the stamp is sound, else an equal image already
// kept, else a new conversion (stamped into the record when it can be written). -1 when the
// table is full.
int SlotForRecord(const Bits16 data, const Bits16 mask, Point* hotSpot) {
  const CursorImage image = ImageOf(data, mask, *hotSpot);
  const CursorStamp stamp = ReadStamp(hotSpot->h, hotSpot->v);
  if (stamp.marked && stamp.slot < kCursorSlots && g_cursors.slots[stamp.slot].used &&
      g_cursors.slots[stamp.slot].image == image)
    return stamp.slot;
  int slot = FindByImage(image);
  if (slot < 0) slot = KeepCursor(image, nullptr);
  if (slot >= 0 && Writable(hotSpot, sizeof *hotSpot)) WriteStamp(hotSpot->h, hotSpot->v, static_cast<uint8_t>(slot));
  return slot;
}

void Show(HCURSOR cursor) {
  g_cursors.current = cursor;
  ::SetCursor(cursor);
}

void ShowImage(const Bits16 data, const Bits16 mask, Point* hotSpot) {
  SetUpStandardCursors();
  const int slot = SlotForRecord(data, mask, hotSpot);
  if (slot >= 0) {
    Show(g_cursors.slots[slot].cursor);
  } else {
    // The table is full: this cursor is made for now and goes when the next one replaces it.
    HCURSOR made = MakeHostCursor(ImageOf(data, mask, *hotSpot));
    if (!made) return;
    Show(made);
    if (g_cursors.transient) DestroyCursor(g_cursors.transient);
    g_cursors.transient = made;
    return;
  }
  if (g_cursors.transient) {
    DestroyCursor(g_cursors.transient);
    g_cursors.transient = nullptr;
  }
}

}  // namespace

void ZEBAPI LibraryInitCursor() {
  SetUpStandardCursors();
  while (g_cursors.level < 0) {
    ++g_cursors.level;
    ::ShowCursor(TRUE);
  }
  RevealObscuredCursor();
  Show(g_cursors.slots[0].cursor);
}

void ZEBAPI LibrarySetCursor(const Cursor* crsr) {
  if (!crsr) return;
  // The stamp is written into the record; a constant record keeps its bytes (see Writable).
  Cursor* record = const_cast<Cursor*>(crsr);
  ShowImage(record->data, record->mask, &record->hotSpot);
}

namespace {

// Where a cursor resource keeps its image, in native order.
struct ResourceImage {
  short* data;
  short* mask;
  Point* hotSpot;
};
bool ImageInResource(Handle h, bool colour, ResourceImage* out) {
  const long size = GetHandleSize(h);
  auto* bytes = reinterpret_cast<uint8_t*>(*h);
  if (colour) {
    if (size < static_cast<long>(kCrsrResourceSize)) return false;
    out->data = reinterpret_cast<short*>(bytes + kCrsrImageOffset);
    out->mask = reinterpret_cast<short*>(bytes + kCrsrImageOffset + 32);
    out->hotSpot = reinterpret_cast<Point*>(bytes + kCrsrHotSpotOffset);
  } else {
    if (size < static_cast<long>(kCursResourceSize)) return false;
    out->data = reinterpret_cast<short*>(bytes);
    out->mask = reinterpret_cast<short*>(bytes + 32);
    out->hotSpot = reinterpret_cast<Point*>(bytes + kCursHotSpotOffset);
  }
  return true;
}

}  // namespace

void SetUpStandardCursors() {
  if (g_cursors.standardReady) return;
  // The host's own cursors stand for the arrow, I-beam, cross and watch; the plus is made.
  const LPCSTR system[kStandardCursors] = {IDC_ARROW, IDC_IBEAM, IDC_CROSS, nullptr, IDC_WAIT};
  for (int i = 0; i < kStandardCursors; ++i) {
    CursorSlot& slot = g_cursors.slots[i];
    slot.image = *kStandardImages[i];
    slot.used = true;
    slot.shared = system[i] != nullptr;
    slot.cursor = system[i] ? LoadCursorA(nullptr, system[i]) : MakeHostCursor(slot.image);
    Handle h = NewHandleClear(sizeof(Cursor));
    if (h) {
      auto* c = reinterpret_cast<Cursor*>(*h);
      for (int row = 0; row < 16; ++row) {
        c->data[row] = static_cast<short>(slot.image.data[row]);
        c->mask[row] = static_cast<short>(slot.image.mask[row]);
      }
      c->hotSpot = {slot.image.hotV, slot.image.hotH};
      WriteStamp(c->hotSpot.h, c->hotSpot.v, static_cast<uint8_t>(i));
    }
    g_cursors.standard[i] = h;
  }
  g_cursors.standardReady = true;
}

void ReleaseCursors() {
  for (CursorSlot& slot : g_cursors.slots) FreeSlot(slot);
  for (Handle& h : g_cursors.standard) {
    if (h) DisposeHandle(h);
    h = nullptr;
  }
  if (g_cursors.transient) DestroyCursor(g_cursors.transient);
  g_cursors.transient = nullptr;
  g_cursors.standardReady = false;
}

CursHandle StandardCursor(short id) {
  if (id < 0 || id >= kStandardCursors) return nullptr;
  SetUpStandardCursors();
  return reinterpret_cast<CursHandle>(g_cursors.standard[id]);
}

HCURSOR CurrentHostCursor() { return g_cursors.current; }

void RevealObscuredCursor() {
  if (!g_cursors.obscured) return;
  g_cursors.obscured = false;
  ::ShowCursor(TRUE);
}

void ConvertCursorResource(Handle h, bool colour, bool toNative) {
  if (!h || !*h) return;
  const long size = GetHandleSize(h);
  ResourceImage image;
  if (!toNative) {
    // The stamp is the library's, never written to disk.
    if (ImageInResource(h, colour, &image)) {
      image.hotSpot->h = HotSpotCoordinate(image.hotSpot->h);
      image.hotSpot->v = HotSpotCoordinate(image.hotSpot->v);
    }
    SwapCursorResource(reinterpret_cast<uint8_t*>(*h), static_cast<size_t>(size), colour, false);
    return;
  }
  if (!SwapCursorResource(reinterpret_cast<uint8_t*>(*h), static_cast<size_t>(size), colour, true))
    return;
  if (!ImageInResource(h, colour, &image)) return;
  SetUpStandardCursors();
  const CursorImage converted = ImageOf(image.data, image.mask, *image.hotSpot);
  int slot = -1;
  for (int i = kStandardCursors; i < kCursorSlots; ++i)
    if (g_cursors.slots[i].used && g_cursors.slots[i].owner == h) slot = i;
  if (slot >= 0 && !(g_cursors.slots[slot].image == converted)) {
    FreeSlot(g_cursors.slots[slot]);
    slot = -1;
  }
  if (slot < 0) slot = KeepCursor(converted, h);
  if (slot >= 0) WriteStamp(image.hotSpot->h, image.hotSpot->v, static_cast<uint8_t>(slot));
}

void ReleaseResourceCursor(Handle h) {
  if (!h) return;
  for (int i = kStandardCursors; i < kCursorSlots; ++i)
    if (g_cursors.slots[i].used && g_cursors.slots[i].owner == h) FreeSlot(g_cursors.slots[i]);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI InitCursor(void) {
  osutils::Patchable<decltype(&LibraryInitCursor)>(osutils::kTrapInitCursor)();
}

void ZEBAPI SetCurso(const Cursor* crsr) {
  osutils::Patchable<decltype(&LibrarySetCursor)>(osutils::kTrapSetCursor)(crsr);
}

void ZEBAPI SetCCursor(CCrsrHandle cCrsr) {
  if (!cCrsr || !*cCrsr) return;
  CCrsr& c = **cCrsr;
  ShowImage(c.crsr1Data, c.crsrMask, &c.crsrHotSpot);
}

void ZEBAPI HideCursor(void) {
  --g_cursors.level;
  ::ShowCursor(FALSE);
}

void ZEBAPI ShowCurso(void) {
  RevealObscuredCursor();
  // The level never rises above 0: a ShowCursor too many does not outlast the next hide.
  if (g_cursors.level >= 0) return;
  ++g_cursors.level;
  ::ShowCursor(TRUE);
}

void ZEBAPI ObscureCursor(void) {
  if (g_cursors.obscured) return;
  HWND frame = frame::FrameWindow();
  if (!frame) return;
  POINT p;
  RECT client;
  if (!GetCursorPos(&p) || !GetClientRect(frame, &client)) return;
  ScreenToClient(frame, &p);
  if (!PtInRect(&client, p)) return;
  g_cursors.obscured = true;
  ::ShowCursor(FALSE);
}

}  // extern "C"
