// Resource forks out of AppleDouble, AppleSingle and MacBinary files.
#include "resources/fork_containers.h"

#include "resources/byte_order.h"
#include "resources/resource_image.h"

namespace zeb::resfmt {
namespace {

using byteorder::GetBig16;
using byteorder::GetBig32;

constexpr uint32_t kAppleSingleMagic = 0x00051600;
constexpr uint32_t kAppleDoubleMagic = 0x00051607;
constexpr uint32_t kResourceForkEntry = 2;  // entry ID of the resource fork
constexpr uint32_t kAppleHeaderBytes = 26;  // magic, version, 16 filler bytes, entry count
constexpr uint32_t kAppleEntryBytes = 12;   // ID, offset, length
constexpr uint32_t kMacBinaryHeader = 128;

bool ReadsAsResourceFile(const std::vector<uint8_t>& bytes) {
  ResourceImage image;
  std::string ignored;
  return ReadImage(bytes, &image, &ignored);
}

// AppleSingle and AppleDouble share the entry table; only the magic number differs.
bool FromAppleEntries(const std::vector<uint8_t>& file, std::vector<uint8_t>* fork,
                      std::string* error) {
  if (file.size() < kAppleHeaderBytes) {
    *error = "AppleDouble header is cut short";
    return false;
  }
  const uint32_t entries = GetBig16(file.data() + 24);
  if (uint64_t{kAppleHeaderBytes} + uint64_t{kAppleEntryBytes} * entries > file.size()) {
    *error = "AppleDouble entry table runs past the end of the file";
    return false;
  }
  for (uint32_t i = 0; i < entries; ++i) {
    const uint8_t* entry = file.data() + kAppleHeaderBytes + kAppleEntryBytes * i;
    if (GetBig32(entry) != kResourceForkEntry) continue;
    const uint64_t offset = GetBig32(entry + 4);
    const uint64_t length = GetBig32(entry + 8);
    if (offset + length > file.size()) {
      *error = "AppleDouble resource fork runs past the end of the file";
      return false;
    }
    fork->assign(file.begin() + static_cast<long>(offset),
                 file.begin() + static_cast<long>(offset + length));
    return true;
  }
  *error = "AppleDouble file has no resource fork";
  return false;
}

bool LooksLikeMacBinary(const std::vector<uint8_t>& file) {
  if (file.size() < kMacBinaryHeader) return false;
  const uint8_t* h = file.data();
  // Old version byte 0, a file name of 1 to 63 characters, and the two zero bytes that every
  // MacBinary version keeps at 74 and 82.
  if (h[0] != 0 || h[1] < 1 || h[1] > 63 || h[74] != 0 || h[82] != 0) return false;
  const uint64_t dataLength = GetBig32(h + 83);
  const uint64_t forkLength = GetBig32(h + 87);
  const uint64_t dataPadded = (dataLength + 127) / 128 * 128;
  return kMacBinaryHeader + dataPadded + forkLength <= file.size();
}

bool FromMacBinary(const std::vector<uint8_t>& file, std::vector<uint8_t>* fork) {
  const uint64_t dataLength = GetBig32(file.data() + 83);
  const uint64_t forkLength = GetBig32(file.data() + 87);
  const uint64_t start = kMacBinaryHeader + (dataLength + 127) / 128 * 128;
  fork->assign(file.begin() + static_cast<long>(start),
               file.begin() + static_cast<long>(start + forkLength));
  return true;
}

}  // namespace

const char* ContainerName(Container kind) {
  switch (kind) {
    case Container::kAppleDouble: return "AppleDouble";
    case Container::kAppleSingle: return "AppleSingle";
    case Container::kMacBinary: return "MacBinary";
    default: return "resource fork";
  }
}

bool ExtractResourceFork(const std::vector<uint8_t>& file, std::vector<uint8_t>* fork,
                         Container* kind, std::string* error) {
  const uint32_t magic = file.size() >= 4 ? GetBig32(file.data()) : 0;
  if (magic == kAppleDoubleMagic || magic == kAppleSingleMagic) {
    *kind = magic == kAppleDoubleMagic ? Container::kAppleDouble : Container::kAppleSingle;
    if (!FromAppleEntries(file, fork, error)) return false;
  } else if (ReadsAsResourceFile(file)) {
    *kind = Container::kResourceFork;
    *fork = file;
    return true;
  } else if (LooksLikeMacBinary(file)) {
    *kind = Container::kMacBinary;
    FromMacBinary(file, fork);
  } else {
    *error = "neither a resource file, AppleDouble, AppleSingle nor MacBinary";
    return false;
  }
  if (!ReadsAsResourceFile(*fork)) {
    *error = std::string("the ") + ContainerName(*kind) + " file's resource fork is damaged";
    return false;
  }
  return true;
}

}  // namespace zeb::resfmt
