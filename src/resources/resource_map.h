// The resource file format: the 256-byte header, the data area and the resource map, all
// big-endian on disk; the map as the Resource Manager holds it while a file is open, its reader
// and validator, and its writer. Host-independent.
#ifndef ZEB_RESOURCES_RESOURCE_MAP_H
#define ZEB_RESOURCES_RESOURCE_MAP_H

#include <cstdint>
#include <string>
#include <vector>

namespace zeb::resfmt {

constexpr uint32_t kHeaderBytes = 256;      // the data area always starts here
constexpr uint32_t kHeaderFieldBytes = 16;  // data offset, map offset, data length, map length
constexpr uint32_t kMapHeaderBytes = 28;    // header copy, reserved words, attributes, offsets
constexpr uint32_t kEmptyMapLength = 30;    // map header and the type count word
constexpr uint32_t kMinimumFileLength = kHeaderBytes + kEmptyMapLength;
// Older writers left up to 16 bytes between the last data entry and the map.
constexpr uint32_t kAllowedMapGap = 16;
constexpr uint32_t kTypeEntryBytes = 8;
constexpr uint32_t kReferenceBytes = 12;
constexpr uint16_t kNoName = 0xFFFF;
constexpr uint16_t kNoReferenceList = 0xFFFF;
constexpr uint16_t kTypeListOffset = kMapHeaderBytes;
// A reference keeps its data offset in 24 bits: the data area cannot pass 16 MiB.
constexpr uint32_t kMaxDataOffset = 0x00FFFFFF;
// Map offsets are 16-bit: the name list must start, and every name begin, below this.
constexpr uint32_t kMaxMapOffset = 0xFFFF;

// The longest map the 16-bit offsets can describe: the name list starts below 64 KiB and its
// last name does too. A longer map length is not a map.
constexpr uint32_t kMaxMapLength = 2 * 0x10000 + 256;

// Attribute bits as stored in a reference. The library acts on preload and changed; every other
// bit (0x80 system reference, 0x40 system heap, 0x20 purgeable, 0x10 locked, 0x08 protected, and
// 0x01, which later system software sets on compressed resources) is read, reported and written
// exactly as stored.
enum : uint8_t {
  kAttrCompressed = 0x01,
  kAttrChanged = 0x02,
  kAttrPreload = 0x04
};

// A compressed resource starts with this signature (and carries kAttrCompressed); the bytes
// that follow are the decompressor's business. Such data is never byte-swapped: it is handed
// over and written back exactly as stored, whatever its type.
constexpr uint32_t kCompressedSignature = 0xA89F6572;
bool IsCompressedResource(uint8_t attributes, const uint8_t* data, uint32_t size);

struct Header {
  uint32_t dataOffset = kHeaderBytes;
  uint32_t mapOffset = kHeaderBytes;
  uint32_t dataLength = 0;
  uint32_t mapLength = kEmptyMapLength;
};
Header DecodeHeader(const uint8_t* sixteenBytes);
void EncodeHeader(const Header& header, uint8_t* sixteenBytes);
// Whether the four fields describe a resource file of fileLength bytes: data at 256, the map
// behind the data (at most kAllowedMapGap bytes later) and wholly inside the file, and at least
// an empty map long and no longer than kMaxMapLength. Sums are taken in 64 bits.
bool HeaderIsValid(const Header& header, uint64_t fileLength);

struct Reference {
  int16_t id = 0;
  uint8_t attributes = 0;
  uint32_t dataOffset = 0;  // from the start of the data area
  bool named = false;
  std::string name;         // the name's bytes, at most 255
  void* handle = nullptr;   // the loaded resource's handle, or null
  bool hasData = true;      // false until a new resource's data is first written
  // Kept in the map until it is written, skipped by every search, dropped by the writer.
  bool removed = false;
  // Last rewritten in place with fewer bytes than it had: the file wants compacting.
  bool shrunk = false;
  // A loaded 'MENU' has the library's marker in the low word of its definition procedure;
  // this is the word the marker replaced, which a write puts back.
  bool menuMarked = false;
  uint8_t menuProcLow[2] = {};
  bool Removed() const { return removed; }
};

struct TypeEntry {
  uint32_t type = 0;
  std::vector<Reference> references;  // removed ones included, in map order
};

// Bits of the map's attribute word (map bytes 22-23).
constexpr uint16_t kMapReadOnly = 0x80;  // the file is never written

struct Map {
  uint8_t reserved[8] = {};  // map bytes 16-23, the file attributes at 22: carried unchanged
  std::vector<TypeEntry> types;
  uint16_t FileAttributes() const { return static_cast<uint16_t>((reserved[6] << 8) | reserved[7]); }
};

// Reads and checks a whole map (length bytes, as the header gives it). False, with out left
// unspecified, when any offset or count reaches outside the map: the type list, every reference
// list, the name list and every name. References come back without handles, their attribute
// bytes as stored.
bool ParseMap(const uint8_t* map, uint32_t length, Map* out);

// What the writer will lay out for a map: only types with a reference that is not removed.
struct Layout {
  uint32_t types = 0;
  uint32_t references = 0;
  uint32_t nameBytes = 0;
  uint32_t nameListOffset = 0;  // from the start of the map
  uint32_t mapLength = 0;
  // Every 16-bit offset the map holds fits: the name list's, and each name's.
  bool fits = true;
};
Layout ComputeLayout(const Map& map);

// The map's bytes as written at header.mapOffset: the header copy, the reserved bytes, the
// surviving types, their references (data offsets and attribute bytes as they stand, the reserved
// word zero) and their names. The map must fit (ComputeLayout).
std::vector<uint8_t> SerializeMap(const Map& map, const Header& header);

// The 286 bytes of an empty resource file.
std::vector<uint8_t> EmptyResourceFile();

// Whether a data entry of the given length at dataOffset (both as stored) ends within a data
// area that ends at dataEnd bytes from the start of the file.
bool DataEntryFits(uint64_t dataEnd, uint32_t dataOffset, uint32_t length);

// The host file name of a resource file from an application's name (not a full path): a name
// whose last four characters hold no '.' (or a very long one) is cut at its first '.' and gets
// ".rsr"; otherwise it is kept, except that a create drops a final '.'. squeeze removes blanks
// and tabs and keeps 8 characters, as the oldest Windows file systems needed.
std::string ResourceFileName(const std::string& name, bool creating, bool squeeze);
// A drive letter, colon and backslash, or two backslashes.
bool IsFullPath(const std::string& name);

}  // namespace zeb::resfmt

#endif  // ZEB_RESOURCES_RESOURCE_MAP_H
