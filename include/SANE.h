/*
 * SANE.h - the Standard Apple Numerics Environment.
 */
#ifndef ZEB_SANE_H
#define ZEB_SANE_H

#include "MacTypes.h"

/* ---- Decimal records ---- */
#define SIGDIGLEN 20
#define DECSTROUTLEN 80
enum { FLOATDECIMAL = 0, FIXEDDECIMAL = 1 };

ZEB_PACK2_BEGIN
/* sgn 1 for negative; the value is sig (digits, or "I..." for an infinity, "N..." for a NaN)
 * read as an integer, times ten to exp. */
typedef struct decimal {
  char sgn;
  char unused;
  short exp;
  struct {
    unsigned char length;
    unsigned char text[SIGDIGLEN];
    unsigned char unused;
  } sig;
} decimal;
/* style FLOATDECIMAL or FIXEDDECIMAL; digits after the point in fixed style. */
typedef struct decform {
  char style;
  char unused;
  short digits;
} decform;
ZEB_PACK2_END
ZEB_STATIC_ASSERT(sizeof(decimal) == 26, "decimal size");
ZEB_STATIC_ASSERT(sizeof(decform) == 4, "decform size");

ZEB_EXTERN_C_BEGIN
/* Scans the length-prefixed s from the 1-based *index; *index becomes the position after the
 * last character used and is returned. validPrefix: 0 no digit, 1 only zeros, 2 a number. The
 * exponent is held within -32767 ... 32767. */
ZEB_API(short) Str2Dec(ConstStr255Param s, short* index, decimal* d, Boolean* validPrefix);
ZEB_API(short) str2dec(ConstStr255Param s, short* index, decimal* d, Boolean* validPrefix);
/* Writes at most DECSTROUTLEN bytes, zero-terminated, to s and returns the text's length. f may
 * be nil. */
ZEB_API(short) dec2str(const decform* f, const decimal* d, char* s);
ZEB_API(void) num2dec(const decform* f, double x, decimal* d);
ZEB_API(double) dec2num(const decimal* d);
ZEB_EXTERN_C_END

/* ---- Entry points present without their manager's work ----
 * The 80-bit and 96-bit extended formats of the 68000 and 68881 are not converted, and the
 * package dispatchers do nothing: each reports its call through DebugStr. */
ZEB_PACK2_BEGIN
typedef struct extended80 {
  unsigned short exp;
  unsigned short man[4];
} extended80;
typedef struct extended96 {
  unsigned short exp[2];
  unsigned short man[4];
} extended96;
ZEB_PACK2_END
ZEB_ASSERT_SIZE(extended80, 10);
ZEB_ASSERT_SIZE(extended96, 12);

ZEB_EXTERN_C_BEGIN
ZEB_API(void) x80tox96(const extended80* x80, extended96* x96);
ZEB_API(void) x96tox80(const extended96* x96, extended80* x80);
/* Returns 0: the caller's floating-point stack stays balanced. */
ZEB_API(long double) x80told(const extended80* x80);

/* The elementary-functions package and the second arithmetic dispatcher: operands and an
 * operation word, varying with the operation; the caller removes its own arguments. */
ZEB_VARIADIC_API(void, elems68k);
ZEB_VARIADIC_API(void, fp68k2);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_SANE_H */
