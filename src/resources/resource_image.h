// A whole resource file in memory: every resource with its data, as the porters' tool and the
// tests read and build files. Host-independent.
#ifndef ZEB_RESOURCES_RESOURCE_IMAGE_H
#define ZEB_RESOURCES_RESOURCE_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

namespace zeb::resfmt {

struct ImageResource {
  uint32_t type = 0;
  int16_t id = 0;
  uint8_t attributes = 0;  // as stored on disk
  bool named = false;
  std::string name;
  std::vector<uint8_t> data;  // in disk byte order
};

struct ResourceImage {
  std::vector<ImageResource> resources;  // in map order: types in order, references in order
  std::vector<uint8_t> headerTail;       // bytes 16-255 of the header, carried unchanged
  uint8_t mapReserved[8] = {};
};

// Reads a whole file. False, with a message naming what is wrong, when the file is too short,
// its header or map fails the checks the Resource Manager makes at open, or an entry's data
// leaves the data area.
bool ReadImage(const std::vector<uint8_t>& file, ResourceImage* image, std::string* error);

// Lays out a file: data entries in resource order from 256, then the map. False when the map's
// 16-bit offsets or the data's 24-bit offsets cannot hold it.
bool WriteImage(const ResourceImage& image, std::vector<uint8_t>* file, std::string* error);

}  // namespace zeb::resfmt

#endif  // ZEB_RESOURCES_RESOURCE_IMAGE_H
