/*
 * Packages.h - the International Utilities: international records, date and time formatting,
 * string comparison.
 */
#ifndef ZEB_PACKAGES_H
#define ZEB_PACKAGES_H

#include "DateTimeUtils.h"
#include "IntlResources.h"
#include "MacTypes.h"

/* Date forms. */
typedef unsigned char DateForm;
enum { shortDate = 0, longDate = 1, abbrevDate = 2 };

ZEB_EXTERN_C_BEGIN
/* The application's 'INTL' resource theID, or for 0 and 1 the library's records (one handle
 * each, made on first use and reused); nil for any other ID. */
ZEB_API(Handle) IUGetIntl(short theID);
ZEB_API(Handle) GetIntlResource(short theID);

ZEB_API(void) IUDateString(long dateTime, DateForm longFlag, Str255 result);
ZEB_API(void) IUDatePString(long dateTime, DateForm longFlag, Str255 result, Handle intlHandle);
ZEB_API(void) IUTimeString(long dateTime, Boolean wantSeconds, Str255 result);
ZEB_API(void) IUTimePString(long dateTime, Boolean wantSeconds, Str255 result, Handle intlHandle);
/* With an Intl1Rec handle the long date is built from that record's elements; with an Intl0Rec
 * handle the time takes its separator, format, cycle and suffixes from that record. */
ZEB_API(void) IULDateString(const LongDateTime* dateTime, DateForm longFlag, Str255 result,
                            Handle intlHandle);
ZEB_API(void) IULTimeString(const LongDateTime* dateTime, Boolean wantSeconds, Str255 result,
                            Handle intlHandle);

/* Ordering with primary (letter) and secondary (case, diacritics) differences: -1, 0 or 1. */
ZEB_API(short) IUMagString(const void* aPtr, const void* bPtr, short aLen, short bLen);
ZEB_API(short) IUCompString(ConstStr255Param aStr, ConstStr255Param bStr);
/* 0 when the texts are identical, 1 otherwise. */
ZEB_API(short) IUMagIDString(const void* aPtr, const void* bPtr, short aLen, short bLen);
ZEB_API(short) IUEqualString(ConstStr255Param aStr, ConstStr255Param bStr);
/* The same comparisons with a sorting-table handle, which the single Macintosh character table
 * stands in for: the handle is not read. */
ZEB_API(short) IUMagPString(const void* aPtr, const void* bPtr, short aLen, short bLen,
                            Handle itl2Handle);
ZEB_API(short) IUMagIDPString(const void* aPtr, const void* bPtr, short aLen, short bLen,
                              Handle itl2Handle);
ZEB_API(short) IUCompPString(ConstStr255Param aStr, ConstStr255Param bStr, Handle itl2Handle);
ZEB_API(short) IUEqualPString(ConstStr255Param aStr, ConstStr255Param bStr, Handle itl2Handle);
ZEB_EXTERN_C_END

#endif /* ZEB_PACKAGES_H */
