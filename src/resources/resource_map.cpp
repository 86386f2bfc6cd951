// Reading, checking and writing resource maps.
#include "resources/resource_map.h"

#include <cstring>

#include "resources/byte_order.h"

namespace zeb::resfmt {

using byteorder::GetBig16;
using byteorder::GetBig32;
using byteorder::PutBig16;
using byteorder::PutBig32;

Header DecodeHeader(const uint8_t* b) {
  Header h;
  h.dataOffset = GetBig32(b);
  h.mapOffset = GetBig32(b + 4);
  h.dataLength = GetBig32(b + 8);
  h.mapLength = GetBig32(b + 12);
  return h;
}

void EncodeHeader(const Header& h, uint8_t* b) {
  PutBig32(b, h.dataOffset);
  PutBig32(b + 4, h.mapOffset);
  PutBig32(b + 8, h.dataLength);
  PutBig32(b + 12, h.mapLength);
}

bool HeaderIsValid(const Header& h, uint64_t fileLength) {
  const uint64_t dataEnd = uint64_t{h.dataLength} + kHeaderBytes;
  return h.dataOffset == kHeaderBytes && dataEnd <= h.mapOffset &&
         h.mapOffset <= dataEnd + kAllowedMapGap &&
         uint64_t{h.mapOffset} + h.mapLength <= fileLength && h.mapLength >= kEmptyMapLength &&
         h.mapLength <= kMaxMapLength;
}

bool ParseMap(const uint8_t* map, uint32_t length, Map* out) {
  if (length < kEmptyMapLength) return false;
  const uint64_t end = length;
  std::memcpy(out->reserved, map + kHeaderFieldBytes, sizeof out->reserved);
  const uint32_t typeList = GetBig16(map + 24);
  const uint32_t nameList = GetBig16(map + 26);
  if (uint64_t{typeList} + 2 > end) return false;
  const int typeCount = static_cast<int16_t>(GetBig16(map + typeList)) + 1;
  if (typeCount < 0) return false;
  if (uint64_t{typeList} + 2 + uint64_t{kTypeEntryBytes} * typeCount > end) return false;
  out->types.clear();
  out->types.reserve(static_cast<size_t>(typeCount));
  for (int t = 0; t < typeCount; ++t) {
    const uint8_t* entry = map + typeList + 2 + kTypeEntryBytes * t;
    TypeEntry type;
    type.type = GetBig32(entry);
    const int count = static_cast<int16_t>(GetBig16(entry + 4)) + 1;
    const uint32_t refList = GetBig16(entry + 6);
    if (refList != kNoReferenceList) {
      if (count < 0) return false;
      const uint64_t listStart = uint64_t{typeList} + refList;
      if (listStart + uint64_t{kReferenceBytes} * count > end) return false;
      type.references.resize(static_cast<size_t>(count));
      for (int r = 0; r < count; ++r) {
        const uint8_t* ref = map + listStart + kReferenceBytes * r;
        Reference& out = type.references[static_cast<size_t>(r)];
        out.id = static_cast<int16_t>(GetBig16(ref));
        const uint16_t nameOffset = GetBig16(ref + 2);
        out.attributes = ref[4];
        out.dataOffset = GetBig32(ref + 4) & kMaxDataOffset;
        if (nameOffset != kNoName) {
          const uint64_t at = uint64_t{nameList} + nameOffset;
          if (at + 1 > end || at + 1 + map[at] > end) return false;
          out.named = true;
          out.name.assign(reinterpret_cast<const char*>(map + at + 1), map[at]);
        }
      }
    }
    out->types.push_back(std::move(type));
  }
  return true;
}

Layout ComputeLayout(const Map& map) {
  Layout layout;
  uint64_t nameBytes = 0;
  uint64_t lastNameOffset = 0;
  for (const TypeEntry& type : map.types) {
    uint32_t survivors = 0;
    for (const Reference& ref : type.references) {
      if (ref.Removed()) continue;
      ++survivors;
      if (ref.named) {
        lastNameOffset = nameBytes;
        nameBytes += 1 + ref.name.size();
      }
    }
    if (survivors) {
      ++layout.types;
      layout.references += survivors;
    }
  }
  const uint64_t nameListOffset = uint64_t{kMapHeaderBytes} + 2 +
                                  uint64_t{kTypeEntryBytes} * layout.types +
                                  uint64_t{kReferenceBytes} * layout.references;
  layout.fits = nameListOffset <= kMaxMapOffset && lastNameOffset < kNoName &&
                nameListOffset + nameBytes <= 0xFFFFFFFFull;
  layout.nameBytes = static_cast<uint32_t>(nameBytes);
  layout.nameListOffset = static_cast<uint32_t>(nameListOffset);
  layout.mapLength = static_cast<uint32_t>(nameListOffset + nameBytes);
  return layout;
}

std::vector<uint8_t> SerializeMap(const Map& map, const Header& header) {
  const Layout layout = ComputeLayout(map);
  std::vector<uint8_t> out(layout.mapLength, 0);
  uint8_t* m = out.data();
  EncodeHeader(header, m);
  std::memcpy(m + kHeaderFieldBytes, map.reserved, sizeof map.reserved);
  PutBig16(m + 24, kTypeListOffset);
  PutBig16(m + 26, static_cast<uint16_t>(layout.nameListOffset));
  PutBig16(m + kTypeListOffset, static_cast<uint16_t>(layout.types - 1));
  uint32_t typeAt = kTypeListOffset + 2;
  uint32_t refListOffset = 2 + kTypeEntryBytes * layout.types;  // from the type list
  uint32_t nameOffset = 0;
  for (const TypeEntry& type : map.types) {
    uint32_t survivors = 0;
    for (const Reference& ref : type.references) survivors += ref.Removed() ? 0 : 1;
    if (!survivors) continue;
    PutBig32(m + typeAt, type.type);
    PutBig16(m + typeAt + 4, static_cast<uint16_t>(survivors - 1));
    PutBig16(m + typeAt + 6, static_cast<uint16_t>(refListOffset));
    typeAt += kTypeEntryBytes;
    uint8_t* ref = m + kTypeListOffset + refListOffset;
    for (const Reference& r : type.references) {
      if (r.Removed()) continue;
      PutBig16(ref, static_cast<uint16_t>(r.id));
      if (r.named) {
        PutBig16(ref + 2, static_cast<uint16_t>(nameOffset));
        uint8_t* name = m + layout.nameListOffset + nameOffset;
        name[0] = static_cast<uint8_t>(r.name.size());
        std::memcpy(name + 1, r.name.data(), r.name.size());
        nameOffset += 1 + static_cast<uint32_t>(r.name.size());
      } else {
        PutBig16(ref + 2, kNoName);
      }
      PutBig32(ref + 4, (uint32_t{r.attributes} << 24) |
                            (r.dataOffset & kMaxDataOffset));
      ref += kReferenceBytes;
    }
    refListOffset += kReferenceBytes * survivors;
  }
  return out;
}

std::vector<uint8_t> EmptyResourceFile() {
  std::vector<uint8_t> file(kMinimumFileLength, 0);
  const Header header;
  EncodeHeader(header, file.data());
  const std::vector<uint8_t> map = SerializeMap(Map{}, header);
  std::memcpy(file.data() + kHeaderBytes, map.data(), map.size());
  return file;
}

bool IsCompressedResource(uint8_t attributes, const uint8_t* data, uint32_t size) {
  return (attributes & kAttrCompressed) && data && size >= 4 && GetBig32(data) == kCompressedSignature;
}

bool DataEntryFits(uint64_t dataEnd, uint32_t dataOffset, uint32_t length) {
  return uint64_t{kHeaderBytes} + dataOffset + 4 + length <= dataEnd;
}

bool IsFullPath(const std::string& name) {
  if (name.size() >= 2 && name[0] == '\\' && name[1] == '\\') return true;
  return name.size() >= 3 && ((name[0] | 0x20) >= 'a' && (name[0] | 0x20) <= 'z') &&
         name[1] == ':' && name[2] == '\\';
}

std::string ResourceFileName(const std::string& given, bool creating, bool squeeze) {
  std::string name = given;
  if (squeeze && name.find(' ') != std::string::npos) {
    std::string kept;
    for (char c : name)
      if (c != ' ' && c != '\t') kept += c;
    name = kept.substr(0, 8);
  }
  const size_t tail = name.size() >= 4 ? name.size() - 4 : 0;
  const bool dotInTail = name.find('.', tail) != std::string::npos;
  if (name.size() >= 251 || !dotInTail) {
    const size_t dot = name.find('.');
    if (dot != std::string::npos) name.resize(dot);
    name += ".rsr";
  } else if (creating && !name.empty() && name.back() == '.') {
    name.pop_back();
  }
  return name;
}

}  // namespace zeb::resfmt
