// The Palette Manager's records and their Windows logical palettes: NewPalette, GetNewPalette,
// DisposePalette, the entry calls, CTab2Palette and Palette2CTab. Each palette owns a numbered
// record of the logical-palette cache holding its HPALETTE and LOGPALETTE.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "Palettes.h"
#include "Resources.h"
#include "memory/memory_internal.h"
#include "quickdraw/colour_resources.h"
#include "quickdraw/copy_options.h"
#include "quickdraw/palettes.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

// Windows keeps ten static colours at each end of a 256-entry system palette: a palette of the
// 236 others becomes a full logical palette with those twenty around it.
constexpr int kFullPalette = 256;
constexpr int kFreeEntries = 236;
constexpr int kStaticEntries = 10;
constexpr long kPaletteFixedBytes = 36;  // the header and the first entry, with 4 spare bytes
constexpr long kEntryBytes = 16;

struct CacheRecord {
  PaletteHandle owner = nullptr;
  HPALETTE palette = nullptr;
  std::vector<PALETTEENTRY> entries;
  bool pending = false;    // entries changed since they were last written to the HPALETTE
  bool animating = false;  // between ZEB_BeginPaletteAnimation and ZEB_EndPaletteAnimation
};
std::vector<CacheRecord>& Cache() {
  static std::vector<CacheRecord> cache;
  return cache;
}

long PaletteBytes(int entries) { return kPaletteFixedBytes + (std::max(entries, 1) - 1) * kEntryBytes; }

// The entries a palette's handle really holds, whatever pmEntries says.
int HeldEntries(PaletteHandle pal) {
  const long size = memory::LiveHandleSize(reinterpret_cast<Handle>(pal));
  if (size < 16) return 0;
  return static_cast<int>(std::min<long>(std::max<short>((*pal)->pmEntries, 0), (size - 16) / kEntryBytes));
}

bool IsPalette(PaletteHandle pal) {
  return memory::LiveHandleSize(reinterpret_cast<Handle>(pal)) >= 16;
}

// The cache record a palette owns; a copied handle whose number names another's record gets
// one of its own.
CacheRecord* RecordOf(PaletteHandle pal, bool make) {
  auto& cache = Cache();
  const unsigned number = (*pal)->pmCacheNumber;
  if (number >= 1 && number <= cache.size() && cache[number - 1].owner == pal) return &cache[number - 1];
  if (!make) return nullptr;
  size_t slot = 0;
  while (slot < cache.size() && cache[slot].owner) ++slot;
  if (slot == cache.size()) cache.emplace_back();
  cache[slot] = CacheRecord{};
  cache[slot].owner = pal;
  (*pal)->pmCacheNumber = static_cast<unsigned short>(slot + 1);
  return &cache[slot];
}

// The static colours of the system palette, or of the default palette when the system gives
// none (a display without a palette).
void StaticColours(PALETTEENTRY out[kFullPalette]) {
  std::memset(out, 0, sizeof(PALETTEENTRY) * kFullPalette);
  HDC screen = GetDC(nullptr);
  const UINT got = screen ? GetSystemPaletteEntries(screen, 0, kFullPalette, out) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  if (got >= kFullPalette) return;
  PALETTEENTRY defaults[20] = {};
  GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, defaults);
  for (int i = 0; i < kStaticEntries; ++i) {
    out[i] = defaults[i];
    out[kFullPalette - kStaticEntries + i] = defaults[kStaticEntries + i];
  }
}

PALETTEENTRY EntryOf(const ColorInfo& c) {
  return PALETTEENTRY{static_cast<BYTE>(c.ciRGB.red >> 8), static_cast<BYTE>(c.ciRGB.green >> 8),
                      static_cast<BYTE>(c.ciRGB.blue >> 8),
                      static_cast<BYTE>((c.ciUsage & pmAnimated) ? PC_RESERVED : 0)};
}

// The logical entry a palette entry lands on: a 256-entry palette is stored reversed.
int LogicalIndex(int entry, int heldEntries) {
  return heldEntries == kFullPalette ? kFullPalette - 1 - entry : entry;
}

// During an animation every entry but the first and the last (black and white, which Windows
// keeps static) is reserved, so that AnimatePalette reaches it.
void MarkAnimation(CacheRecord& record) {
  const size_t n = record.entries.size();
  for (size_t i = 1; i + 1 < n; ++i) record.entries[i].peFlags = PC_RESERVED;
}

// Writes the cached entries into the HPALETTE, resizing it first when the count differs (a
// palette that SetPaletteEntries cannot hold would lose its last entries).
void PushEntries(CacheRecord& record) {
  if (!record.palette) return;
  const UINT count = static_cast<UINT>(record.entries.size());
  if (static_cast<UINT>(GetPaletteEntries(record.palette, 0, 0, nullptr)) != count)
    ResizePalette(record.palette, count);
  SetPaletteEntries(record.palette, 0, count, record.entries.data());
  record.pending = false;
}

// The logical palette from the Palette's entries: in order; a 256-entry palette reversed (its
// entry i at logical entry 255 - i); a 236-entry palette followed out to 256 by the static
// colours at 236..255 (the first ten and the last ten of the system palette). The first time
// the HPALETTE is made; later the cached entries change and reach the HPALETTE at once under
// the live-palette option or when pushed, otherwise when the palette is next used (selected,
// realised, or asked for with ZEB_PaletteHPALETTE).
void BuildLogicalPalette(PaletteHandle pal, bool push) {
  CacheRecord* record = RecordOf(pal, true);
  const int n = HeldEntries(pal);
  std::vector<PALETTEENTRY> entries;
  if (n == kFullPalette) {
    entries.resize(kFullPalette);
    for (int i = 0; i < n; ++i) entries[LogicalIndex(i, n)] = EntryOf((*pal)->pmInfo[i]);
  } else if (n == kFreeEntries) {
    PALETTEENTRY statics[kFullPalette];
    StaticColours(statics);
    entries.resize(kFullPalette);
    for (int i = 0; i < n; ++i) entries[i] = EntryOf((*pal)->pmInfo[i]);
    for (int i = 0; i < kStaticEntries; ++i) {
      entries[kFreeEntries + i] = statics[i];
      entries[kFreeEntries + kStaticEntries + i] = statics[kFullPalette - kStaticEntries + i];
    }
  } else {
    for (int i = 0; i < n; ++i) entries.push_back(EntryOf((*pal)->pmInfo[i]));
  }
  if (entries.empty()) entries.push_back(PALETTEENTRY{0, 0, 0, 0});
  record->entries = std::move(entries);
  if (record->animating) MarkAnimation(*record);
  if (record->palette) {
    record->pending = true;
    if (push || LivePaletteOption()) PushEntries(*record);
    return;
  }
  const UINT count = static_cast<UINT>(record->entries.size());
  std::vector<uint8_t> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
  auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(count);
  std::memcpy(lp->palPalEntry, record->entries.data(), sizeof(PALETTEENTRY) * count);
  // A failing CreatePalette leaves the palette without one: drawing then uses none.
  record->palette = CreatePalette(lp);
  record->pending = false;
}

void BuildLogicalPalette(PaletteHandle pal) { BuildLogicalPalette(pal, false); }

void CopyTableEntries(CTabHandle table, PaletteHandle pal, int count, short usage, short tolerance) {
  const long tableBytes = memory::LiveHandleSize(reinterpret_cast<Handle>(table));
  const int available = tableBytes >= 8 ? std::min<int>((*table)->ctSize + 1, static_cast<int>((tableBytes - 8) / 8)) : 0;
  for (int i = 0; i < count && i < available; ++i) {
    ColorInfo& e = (*pal)->pmInfo[i];
    e.ciRGB = (*table)->ctTable[i].rgb;
    e.ciUsage = usage;
    e.ciTolerance = tolerance;
    e.ciFlags = 0;
  }
}

}  // namespace

void RebuildLogicalPalette(PaletteHandle pal, bool push) {
  if (IsPalette(pal)) BuildLogicalPalette(pal, push);
}

void SetAnimationMark(PaletteHandle pal, bool on) {
  if (!IsPalette(pal)) return;
  RecordOf(pal, true)->animating = on;
  BuildLogicalPalette(pal, true);
}

bool PushAnimatedEntries(PaletteHandle pal, int first, int count) {
  if (!IsPalette(pal)) return false;
  CacheRecord* record = RecordOf(pal, false);
  if (!record || !record->palette) return false;
  const int n = HeldEntries(pal);
  first = std::max(first, 0);
  count = std::min(count, n - first);
  if (count <= 0) return false;
  // Entries waiting from earlier changes go first, whole: the run below then rewrites only its
  // own entries.
  if (record->pending) PushEntries(*record);
  // The run's logical entries, lowest first (a 256-entry palette's run lands reversed).
  const int low = std::min(LogicalIndex(first, n), LogicalIndex(first + count - 1, n));
  if (low < 0 || low + count > static_cast<int>(record->entries.size())) return false;
  for (int i = first; i < first + count; ++i) {
    PALETTEENTRY e = EntryOf((*pal)->pmInfo[i]);
    PALETTEENTRY& held = record->entries[static_cast<size_t>(LogicalIndex(i, n))];
    e.peFlags = held.peFlags;
    held = e;
  }
  // A reserved entry changes in place on the screen (AnimatePalette); any other is rewritten
  // and needs the palette realised again. Each stretch of one kind goes in one call.
  bool rewritten = false;
  const PALETTEENTRY* run = record->entries.data() + low;
  for (int start = 0; start < count;) {
    const bool reserved = (run[start].peFlags & PC_RESERVED) != 0;
    int end = start + 1;
    while (end < count && ((run[end].peFlags & PC_RESERVED) != 0) == reserved) ++end;
    const UINT at = static_cast<UINT>(low + start), length = static_cast<UINT>(end - start);
    if (reserved) {
      AnimatePalette(record->palette, at, length, run + start);
    } else {
      SetPaletteEntries(record->palette, at, length, run + start);
      rewritten = true;
    }
    start = end;
  }
  return rewritten;
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

PaletteHandle ZEBAPI NewPalette(short entries, CTabHandle srcColors, short srcUsage,
                                short srcTolerance) {
  if (entries < 0) return nullptr;
  auto pal = reinterpret_cast<PaletteHandle>(NewHandleClear(PaletteBytes(entries)));
  if (!pal) return nullptr;
  (*pal)->pmEntries = entries;
  for (int i = 0; i < entries; ++i) {
    (*pal)->pmInfo[i].ciUsage = srcUsage;
    (*pal)->pmInfo[i].ciTolerance = srcTolerance;
  }
  if (srcColors && *srcColors) {
    CopyTableEntries(srcColors, pal, entries, srcUsage, srcTolerance);
    (*pal)->pmSeed = (*srcColors)->ctSeed;
  }
  BuildLogicalPalette(pal);
  return pal;
}

// A 'pltt' resource (entries at 16 + 16i, as a Palette holds them), every entry within it.
PaletteHandle ZEBAPI GetNewPalette(short paletteID) {
  Handle res = GetResource(0x706C7474 /* 'pltt' */, paletteID);
  if (!res || !*res) return nullptr;
  const long size = memory::LiveHandleSize(res);
  const int32_t entries = CheckPaletteResource(reinterpret_cast<const uint8_t*>(*res),
                                               static_cast<size_t>(std::max(size, 0L)));
  if (entries < 0 || entries > 0x7FFF) return nullptr;
  auto pal = reinterpret_cast<PaletteHandle>(NewHandleClear(PaletteBytes(entries)));
  if (!pal) return nullptr;
  std::memcpy(*pal, *res, static_cast<size_t>(16 + entries * kEntryBytes));
  (*pal)->pmCacheNumber = 0;
  BuildLogicalPalette(pal);
  return pal;
}

void ZEBAPI DisposePalette(PaletteHandle srcPalette) {
  if (!IsPalette(srcPalette)) return;
  if (CacheRecord* record = RecordOf(srcPalette, false)) {
    if (record->palette) {
      // Every context's DC lets go of it first: a selected palette cannot be deleted.
      for (DrawingContext* ctx : State().slots) {
        if (!ctx || !ctx->dc) continue;
        HPALETTE selected = static_cast<HPALETTE>(GetCurrentObject(ctx->dc, OBJ_PAL));
        if (selected == record->palette)
          SelectPalette(ctx->dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), TRUE);
      }
      DeleteObject(record->palette);
    }
    *record = CacheRecord{};
  }
  ForgetPalette(srcPalette);
  DisposeHandle(reinterpret_cast<Handle>(srcPalette));
}

void ZEBAPI GetEntryColor(PaletteHandle srcPalette, short srcEntry, RGBColor* dstRGB) {
  if (!dstRGB || !IsPalette(srcPalette) || srcEntry < 0 || srcEntry >= HeldEntries(srcPalette)) return;
  *dstRGB = (*srcPalette)->pmInfo[srcEntry].ciRGB;
}

void ZEBAPI SetEntryColor(PaletteHandle dstPalette, short dstEntry, const RGBColor* srcRGB) {
  if (!srcRGB || !IsPalette(dstPalette) || dstEntry < 0 || dstEntry >= HeldEntries(dstPalette)) return;
  (*dstPalette)->pmInfo[dstEntry].ciRGB = *srcRGB;
  BuildLogicalPalette(dstPalette);
}

void ZEBAPI GetEntryUsage(PaletteHandle srcPalette, short srcEntry, short* dstUsage,
                          short* dstTolerance) {
  if (!IsPalette(srcPalette) || srcEntry < 0 || srcEntry >= HeldEntries(srcPalette)) return;
  if (dstUsage) *dstUsage = (*srcPalette)->pmInfo[srcEntry].ciUsage;
  if (dstTolerance) *dstTolerance = (*srcPalette)->pmInfo[srcEntry].ciTolerance;
}

// A usage or tolerance of -1 leaves that field as it is.
void ZEBAPI SetEntryUsage(PaletteHandle dstPalette, short dstEntry, short srcUsage,
                          short srcTolerance) {
  if (!IsPalette(dstPalette) || dstEntry < 0 || dstEntry >= HeldEntries(dstPalette)) return;
  ColorInfo& e = (*dstPalette)->pmInfo[dstEntry];
  if (srcUsage != -1) e.ciUsage = srcUsage;
  if (srcTolerance != -1) e.ciTolerance = srcTolerance;
  BuildLogicalPalette(dstPalette);
}

// The palette takes the table's size and colours, every entry with the usage and tolerance.
void ZEBAPI CTab2Palette(CTabHandle srcCTab, PaletteHandle dstPalette, short srcUsage,
                         short srcTolerance) {
  const long tableBytes = memory::LiveHandleSize(reinterpret_cast<Handle>(srcCTab));
  if (!IsPalette(dstPalette) || tableBytes < 8) return;
  const int count = std::max(0, std::min<int>((*srcCTab)->ctSize + 1, static_cast<int>((tableBytes - 8) / 8)));
  SetHandleSize(reinterpret_cast<Handle>(dstPalette), PaletteBytes(count));
  if (memory::LiveHandleSize(reinterpret_cast<Handle>(dstPalette)) < PaletteBytes(count)) return;
  (*dstPalette)->pmEntries = static_cast<short>(count);
  for (int i = 0; i < count; ++i) (*dstPalette)->pmInfo[i] = ColorInfo{};
  CopyTableEntries(srcCTab, dstPalette, count, srcUsage, srcTolerance);
  (*dstPalette)->pmSeed = (*srcCTab)->ctSeed;
  BuildLogicalPalette(dstPalette);
}

// The table takes the palette's size and colours, values 0 up.
void ZEBAPI Palette2CTab(PaletteHandle srcPalette, CTabHandle dstCTab) {
  if (!IsPalette(srcPalette) || memory::LiveHandleSize(reinterpret_cast<Handle>(dstCTab)) < 8) return;
  const int count = HeldEntries(srcPalette);
  SetHandleSize(reinterpret_cast<Handle>(dstCTab), 8 + 8 * std::max(count, 1));
  if (memory::LiveHandleSize(reinterpret_cast<Handle>(dstCTab)) < 8 + 8 * count) return;
  (*dstCTab)->ctSize = static_cast<short>(count - 1);
  for (int i = 0; i < count; ++i) {
    (*dstCTab)->ctTable[i].value = static_cast<short>(i);
    (*dstCTab)->ctTable[i].rgb = (*srcPalette)->pmInfo[i].ciRGB;
  }
}

HPALETTE ZEBAPI ZEB_PaletteHPALETTE(PaletteHandle pal) {
  if (!IsPalette(pal)) return nullptr;
  CacheRecord* record = RecordOf(pal, false);
  if (!record) {
    BuildLogicalPalette(pal);
    record = RecordOf(pal, false);
  }
  if (record && record->pending) PushEntries(*record);
  return record ? record->palette : nullptr;
}

}  // extern "C"
