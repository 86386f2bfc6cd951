/*
 * Types.h - the name under which classic sources include the basic Toolbox types.
 */
#ifndef ZEB_TYPES_H
#define ZEB_TYPES_H

#include "MacTypes.h"

#endif /* ZEB_TYPES_H */
