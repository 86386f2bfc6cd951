// TextEdit's own bookkeeping beside the application's records.
#ifndef ZEB_TEXTEDIT_TE_STATE_H
#define ZEB_TEXTEDIT_TE_STATE_H

#include <windows.h>

#include "TextEdit.h"

namespace zeb::textedit {

// What the library keeps for each live record.
struct RecordState {
  bool autoView = false;
  // The click loop TESetClickLoop wrapped as a procedure instance; released when replaced and
  // by TEDispose.
  TEClickLoopProcPtr wrappedClickLoop = nullptr;
  ZEB_TEDrawTextHook drawText = nullptr;
  ZEB_TEMeasureHook measure = nullptr;
  ZEB_TEHiliteHook hilite = nullptr;
  bool password = false;
};

// The record's state, or nullptr when hTE is nil, disposed or has no text handle: every call
// then returns without effect.
RecordState* LiveRecord(TEHandle hTE);
// A record is registered when it is made and forgotten when it is disposed of.
RecordState& RegisterRecord(TEHandle hTE);
void ForgetRecord(TEHandle hTE);

// The edit window a record mirrors, or null for a record the library draws.
inline HWND NativeWindow(TEHandle hTE) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<unsigned long>((*hTE)->hWndEdit)));
}

// Operations on a record mirrored in an edit window (te_native.cpp).
void NativeSetSelect(TEHandle hTE, long start, long end);
void NativeDelete(TEHandle hTE);
void NativeInsert(TEHandle hTE, const char* text, long length);
void NativeReplace(TEHandle hTE, const char* text, long length);
void NativeSetText(TEHandle hTE, const char* text, long length);
void NativeKey(TEHandle hTE, unsigned char key);
void NativeScroll(TEHandle hTE, short dh, short dv);
void NativeActivate(TEHandle hTE);

// The TextEdit scrap: its handle and 32-bit length in the application's cells.
Handle ScrapHandleCell();
long ScrapLengthCell();
void SetScrapLengthCell(long length);

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_TE_STATE_H
