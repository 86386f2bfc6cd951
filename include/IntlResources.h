/*
 * IntlResources.h - the international records 'INTL' 0 and 1 in their Toolbox layouts.
 */
#ifndef ZEB_INTLRESOURCES_H
#define ZEB_INTLRESOURCES_H

#include "MacTypes.h"

/* currFmt bits. */
enum { currSymLead = 0x10, currNegSym = 0x20, currTrailingZ = 0x40, currLeadingZ = 0x80 };
/* dateOrder values. */
enum { mdy = 0, dmy = 1, ymd = 2, myd = 3, dym = 4, ydm = 5 };
/* shrtDateFmt bits. */
enum { mntLdingZ = 0x40, dayLdingZ = 0x20, century = 0x80 };
/* timeFmt bits: leading zero in seconds, minutes, hours. */
enum { secLeadingZ = 0x20, minLeadingZ = 0x40, hrLeadingZ = 0x80 };
/* timeCycle values. */
enum { zeroCycle = 1, longDay = 0, longWeek = 1, longMonth = 2, longYear = 3 };
/* suppressDay bits. */
enum { supDay = 1, supWeek = 2, supMonth = 4, supYear = 8 };

ZEB_PACK2_BEGIN
typedef struct Intl0Rec {
  char decimalPt;
  char thousSep;
  char listSep;
  char currSym1;
  char currSym2;
  char currSym3;
  unsigned char currFmt;
  unsigned char dateOrder;
  unsigned char shrtDateFmt;
  char dateSep;
  unsigned char timeCycle;
  unsigned char timeFmt;
  char mornStr[4];
  char eveStr[4];
  char timeSep;
  char time1Suff;
  char time2Suff;
  char time3Suff;
  char time4Suff;
  char time5Suff;
  char time6Suff;
  char time7Suff;
  char time8Suff;
  unsigned char metricSys;
  short intl0Vers;
} Intl0Rec;
typedef Intl0Rec* Intl0Ptr;
typedef Intl0Ptr* Intl0Hndl;

typedef struct Intl1Rec {
  Str15 days[7];
  Str15 months[12];
  unsigned char suppressDay;
  unsigned char lngDateFmt;
  unsigned char dayLeading0;
  unsigned char abbrLen;
  char st0[4];
  char st1[4];
  char st2[4];
  char st3[4];
  char st4[4];
  short intl1Vers;
  short localRtn[1];
} Intl1Rec;
typedef Intl1Rec* Intl1Ptr;
typedef Intl1Ptr* Intl1Hndl;
ZEB_PACK2_END
/* Both layouts hold in every build: the records have no pointer fields. */
ZEB_STATIC_ASSERT(sizeof(Intl0Rec) == 32, "Intl0Rec size");
ZEB_STATIC_ASSERT(offsetof(Intl0Rec, mornStr) == 12, "Intl0Rec.mornStr offset");
ZEB_STATIC_ASSERT(offsetof(Intl0Rec, timeSep) == 20, "Intl0Rec.timeSep offset");
ZEB_STATIC_ASSERT(offsetof(Intl0Rec, intl0Vers) == 30, "Intl0Rec.intl0Vers offset");
ZEB_STATIC_ASSERT(sizeof(Intl1Rec) == 332, "Intl1Rec size");
ZEB_STATIC_ASSERT(offsetof(Intl1Rec, suppressDay) == 304, "Intl1Rec.suppressDay offset");
ZEB_STATIC_ASSERT(offsetof(Intl1Rec, st0) == 308, "Intl1Rec.st0 offset");
ZEB_STATIC_ASSERT(offsetof(Intl1Rec, st4) == 324, "Intl1Rec.st4 offset");

#endif /* ZEB_INTLRESOURCES_H */
