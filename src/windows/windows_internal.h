// What the Window Manager offers the other managers and the window-procedure glue.
#ifndef ZEB_WINDOWS_WINDOWS_INTERNAL_H
#define ZEB_WINDOWS_WINDOWS_INTERNAL_H

#include <windows.h>

#include <cstdint>

#include "MacWindows.h"

namespace zeb::windows {

// Exit: disposes of every Toolbox window still open, with its Windows window.
void DisposeAllWindows();
// SetOrigin on a window's port: the window's update region moves with the port's coordinates
// by (dh, dv), as visRgn does.
void MoveUpdateRegion(void* windowPort, short dh, short dv);

// The library's own versions of the patchable Window Manager calls: the defaults of their
// slots, which the exported calls run through.
void ZEBAPI LibraryBeginUpdate(WindowPtr w);
void ZEBAPI LibraryEndUpdate(WindowPtr w);
void ZEBAPI LibraryInvalRect(const Rect* r);
void ZEBAPI LibraryInvalRgn(RgnHandle rgn);
WindowPtr ZEBAPI LibraryNewWindow(void* storage, const Rect* bounds, ConstStr255Param title,
                                  Boolean visible, short procID, WindowPtr behind,
                                  Boolean goAway, long refCon);
WindowPtr ZEBAPI LibraryNewCWindow(void* storage, const Rect* bounds, ConstStr255Param title,
                                   Boolean visible, short procID, WindowPtr behind,
                                   Boolean goAway, long refCon);
void ZEBAPI LibraryShowWindow(WindowPtr w);
void ZEBAPI LibraryHideWindow(WindowPtr w);
void ZEBAPI LibrarySelectWindow(WindowPtr w);
WindowPtr ZEBAPI LibraryFrontWindow(void);
void ZEBAPI LibraryCloseWindow(WindowPtr w);

// The one creation routine of every Windows window the library makes (Toolbox windows,
// controls, dialog items, lists): CreateWindowEx, the client edge for "edit" under the 3D look,
// CTL3D32's subclassing on older shells, then the application's creation hook.
HWND CreateLibraryWindow(DWORD exStyle, const char* className, const char* title, DWORD style,
                         int x, int y, int width, int height, HWND parent, HMENU menu,
                         HINSTANCE instance, void* param);

// ---- Window records as the glue reads them ----

// The library's part of a window's data: the public WindowDataRec, then what only the library
// needs. It lives in the relocatable block behind dataHandle.
struct WindowData {
  WindowDataRec rec;
  int16_t procID;       // as stored in windowDefProc, after the variant rounding
  bool colour;          // a colour port (NewCWindow)
  bool ownFrame;        // the library draws the small caption and frame (floating palettes)
  bool titleShown;
  bool systemMenu;      // created with a system menu, restored when it closes
  bool dialogLook;
  HWND grip;            // the 3D size grip, child 23130
};

constexpr uint16_t kProcIDByte = 0x00FF;
constexpr int kSizeGripID = 23130;

// The window's record, when theWindow is a window in the window list.
WindowPeek Listed(WindowPtr theWindow);
WindowData* DataOf(WindowPtr theWindow);
HWND HwndOf(WindowPtr theWindow);
// The Toolbox window that hwnd carries: by its property and extra data, or the window being
// created or closed. Null for any other Windows window.
WindowPtr FromHwnd(HWND hwnd);
WindowPtr ListHead();

// The records the glue sets and the tracking calls consume.
struct Tracking {
  WindowPtr closeChosen = nullptr;  // its close command was chosen
  WindowPtr zoomChosen = nullptr;   // its maximise, minimise or restore command was chosen
  WindowPtr dragged = nullptr;      // being dragged (or clicked to the front)
  WindowPtr frontAtDrag = nullptr;  // in front when the drag began
};
Tracking& Tracks();
// Every record naming the window is cleared.
void ForgetTracking(WindowPtr theWindow);

// Re-entrancy marks that let the glue tell the library's own messages from the user's.
struct Publications {
  WindowPtr creating = nullptr;  // published before its Windows window exists
  HWND creatingHwnd = nullptr;
  WindowPtr closing = nullptr;
  HWND closingHwnd = nullptr;
  int positioning = 0;  // the library is moving or sizing windows itself
  int painting = 0;     // inside the library's own BeginPaint/EndPaint
  bool staleRegions = false;
};
Publications& Published();
bool BeingCreatedOrClosed(HWND hwnd);

// The style new MDI children get: 0 or WS_MAXIMIZE (ZEB_MDIDefaultState).
uint32_t& MDIDefaultMaximise();
// The minimum tracking size given to windows created from now on (ZEB_SetMinWinSize).
POINT MinimumTrackingSize();
// A Toolbox title in the Windows character set, for the window text (capacity bytes).
void TitleToWindowsText(ConstStr255Param title, char* text, size_t capacity);

// The window inside the innermost BeginUpdate, or null.
WindowPtr UpdatingWindow();
// The visible region an enclosing BeginUpdate of the window saved (the innermost), or null
// when no BeginUpdate of it is open.
RgnHandle SavedVisibleRegion(WindowPtr theWindow);
// ZEB_ExitSession, while the Memory Manager still runs: BeginUpdate's saved regions and its
// scratch region are disposed of and its nesting forgotten. Kept past the session, they would
// be handles into a freed heap, and the next session's BeginUpdate would write into whatever
// took their place (a window's data record, whose Windows handle it cleared).
void ReleaseUpdateRegions();
// Moves the activation: A awaits a deactivate event and loses its highlight, B awaits an
// activate event and gains it. Either may be null; nothing happens when they are the same.
void MoveActivation(WindowPtr from, WindowPtr to);
// The window goes to the front of the window list and of the Windows Z order.
void BringWindowToFront(WindowPtr theWindow);
// The structure and content regions from the Windows window, then CalcVis.
void RefreshRegions(WindowPtr theWindow);
// Marks kindFlags' update bit and the Event Manager's update kind, polled at once.
void MarkUpdatePending(WindowPtr theWindow);
// The outer size Windows gives a window of this one's style with the given content size.
SIZE OuterSize(WindowPtr theWindow, int contentWidth, int contentHeight);
// The small caption of floating palettes: the small system font's height plus 2, made odd.
int SmallCaptionHeight(bool shown);
// Borders of a window that draws its own frame.
int OwnFrameBorder(const WindowData& data);
// The default window procedure for hwnd: the MDI child procedure for MDI children, the frame
// procedure for the frame window in MDI mode, DefWindowProc otherwise.
LRESULT DefaultProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Turns a Toolbox title into the window text in the Windows character set.
void SetWindowTextFromTitle(HWND hwnd, ConstStr255Param title);
// The caption-button bitmaps loaded by InitWindows: close, zoom and restore, up and down.
enum CaptionButton { kCloseUp, kCloseDown, kZoomUp, kZoomDown, kRestoreUp, kRestoreDown };
HBITMAP CaptionBitmap(CaptionButton which);
// Deletes the system-menu item at a position only when it is a separator: Windows versions lay
// the menu out differently, and the position may hold a command another version keeps.
void DeleteSystemMenuSeparator(HMENU menu, int position);
// A closing window is no longer tracked by the scroll glue.
void ForgetScrollTracking(WindowPtr theWindow);

}  // namespace zeb::windows

#endif  // ZEB_WINDOWS_WINDOWS_INTERNAL_H
