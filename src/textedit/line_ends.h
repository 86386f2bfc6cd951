// A record's text ends its lines with CR; a Windows edit window with CR LF. Text and offsets
// cross between the two here.
#ifndef ZEB_TEXTEDIT_LINE_ENDS_H
#define ZEB_TEXTEDIT_LINE_ENDS_H

#include <cstddef>
#include <string>

namespace zeb::textedit {

// Each CR becomes CR LF (a CR already followed by LF is left as it is).
std::string ToWindowsLineEnds(const char* text, size_t length);
// Each CR LF becomes CR; at most maxLength characters are produced.
std::string FromWindowsLineEnds(const char* text, size_t length, size_t maxLength);

// An offset in the record's text (clamped to 0..length) as an offset in the window's text.
long RecordToWindowOffset(const char* recordText, long length, long offset);
// An offset in the window's text (clamped to 0..length) as an offset in the record's text. An
// offset between the CR and the LF of a pair counts as after the line break.
long WindowToRecordOffset(const char* windowText, long length, long offset);
// WindowToRecordOffset for count offsets at once, in place: one pass over the text while they
// ascend (a mirrored record's line starts do), each on its own where one goes back.
void WindowToRecordOffsets(const char* windowText, long length, long* offsets, long count);
// A record offset (clamped to the record length the window text stands for) as an offset in
// the window's text, reckoned from the window text alone: each CR LF pair is one record
// character. The inverse of WindowToRecordOffset.
long RecordOffsetInWindowText(const char* windowText, long length, long recordOffset);

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_LINE_ENDS_H
