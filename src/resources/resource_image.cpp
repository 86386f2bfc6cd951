// Whole resource files in memory.
#include "resources/resource_image.h"

#include <cstring>

#include "resources/byte_order.h"
#include "resources/resource_map.h"

namespace zeb::resfmt {

bool ReadImage(const std::vector<uint8_t>& file, ResourceImage* image, std::string* error) {
  if (file.size() < kMinimumFileLength) {
    *error = "file too short to be a resource file";
    return false;
  }
  const Header header = DecodeHeader(file.data());
  if (!HeaderIsValid(header, file.size())) {
    *error = "header does not describe a resource file";
    return false;
  }
  Map map;
  if (!ParseMap(file.data() + header.mapOffset, header.mapLength, &map)) {
    *error = "resource map is damaged";
    return false;
  }
  image->resources.clear();
  image->headerTail.assign(file.begin() + kHeaderFieldBytes, file.begin() + kHeaderBytes);
  std::memcpy(image->mapReserved, map.reserved, sizeof map.reserved);
  const uint64_t dataEnd = header.mapOffset;
  for (const TypeEntry& type : map.types) {
    for (const Reference& ref : type.references) {
      if (!DataEntryFits(dataEnd, ref.dataOffset, 0)) {
        *error = "a resource's data lies outside the data area";
        return false;
      }
      const uint8_t* entry = file.data() + kHeaderBytes + ref.dataOffset;
      const uint32_t length = byteorder::GetBig32(entry);
      if (!DataEntryFits(dataEnd, ref.dataOffset, length)) {
        *error = "a resource's length reaches outside the data area";
        return false;
      }
      ImageResource r;
      r.type = type.type;
      r.id = ref.id;
      r.attributes = ref.attributes;
      r.named = ref.named;
      r.name = ref.name;
      r.data.assign(entry + 4, entry + 4 + length);
      image->resources.push_back(std::move(r));
    }
  }
  return true;
}

bool WriteImage(const ResourceImage& image, std::vector<uint8_t>* file, std::string* error) {
  Map map;
  std::memcpy(map.reserved, image.mapReserved, sizeof map.reserved);
  std::vector<uint8_t> data;
  for (const ImageResource& r : image.resources) {
    if (data.size() > kMaxDataOffset) {
      *error = "data area too large for 24-bit offsets";
      return false;
    }
    TypeEntry* type = nullptr;
    for (TypeEntry& t : map.types)
      if (t.type == r.type) type = &t;
    if (!type) {
      map.types.push_back(TypeEntry{});
      type = &map.types.back();
      type->type = r.type;
    }
    Reference ref;
    ref.id = r.id;
    ref.attributes = r.attributes;
    ref.named = r.named;
    ref.name = r.name.substr(0, 255);
    ref.dataOffset = static_cast<uint32_t>(data.size());
    type->references.push_back(ref);
    uint8_t length[4];
    byteorder::PutBig32(length, static_cast<uint32_t>(r.data.size()));
    data.insert(data.end(), length, length + 4);
    data.insert(data.end(), r.data.begin(), r.data.end());
  }
  const Layout layout = ComputeLayout(map);
  if (!layout.fits) {
    *error = "too many resources or names for the map's 16-bit offsets";
    return false;
  }
  if (data.size() + kHeaderBytes + layout.mapLength > 0x7FFFFFFFull) {
    *error = "file too large";
    return false;
  }
  Header header;
  header.dataLength = static_cast<uint32_t>(data.size());
  header.mapOffset = kHeaderBytes + header.dataLength;
  header.mapLength = layout.mapLength;
  file->assign(kHeaderBytes, 0);
  EncodeHeader(header, file->data());
  if (image.headerTail.size() == kHeaderBytes - kHeaderFieldBytes)
    std::memcpy(file->data() + kHeaderFieldBytes, image.headerTail.data(), image.headerTail.size());
  file->insert(file->end(), data.begin(), data.end());
  const std::vector<uint8_t> mapBytes = SerializeMap(map, header);
  file->insert(file->end(), mapBytes.begin(), mapBytes.end());
  return true;
}

}  // namespace zeb::resfmt
