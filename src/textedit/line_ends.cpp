#include "textedit/line_ends.h"

namespace zeb::textedit {

std::string ToWindowsLineEnds(const char* text, size_t length) {
  std::string out;
  out.reserve(length + length / 8);
  for (size_t i = 0; i < length; ++i) {
    out.push_back(text[i]);
    if (text[i] == '\r' && !(i + 1 < length && text[i + 1] == '\n')) out.push_back('\n');
  }
  return out;
}

std::string FromWindowsLineEnds(const char* text, size_t length, size_t maxLength) {
  std::string out;
  out.reserve(length < maxLength ? length : maxLength);
  for (size_t i = 0; i < length && out.size() < maxLength; ++i) {
    out.push_back(text[i]);
    if (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n') ++i;
  }
  return out;
}

long RecordToWindowOffset(const char* recordText, long length, long offset) {
  if (offset < 0) offset = 0;
  if (offset > length) offset = length;
  long result = offset;
  for (long i = 0; i < offset; ++i) {
    if (recordText[i] == '\r' && !(i + 1 < length && recordText[i + 1] == '\n')) ++result;
  }
  return result;
}

long WindowToRecordOffset(const char* windowText, long length, long offset) {
  if (offset < 0) offset = 0;
  if (offset > length) offset = length;
  long result = 0;
  for (long i = 0; i < offset; ++i) {
    ++result;
    if (windowText[i] == '\r' && i + 1 < length && windowText[i + 1] == '\n') ++i;
  }
  return result;
}

void WindowToRecordOffsets(const char* windowText, long length, long* offsets, long count) {
  long at = 0, record = 0, previous = 0;
  for (long i = 0; i < count; ++i) {
    long target = offsets[i] < 0 ? 0 : offsets[i] > length ? length : offsets[i];
    if (target < previous) {
      offsets[i] = WindowToRecordOffset(windowText, length, target);
      continue;
    }
    previous = target;
    // A target between CR and LF was passed with the pair: it counts as after the break.
    while (at < target) {
      if (windowText[at] == '\r' && at + 1 < length && windowText[at + 1] == '\n') ++at;
      ++at;
      ++record;
    }
    offsets[i] = record;
  }
}

long RecordOffsetInWindowText(const char* windowText, long length, long recordOffset) {
  long at = 0;
  for (long counted = 0; counted < recordOffset && at < length; ++counted) {
    if (windowText[at] == '\r' && at + 1 < length && windowText[at + 1] == '\n') ++at;
    ++at;
  }
  return at;
}

}  // namespace zeb::textedit
