/*
	SysTypes.r: declarations of system resource types, for resource sources that
	#include "SysTypes.r": the version resource and the region codes it carries.
*/

#ifndef __SYSTYPES_R__
#define __SYSTYPES_R__

/* Script Manager region codes. */
#define __RegionCodes__															\
		verUS, verFrance, verBritain, verGermany, verItaly, verNetherlands,	\
		verFrBelgiumLux, verSweden, verSpain, verDenmark, verPortugal,		\
		verFrCanada, verNorway, verIsrael, verJapan, verAustralia, verArabic,	\
		verFinland, verFrSwiss, verGrSwiss, verGreece, verIceland, verMalta,	\
		verCyprus, verTurkey

/*----------------------------------------------------------------------------- 'vers' -------*/
type 'vers' {
		hex byte;											/* major revision, in BCD */
		hex byte;											/* minor and bug-fix revisions, a BCD digit each */
		hex byte	development = 0x20, alpha = 0x40,		/* release stage */
					beta = 0x60, final = 0x80, release = 0x80;
		hex byte;											/* revision of a non-final release */
		integer		__RegionCodes__;						/* region code */
		pstring;											/* short version, for the Finder's list */
		pstring;											/* long version, for the Finder's window */
};

#endif /* __SYSTYPES_R__ */
