// A styled record's style record, between its handles and the plain runs of style_runs.h.
#ifndef ZEB_TEXTEDIT_TE_STYLES_H
#define ZEB_TEXTEDIT_TE_STYLES_H

#include <utility>
#include <vector>

#include "TextEdit.h"
#include "textedit/style_runs.h"

namespace zeb::textedit {

// The style handle a styled record keeps in txFont and txFace; nullptr for a plain record.
TEStyleHandle StyleHandleOf(TEHandle hTE);
// The runs and table of a styled record, read within their handles and made sound; empty
// when the record has none.
StyleRuns LoadRuns(TEHandle hTE);
// Writes runs and table back; false when memory is short (the old ones stay).
bool StoreRuns(TEHandle hTE, const StyleRuns& runs);
// The style record TEStyleNew gives: one style from the current port.
bool AttachNewStyleRecord(TEHandle hTE);
void DisposeStyleRecord(TEHandle hTE);
// The line-height table: entry `line` from the runs of [start, end); false when the table is
// full (16383 entries) or cannot grow. Trim cuts it to the lines laid out.
bool StoreLineHeight(TEHandle hTE, const StyleRuns& runs, int line, int start, int end);
void TrimLineHeights(TEHandle hTE, int lines);
// The runs follow a replacement of [at, at + removed) by inserted characters, which take the
// given styles, or the null style when one is set, or the style of the insertion point.
// The null style is forgotten when the selection moves.
void ClearNullStyle(TEHandle hTE);
void UpdateRunsForReplace(TEHandle hTE, int at, int removed, int inserted,
                          const std::vector<std::pair<int, StyleValue>>* styles);

// Shared with the library-drawn calls (te_records.cpp).
bool ReplaceText(TEHandle hTE, long from, long to, const char* text, long length,
                 const std::vector<std::pair<int, StyleValue>>* styles, bool draw);
void RecalculateAndRedraw(TEHandle hTE, bool draw);
void SelectRange(TEHandle hTE, long start, long end);

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_TE_STYLES_H
