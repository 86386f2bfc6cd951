// Hostile input to the porters' tool: containers around resource forks, and text descriptions.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/fork_containers.h"
#include "resources/resource_description.h"
#include "resources/resource_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::resfmt;
  const std::vector<uint8_t> file(data, data + size);
  std::vector<uint8_t> fork;
  Container kind;
  std::string error;
  if (ExtractResourceFork(file, &fork, &kind, &error)) {
    ResourceImage image;
    if (!ReadImage(fork, &image, &error)) std::abort();  // a fork handed out always reads
  }
  ResourceImage described;
  if (ParseDescription(std::string(data, data + size), &described, &error)) {
    std::vector<uint8_t> written;
    if (WriteImage(described, &written, &error)) {
      ResourceImage back;
      if (!ReadImage(written, &back, &error)) std::abort();
    }
  }
  return 0;
}
