/*
 * MacTypes.h - the basic Toolbox types shared by every manager's header.
 *
 * Integer widths follow the Macintosh: short is 16 bits and long 32 bits (Windows keeps long at
 * 32 bits in both the 32-bit product and the 64-bit test build). Records that the Toolbox packs
 * on two-byte boundaries are declared inside ZEB_PACK2_BEGIN / ZEB_PACK2_END.
 */
#ifndef ZEB_MACTYPES_H
#define ZEB_MACTYPES_H

#include <stddef.h>
#include <stdint.h>

/* Every entry point of the library uses the stdcall convention. */
#if defined(_WIN32)
#define ZEBAPI __stdcall
#ifndef pascal
#define pascal __stdcall
#endif
#else
#define ZEBAPI
#ifndef pascal
#define pascal
#endif
#endif

/* Imports go through the import library's thunks, so the same declarations serve programs
 * that link the DLL and programs that link the library's objects directly. */
#define ZEB_IMPORT

#ifdef __cplusplus
#define ZEB_EXTERN_C_BEGIN extern "C" {
#define ZEB_EXTERN_C_END }
#else
#define ZEB_EXTERN_C_BEGIN
#define ZEB_EXTERN_C_END
#endif

/* Declares an exported entry point: ZEB_API(OSErr) MemError(void); */
#define ZEB_API(type) ZEB_IMPORT type ZEBAPI

#define ZEB_PACK2_BEGIN _Pragma("pack(push, 2)")
#define ZEB_PACK2_END _Pragma("pack(pop)")

/* Compile-time layout checks, made only where the Toolbox layout applies: in the 32-bit
 * product. The 64-bit test build widens every pointer field. */
#if defined(_WIN32) && !defined(_WIN64)
#define ZEB_LAYOUT_32 1
#else
#define ZEB_LAYOUT_32 0
#endif
#ifdef __cplusplus
#define ZEB_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define ZEB_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif
#if ZEB_LAYOUT_32
#define ZEB_ASSERT_SIZE(type, bytes) ZEB_STATIC_ASSERT(sizeof(type) == (bytes), #type " size")
#define ZEB_ASSERT_OFFSET(type, field, at) \
  ZEB_STATIC_ASSERT(offsetof(type, field) == (at), #type "." #field " offset")
#else
#define ZEB_ASSERT_SIZE(type, bytes)
#define ZEB_ASSERT_OFFSET(type, field, at)
#endif

#ifndef NULL
#define NULL 0
#endif
#ifndef nil
#define nil 0
#endif
#ifndef NIL
#define NIL 0
#endif

#ifndef __cplusplus
#ifndef true
#define true 1
#define false 0
#endif
#endif

/* The sized names of the Universal Interfaces. */
typedef unsigned char UInt8;
typedef signed char SInt8;
typedef unsigned short UInt16;
typedef signed short SInt16;
typedef unsigned long UInt32;
typedef signed long SInt32;
typedef float Float32;
typedef double Float64;
typedef unsigned long FourCharCode;

typedef unsigned char Boolean;
typedef unsigned char Byte;
typedef signed char SignedByte;
typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;
typedef short OSErr;
typedef long OSStatus;
typedef short INTEGER;
typedef long LONGINT;
typedef unsigned long ResType;
typedef unsigned long OSType;
typedef long Fixed;
typedef long Fract;
typedef unsigned long UnsignedFixed;
typedef short ScriptCode;
typedef short LangCode;
typedef unsigned char Style;
typedef short CharParameter;
typedef long (ZEBAPI *ProcPtr)(void);
typedef ProcPtr* ProcHandle;
typedef void* UniversalProcPtr;

typedef unsigned char Str255[256];
typedef unsigned char Str63[64];
typedef unsigned char Str32[33];
typedef unsigned char Str31[32];
typedef unsigned char Str27[28];
typedef unsigned char Str15[16];
typedef unsigned char* StringPtr;
typedef StringPtr* StringHandle;
typedef const unsigned char* ConstStringPtr;
typedef const unsigned char* ConstStr255Param;
typedef const unsigned char* ConstStr63Param;
typedef const unsigned char* ConstStr31Param;

enum { noErr = 0 };

ZEB_PACK2_BEGIN
typedef struct Point {
  short v;
  short h;
} Point;

typedef struct Rect {
  short top;
  short left;
  short bottom;
  short right;
} Rect;
ZEB_PACK2_END
typedef Point* PointPtr;
typedef Rect* RectPtr;
ZEB_ASSERT_SIZE(Point, 4);
ZEB_ASSERT_SIZE(Rect, 8);

/* A colour, 16 bits per component. QuickDraw's, and the Toolbox global HiliteRGB's. */
typedef struct RGBColor {
  unsigned short red;
  unsigned short green;
  unsigned short blue;
} RGBColor;
ZEB_ASSERT_SIZE(RGBColor, 6);

/* Four-character codes: 'MENU' is 0x4D454E55, first character in the most significant byte. */
#define ZEB_FOURCC(a, b, c, d)                                                      \
  (((unsigned long)(unsigned char)(a) << 24) | ((unsigned long)(unsigned char)(b) << 16) | \
   ((unsigned long)(unsigned char)(c) << 8) | (unsigned long)(unsigned char)(d))

/* ---- Entry points present without their manager's work ----
 * The link name of an export with `bytes` bytes of stdcall arguments, for the few declarations
 * that reach an export under another C name or with a variable argument list. A variadic caller
 * removes its own arguments, so such an export is defined with none. */
#if defined(_WIN32) && !defined(_WIN64)
#define ZEB_LINK_NAME(name, bytes) __asm__("_" #name "@" #bytes)
#else
#define ZEB_LINK_NAME(name, bytes) __asm__(#name)
#endif
/* Declares such a variadic export: ZEB_VARIADIC_API(long, CallPascalL); */
#if defined(ZEB_BUILDING_LIBRARY)
#define ZEB_VARIADIC_API(type, name) ZEB_API(type) name(void)
#elif defined(__cplusplus)
#define ZEB_VARIADIC_API(type, name) type name(...) ZEB_LINK_NAME(name, 0)
#else
#define ZEB_VARIADIC_API(type, name) type name() ZEB_LINK_NAME(name, 0)
#endif
/* ---- end of entry points present without their manager's work ---- */

ZEB_EXTERN_C_BEGIN
/* Reports a length-prefixed text: a message box or the debugger output, as ZEBPORT.INI says. */
ZEB_API(void) DebugStr(ConstStr255Param debuggerMsg);
/* Reports " Debugger Trap" through DebugStr. */
ZEB_API(void) Debugger(void);
ZEB_EXTERN_C_END

#endif /* ZEB_MACTYPES_H */
