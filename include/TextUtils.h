/*
 * TextUtils.h - string resources, Macintosh-character case conversion and ordering, and
 * number strings.
 */
#ifndef ZEB_TEXTUTILS_H
#define ZEB_TEXTUTILS_H

#include "MacTypes.h"

ZEB_EXTERN_C_BEGIN
/* 'STR ' resource id. */
ZEB_API(StringHandle) GetString(short stringID);
/* The index-th string (from 1) of 'STR#' strListID, or an empty string. */
ZEB_API(void) GetIndString(Str255 theString, short strListID, short index);
ZEB_API(StringHandle) NewString(ConstStr255Param theString);
ZEB_API(void) SetString(StringHandle theString, ConstStr255Param strNew);

ZEB_API(void) UpperString(Str255 theString, Boolean diacSensitive);
ZEB_API(short) RelString(ConstStr255Param str1, ConstStr255Param str2, Boolean caseSensitive,
                         Boolean diacSensitive);
ZEB_API(Boolean) EqualString(ConstStr255Param str1, ConstStr255Param str2, Boolean caseSensitive,
                             Boolean diacSensitive);
ZEB_API(void) UpperText(Ptr textPtr, short len);
ZEB_API(void) LowerText(Ptr textPtr, short len);
ZEB_API(void) StripUpperText(Ptr textPtr, short len);
ZEB_API(void) UprText(Ptr textPtr, short len);
ZEB_API(void) LwrText(Ptr textPtr, short len);

ZEB_API(void) NumToString(long theNum, Str255 theString);
/* An optional sign, then one digit per character taken from its low four bits; the value wraps
 * at 32 bits ("4294967295" gives -1). */
ZEB_API(void) StringToNum(ConstStr255Param theString, long* theNum);
ZEB_EXTERN_C_END

#endif /* ZEB_TEXTUTILS_H */
