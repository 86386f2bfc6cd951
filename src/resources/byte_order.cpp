// The byte-order engine: which fields of each resource type are numbers, and their swapping.
#include "resources/byte_order.h"

#include <cstring>

#include "resources/window_template.h"

namespace zeb::byteorder {

void Swap16(void* p) {
  uint8_t* b = static_cast<uint8_t*>(p);
  const uint8_t t = b[0];
  b[0] = b[1];
  b[1] = t;
}

void Swap32(void* p) { Reverse(p, 4); }

void Reverse(void* p, unsigned bytes) {
  uint8_t* b = static_cast<uint8_t*>(p);
  for (unsigned i = 0, j = bytes ? bytes - 1 : 0; i < j; ++i, --j) {
    const uint8_t t = b[i];
    b[i] = b[j];
    b[j] = t;
  }
}

uint16_t GetBig16(const void* p) {
  const uint8_t* b = static_cast<const uint8_t*>(p);
  return static_cast<uint16_t>((b[0] << 8) | b[1]);
}

uint32_t GetBig32(const void* p) {
  const uint8_t* b = static_cast<const uint8_t*>(p);
  return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
}

void PutBig16(void* p, uint16_t v) {
  uint8_t* b = static_cast<uint8_t*>(p);
  b[0] = static_cast<uint8_t>(v >> 8);
  b[1] = static_cast<uint8_t>(v);
}

void PutBig32(void* p, uint32_t v) {
  uint8_t* b = static_cast<uint8_t*>(p);
  b[0] = static_cast<uint8_t>(v >> 24);
  b[1] = static_cast<uint8_t>(v >> 16);
  b[2] = static_cast<uint8_t>(v >> 8);
  b[3] = static_cast<uint8_t>(v);
}

uint16_t GetHost16(const void* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

uint32_t GetHost32(const void* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

namespace {

constexpr uint32_t kDialogTitleOffset = 20;

// Where bit k of an 'ALRT' stage word as stored on disk lands in the host word.
constexpr int kStageBitFromDisk[16] = {6, 7, 5, 4, 2, 3, 1, 0, 14, 15, 13, 12, 10, 11, 9, 8};

// The fields of one resource, each swapped only when it lies wholly inside the data. Counts and
// offsets come back in host order whichever the direction: from disk they are read after the
// swap, to disk before it.
class Fields {
 public:
  Fields(int direction, uint8_t* data, uint32_t size)
      : fromDisk_(direction == kFromDisk), data_(data), size_(size) {}

  bool Fits(uint64_t offset, uint64_t bytes) const { return offset + bytes <= size_; }

  uint16_t W(uint64_t offset) {
    if (!Fits(offset, 2)) return 0;
    uint8_t* p = data_ + offset;
    if (fromDisk_) Swap16(p);
    const uint16_t value = GetHost16(p);
    if (!fromDisk_) Swap16(p);
    return value;
  }

  uint32_t L(uint64_t offset) {
    if (!Fits(offset, 4)) return 0;
    uint8_t* p = data_ + offset;
    if (fromDisk_) Swap32(p);
    const uint32_t value = GetHost32(p);
    if (!fromDisk_) Swap32(p);
    return value;
  }

  void R(uint64_t offset) {
    for (int i = 0; i < 4; ++i) W(offset + 2 * i);
  }

  // A field already converted, read in host order: host order after a conversion from disk,
  // big-endian after one to disk.
  uint16_t ConvertedW(uint64_t offset) const {
    if (!Fits(offset, 2)) return 0;
    return fromDisk_ ? GetHost16(data_ + offset) : GetBig16(data_ + offset);
  }
  uint32_t ConvertedL(uint64_t offset) const {
    if (!Fits(offset, 4)) return 0;
    return fromDisk_ ? GetHost32(data_ + offset) : GetBig32(data_ + offset);
  }

  // Byte fields are the same in both orders.
  uint8_t Byte(uint64_t offset) const { return Fits(offset, 1) ? data_[offset] : 0; }

  void AlertStages(uint64_t offset) {
    if (!Fits(offset, 2)) return;
    uint8_t* p = data_ + offset;
    if (fromDisk_) {
      const uint16_t m = AlertStagesFromDisk(GetBig16(p));
      std::memcpy(p, &m, 2);
    } else {
      PutBig16(p, AlertStagesToDisk(GetHost16(p)));
    }
  }

  // The Macintosh PixMap record as resources store it: 50 bytes.
  void PixMap(uint64_t at) {
    L(at + 0);
    W(at + 4);
    R(at + 6);
    W(at + 14);
    W(at + 16);
    L(at + 18);
    L(at + 22);
    L(at + 26);
    for (int i = 0; i < 4; ++i) W(at + 30 + 2 * i);
    L(at + 38);
    L(at + 42);
    L(at + 46);
  }

  // A bitmap header: base address, row bytes, bounds; 14 bytes.
  void BitMap(uint64_t at) {
    L(at);
    W(at + 4);
    R(at + 6);
  }

  void ColourTable(uint64_t at) {
    if (at >= size_) return;
    ConvertColourTable(fromDisk_ ? kFromDisk : kToDisk, data_ + at,
                       static_cast<uint32_t>(size_ - at));
  }

  uint32_t Size() const { return size_; }

 private:
  bool fromDisk_;
  uint8_t* data_;
  uint32_t size_;
};

// Item types of a 'DITL': the disabled flag, and the help item of later system software.
constexpr uint8_t kItemDisabled = 0x80;
constexpr uint8_t kHelpItem = 1;

void DialogItemList(Fields& f) {
  const int count = static_cast<int16_t>(f.W(0)) + 1;
  uint64_t item = 2;
  for (int i = 0; i < count && f.Fits(item, 14); ++i) {
    f.L(item);
    f.R(item + 4);
    const uint8_t itemType = f.Byte(item + 12);
    const uint8_t dataLength = f.Byte(item + 13);
    // Low three bits all set: a control from a 'CNTL' resource, whose ID follows. Icon (0x20) and
    // picture (0x40) items carry a resource ID too; the ID is swapped once whichever says so.
    // The ID is the item's data: an item too short to hold it has none to swap.
    if ((itemType & ~kItemDisabled) == kHelpItem) {
      // A help item's data is words only: the kind of help resource, its ID and, for an
      // appended 'hdlg', the item number it starts at.
      for (uint32_t w = 0; w + 2 <= dataLength; w += 2) f.W(item + 14 + w);
    } else if (((itemType & 0x07) == 0x07 || (itemType & 0x60)) && dataLength >= 2) {
      f.W(item + 14);
    }
    item += 14 + ((dataLength + 1u) & ~1u);
  }
}

void MenuBar(Fields& f) {
  const uint32_t count = f.W(0);
  for (uint32_t i = 0; i < count && f.Fits(2 + 2ull * i, 2); ++i) f.W(2 + 2ull * i);
}

void AnimatedCursor(Fields& f) {
  const uint32_t frames = f.W(0);
  f.W(2);
  for (uint32_t i = 0; i < frames && f.Fits(4 + 4ull * i, 2); ++i) {
    f.W(4 + 4ull * i);
    f.W(6 + 4ull * i);
  }
}

// A 'pltt' is a Palette as the Palette Manager keeps it: the entry count, seven private words
// (a long, the cache number, two longs) and 16-byte entries from offset 16 (red, green, blue,
// usage, tolerance, flags, a private long).
void Palette(Fields& f) {
  const uint32_t entries = f.W(0);
  f.L(2);
  f.W(6);
  f.L(8);
  f.L(12);
  for (uint32_t i = 0; i < entries && f.Fits(16 + 16ull * i, 2); ++i) {
    const uint64_t e = 16 + 16ull * i;
    for (int w = 0; w < 6; ++w) f.W(e + 2 * w);
    f.L(e + 12);
  }
}

void PixelPattern(Fields& f) {
  f.W(0);
  f.L(2);
  f.L(6);
  f.L(10);
  f.W(14);
  f.L(16);
  f.PixMap(28);
  // The pixel map's table field holds the colour table's offset in the resource; a table
  // overlapping the fixed part is not one.
  const uint32_t table = f.ConvertedL(28 + 42);
  if (table >= 78) f.ColourTable(table);
}

void ColourIcon(Fields& f) {
  f.PixMap(0);
  f.BitMap(50);
  f.BitMap(64);
  const int16_t top = static_cast<int16_t>(f.ConvertedW(6));
  const int16_t bottom = static_cast<int16_t>(f.ConvertedW(10));
  const uint16_t maskRowBytes = f.ConvertedW(54);
  const uint16_t iconRowBytes = f.ConvertedW(68);
  const int64_t rows = static_cast<int64_t>(bottom) - top;
  if (rows < 0) return;
  const int64_t table = 82 + rows * ((maskRowBytes & 0x0FFF) + (iconRowBytes & 0x0FFF));
  f.ColourTable(static_cast<uint64_t>(table));
}

}  // namespace

uint16_t AlertStagesFromDisk(uint16_t diskWord) {
  uint16_t m = 0;
  for (int k = 0; k < 16; ++k)
    if (diskWord & (1u << k)) m = static_cast<uint16_t>(m | (1u << kStageBitFromDisk[k]));
  return m;
}

uint16_t AlertStagesToDisk(uint16_t hostWord) {
  uint16_t w = 0;
  for (int k = 0; k < 16; ++k)
    if (hostWord & (1u << kStageBitFromDisk[k])) w = static_cast<uint16_t>(w | (1u << k));
  return w;
}

void ConvertColourTable(int direction, uint8_t* table, uint32_t size) {
  Fields f(direction, table, size);
  f.L(0);
  f.W(4);
  const int entries = static_cast<int16_t>(f.W(6)) + 1;
  for (int i = 0; i < entries && f.Fits(8 + 8ull * i, 2); ++i)
    for (int w = 0; w < 4; ++w) f.W(8 + 8ull * i + 2 * w);
}

Conversion ConvertResource(int direction, uint32_t type, uint8_t* data, uint32_t size) {
  Fields f(direction, data, size);
  switch (type) {
    case FourCC("ALRT"):
      f.R(0);
      f.W(8);
      f.AlertStages(10);
      // Later system software appends a positioning word to the 12 bytes of the template.
      f.W(12);
      break;
    case FourCC("CNTL"):
      f.R(0);
      f.W(8);
      f.W(12);
      f.W(14);
      f.W(16);
      f.L(18);
      break;
    case FourCC("DITL"): DialogItemList(f); break;
    case FourCC("DLOG"): {
      f.R(0);
      f.W(8);
      f.L(14);
      f.W(18);
      // The title at 20, then (from later system software) a positioning word. The title's
      // length byte reads the same in both orders.
      if (size > kDialogTitleOffset) {
        const int positioning =
            resources::PositioningWordAfter(kDialogTitleOffset + 1 + data[kDialogTitleOffset], size);
        if (positioning >= 0) f.W(static_cast<uint64_t>(positioning));
      }
      break;
    }
    case FourCC("WIND"): {
      // Macintosh templates hold the reference constant at 14, the library's at 16; a
      // positioning word may follow the title in either.
      const resources::WindowTemplateFields w = resources::LocateWindowTemplate(data, size);
      f.R(0);
      f.W(8);
      f.L(w.layout == resources::WindowTemplateLayout::kMacintosh ? 14 : 16);
      if (w.positioningOffset >= 0) f.W(static_cast<uint64_t>(w.positioningOffset));
      break;
    }
    case FourCC("MENU"):
      f.W(0);
      f.W(2);
      f.W(4);
      f.L(6);
      f.L(10);
      break;
    case FourCC("MBAR"): MenuBar(f); break;
    case FourCC("STR#"):
    case FourCC("PAT#"): f.W(0); break;
    case FourCC("PICT"):
      // Size and frame only: the opcode stream stays big-endian, as pictures are read.
      for (int i = 0; i < 5; ++i) f.W(2 * i);
      break;
    case FourCC("vers"): f.W(4); break;
    case FourCC("INTL"):
      if (size == 32) {
        f.W(30);
      } else {
        f.W(328);
        f.W(330);
      }
      break;
    case FourCC("acur"): AnimatedCursor(f); break;
    case FourCC("CMAP"):
      for (int i = 0; i < 256; ++i) f.L(4 * i);
      break;
    case FourCC("clut"): ConvertColourTable(direction, data, size); break;
    case FourCC("pltt"): Palette(f); break;
    case FourCC("ppat"): PixelPattern(f); break;
    case FourCC("cicn"): ColourIcon(f); break;
    case FourCC("CURS"):
    case FourCC("crsr"): return Conversion::kCursor;
    case FourCC("CDEF"): case FourCC("MDEF"): case FourCC("WDEF"): case FourCC("LDEF"):
    case FourCC("dctb"): case FourCC("FONT"): case FourCC("ICON"): case FourCC("ICN#"):
    case FourCC("icl8"): case FourCC("INIT"): case FourCC("PAT "): case FourCC("STR "):
    case FourCC("SICN"): case FourCC("TEXT"): case FourCC("wctb"): case FourCC("sfnt"):
      break;
    case FourCC("ZEBD"): f.W(2); break;
    default: return Conversion::kUnknown;
  }
  return Conversion::kConverted;
}

}  // namespace zeb::byteorder
