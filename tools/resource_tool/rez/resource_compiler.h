// Lays out one resource's data from its values and its type's declaration: fields in order,
// bit by bit; values that depend on what follows (a count before its array, a label further
// on) are written once the whole resource is laid out. Host-independent.
#ifndef ZEB_REZ_RESOURCE_COMPILER_H
#define ZEB_REZ_RESOURCE_COMPILER_H

#include <cstdint>
#include <vector>

#include "rez/declarations.h"
#include "rez/layout.h"

namespace zeb::rez {

// False, with the session's error naming the value or the field at fault, when the values do
// not match the declaration: a value missing or left over, a value of the wrong kind or one that
// does not fit its field, an unknown name or case.
bool CompileResourceData(Session& session, const TypeDecl& type, const std::vector<DataItem>& data,
                         const ResourceInfo& info, const Location& at, std::vector<uint8_t>* out);

}  // namespace zeb::rez

#endif  // ZEB_REZ_RESOURCE_COMPILER_H
