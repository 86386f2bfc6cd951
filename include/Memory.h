/*
 * Memory.h - the name under which classic sources include the Memory Manager.
 */
#ifndef ZEB_MEMORY_H
#define ZEB_MEMORY_H

#include "MacMemory.h"

#endif /* ZEB_MEMORY_H */
