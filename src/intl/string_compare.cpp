// String ordering, equality and case conversion on the Macintosh character table.
#include "Packages.h"
#include "TextUtils.h"
#include "intl/mac_characters.h"

namespace zeb::intl {
namespace {

const uint8_t* Text(const void* p) { return static_cast<const uint8_t*>(p); }
int Length(ConstStr255Param s) { return s ? s[0] : 0; }
const uint8_t* Chars(ConstStr255Param s) {
  static const uint8_t kNone = 0;
  return s ? s + 1 : &kNone;
}
int Clamp(short len) { return len < 0 ? 0 : len; }

enum class Mapping { kUpper, kLower, kBase };

void MapText(void* text, long len, Mapping how) {
  if (!text) return;
  auto* p = static_cast<uint8_t*>(text);
  for (long i = 0; i < len; ++i) {
    const MacCharacter& e = CharacterInfo(p[i]);
    p[i] = how == Mapping::kUpper ? e.upper : how == Mapping::kLower ? e.lower : e.base;
  }
}

bool SameCharacter(uint8_t a, uint8_t b, bool caseSensitive, bool diacSensitive) {
  if (a == b) return true;
  const MacCharacter& x = CharacterInfo(a);
  const MacCharacter& y = CharacterInfo(b);
  if (caseSensitive && diacSensitive) return false;
  if (diacSensitive) return x.upper == y.upper;
  if (caseSensitive)
    return x.base == y.base && (x.weight >= kLowerCaseWeight) == (y.weight >= kLowerCaseWeight);
  return x.base == y.base;
}

}  // namespace
}  // namespace zeb::intl

using namespace zeb::intl;

extern "C" {

void ZEBAPI UpperString(Str255 theString, Boolean diacSensitive) {
  if (!theString) return;
  MapText(theString + 1, theString[0], diacSensitive ? Mapping::kUpper : Mapping::kBase);
}

void ZEBAPI UpperText(Ptr textPtr, short len) { MapText(textPtr, len, Mapping::kUpper); }
void ZEBAPI LowerText(Ptr textPtr, short len) { MapText(textPtr, len, Mapping::kLower); }
void ZEBAPI StripUpperText(Ptr textPtr, short len) { MapText(textPtr, len, Mapping::kBase); }
void ZEBAPI UprText(Ptr textPtr, short len) { MapText(textPtr, len, Mapping::kUpper); }
void ZEBAPI LwrText(Ptr textPtr, short len) { MapText(textPtr, len, Mapping::kLower); }

short ZEBAPI RelString(ConstStr255Param str1, ConstStr255Param str2, Boolean caseSensitive,
                       Boolean diacSensitive) {
  const uint8_t *a = Chars(str1), *b = Chars(str2);
  const int aLen = Length(str1), bLen = Length(str2);
  int result;
  if (caseSensitive && diacSensitive)
    result = MagnitudeOrder(a, aLen, b, bLen);
  else if (diacSensitive)
    result = CompareMarksOnly(a, aLen, b, bLen);
  else if (caseSensitive)
    result = CompareCaseOnly(a, aLen, b, bLen);
  else
    result = CompareIgnoringCaseAndMarks(a, aLen, b, bLen);
  return static_cast<short>(result);
}

Boolean ZEBAPI EqualString(ConstStr255Param str1, ConstStr255Param str2, Boolean caseSensitive,
                           Boolean diacSensitive) {
  const int n = Length(str1);
  if (n != Length(str2)) return false;
  const uint8_t *a = Chars(str1), *b = Chars(str2);
  for (int i = 0; i < n; ++i)
    if (!SameCharacter(a[i], b[i], caseSensitive != 0, diacSensitive != 0)) return false;
  return true;
}

short ZEBAPI IUMagString(const void* aPtr, const void* bPtr, short aLen, short bLen) {
  const int an = aPtr ? Clamp(aLen) : 0, bn = bPtr ? Clamp(bLen) : 0;
  return static_cast<short>(MagnitudeOrder(Text(aPtr), an, Text(bPtr), bn));
}

short ZEBAPI IUCompString(ConstStr255Param aStr, ConstStr255Param bStr) {
  return static_cast<short>(MagnitudeOrder(Chars(aStr), Length(aStr), Chars(bStr), Length(bStr)));
}

short ZEBAPI IUMagIDString(const void* aPtr, const void* bPtr, short aLen, short bLen) {
  const int an = aPtr ? Clamp(aLen) : 0, bn = bPtr ? Clamp(bLen) : 0;
  if (an != bn) return 1;
  for (int i = 0; i < an; ++i)
    if (Text(aPtr)[i] != Text(bPtr)[i]) return 1;
  return 0;
}

short ZEBAPI IUEqualString(ConstStr255Param aStr, ConstStr255Param bStr) {
  return IUMagIDString(Chars(aStr), Chars(bStr), static_cast<short>(Length(aStr)),
                       static_cast<short>(Length(bStr)));
}

short ZEBAPI IUMagPString(const void* aPtr, const void* bPtr, short aLen, short bLen, Handle) {
  return IUMagString(aPtr, bPtr, aLen, bLen);
}

short ZEBAPI IUMagIDPString(const void* aPtr, const void* bPtr, short aLen, short bLen, Handle) {
  return IUMagIDString(aPtr, bPtr, aLen, bLen);
}

short ZEBAPI IUCompPString(ConstStr255Param aStr, ConstStr255Param bStr, Handle) {
  return IUCompString(aStr, bStr);
}

short ZEBAPI IUEqualPString(ConstStr255Param aStr, ConstStr255Param bStr, Handle) {
  return IUEqualString(aStr, bStr);
}

}  // extern "C"
