// What the demo's showcase pieces share: the lines the window shows.
#ifndef ZEB_EXAMPLES_DEMO_H
#define ZEB_EXAMPLES_DEMO_H

void Heading(const char* text);
void Say(const char* format, ...);
// Where the text ends in the frame's client area: panes go below it.
int TextBottom();

#include <windows.h>

#include "Events.h"
#include "MacWindows.h"
#include "Quickdraw.h"

// The application's QuickDraw globals.
extern QDGlobals qd;

// A Toolbox window (colour port) whose content is drawn by paint into the window's port, inside
// BeginUpdate and EndUpdate, whenever ZEB_CheckUpdateRgn finds an update pending. The content
// goes at (x, y) of the frame's client area; the title is in the Macintosh character set.
using PanePainter = void (*)(HDC dc, const RECT& client);
WindowPtr AddToolboxWindow(const unsigned char* title, short procID, PanePainter paint, int x,
                           int y, int width, int height, bool goAway = true);
// Text at (x, y) in the DC's current font and colour.
void Label(HDC dc, int x, int y, const char* text);

// The application's extension table for ZEB_Set_MacWin (files.cpp).
void* DemoFileTypes();

// Each piece of the showcase, in a file of its own.
void ShowFileManager();
void ShowResourceManager();
void ShowQuickDrawShowcase(HWND frame);
void ShowUtilities();
// The scrap piece (scrap.cpp) and the demo's clipboard procedure.
void ShowScrap();
long WINAPI DemoScrapProc(long operation, long format, HDC dc, Handle destination,
                          ResType scrapType, void* data, void* resultBlock);
WindowPtr ShowShapesShowcase(HWND frame);
// The shapes pane's grid, recorded once as a picture, drawn into dst; its frame.
extern const Rect kShapeGridFrame;
void DrawShapeGridPicture(const Rect& dst);
// Pictures: the shape grid drawn back at half size and a 'PICT' from demo.RSR (pictures.cpp).
void ShowPicturesShowcase(int x, int y);
// Started to print ("/p"): the shapes go to the default printer.
void PrintShapesWhenAsked();
void ShowWindowsShowcase(HWND frame, WindowPtr front);
// The Dialog and Control Managers' page: a modeless dialog, a scrolling window and an alert
// (dialogs.cpp); its events go to the dialog first.
void ShowDialogShowcase(HWND frame);
bool HandleDialogEvent(const EventRecord& e);
// A window with two lists at (x, y) of the frame's client area.
void ShowListsShowcase(int x, int y);
// The colour window (images, a GWorld, table ramps, ScrollRect, icons) at x, y.
void ShowColourShowcase(int x, int y);
// TextEdit's line, and its window at (x, y) of the frame's client area (textedit.cpp).
void ShowTextEdit();
void ShowTextEditWindow(int x, int y);
// The text showcase's window, made hidden.
HWND CreateTextShowcase(HINSTANCE instance);
// The event loop (event_loop.cpp): the log window, the classic dispatch of one event, and the
// runner's script of real input.
WindowPtr CreateEventLog(int x, int y);
// The Toolbox menu bar from 'MBAR' 128 and a Font menu; choices are logged and act.
void ShowMenuBar(HWND frame);
void HandleEvent(const EventRecord& e);
void StartInputScript(WindowPtr backWindow);
void RunInputScript();
bool InputScriptDone();
// An update event's drawing: the window's painter inside BeginUpdate and EndUpdate.
void DrawWindowContent(WindowPtr w);
// A showcase window has painted: the first paint of each window is reported to the demo's
// runner through the ready files.
void NotifyPainted(HWND hwnd);

#endif  // ZEB_EXAMPLES_DEMO_H
