/*
 * SegLoad.h - the name under which classic sources include the Segment Loader. A Windows
 * program has no code segments to load: what classic sources reach through this header is the
 * application's process, declared in Processes.h.
 */
#ifndef ZEB_SEGLOAD_H
#define ZEB_SEGLOAD_H

#include "MacTypes.h"
#include "Processes.h"

#endif /* ZEB_SEGLOAD_H */
