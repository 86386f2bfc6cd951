// Colour tables: GetCTable and DisposeCTable.
#include <cstring>

#include "MacMemory.h"
#include "quickdraw/palettes.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/standard_colour_tables.h"
#include "resources/resources_internal.h"

namespace zeb::quickdraw {
namespace {

constexpr ResType kClutType = ZEB_FOURCC('c', 'l', 'u', 't');
constexpr size_t kTableHeaderSize = 8;
// The table the Palette Manager keeps for the screen's current colours answers this ID.
constexpr short kScreenTableID = -8;

CTabHandle BuiltInTable(short id) {
  const int count = StandardTableSize(id);
  if (count == 0) return nullptr;
  Handle h = NewHandleClear(static_cast<Size>(kTableHeaderSize + count * sizeof(ColorSpec)));
  if (!h) return nullptr;
  auto table = reinterpret_cast<CTabHandle>(h);
  ColorTable& t = **table;
  t.ctSeed = id;
  t.ctFlags = 0;
  t.ctSize = static_cast<short>(count - 1);
  for (int i = 0; i < count; ++i) {
    const Rgb16 c = StandardTableEntry(id, i);
    t.ctTable[i].value = static_cast<short>(i);
    t.ctTable[i].rgb = {c.red, c.green, c.blue};
  }
  return table;
}

// A copy of a 'clut' resource, its entry count cut to the entries the data really holds.
CTabHandle ResourceTable(short id) {
  Handle resource = resources::GetResourceForManager(kClutType, id);
  if (!resource || !*resource) return nullptr;
  const long size = GetHandleSize(resource);
  if (size < static_cast<long>(kTableHeaderSize)) return nullptr;
  Handle copy = resource;
  if (HandToHand(&copy) != noErr) return nullptr;
  auto table = reinterpret_cast<CTabHandle>(copy);
  const long held = (size - static_cast<long>(kTableHeaderSize)) / static_cast<long>(sizeof(ColorSpec));
  if ((**table).ctSize >= held) (**table).ctSize = static_cast<short>(held - 1);
  (**table).ctSeed = id;
  return table;
}

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

CTabHandle ZEBAPI GetCTable(short ctID) {
  if (ctID == kScreenTableID) {
    Handle stored = reinterpret_cast<Handle>(StoredScreenTable());
    if (stored && HandToHand(&stored) == noErr) return reinterpret_cast<CTabHandle>(stored);
  }
  if (CTabHandle table = ResourceTable(ctID)) return table;
  return BuiltInTable(ctID);
}

void ZEBAPI DisposeCTable(CTabHandle cTable) {
  if (cTable) DisposeHandle(reinterpret_cast<Handle>(cTable));
}

}  // extern "C"
