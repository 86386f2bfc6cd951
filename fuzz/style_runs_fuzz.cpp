// Style runs and style scraps: any scrap bytes, runs read from a handle and edits keep the
// runs ordered inside the text, the counts equal to the runs using each entry.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "textedit/style_runs.h"

using namespace zeb::textedit;

namespace {

void Check(const StyleRuns& s, int length) {
  if (s.runs.size() < 2 || s.table.empty()) __builtin_trap();
  if (s.runs.front().start != 0 || s.runs.back().start != length + 1) __builtin_trap();
  std::vector<int> count(s.table.size(), 0);
  for (int r = 0; r < s.RunCount(); ++r) {
    if (r > 0 && s.runs[r].start <= s.runs[r - 1].start) __builtin_trap();
    if (r > 0 && s.runs[r].index == s.runs[r - 1].index) __builtin_trap();
    if (s.runs[r].start > length) __builtin_trap();
    if (s.runs[r].index < 0 || s.runs[r].index >= static_cast<int>(s.table.size())) __builtin_trap();
    ++count[s.runs[r].index];
  }
  for (size_t k = 0; k < s.table.size(); ++k) {
    if (count[k] != s.table[k].count || count[k] == 0) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  int length = data[0] | (data[1] & 0x7F) << 8;
  if (length > 2000) length = 2000;
  const auto scrap = ReadStyleScrap(data + 8, size - 8, length);
  for (size_t k = 0; k < scrap.size(); ++k) {
    if (scrap[k].first < 0 || scrap[k].first > length) __builtin_trap();
    if (k > 0 && scrap[k].first < scrap[k - 1].first) __builtin_trap();
  }
  StyleValue plain;
  plain.size = 12;
  StyleRuns s = StyleRuns::Single(plain, 0);
  s.Replace(0, 0, length, nullptr, length);
  Check(s, length);
  s.ApplyScrap(data[2] % (length + 1), data[3] * 8, scrap, length);
  Check(s, length);
  const int from = data[4] * 8 % (length + 1), to = data[5] * 8 % (length + 1);
  s.Restyle(from, to, [&](const StyleValue& v) {
    StyleValue n = v;
    n.face ^= data[6];
    return n;
  }, length);
  Check(s, length);
  const int at = data[7] * 4 % (length + 1), removed = data[6] % (length - at + 1);
  s.Replace(at, removed, data[3] % 9, nullptr, length - removed + data[3] % 9);
  Check(s, length - removed + data[3] % 9);
  // Runs as a handle may hold them, in any order.
  StyleRuns raw;
  raw.table = s.table;
  for (size_t i = 8; i + 1 < size && raw.runs.size() < 64; i += 2) {
    raw.runs.push_back({static_cast<int16_t>(data[i] | data[i + 1] << 8) % 3000,
                        data[i] % 7 - 1});
  }
  if (raw.Normalise(length)) Check(raw, length);
  return 0;
}
