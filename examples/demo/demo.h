// What the demo's showcase pieces share: the lines the window shows.
#ifndef ZEB_EXAMPLES_DEMO_H
#define ZEB_EXAMPLES_DEMO_H

void Heading(const char* text);
void Say(const char* format, ...);
// Where the text ends in the frame's client area: panes go below it.
int TextBottom();

#include <windows.h>

#include "Quickdraw.h"

// The application's QuickDraw globals.
extern QDGlobals qd;

// A child pane of the frame, drawn by paint on a white background in the pane's own
// coordinates; each showcase registers its pane under a class name of its own.
using PanePainter = void (*)(HDC dc, const RECT& client);
HWND AddPane(HWND frame, const char* className, PanePainter paint, int x, int y, int width,
             int height);
// Text at (x, y) in the DC's current font and colour.
void Label(HDC dc, int x, int y, const char* text);

// Each piece of the showcase, in a file of its own.
void ShowFileManager();
void ShowResourceManager();
void ShowQuickDrawShowcase(HWND frame);
void ShowUtilities();
void ShowShapesShowcase(HWND frame);

#endif  // ZEB_EXAMPLES_DEMO_H
