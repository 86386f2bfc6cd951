// Hostile resource files: the header and map checks, the reader of whole files and, for files
// that pass, the writer, whose output must read back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource_image.h"
#include "resources/resource_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::resfmt;
  const std::vector<uint8_t> file(data, data + size);
  if (size >= kHeaderFieldBytes) {
    const Header header = DecodeHeader(data);
    if (HeaderIsValid(header, size)) {
      Map map;
      if (ParseMap(data + header.mapOffset, header.mapLength, &map) &&
          ComputeLayout(map).fits) {
        const std::vector<uint8_t> bytes = SerializeMap(map, header);
        Map again;
        if (!ParseMap(bytes.data(), static_cast<uint32_t>(bytes.size()), &again)) std::abort();
      }
    }
  }
  ResourceImage image;
  std::string error;
  if (ReadImage(file, &image, &error)) {
    std::vector<uint8_t> written;
    if (WriteImage(image, &written, &error)) {
      ResourceImage back;
      if (!ReadImage(written, &back, &error)) std::abort();
      if (back.resources.size() != image.resources.size()) std::abort();
      // A map may list one type twice; the writer gathers a type's resources under one entry,
      // so only the order within each type is kept.
      auto byType = [](const ImageResource& a, const ImageResource& b) { return a.type < b.type; };
      std::stable_sort(image.resources.begin(), image.resources.end(), byType);
      std::stable_sort(back.resources.begin(), back.resources.end(), byType);
      for (size_t i = 0; i < back.resources.size(); ++i)
        if (back.resources[i].id != image.resources[i].id ||
            back.resources[i].attributes != image.resources[i].attributes ||
            back.resources[i].data != image.resources[i].data)
          std::abort();
    }
  }
  return 0;
}
