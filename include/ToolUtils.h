/*
 * ToolUtils.h - the Toolbox utilities: bit operations, PackBits, Munger, Fixed arithmetic and
 * the resources of strings, icons, patterns, pictures and cursors.
 *
 * The QuickDraw records are named by their struct tags, so that the host-independent code can
 * use this header without windows.h. A C unit gets windows.h first all the same: Windows has a
 * GetCursor of its own, and the Toolbox spelling is a macro only after it.
 */
#ifndef ZEB_TOOLUTILS_H
#define ZEB_TOOLUTILS_H

#if defined(_WIN32) && !defined(__cplusplus)
#include <windows.h>
#endif

#include "FixMath.h"
#include "MacTypes.h"
#include "TextUtils.h"

struct Pattern;
struct Picture;
struct Cursor;

ZEB_EXTERN_C_BEGIN
/* Bit n is in byte n >> 3 of the whole 32-bit bit number, bit 0 being the byte's 0x80 bit. A
 * negative n reaches the bytes before bytePtr (bit -1 is the 0x01 bit of bytePtr[-1]). */
ZEB_API(Boolean) BitTst(const void* bytePtr, long bitNum);
ZEB_API(void) BitSet(void* bytePtr, long bitNum);
ZEB_API(void) BitClr(void* bytePtr, long bitNum);
ZEB_API(long) BitAnd(long value1, long value2);
ZEB_API(long) BitOr(long value1, long value2);
ZEB_API(long) BitXor(long value1, long value2);
ZEB_API(long) BitNot(long value);
/* count > 0 shifts left, count < 0 shifts right arithmetically, both by |count| mod 32. */
ZEB_API(long) BitShift(long value, short count);
ZEB_API(short) HiWord(long x);
ZEB_API(short) LoWord(long x);
ZEB_API(long) DeltaPoint(Point ptA, Point ptB);

/* Run-length code; both pointers are advanced past what was consumed and produced. UnpackBits
 * never writes more than dstBytes bytes, whatever the source holds. */
ZEB_API(void) PackBits(Ptr* srcPtr, Ptr* dstPtr, short srcBytes);
ZEB_API(void) UnpackBits(Ptr* srcPtr, Ptr* dstPtr, short dstBytes);
ZEB_API(void) HPackBits(Ptr* srcPtr, Ptr* dstPtr, long srcBytes);
ZEB_API(void) HUnpackBits(Ptr* srcPtr, Ptr* dstPtr, long dstBytes);

/* Search, replace, insert and delete in a handle's bytes. A negative offset gives -1; deletes
 * and replaces stop at the end of the data. */
ZEB_API(long) Munger(Handle h, long offset, const void* ptr1, long len1, const void* ptr2,
                     long len2);

ZEB_API(Handle) GetIcon(short iconID);
ZEB_API(struct Pattern**) GetPattern(short patID);
/* Index 1 is the first pattern; an index beyond the list's patterns leaves thePat as it is. */
ZEB_API(void) GetIndPattern(struct Pattern* thePat, short patListID, short index);
ZEB_API(struct Picture**) GetPicture(short picID);
/* GetCursor, exported under the shortened name: Windows has a GetCursor of its own. IDs 0 to 4
 * are the built-in arrow, I-beam, cross, plus and watch (iBeamCursor ... watchCursor in
 * Quickdraw.h). */
ZEB_API(struct Cursor**) GetCurso(short cursorID);
ZEB_EXTERN_C_END

/* The Toolbox spelling: in C++ an overload of Windows' GetCursor(void); in C a macro, after
 * which a C unit no longer reaches Windows' GetCursor. */
#ifdef __cplusplus
inline struct Cursor** GetCursor(short cursorID) { return GetCurso(cursorID); }
#else
#define GetCursor GetCurso
#endif

#endif /* ZEB_TOOLUTILS_H */
