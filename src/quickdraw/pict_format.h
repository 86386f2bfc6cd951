// The PICT format: opcode numbers, the data each opcode carries in version 1 (byte opcodes) and
// version 2 (word opcodes, data padded to even lengths), and big-endian access. Host-independent.
#ifndef ZEB_QUICKDRAW_PICT_FORMAT_H
#define ZEB_QUICKDRAW_PICT_FORMAT_H

#include <cstddef>
#include <cstdint>

namespace zeb::quickdraw::pict {

// picSize (2 bytes) and picFrame (8 bytes) come before the first opcode.
constexpr size_t kHeaderBytes = 10;
// The shortest stream that can hold a version opcode: the header and two words.
constexpr size_t kShortestPicture = 12;

enum Opcode : uint16_t {
  kNop = 0x00,
  kClip = 0x01,
  kBkPat = 0x02,
  kTxFont = 0x03,
  kTxFace = 0x04,
  kTxMode = 0x05,
  kSpExtra = 0x06,
  kPnSize = 0x07,
  kPnMode = 0x08,
  kPnPat = 0x09,
  kFillPat = 0x0A,
  kOvSize = 0x0B,
  kOrigin = 0x0C,
  kTxSize = 0x0D,
  kFgColor = 0x0E,
  kBkColor = 0x0F,
  kTxRatio = 0x10,
  kVersion = 0x11,
  kBkPixPat = 0x12,
  kPnPixPat = 0x13,
  kFillPixPat = 0x14,
  kPnLocHFrac = 0x15,
  kChExtra = 0x16,
  kRGBFgCol = 0x1A,
  kRGBBkCol = 0x1B,
  kHiliteMode = 0x1C,
  kHiliteColor = 0x1D,
  kDefHilite = 0x1E,
  kOpColor = 0x1F,
  kLine = 0x20,
  kLineFrom = 0x21,
  kShortLine = 0x22,
  kShortLineFrom = 0x23,
  kLongText = 0x28,
  kDHText = 0x29,
  kDVText = 0x2A,
  kDHDVText = 0x2B,
  kFontName = 0x2C,
  kLineJustify = 0x2D,
  kRectBase = 0x30,
  kSameRectBase = 0x38,
  kRRectBase = 0x40,
  kSameRRectBase = 0x48,
  kOvalBase = 0x50,
  kSameOvalBase = 0x58,
  kArcBase = 0x60,
  kSameArcBase = 0x68,
  kPolyBase = 0x70,
  kRgnBase = 0x80,
  kBitsRect = 0x90,
  kBitsRgn = 0x91,
  kPackBitsRect = 0x98,
  kPackBitsRgn = 0x99,
  kDirectBitsRect = 0x9A,
  kDirectBitsRgn = 0x9B,
  kShortComment = 0xA0,
  kLongComment = 0xA1,
  kEndOfPicture = 0xFF,
  kHeaderOp = 0x0C00,
};

// The version word that follows kVersion in a version-2 picture, and the byte of version 1.
constexpr uint16_t kVersion2Word = 0x02FF;
constexpr uint8_t kVersion1Byte = 0x01;
// The first word of the header opcode's data: -1 for OpenPicture's header, 0xFFFE for the
// extended header with resolutions.
constexpr uint16_t kExtendedVersion = 0xFFFE;
// 72 dpi as a Fixed value.
constexpr int32_t kStandardResolution = 0x00480000;
// The four-byte base-address placeholder of the direct bits opcodes.
constexpr uint32_t kDirectBaseAddress = 0x000000FF;
// The top bit of a bits opcode's rowBytes says a pixel map header follows, not a bitmap's.
constexpr uint16_t kPixMapFlag = 0x8000;
constexpr uint16_t kRowBytesMask = 0x3FFF;
// Rows with fewer bytes than this are stored unpacked.
constexpr int kSmallestPackedRow = 8;
// Above this many row bytes, a packed row's length is a word rather than a byte.
constexpr int kByteCountLimit = 250;

// How an opcode's data length is found.
enum class DataKind : uint8_t {
  kFixed,        // a constant number of bytes
  kWordLength,   // a 16-bit length, then that many bytes
  kLongLength,   // a 32-bit length, then that many bytes
  kSizedRecord,  // a region or polygon: its 16-bit size counts itself
  kText,         // text opcodes: fixed bytes, a count byte, the text
  kPixPat,       // a pixel pattern
  kBits,         // a bits opcode
  kComment,      // long comment: kind, size, data
  kEnd,          // end of picture
};

struct OpcodeData {
  DataKind kind;
  uint32_t fixed;  // kFixed: the length; kText: the bytes before the count byte
};

// The data an opcode carries. version is 1 or 2; in version 1 only opcodes up to 0xFF exist.
OpcodeData DataOf(uint16_t opcode, int version);

// Big-endian access; callers check the bounds.
inline uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
inline int16_t GetI16(const uint8_t* p) { return static_cast<int16_t>(GetU16(p)); }
inline uint32_t GetU32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}
inline void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}
inline void PutU32(uint8_t* p, uint32_t v) {
  PutU16(p, static_cast<uint16_t>(v >> 16));
  PutU16(p + 2, static_cast<uint16_t>(v));
}

// Direct pixel packing (packType): 0 the default for the depth, 1 unpacked, 2 32-bit pixels
// with their pad byte dropped, 3 16-bit pixels run-length coded by words, 4 32-bit pixels as
// run-length coded component planes.
enum PackType : int16_t { kPackDefault = 0, kPackNone = 1, kPackDropPad = 2, kPackWords = 3,
                          kPackPlanes = 4 };
// The packing that packType means for an image of this depth and row bytes: rows shorter than
// kSmallestPackedRow are never packed, and the default becomes the depth's own packing.
int16_t EffectivePackType(int16_t packType, int depth, int rowBytes);

// A picture handle may hold a Windows metafile instead of opcodes: after picSize and picFrame
// comes a metafile header in the host's byte order. A Windows metafile is known by its
// METAHEADER, type 1 (in memory) or 2 (on disk) with a header of 9 words; an enhanced
// metafile by its ENHMETAHEADER, record type 1 with the " EMF" signature at offset 40.
enum class MetafileKind : uint8_t { kNone, kWindows, kEnhanced };
struct MetafileBody {
  MetafileKind kind = MetafileKind::kNone;
  size_t bytes = 0;  // the metafile's own size, within the body
};
// What body (the bytes after the 10-byte header) holds. A metafile header whose size runs
// past the body is not taken for a metafile: its bytes are not all there to play.
MetafileBody ClassifyMetafile(const uint8_t* body, size_t size);

}  // namespace zeb::quickdraw::pict

#endif  // ZEB_QUICKDRAW_PICT_FORMAT_H
