// The Control Manager's own state, shared by its files and the Dialog Manager's.
#ifndef ZEB_DIALOGS_CONTROL_MANAGER_H
#define ZEB_DIALOGS_CONTROL_MANAGER_H

#include <windows.h>

#include <cstdint>

#include "Controls.h"
#include "MacWindows.h"

namespace zeb::controls {

// The kind codes a standard control keeps in contrlDefProc.
enum Kind : intptr_t {
  kPushButton = 0,
  kCheckBox = 1,
  kRadioButton = 2,
  kPopUpBox = 3,
  kScrollBar = 16,
};

// Controls with a definition procedure carry this in the high byte of their identifier.
constexpr int kDefinitionIdMark = 0xFD;
// contrlHilite of an inactive control.
constexpr uint8_t kInactive = 255;
// contrlAction asking for the definition's own tracking.
constexpr intptr_t kDefinitionAction = -1;

// The standard-control kind (0, 1, 2, 3, 16), or -1 for a control with a definition.
int KindOf(ControlHandle control);
bool Valid(ControlHandle control);
// The control that a native window shows, null for any other window.
ControlHandle FromNative(HWND hwnd);
// The native window's parent: the owner's Windows window.
HWND OwnerHwnd(ControlHandle control);

// Definition procedures: the message goes to the definition with the control's variant.
long CallDefinition(ControlHandle control, short message, long param);

// The library's own pop-up menu definition (procIDs 1008..1023), which contrlDefProc names.
long ZEBAPI PopUpDefinition(short varCode, ControlHandle control, short message, long param);
// Whether the control runs the library's pop-up menu definition; the menu it shows (null when its
// 'MENU' is missing).
bool IsLibraryPopUp(ControlHandle control);
MenuHandle PopUpMenuOf(ControlHandle control);

// The control font (Lists get and set it through these); null means the system font.
HFONT ControlFont();
void SetControlFont(HFONT font);

// Turns a Toolbox title into the native window text (Windows character set, "&" kept).
void TitleToNative(ConstStr255Param title, char* text, size_t capacity);

// A control's rectangle in its native parent's client coordinates.
RECT NativeRect(ControlHandle control, const Rect& r);

// The native window made again on the same record (scroll bar orientation change).
bool CreateNative(ControlHandle control, short procID);

// Session exit and tests: the configured definition IDs and the scroll-bar size.
int ScrollBarWidthSetting();
int ScrollBarHeightSetting();

// The window proc chained by the subclass procedures, by style family.
LRESULT ChainToClass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace zeb::controls

#endif  // ZEB_DIALOGS_CONTROL_MANAGER_H
