// Offsets between a record's CR text and an edit window's CR LF text: every record offset
// survives the round trip, and converted text never exceeds its limit.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "textedit/line_ends.h"

using namespace zeb::textedit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t limit = data[0] * 16u;
  std::string mac(reinterpret_cast<const char*>(data + 1), size - 1);
  // A record's own text: CR LF pairs would already be a window's line ends.
  for (char& c : mac) {
    if (c == '\n') c = 'n';
  }
  const std::string win = ToWindowsLineEnds(mac.data(), mac.size());
  if (FromWindowsLineEnds(win.data(), win.size(), 1u << 30) != mac) __builtin_trap();
  if (FromWindowsLineEnds(win.data(), win.size(), limit).size() > limit) __builtin_trap();
  const long m = static_cast<long>(mac.size()), w = static_cast<long>(win.size());
  for (long i = -1; i <= m + 1; ++i) {
    const long there = RecordToWindowOffset(mac.data(), m, i);
    if (there < 0 || there > w) __builtin_trap();
    const long back = WindowToRecordOffset(win.data(), w, there);
    if (back != (i < 0 ? 0 : i > m ? m : i)) __builtin_trap();
  }
  for (long i = 0; i <= w; ++i) {
    const long back = WindowToRecordOffset(win.data(), w, i);
    if (back < 0 || back > m) __builtin_trap();
  }
  // Offsets crossed together agree with each crossed alone, ascending or not.
  std::vector<long> many;
  for (size_t i = 1; i < size && many.size() < 64; i += 3) many.push_back(static_cast<long>(data[i]) - 8);
  std::vector<long> crossed = many;
  WindowToRecordOffsets(win.data(), w, crossed.data(), static_cast<long>(crossed.size()));
  for (size_t i = 0; i < many.size(); ++i)
    if (crossed[i] != WindowToRecordOffset(win.data(), w, many[i])) __builtin_trap();
  // Any window text, whatever its line ends: a record offset found in it maps back to itself.
  const std::string raw(reinterpret_cast<const char*>(data + 1), size - 1);
  const long r = static_cast<long>(raw.size());
  const long records = WindowToRecordOffset(raw.data(), r, r);
  for (long i = -1; i <= records + 1; ++i) {
    const long at = RecordOffsetInWindowText(raw.data(), r, i);
    if (at < 0 || at > r) __builtin_trap();
    if (WindowToRecordOffset(raw.data(), r, at) != (i < 0 ? 0 : i > records ? records : i)) __builtin_trap();
  }
  return 0;
}
