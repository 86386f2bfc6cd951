// Numbers as length-prefixed decimal text.
#include <cstdint>
#include <cstring>

#include "TextUtils.h"

extern "C" {

void ZEBAPI NumToString(long theNum, Str255 theString) {
  if (!theString) return;
  char digits[12];
  int n = 0;
  // The magnitude as unsigned, so that the smallest long has one too.
  uint32_t magnitude = static_cast<uint32_t>(theNum);
  if (theNum < 0) magnitude = 0u - magnitude;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  int length = 0;
  if (theNum < 0) theString[++length] = '-';
  while (n > 0) theString[++length] = static_cast<unsigned char>(digits[--n]);
  theString[0] = static_cast<unsigned char>(length);
}

void ZEBAPI StringToNum(ConstStr255Param theString, long* theNum) {
  if (!theNum) return;
  if (!theString) {
    *theNum = 0;
    return;
  }
  const int length = theString[0];
  int i = 1;
  bool negative = false;
  if (i <= length && (theString[i] == '-' || theString[i] == '+')) negative = theString[i++] == '-';
  // Characters are not checked: each gives the digit in its low four bits, as the Toolbox's
  // conversion does ("2:" is 30), and the value wraps at 32 bits.
  uint32_t value = 0;
  for (; i <= length; ++i) value = value * 10 + (theString[i] & 0x0F);
  if (negative) value = 0u - value;
  *theNum = static_cast<int32_t>(value);
}

}  // extern "C"
