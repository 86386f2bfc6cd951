/*
 * SegLoad.h - the name under which classic sources include the Segment Loader. A Windows
 * program has no code segments to load: what classic sources reach through this header is the
 * application's process, declared in Processes.h.
 */
#ifndef ZEB_SEGLOAD_H
#define ZEB_SEGLOAD_H

#include "MacTypes.h"
#include "Processes.h"

/* A Windows program's code is all loaded: unloading a segment does nothing, and the routine
 * named is evaluated once as the Toolbox's call would. */
#define UnloadSeg(routineAddr) ((void)(routineAddr))

#endif /* ZEB_SEGLOAD_H */
