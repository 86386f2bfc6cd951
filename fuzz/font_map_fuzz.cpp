// zebfont.map of any content: the parser stays inside the text, keeps every name inside its
// field and never holds more than the table's entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "quickdraw/font_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeb::quickdraw;
  // An exactly sized copy, not terminated: a read past the text is caught.
  std::vector<char> text(data, data + size);
  FontMap map;
  ParseFontMap(text.data(), text.size(), &map);
  if (map.entries.size() > kFontMapCapacity) std::abort();
  if (map.firstCustomNumber < kFirstCustomFontNumber || map.firstCustomNumber > kHighestFontNumber + 1)
    std::abort();
  for (const FontMapEntry& e : map.entries) {
    if (std::strlen(e.toolboxName) == 0 || std::strlen(e.toolboxName) >= kMapNameSize) std::abort();
    if (e.faceCount == 0 || e.faceCount > kFacesPerEntry) std::abort();
    for (int i = 0; i < e.faceCount; ++i)
      if (std::strlen(e.faces[i]) == 0 || std::strlen(e.faces[i]) >= kFaceNameSize) std::abort();
    if (e.number < kNoFontNumber) std::abort();
    if ((e.family & 0x0F) != 0 || e.family > kFamilyDecorative) std::abort();
    if (e.number >= kFirstCustomFontNumber && e.number >= map.firstCustomNumber) std::abort();
  }
  return 0;
}
