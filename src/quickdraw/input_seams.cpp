// QuickDraw's cursor and drag-feedback tracking as the Event Manager's pump and input calls
// reach them.
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {

// The drag-feedback tracking modes see each mouse message here before it is dispatched.
void DragTrackingSeesMouse(const MSG& msg) { (void)msg; }

// The tracking modes report whether one of them is active here.
bool DragTrackingActive() { return false; }

// The active tracking takes its timer step here.
void RunDragTracking() {}

// A tracking of the third kind stops and starts again across application switches here.
void SuspendDragTracking() {}
void ResumeDragTracking() {}

// The cursor handling reports a window owning the cursor here.
bool CursorOwnerSet() { return false; }

}  // namespace zeb::quickdraw
