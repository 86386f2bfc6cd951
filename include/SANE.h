/*
 * SANE.h - the Standard Apple Numerics Environment.
 */
#ifndef ZEB_SANE_H
#define ZEB_SANE_H

#include "MacTypes.h"

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
