// The application-file list's parsing, packing and walk.
#include "frame/app_files.h"

#include <cstring>

namespace zeb::frame {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view token) {
  while (!token.empty() && IsBlank(token.front())) token.remove_prefix(1);
  while (!token.empty() && IsBlank(token.back())) token.remove_suffix(1);
  if (token.size() >= 2 && token.front() == '"' && token.back() == '"')
    token = token.substr(1, token.size() - 2);
  return token;
}

bool IsPrintSwitch(std::string_view token) {
  return token.size() == 2 && token[0] == '/' && (token[1] == 'p' || token[1] == 'P');
}

size_t Align(size_t offset, size_t unit) { return (offset + unit - 1) / unit * unit; }

int16_t Read16(const uint8_t* p) {
  int16_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
uint32_t Read32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
void Write16(uint8_t* p, int16_t v) { std::memcpy(p, &v, sizeof v); }
void Write32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, sizeof v); }

// Where an entry at offset keeps its fields.
struct EntryLayout {
  size_t type, version, name;
};
EntryLayout LayoutAt(size_t offset) {
  EntryLayout l;
  l.type = Align(offset + 2, 4);
  l.version = l.type + 4;
  l.name = l.version + 2;
  return l;
}

}  // namespace

DocumentList ParseDocumentList(std::string_view text) {
  DocumentList list;
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view token = Trimmed(text.substr(0, comma));
    if (IsPrintSwitch(token))
      list.print = true;
    else if (!token.empty())
      list.names.emplace_back(token);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return list;
}

bool IsAbsoluteHostPath(std::string_view name) {
  if (name.size() >= 2 && name[0] == '\\' && name[1] == '\\') return true;
  const bool letter = name.size() >= 3 && ((name[0] >= 'A' && name[0] <= 'Z') ||
                                           (name[0] >= 'a' && name[0] <= 'z'));
  return letter && name[1] == ':' && name[2] == '\\';
}

std::string DirectoryWithSeparator(std::string_view directory) {
  std::string result(directory);
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

size_t AppFileListCapacity(const DocumentList& documents, size_t directoryLength) {
  size_t size = kAppFileHeaderBytes;
  for (const std::string& name : documents.names) {
    size += name.size() + kAppFileEntryOverhead + 2;
    if (!IsAbsoluteHostPath(name)) size += directoryLength;
  }
  return size;
}

void WriteAppFileHeader(uint8_t* list, int16_t message, int16_t count) {
  Write16(list, message);
  Write16(list + 2, count);
}

size_t AppendAppFileEntry(uint8_t* list, size_t capacity, size_t offset, int16_t vRefNum,
                          uint32_t fType, const uint8_t* name) {
  if (offset < kAppFileHeaderBytes || offset % 2) return 0;
  const EntryLayout l = LayoutAt(offset);
  const size_t length = name ? name[0] : 0;
  const size_t next = Align(l.name + 1 + length, 2);
  if (next > capacity) return 0;
  std::memset(list + offset, 0, next - offset);
  Write16(list + offset, vRefNum);
  Write32(list + l.type, fType);
  Write16(list + l.version, 0);
  list[l.name] = static_cast<uint8_t>(length);
  if (length) std::memcpy(list + l.name + 1, name + 1, length);
  return next;
}

bool ReadAppFileHeader(const uint8_t* list, size_t size, int16_t* message, int16_t* count) {
  if (!list || size < kAppFileHeaderBytes) return false;
  *message = Read16(list);
  *count = Read16(list + 2);
  return true;
}

bool FindAppFileEntry(const uint8_t* list, size_t size, int index, AppFileEntry* entry) {
  int16_t message, count;
  if (!ReadAppFileHeader(list, size, &message, &count)) return false;
  if (index <= 0 || index > count) return false;
  size_t offset = kAppFileHeaderBytes;
  for (int i = 1;; ++i) {
    const EntryLayout l = LayoutAt(offset);
    if (l.name >= size) return false;
    const size_t next = Align(l.name + 1 + list[l.name], 2);
    // The name's last byte must lie inside the list; the rounding byte need not.
    if (l.name + 1 + list[l.name] > size) return false;
    if (i == index) {
      entry->vRefNum = Read16(list + offset);
      entry->fType = Read32(list + l.type);
      entry->version = Read16(list + l.version);
      entry->name = list + l.name;
      return true;
    }
    offset = next;
  }
}

}  // namespace zeb::frame
