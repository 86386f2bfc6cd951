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

}  // namespace zeb::textedit
