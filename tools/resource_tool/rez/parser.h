// Parsing the constructs of resource sources: type declarations, resource data, resource
// headers and ID ranges. The statements that hold them are read by the compiler, which
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
bool ParseResourceHeader(TokenCursor& cursor, ResourceHeader* header, const char* statement);

// "(ID)", "(low:high)" or "("name")", when a '(' follows; present is false otherwise.
struct RangeExpressions {
  bool present = false;
  Location at;
  ExprPtr low, high;
};
bool ParseRange(TokenCursor& cursor, RangeExpressions* range);

}  // namespace zeb::rez

#endif  // ZEB_REZ_PARSER_H
