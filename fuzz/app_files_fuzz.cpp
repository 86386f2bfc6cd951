// The application-file list: any document list packed into a list of the size reserved for it
// (every document must fit), walked back, and any bytes walked as a damaged list.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "frame/app_files.h"

using namespace zeb::frame;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const size_t cut = text.find('\n');
  const std::string_view list = text.substr(0, cut);
  const std::string_view directory = cut == std::string_view::npos ? std::string_view{} : text.substr(cut + 1);

  const DocumentList docs = ParseDocumentList(list);
  const std::string prefix = DirectoryWithSeparator(directory);
  const size_t capacity = AppFileListCapacity(docs, prefix.size());
  std::vector<uint8_t> packed(capacity);
  size_t offset = kAppFileHeaderBytes;
  std::vector<std::string> stored;
  for (const std::string& name : docs.names) {
    if (name.empty()) __builtin_trap();  // empty tokens name nothing
    const std::string full = IsAbsoluteHostPath(name) ? name : prefix + name;
    // The Macintosh name is at most the name itself, cut to 255.
    const std::string mac = name.substr(0, 255);
    std::vector<uint8_t> p(1, static_cast<uint8_t>(mac.size()));
    p.insert(p.end(), mac.begin(), mac.end());
    offset = AppendAppFileEntry(packed.data(), packed.size(), offset, -1, 0x54455854, p.data());
    if (!offset) __builtin_trap();  // the reserved size always holds every document
    stored.push_back(mac);
  }
  WriteAppFileHeader(packed.data(), docs.print ? kAppFilesPrint : kAppFilesOpen,
                     static_cast<int16_t>(stored.size()));
  for (size_t i = 0; i < stored.size() && i < 32767; ++i) {
    AppFileEntry e;
    if (!FindAppFileEntry(packed.data(), packed.size(), static_cast<int>(i + 1), &e)) __builtin_trap();
    if (std::string(reinterpret_cast<const char*>(e.name + 1), e.name[0]) != stored[i]) __builtin_trap();
  }

  // The same bytes as a list the application damaged: every walk stays inside them.
  std::vector<uint8_t> raw(data, data + size);
  int16_t message, count;
  if (ReadAppFileHeader(raw.data(), raw.size(), &message, &count)) {
    for (int index : {-1, 0, 1, 2, 3, static_cast<int>(count), count + 1}) {
      AppFileEntry e;
      if (FindAppFileEntry(raw.data(), raw.size(), index, &e)) {
        if (e.name < raw.data() || e.name + 1 + e.name[0] > raw.data() + raw.size()) __builtin_trap();
      }
    }
  }
  return 0;
}
