/*
 * Script.h - the Script Manager.
 *
 * windows.h comes first: commdlg.h's ReplaceText macro must rename the inline ReplaceText below
 * as it renames Windows' own, so that both spellings resolve by their arguments. In C the
 * Toolbox spelling is a macro instead, and Windows' ReplaceText stays reachable as ReplaceTextA
 * and ReplaceTextW.
 */
#ifndef ZEB_SCRIPT_H
#define ZEB_SCRIPT_H

#include <windows.h>

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Windows handles scripts and justified text itself: each reports its call through DebugStr
 * and returns 0 (MeasureJust as " MEASUREJUST"). GetScript answers one question silently:
 * verb 82, the script's small font and size, is 0x0015000A. */
ZEB_EXTERN_C_BEGIN
ZEB_API(long) GetScript(short script, short verb);
ZEB_API(OSErr) SetScript(short script, short verb, long param);
ZEB_API(void) KeyScript(short code);
ZEB_API(short) Pixel2Char(Ptr textBuf, short textLen, short slop, short pixelWidth,
                          Boolean* leadingEdge);
ZEB_API(void) DrawJust(Ptr textPtr, short textLength, short slop);
ZEB_API(void) MeasureJust(Ptr textPtr, short textLength, short slop, Ptr charLocs);
/* ReplaceText, exported under the shortened name: Windows has a ReplaceText of its own. */
ZEB_API(short) ReplaceTex(Handle baseText, Handle substitutionText, Str15 key);

/* The Script Manager's dispatcher: its operands follow the selector, and the caller removes
 * its own arguments. */
ZEB_VARIADIC_API(long, ScriptUtil);
ZEB_EXTERN_C_END

#ifdef __cplusplus
inline short ReplaceText(Handle baseText, Handle substitutionText, Str15 key) {
  return ReplaceTex(baseText, substitutionText, key);
}
#else
#undef ReplaceText
#define ReplaceText ReplaceTex
#endif
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_SCRIPT_H */
