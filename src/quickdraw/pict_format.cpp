// The opcode table of the PICT format.
#include "quickdraw/pict_format.h"

namespace zeb::quickdraw::pict {

OpcodeData DataOf(uint16_t op, int version) {
  using K = DataKind;
  if (op == kEndOfPicture) return {K::kEnd, 0};
  if (op >= 0x100) {
    if (version < 2) return {K::kEnd, 0};
    if (op <= 0x7FFF) return {K::kFixed, 2u * (op >> 8)};
    if (op <= 0x80FF) return {K::kFixed, 0};
    return {K::kLongLength, 0};
  }
  switch (op) {
    case kNop: return {K::kFixed, 0};
    case kClip: return {K::kSizedRecord, 0};
    case kBkPat: case kPnPat: case kFillPat: case kTxRatio: return {K::kFixed, 8};
    case kTxFont: case kTxMode: case kPnMode: case kTxSize: case kPnLocHFrac: case kChExtra:
      return {K::kFixed, 2};
    case kTxFace: return {K::kFixed, 1};
    case kSpExtra: case kPnSize: case kOvSize: case kOrigin: case kFgColor: case kBkColor:
      return {K::kFixed, 4};
    case kVersion: return {K::kFixed, version < 2 ? 1u : 2u};
    case kBkPixPat: case kPnPixPat: case kFillPixPat: return {K::kPixPat, 0};
    case 0x17: case 0x18: case 0x19: case kHiliteMode: case kDefHilite: return {K::kFixed, 0};
    case kRGBFgCol: case kRGBBkCol: case kHiliteColor: case kOpColor: return {K::kFixed, 6};
    case kLine: return {K::kFixed, 8};
    case kLineFrom: return {K::kFixed, 4};
    case kShortLine: return {K::kFixed, 6};
    case kShortLineFrom: return {K::kFixed, 2};
    case kLongText: return {K::kText, 4};
    case kDHText: case kDVText: return {K::kText, 1};
    case kDHDVText: return {K::kText, 2};
    case kBitsRect: case kBitsRgn: case kPackBitsRect: case kPackBitsRgn: case kDirectBitsRect:
    case kDirectBitsRgn:
      return {K::kBits, 0};
    case kShortComment: return {K::kFixed, 2};
    case kLongComment: return {K::kComment, 0};
    default: break;
  }
  if (op >= 0x24 && op <= 0x2F) return {K::kWordLength, 0};  // 0x2C and 0x2D included
  if (op >= 0x30 && op <= 0x5F) {
    const int low = op & 0x0F;
    if (low <= 7) return {K::kFixed, 8};  // the rectangle forms and 0x?5..0x?7
    return {K::kFixed, 0};                // the Same forms and 0x?D..0x?F
  }
  if (op >= 0x60 && op <= 0x6F) return {K::kFixed, (op & 0x0F) <= 7 ? 12u : 4u};
  if (op >= 0x70 && op <= 0x77) return {K::kSizedRecord, 0};
  if (op >= 0x78 && op <= 0x7F) return {K::kFixed, 0};
  if (op >= 0x80 && op <= 0x87) return {K::kSizedRecord, 0};
  if (op >= 0x88 && op <= 0x8F) return {K::kFixed, 0};
  if (op >= 0x92 && op <= 0xAF) return {K::kWordLength, 0};
  if (op >= 0xB0 && op <= 0xCF) return {K::kFixed, 0};
  return {K::kLongLength, 0};  // 0xD0..0xFE
}

int16_t EffectivePackType(int16_t packType, int depth, int rowBytes) {
  if (rowBytes < kSmallestPackedRow) return kPackNone;
  if (depth == 16) {
    if (packType == kPackDefault || packType == kPackWords) return kPackWords;
    return kPackNone;
  }
  if (depth == 32 || depth == 24) {
    if (packType == kPackDefault) return kPackPlanes;
    if (packType == kPackNone || packType == kPackDropPad || packType == kPackPlanes)
      return packType;
    return kPackNone;
  }
  return kPackDefault;  // indexed rows: PackBits by bytes
}

namespace {
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return static_cast<uint32_t>(Le16(p)) | uint32_t{Le16(p + 2)} << 16; }

constexpr uint16_t kMemoryMetafile = 1, kDiskMetafile = 2;
constexpr uint16_t kMetaHeaderWords = 9;
constexpr size_t kMetaHeaderBytes = 18;
constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEnhancedSignature = 0x464D4520;  // " EMF", little-endian
constexpr size_t kSmallestEnhancedHeader = 88;
}  // namespace

MetafileBody ClassifyMetafile(const uint8_t* body, size_t size) {
  MetafileBody out;
  if (size >= kMetaHeaderBytes) {
    const uint16_t type = Le16(body);
    if ((type == kMemoryMetafile || type == kDiskMetafile) && Le16(body + 2) == kMetaHeaderWords) {
      // mtSize counts 16-bit words, the header included.
      const uint64_t bytes = uint64_t{Le32(body + 6)} * 2;
      if (bytes >= kMetaHeaderBytes && bytes <= size) {
        out.kind = MetafileKind::kWindows;
        out.bytes = static_cast<size_t>(bytes);
      }
      return out;
    }
  }
  if (size >= kSmallestEnhancedHeader && Le32(body) == kEmrHeader &&
      Le32(body + 40) == kEnhancedSignature) {
    const uint32_t header = Le32(body + 4), bytes = Le32(body + 48);
    if (header >= kSmallestEnhancedHeader && bytes >= header && bytes <= size) {
      out.kind = MetafileKind::kEnhanced;
      out.bytes = bytes;
    }
  }
  return out;
}

}  // namespace zeb::quickdraw::pict
