// The byte-order engine: resource contents between the big-endian order of Macintosh resource
// files and the host's little-endian order. Host-independent.
#ifndef ZEB_RESOURCES_BYTE_ORDER_H
#define ZEB_RESOURCES_BYTE_ORDER_H

#include <cstdint>

namespace zeb::byteorder {

// Directions as the Toolbox-side callbacks receive them.
enum Direction : int { kToDisk = 0, kFromDisk = 1 };

// A four-character code as a number, first character in the most significant byte.
constexpr uint32_t FourCC(const char (&c)[5]) {
  return (uint32_t(uint8_t(c[0])) << 24) | (uint32_t(uint8_t(c[1])) << 16) |
         (uint32_t(uint8_t(c[2])) << 8) | uint32_t(uint8_t(c[3]));
}

// Reverse 2, 4 or n bytes in place; Get* read a big-endian value without changing memory.
void Swap16(void* p);
void Swap32(void* p);
void Reverse(void* p, unsigned bytes);
uint16_t GetBig16(const void* p);
uint32_t GetBig32(const void* p);
void PutBig16(void* p, uint16_t v);
void PutBig32(void* p, uint32_t v);
uint16_t GetHost16(const void* p);
uint32_t GetHost32(const void* p);

// The stage word of an 'ALRT': each four-bit group of the disk word moves to another group of
// the host word with its bits reordered, so that the alert code can read stages by group.
uint16_t AlertStagesFromDisk(uint16_t diskWord);
uint16_t AlertStagesToDisk(uint16_t hostWord);

// What ConvertResource did with a type.
enum class Conversion {
  kConverted,  // the type is in the table (including the types that need nothing)
  kCursor,     // 'CURS' or 'crsr': the cursor code converts them, nothing was touched
  kUnknown     // not in the table: nothing was touched
};

// Converts a resource of the given type in place. Every access is bounded by size: counts and
// offsets read from the data never reach past it, and a field that does not fit is left alone.
Conversion ConvertResource(int direction, uint32_t type, uint8_t* data, uint32_t size);

// A colour table (seed, flags, size = entries - 1, then value and red, green, blue per entry),
// bounded by size.
void ConvertColourTable(int direction, uint8_t* table, uint32_t size);

}  // namespace zeb::byteorder

#endif  // ZEB_RESOURCES_BYTE_ORDER_H
