// Hostile resource sources: whatever the bytes, the compiler ends with resources or a message;
// what it makes writes as a resource file, decompiles and compiles back to the same resources.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "resources/resource_image.h"
#include "rez/rez.h"

namespace {

// Files exist only as the fuzzer gives them: the source itself, and the shipped declarations.
class FuzzHost : public zeb::rez::Host {
 public:
  explicit FuzzHost(std::string source) : source_(std::move(source)) {}
  bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) override {
    if (path != "fuzz.r") return false;
    bytes->assign(source_.begin(), source_.end());
    return true;
  }
  bool Environment(const std::string&, std::string*) override { return false; }
  std::tm LocalTime() override { return std::tm{}; }
  void Print(const std::string&) override {}

 private:
  std::string source_;
};

zeb::rez::Limits SmallLimits() {
  zeb::rez::Limits limits;
  limits.maxTokens = 200000;
  limits.maxResourceBytes = 1u << 20;
  limits.maxWork = 4u << 20;
  return limits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb;
  // An odd first byte puts the standard declarations in reach, so that the fuzzer spends its
  // time on resources of the standard types too.
  std::string source(data, data + size);
  if (size > 0 && (data[0] & 1)) source = "#include \"Types.r\"\n#include \"SysTypes.r\"\n" + source.substr(1);
  FuzzHost host(source);
  rez::RezOptions options;
  options.limits = SmallLimits();
  resfmt::ResourceImage image;
  std::string error;
  if (!rez::CompileRez(host, options, {"fuzz.r"}, &image, &error)) {
    if (error.empty()) std::abort();  // a failure always says why
    return 0;
  }
  std::vector<uint8_t> file;
  if (!resfmt::WriteImage(image, &file, &error)) return 0;
  resfmt::ResourceImage read;
  if (!resfmt::ReadImage(file, &read, &error)) std::abort();
  rez::DerezOptions derez;
  derez.source.limits = SmallLimits();
  std::string decompiled;
  if (!rez::DecompileRez(host, derez, read, &decompiled, &error)) std::abort();
  FuzzHost again(decompiled);
  resfmt::ResourceImage back;
  if (!rez::CompileRez(again, options, {"fuzz.r"}, &back, &error)) std::abort();
  std::vector<uint8_t> backFile;
  if (!resfmt::WriteImage(back, &backFile, &error) || backFile != file) std::abort();
  return 0;
}
