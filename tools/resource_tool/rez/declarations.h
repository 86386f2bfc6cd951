// What the parser makes of resource sources: type declarations (the fields a resource type is
// made of), the data of a resource statement as a tree, and the statements. Host-independent.
#ifndef ZEB_REZ_DECLARATIONS_H
#define ZEB_REZ_DECLARATIONS_H

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "rez/expressions.h"

namespace zeb::rez {

enum class FieldKind {
  kNumber,    // boolean, byte, integer, longint, bitstring[n]
  kString,    // string, pstring, wstring, cstring, char, with an optional length
  kPoint,
  kRect,
  kFill,      // zero bits
  kAlign,     // zero bits up to a boundary counted from the start of the resource
  kArray,
  kSwitch,
  kLabel,
  kOptional   // trailing fields a resource may leave off, as older resources end before them
};

// How a decompiled number is written; the compiler reads every form.
enum class Radix { kDecimal, kHex, kOctal, kBinary, kLiteral };

enum class StringKind { kPlain, kPascal, kWord, kC, kChar };

struct Symbol {
  std::string name;   // as declared
  std::string lower;  // for lookup
  ExprPtr value;      // a number or a string
};

struct FieldDecl;

struct SwitchCase {
  std::string name;
  std::string lower;
  Location at;
  std::vector<FieldDecl> fields;
};

struct FieldDecl {
  FieldKind kind = FieldKind::kNumber;
  Location at;
  // Numbers: bit width; fill and align: the unit in bits (bit 1, nibble 4, byte 8, word 16,
  // long 32).
  int bits = 0;
  bool isUnsigned = false;
  bool isBoolean = false;
  bool isKey = false;
  Radix radix = Radix::kDecimal;
  StringKind stringKind = StringKind::kPlain;
  ExprPtr length;    // a string's fixed length, a fill's count, an array's fixed count
  ExprPtr constant;  // "= value" without a name: the field's value, never given by a resource
  std::vector<Symbol> symbols;
  std::string name;  // a label's or an array's name
  bool wide = false;
  std::vector<FieldDecl> fields;  // of an array or an optional tail
  std::vector<SwitchCase> cases;
};

struct TypeDecl {
  std::vector<FieldDecl> fields;
  std::set<std::string> labels;  // lower-case names of every label in the declaration
  Location at;
};

// A resource's data as written: values, braced groups (a point, a rect, an array's elements)
// and switch cases ("Button { enabled, \"OK\" }"). Separators are not kept: an array's elements
// are the group's items taken a field at a time.
struct DataItem {
  enum class Kind { kValue, kGroup, kCase };
  Kind kind = Kind::kValue;
  Location at;
  ExprPtr value;
  std::string caseName;
  std::vector<DataItem> items;
};

// Which resources of a type a statement means: all, one ID, a range of IDs or a name.
struct IdRange {
  bool all = true;
  bool byName = false;
  int32_t low = 0, high = 0;
  std::string name;
  bool Matches(int16_t id, bool named, const std::string& resourceName) const {
    if (all) return true;
    if (byName) return named && resourceName == name;
    return id >= low && id <= high;
  }
};

// "(ID, "name", attributes...)" after a resource type, unevaluated: the items after the ID are
// the name (a string) and attributes (words or a number), told apart when evaluated.
struct ResourceHeader {
  ExprPtr type;
  Location at;
  ExprPtr id;
  std::vector<ExprPtr> extras;
};

}  // namespace zeb::rez

#endif  // ZEB_REZ_DECLARATIONS_H
