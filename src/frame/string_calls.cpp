// The length-prefixed string helpers exported to applications.
#include "ZEB.h"
#include "frame/pascal_strings.h"

extern "C" {

StringPtr ZEBAPI ZEB_CopyPtoP(ConstStr255Param src, StringPtr dst) {
  if (src && dst) zeb::pstr::Copy(src, dst);
  return dst;
}

char* ZEBAPI ZEB_CopyPtoC(ConstStr255Param src, char* dst) {
  if (!dst) return dst;
  if (!src) {
    dst[0] = '\0';
    return dst;
  }
  return zeb::pstr::ToC(src, dst);
}

StringPtr ZEBAPI ZEB_CopyCtoP(const char* src, StringPtr dst) {
  if (!dst) return dst;
  if (!src) {
    dst[0] = 0;
    return dst;
  }
  return zeb::pstr::FromC(src, dst);
}

}  // extern "C"
