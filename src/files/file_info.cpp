// File types from extensions, file dates between DOS and Toolbox forms.
#include "files/file_info.h"

#include <cstring>

#include "files/host_paths.h"
#include "intl/intl_internal.h"

namespace zeb::files {
namespace {

constexpr size_t kExtensionEntryBytes = 40;
constexpr size_t kExtensionOffset = 4;
constexpr size_t kExtensionLength = 3;
constexpr int kDosEpochYear = 1980;
constexpr int kDosLastYear = kDosEpochYear + 127;
constexpr uint64_t kBlockCountLimit = 0x8000;

}  // namespace

bool TypeFromExtensionTable(const void* table, std::string_view fileName, OSType* type) {
  if (!table) return false;
  const std::string extension = ExtensionOf(fileName);
  bool found = false;
  for (const auto* entry = static_cast<const unsigned char*>(table);; entry += kExtensionEntryBytes) {
    uint32_t entryType;
    std::memcpy(&entryType, entry, sizeof entryType);
    if (entryType == 0) break;
    const char* text = reinterpret_cast<const char*>(entry + kExtensionOffset);
    size_t length = 0;
    while (length < kExtensionLength && text[length]) ++length;
    if (length && SameHostName(extension, std::string_view(text, length))) {
      *type = entryType;
      found = true;
    }
  }
  return found;
}

uint32_t SecondsOfDosDateTime(uint16_t dosDate, uint16_t dosTime) {
  DateTimeRec date{};
  date.year = static_cast<short>(kDosEpochYear + (dosDate >> 9));
  date.month = static_cast<short>((dosDate >> 5) & 0x0F);
  date.day = static_cast<short>(dosDate & 0x1F);
  date.hour = static_cast<short>(dosTime >> 11);
  date.minute = static_cast<short>((dosTime >> 5) & 0x3F);
  date.second = static_cast<short>((dosTime & 0x1F) * 2);
  return intl::SecondsOfDate(date);
}

bool DosDateTimeOfSeconds(uint32_t seconds, uint16_t* dosDate, uint16_t* dosTime) {
  const DateTimeRec date = intl::DateOfSeconds(seconds);
  if (date.year < kDosEpochYear || date.year > kDosLastYear) return false;
  *dosDate = static_cast<uint16_t>(((date.year - kDosEpochYear) << 9) | (date.month << 5) | date.day);
  *dosTime = static_cast<uint16_t>((date.hour << 11) | (date.minute << 5) | (date.second / 2));
  return true;
}

BlockCounts FitBlockCounts(uint64_t blockSize, uint64_t totalBlocks, uint64_t freeBlocks) {
  if (freeBlocks > totalBlocks) freeBlocks = totalBlocks;
  while (totalBlocks >= kBlockCountLimit) {
    totalBlocks >>= 1;
    freeBlocks >>= 1;
    blockSize <<= 1;
  }
  BlockCounts counts;
  counts.blockSize = blockSize > INT32_MAX ? INT32_MAX : static_cast<int32_t>(blockSize);
  counts.totalBlocks = static_cast<uint16_t>(totalBlocks);
  counts.freeBlocks = static_cast<uint16_t>(freeBlocks);
  return counts;
}

}  // namespace zeb::files
