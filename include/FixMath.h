/*
 * FixMath.h - Fixed (16.16) and Frac (2.30) arithmetic.
 *
 * Every result is computed in 64 bits: a corner case gives the documented overflow value, never
 * a trap. The Toolbox's extended type is a double here.
 */
#ifndef ZEB_FIXMATH_H
#define ZEB_FIXMATH_H

#include "MacTypes.h"

typedef long Fract;

#define fixed1 ((Fixed)0x00010000L)
#define fract1 ((Fract)0x40000000L)
#define positiveInfinity ((long)0x7FFFFFFFL)
#define negativeInfinity ((long)0x80000000L)

ZEB_EXTERN_C_BEGIN
/* x * 65536 with no overflow check. */
ZEB_API(Fixed) Long2Fix(long x);
/* Nearest integer, halves upward: -1.5 gives -1. */
ZEB_API(long) Fix2Long(Fixed x);
/* Nearest 16-bit integer, halves away from zero. */
ZEB_API(short) FixRound(Fixed x);
ZEB_API(Fixed) Frac2Fix(Fract x);
/* Saturates to 0x7FFFFFFF or 0x80000000 when x is 2.0 or more in magnitude. */
ZEB_API(Fract) Fix2Frac(Fixed x);
ZEB_API(double) Fix2X(Fixed x);
/* 32768.0 and more give 0x7FFFFFFF, -32768.0 and less 0x80000000; a NaN gives 0x80000000. */
ZEB_API(Fixed) X2Fix(double x);
ZEB_API(double) Frac2X(Fract x);
ZEB_API(Fract) X2Frac(double x);
/* Rounded product; 1.0 times anything is that thing; no saturation. */
ZEB_API(Fixed) FixMul(Fixed a, Fixed b);
/* Rounded quotient; overflow gives 0x7FFFFFFF, or 0x80000001 when the signs differ. */
ZEB_API(Fixed) FixDiv(Fixed x, Fixed y);
ZEB_API(Fixed) FixRatio(short numer, short denom);
ZEB_API(Fract) FracMul(Fract x, Fract y);
ZEB_API(Fract) FracDiv(Fract x, Fract y);
/* The argument and result are unsigned 2.30 values. */
ZEB_API(Fract) FracSqrt(Fract x);
/* Angles are Fixed radians; pi is taken as 205888. */
ZEB_API(Fract) FracSin(Fixed x);
ZEB_API(Fract) FracCos(Fixed x);
ZEB_API(Fixed) FixATan2(long x, long y);
/* Angles in degrees clockwise from 12 o'clock; slopes dh/dv (v grows downward). AngleFromSlope
 * answers 1 ... 180, the vertical being 180; SlopeFromAngle(90) is 0x7FFFFFFF. */
ZEB_API(short) AngleFromSlope(Fixed slope);
ZEB_API(Fixed) SlopeFromAngle(short angle);
ZEB_EXTERN_C_END

#endif /* ZEB_FIXMATH_H */
