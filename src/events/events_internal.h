// What the Event Manager offers the other managers.
#ifndef ZEB_EVENTS_EVENTS_INTERNAL_H
#define ZEB_EVENTS_EVENTS_INTERNAL_H

#include <cstdint>

#include "OSUtils.h"

namespace zeb::events {

// Start-up and exit: the thread's keyboard hook that turns keys into Toolbox key events and
// runs dialog keyboard navigation.
void InstallKeyboardHook();
void RemoveKeyboardHook();

// ZEB_InitGlobals: the 32 queue elements are made free and the application's queue header,
// already empty, becomes the queue's header.
void InitEventQueue(QHdr* header);

// The system-value table (ZEB_SystemValue). Stored() reads a setting for the manager that
// consults it; indices that only compute a value read 0 here.
uint32_t StoredSystemValue(int index);

// ZEB_SystemValue index 39: the procedure called after every window the library creates.
void* WindowCreationHook();

// The pump's yield counter, restarted when ZEB_SystemValue index 6 is set.
void RestartYieldCounter();

}  // namespace zeb::events

#endif  // ZEB_EVENTS_EVENTS_INTERNAL_H
