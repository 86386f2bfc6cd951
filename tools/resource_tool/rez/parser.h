// Parsing the constructs of resource sources: type declarations, resource data, resource
// specifications and ID ranges. The statements that hold them are read by the compiler, which
// carries each out as soon as it is read. Host-independent.
#ifndef ZEB_REZ_PARSER_H
#define ZEB_REZ_PARSER_H

#include <vector>

#include "rez/declarations.h"
#include "rez/expressions.h"

namespace zeb::rez {

// The fields of a type declaration after its '{', through the closing '}'.
bool ParseTypeBody(TokenCursor& cursor, TypeDecl* decl);

// The data of a resource statement after its '{', through the closing '}'.
bool ParseDataBody(TokenCursor& cursor, std::vector<DataItem>* items);

// A resource type and "(ID, name, attributes...)", as resource, data and read statements give it.
bool ParseResourceSpec(TokenCursor& cursor, ResourceSpec* spec, const char* statement);

// "(ID)", "(low:high)" or "("name")", when a '(' follows; present is false otherwise.
struct RangeSpec {
  bool present = false;
  Location at;
  ExprPtr low, high;
};
bool ParseRange(TokenCursor& cursor, RangeSpec* range);

}  // namespace zeb::rez

#endif  // ZEB_REZ_PARSER_H
