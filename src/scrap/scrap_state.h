// The Scrap Manager's own state, shared by its calls and its clipboard-viewer glue.
#ifndef ZEB_SCRAP_SCRAP_STATE_H
#define ZEB_SCRAP_SCRAP_STATE_H

#include <windows.h>

#include "ZEB.h"

namespace zeb::scrap {

struct ScrapState {
  ScrapStuff* record = nullptr;  // the application's record, from InitScrapInfo
  // Set while the library itself has the clipboard open and while it closes it: the
  // clipboard-change notification that Windows sends the frame window meanwhile is the
  // library's own doing, not another program's.
  bool ownChange = false;
  HWND viewer = nullptr;      // the window joined to the viewer chain (the frame), or null
  HWND nextViewer = nullptr;  // the viewer that joined before it: notifications go on to it
  // The clipboard's sequence number when the frame joined the chain: a notification that finds
  // it unchanged reports no change (Windows greets each new viewer with one).
  DWORD sequenceAtJoin = 0;
};

ScrapState& State();

// The record the calls keep current: the application's, or the library's own cell before
// ZEB_InitGlobals and after ZEB_ExitSession.
ScrapStuff* Record();

// The application's clipboard procedure, or null when it gave none.
ZEB_ScrapProc Procedure();

// Opens the clipboard for the main frame window.
bool OpenForFrame();
// Closes the clipboard with the re-entrancy flag set.
void CloseAsOwnChange();

// A change to count: size and handle reset, the count raised, the scrap unloaded.
void CountChange(ScrapStuff* record);

}  // namespace zeb::scrap

#endif  // ZEB_SCRAP_SCRAP_STATE_H
