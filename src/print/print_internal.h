// What the Print Manager offers the other managers.
#ifndef ZEB_PRINT_PRINT_INTERNAL_H
#define ZEB_PRINT_PRINT_INTERNAL_H

#include <windows.h>

namespace zeb::print {

// Start-up: the application's hooks for the print and print-setup dialogs (session record
// fields), kept as procedure instances. Exit releases them.
void SetSessionDialogHooks(FARPROC printHook, FARPROC setupHook);
void ReleaseSessionDialogHooks();
FARPROC PrintDialogHook();
FARPROC PrintSetupDialogHook();

// ZEB_InitGlobals: the print status text, string 1026 of the application (at most 127
// characters), shown while a document prints.
void LoadStatusText(HINSTANCE application);
const char* StatusText();

// The printer's device context while a document prints (null otherwise), and whether one
// prints: ZEB_GetCurHDCs hands both to the application.
HDC PrinterDC();
bool Printing();

// Whether port is the printing port of the open document.
bool IsPrintingPort(const void* port);

// StdComment on the printing port: the PostScript comments (kinds 190 to 196) go to a
// PostScript printer as they are, by POSTSCRIPT_PASSTHROUGH, while the picture-comments switch
// (ZEB_SW_PICTCOMMENTS) is on. True when the printer took the comment.
bool PrintingPictureComment(const void* port, short kind, const void* data, long dataBytes);

// The printing port's mapping from its local units to device pixels (72-dpi records scale by
// the printer's resolution): ZEB_EndOffScreen's scaled-print option copies through it. False
// when no document prints.
bool PrintingMapping(int* deviceH, int* localH, int* deviceV, int* localV);

// ZEB_ExitSession: a document still open is aborted, and every printer-information entry
// with its device contexts is freed.
void ReleasePrinting();

}  // namespace zeb::print

#endif  // ZEB_PRINT_PRINT_INTERNAL_H
