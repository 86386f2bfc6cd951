// The porters' text description of a resource file. Host-independent.
//
//   # a comment
//   resource 'STR#' 128 name "Messages" attrs 0x20
//     word 2                  16-bit big-endian number
//     pstring "Hello"         length byte, then the text
//     pstring "World"
//   end
//   resource 'TEXT' 200
//     text "Line one\nLine two"   the text's bytes (escapes \n \r \t \" \\ \xHH)
//     hex 00 01 0203          bytes in hexadecimal
//     long 0x12345678         32-bit big-endian number
//     byte 7                  one byte
//   end
//
// Data is written in disk (big-endian) order, as a Macintosh resource fork holds it.
#ifndef ZEB_RESOURCES_RESOURCE_DESCRIPTION_H
#define ZEB_RESOURCES_RESOURCE_DESCRIPTION_H

#include <string>

#include "resources/resource_image.h"

namespace zeb::resfmt {

// Adds the described resources to image. False, with a message naming the line, on any
// error; image is then left unspecified.
bool ParseDescription(const std::string& text, ResourceImage* image, std::string* error);

// A type written as four characters ('STR#', STR#, or 'PAT ' with its blank).
bool ParseType(const std::string& word, uint32_t* type);
std::string TypeText(uint32_t type);

}  // namespace zeb::resfmt

#endif  // ZEB_RESOURCES_RESOURCE_DESCRIPTION_H
