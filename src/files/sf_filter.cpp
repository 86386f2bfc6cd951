// The filter list of the open and save dialogs.
#include "files/sf_filter.h"

#include <cstring>

namespace zeb::files {
namespace {

uint32_t TypeOfEntry(const uint8_t* entry) {
  // The application writes its table as 32-bit numbers in memory.
  uint32_t type;
  std::memcpy(&type, entry, sizeof type);
  return type;
}

// Up to three characters, ending early at a zero byte.
std::string ExtensionOfEntry(const uint8_t* entry) {
  std::string ext;
  for (size_t i = 0; i < 3 && entry[kTypeEntryExtensionAt + i]; ++i)
    ext += static_cast<char>(entry[kTypeEntryExtensionAt + i]);
  return ext;
}

// The description ends at its zero byte or at the end of its entry, whichever comes first.
std::string DescriptionOfEntry(const uint8_t* entry) {
  const char* text = reinterpret_cast<const char*>(entry + kTypeEntryDescriptionAt);
  const size_t room = kTypeEntryBytes - kTypeEntryDescriptionAt;
  const void* end = std::memchr(text, 0, room);
  return std::string(text, end ? static_cast<const char*>(end) - text : room);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

FilterPair AllFilesPair(const FilterTexts& texts) {
  FilterPair p;
  p.description = std::string(texts.allFiles) + " (*.*)";
  p.pattern = "*.*";
  return p;
}

size_t NameStart(std::string_view path) {
  const size_t cut = path.find_last_of("\\:");
  return cut == std::string_view::npos ? 0 : cut + 1;
}

}  // namespace

std::string_view FilterList::FirstExtension(int index) const {
  if (index < 1 || static_cast<size_t>(index) > pairs.size()) return {};
  const FilterPair& p = pairs[index - 1];
  return p.extensions.empty() ? std::string_view{} : std::string_view(p.extensions.front());
}

FilterList BuildFilterList(const TypeTableView& table, int numTypes, const OSType* types,
                           int selected, bool allFilesOption, const FilterTexts& texts) {
  FilterList list;
  if (numTypes < 0 || !types) {
    list.pairs.push_back(AllFilesPair(texts));
    list.selected = 1;
  } else {
    for (int position = 0; position < numTypes; ++position) {
      FilterPair pair;
      pair.type = types[position];
      for (size_t i = 0; table.bytes && i < table.entries; ++i) {
        const uint8_t* entry = table.bytes + i * kTypeEntryBytes;
        const uint32_t type = TypeOfEntry(entry);
        if (type == 0) break;
        if (type != pair.type) continue;
        std::string description = DescriptionOfEntry(entry);
        if (description.empty()) continue;
        const std::string ext = ExtensionOfEntry(entry);
        if (pair.extensions.empty()) {
          pair.description = std::move(description);
          pair.pattern = "*." + ext;
        } else {
          pair.pattern += ";*." + ext;
        }
        pair.extensions.push_back(ext);
      }
      if (pair.extensions.empty()) continue;
      list.pairs.push_back(std::move(pair));
      if (position == selected) list.selected = static_cast<int>(list.pairs.size());
    }
    if (selected == -1 && list.pairs.size() >= 2 && !allFilesOption) {
      FilterPair combined;
      combined.description = std::string(texts.allTypes);
      for (const FilterPair& p : list.pairs) {
        if (!combined.pattern.empty()) combined.pattern += ';';
        combined.pattern += "*." + p.extensions.front();
      }
      list.pairs.push_back(std::move(combined));
    }
    if (allFilesOption) list.pairs.push_back(AllFilesPair(texts));
  }
  for (const FilterPair& p : list.pairs) {
    list.buffer.append(p.description).push_back('\0');
    list.buffer.append(p.pattern).push_back('\0');
  }
  list.buffer.push_back('\0');
  return list;
}

std::string_view NameExtension(std::string_view name) {
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
}

std::string NameWithExtension(std::string_view name, std::string_view extension) {
  if (extension.empty() || name.empty()) return std::string(name);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::string(name) + "." + std::string(extension);
  if (dot + 1 == name.size()) return std::string(name) + std::string(extension);
  return std::string(name);
}

std::string NameWithReplacedExtension(std::string_view name, std::string_view extension) {
  if (extension.empty()) return std::string(name);
  const size_t dot = name.rfind('.');
  const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
  return std::string(stem) + "." + std::string(extension);
}

int FilterOfName(const FilterList& list, std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return 0;
  const std::string_view ext = name.substr(dot + 1);
  for (size_t i = 0; i < list.pairs.size(); ++i) {
    if (list.pairs[i].type == 0) continue;  // the combined and all-files pairs
    for (const std::string& e : list.pairs[i].extensions)
      if (SameText(e, ext)) return static_cast<int>(i + 1);
  }
  return 0;
}

void SplitHostPath(std::string_view path, std::string* directory, std::string* name) {
  const size_t start = NameStart(path);
  directory->assign(path.substr(0, start));
  name->assign(path.substr(start));
}

void JoinSelectedNames(char* buffer, size_t size) {
  if (!buffer || size < 2) return;
  for (size_t i = 0; i + 1 < size; ++i) {
    if (buffer[i] != '\0') continue;
    if (buffer[i + 1] == '\0') return;
    buffer[i] = ' ';
  }
  buffer[size - 1] = '\0';
}

}  // namespace zeb::files
