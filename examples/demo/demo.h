// What the demo's showcase pieces share: the lines the window shows.
#ifndef ZEB_EXAMPLES_DEMO_H
#define ZEB_EXAMPLES_DEMO_H

void Heading(const char* text);
void Say(const char* format, ...);
// Where the text ends in the frame's client area: panes go below it.
int TextBottom();

#include <windows.h>

// Each piece of the showcase, in a file of its own.
void ShowFileManager();
void ShowResourceManager();
void ShowQuickDrawShowcase(HWND frame);
void ShowUtilities();
void ShowShapesShowcase(HWND frame);

#endif  // ZEB_EXAMPLES_DEMO_H
