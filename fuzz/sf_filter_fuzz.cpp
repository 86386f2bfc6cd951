// Standard File's filter builder: any type list against any extension table (including
// entries whose description runs to the end of the entry and tables without their zero type),
// then the name rules on any name.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "files/sf_filter.h"

using namespace zeb::files;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  // numTypes (signed), selected (signed), options, count of types; the types; a name of up to
  // 64 bytes after a length byte; the rest is the table.
  const int numTypes = static_cast<int8_t>(data[0]);
  const int selected = static_cast<int8_t>(data[1]);
  const bool allFiles = (data[2] & 1) != 0;
  const size_t typeCount = data[3] % 16;
  size_t at = 4;
  std::vector<OSType> types;
  for (size_t i = 0; i < typeCount && at + 4 <= size; ++i, at += 4) {
    uint32_t t;
    std::memcpy(&t, data + at, 4);
    types.push_back(t);
  }
  // numTypes may claim fewer types than are there, never more.
  const int usable = numTypes < 0 ? numTypes : std::min<int>(numTypes, static_cast<int>(types.size()));
  std::string name;
  if (at < size) {
    const size_t n = std::min<size_t>(data[at] % 65, size - at - 1);
    name.assign(reinterpret_cast<const char*>(data + at + 1), n);
    at += 1 + n;
  }
  const std::vector<uint8_t> table(data + at, data + size);
  const TypeTableView view{table.empty() ? nullptr : table.data(), table.size() / kTypeEntryBytes};
  const FilterList list = BuildFilterList(view, usable, types.empty() ? nullptr : types.data(),
                                          selected, allFiles, FilterTexts{"All", "Types"});

  // The buffer is the pairs' strings and one empty string more.
  size_t expected = 1;
  for (const FilterPair& p : list.pairs) {
    if (p.description.size() > kTypeEntryBytes - kTypeEntryDescriptionAt && p.type != 0)
      __builtin_trap();
    expected += p.description.size() + p.pattern.size() + 2;
  }
  if (list.buffer.size() != expected || list.buffer.back() != '\0') __builtin_trap();
  if (list.selected < 0 || static_cast<size_t>(list.selected) > list.pairs.size()) __builtin_trap();

  const int filter = FilterOfName(list, name);
  if (filter < 0 || static_cast<size_t>(filter) > list.pairs.size()) __builtin_trap();
  const std::string_view ext = list.FirstExtension(list.selected);
  const std::string saved = NameWithExtension(name, ext);
  if (saved.size() > name.size() + ext.size() + 1) __builtin_trap();
  (void)NameWithReplacedExtension(name, ext);
  std::string dir, last;
  SplitHostPath(name, &dir, &last);
  if (dir + last != name) __builtin_trap();
  std::vector<char> names(name.begin(), name.end());
  JoinSelectedNames(names.data(), names.size());
  if (names.size() >= 2 && names.back() != '\0' && std::memchr(names.data(), 0, names.size()) == nullptr)
    __builtin_trap();
  return 0;
}
