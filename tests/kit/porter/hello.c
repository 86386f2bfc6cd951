/*
 * A classic Toolbox application in C with no Windows code at all: QDGlobals qd, the managers'
 * start-up calls, a window from its resources, an event loop on WaitNextEvent that answers
 * the window's update, and ExitToShell at the end. It writes what it saw to "Hello.report" in
 * the current folder, one line per check, and "done" before it leaves; ExitToShell does not
 * come back.
 */
#include <stdio.h>
#include <string.h>

#include "Events.h"
#include "Fonts.h"
#include "MacWindows.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "SegLoad.h"
#include "TextUtils.h"
#include "ToolUtils.h"
#include "ZEBMain.h"

ZEB_MAIN_SESSION_FLAGS(ZEB_SF_SMALLBLOCKS);
ZEB_MAIN_FRAME_TITLE("Hello, ported");

QDGlobals qd;

static FILE* report;

static void Report(const char* what, int ok) { fprintf(report, "%s %s\n", ok ? "ok" : "FAILED", what); }

static int SameString(StringHandle s, const char* text) {
  size_t n = strlen(text);
  return s && *s && (*s)[0] == n && memcmp(*s + 1, text, n) == 0;
}

int main(void) {
  WindowPtr window;
  EventRecord event;
  long updates = 0, tries;
  char title[64];

  report = fopen("Hello.report", "w");
  if (!report) return 2;
  InitGraf(&qd.thePort);
  InitFonts();
  InitWindows();
  InitCursor();
  FlushEvents(everyEvent, 0);

  Report("the application's resource file beside the program", SameString(GetString(128), "Hello from Hello.RSR"));
  Report("the library's resource file beside the program", GetString(2) != NULL);
  window = GetNewWindow(128, NULL, (WindowPtr)-1L);
  Report("a window from the 'WIND' resource", window != NULL);
  Report("the window is in front", window != NULL && FrontWindow() == window);
  title[0] = '\0';
  GetWindowTextA(ZEB_MainFrameWindow(), title, sizeof title);
  Report("the frame window carries the application's title", strcmp(title, "Hello, ported") == 0);

  for (tries = 0; tries < 400 && updates == 0; ++tries) {
    if (!WaitNextEvent(everyEvent, &event, 1, NULL)) continue;
    if (event.what == updateEvt && (WindowPtr)event.message == window) {
      GrafPtr saved;
      GetPort(&saved);
      SetPort(window);
      BeginUpdate(window);
      PaintRect(&window->portRect);
      EndUpdate(window);
      SetPort(saved);
      ++updates;
    }
  }
  Report("an update event for the window", updates == 1);
  Report("qd.thePort is the application's cell", qd.thePort != NULL);
  DisposeWindow(window);
  UnloadSeg(main);
  fprintf(report, "done\n");
  fflush(report);
  ExitToShell();
  fprintf(report, "FAILED ExitToShell came back\n");
  fclose(report);
  return 0;
}
