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

}  // namespace zeb::print

#endif  // ZEB_PRINT_PRINT_INTERNAL_H
