// TextEdit line layout with a fixed-width measure: any text, width and edit. Starts increase,
// the last is the text's length, and the incremental layout after the edit equals a full one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "textedit/line_layout.h"
#include "textedit/word_breaks.h"

using namespace zeb::textedit;

namespace {

class VectorStore : public LineStore {
 public:
  int Capacity() const override { return static_cast<int>(starts.size()); }
  bool Grow(int entries) override {
    if (entries % kLineStartGrowth != 0) __builtin_trap();
    starts.resize(entries);
    return true;
  }
  int16_t* Starts() override { return starts.data(); }
  std::vector<int16_t> starts;
};

LayoutText Describe(const std::string& s, int width, bool crOnly) {
  LayoutText t;
  t.text = reinterpret_cast<const uint8_t*>(s.data());
  t.length = static_cast<int>(s.size());
  t.width = width;
  t.crOnly = crOnly;
  t.measure = [](int, int count) { return count * 7; };
  t.isBreak = [&s](int offset) { return IsWordBreakCharacter(static_cast<uint8_t>(s[offset])); };
  return t;
}

void Check(const VectorStore& store, const LayoutResult& r, int length) {
  if (store.starts[0] != 0 && length > 0) __builtin_trap();
  if (store.starts[r.nLines] != length) __builtin_trap();
  for (int i = 0; i + 1 < r.nLines; ++i) {
    if (store.starts[i] >= store.starts[i + 1]) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const int width = data[0];
  const bool crOnly = (data[1] & 1) != 0;
  std::string text(reinterpret_cast<const char*>(data + 6), size - 6);
  if (text.size() > 4000) text.resize(4000);
  const int at = text.empty() ? 0 : (data[2] | data[3] << 8) % (text.size() + 1);
  const int removed = text.empty() ? 0 : data[4] % (text.size() - at + 1);
  const std::string inserted(data[5] % 40, static_cast<char>(data[5] & 1 ? ' ' : 'w'));

  VectorStore store;
  const LayoutResult before = LayOutAll(Describe(text, width, crOnly), store);
  Check(store, before, static_cast<int>(text.size()));
  std::string after = text;
  after.replace(at, removed, inserted);
  const LayoutResult changed = LayOutChange(Describe(after, width, crOnly), store, before.nLines,
                                            {at, removed, static_cast<int>(inserted.size())});
  Check(store, changed, static_cast<int>(after.size()));
  VectorStore full;
  const LayoutResult whole = LayOutAll(Describe(after, width, crOnly), full);
  if (whole.nLines != changed.nLines) __builtin_trap();
  for (int i = 0; i <= whole.nLines; ++i) {
    if (full.starts[i] != store.starts[i]) __builtin_trap();
  }
  return 0;
}
