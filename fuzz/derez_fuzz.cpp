// Hostile resource data read with the standard declarations: the decompiler never reads past
// the data, never hangs, and what it writes compiles back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "resources/byte_order.h"
#include "resources/resource_image.h"
#include "rez/rez.h"

namespace {

class FuzzHost : public zeb::rez::Host {
 public:
  std::string source;
  bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) override {
    if (path != "fuzz.r") return false;
    bytes->assign(source.begin(), source.end());
    return true;
  }
  bool Environment(const std::string&, std::string*) override { return false; }
  std::tm LocalTime() override { return std::tm{}; }
  void Print(const std::string&) override {}
};

using zeb::byteorder::FourCC;
const uint32_t kTypes[] = {FourCC("MENU"), FourCC("MBAR"), FourCC("WIND"), FourCC("DLOG"), FourCC("DITL"),
                           FourCC("ALRT"), FourCC("CNTL"), FourCC("STR "), FourCC("STR#"), FourCC("SIZE"),
                           FourCC("vers"), FourCC("ICON"), FourCC("ICN#"), FourCC("SICN"), FourCC("CURS"),
                           FourCC("PAT "), FourCC("PAT#"), FourCC("BNDL"), FourCC("FREF"), FourCC("TEXT"),
                           FourCC("PICT"), FourCC("cicn"), FourCC("clut"), FourCC("acur"), FourCC("ZEBD")};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb;
  if (size == 0) return 0;
  resfmt::ImageResource r;
  r.type = kTypes[data[0] % (sizeof kTypes / sizeof kTypes[0])];
  r.id = 128;
  r.data.assign(data + 1, data + size);
  resfmt::ResourceImage image;
  image.resources.push_back(r);
  FuzzHost host;
  rez::DerezOptions options;
  options.source.limits.maxWork = 4u << 20;
  std::string error;
  if (!rez::DecompileRez(host, options, image, &host.source, &error)) std::abort();
  resfmt::ResourceImage back;
  rez::RezOptions rezOptions;
  if (!rez::CompileRez(host, rezOptions, {"fuzz.r"}, &back, &error)) std::abort();
  if (back.resources.size() != 1 || back.resources[0].data != r.data) std::abort();
  return 0;
}
