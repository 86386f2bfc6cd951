// What QuickDraw offers the other managers.
#ifndef ZEB_QUICKDRAW_QUICKDRAW_INTERNAL_H
#define ZEB_QUICKDRAW_QUICKDRAW_INTERNAL_H

#include <windows.h>

#include <cstdint>

#include "MacTypes.h"
#include "Quickdraw.h"

namespace zeb::quickdraw {

// The session's standard fonts, made at start-up in a device context of the frame window.
// Text calls know them by their roles: the measuring font is the dialog font of font number -2,
// dialog the small system font, smallDialog the small dialog font.
struct StandardFonts {
  HFONT measuring = nullptr;       // measures menus and controls; may be a stock font
  bool measuringIsStock = false;
  TEXTMETRICA measuringMetrics{};
  int lineHeight = 0;              // character height plus half the internal leading, rounded up
  HFONT system = nullptr;          // "ZEB_System", at most the measuring font's height
  HFONT dialog = nullptr;          // the dialog items' font
  HFONT smallDialog = nullptr;     // "ZEB_System" at height -10: dialog text below 10 points
  HFONT mono = nullptr;            // "ZEB_Mono" at height -10
  HFONT smallMono = nullptr;       // "ZEB_Mono" at height -8
  bool fontFileAdded = false;      // ZEBFONT.FON was added and must be removed at exit
  char fontFilePath[256] = "";

  // The system has a dialog font of its own (the measuring font is not a stock font): font
  // number -3 is then the measuring font too.
  bool DialogFontOption() const { return measuring && !measuringIsStock; }
};

// Creates the six fonts, then reads the font map and builds the font list; deleting them also
// removes ZEBFONT.FON when it was added, and frees the font list.
void CreateStandardFonts(HWND frameWindow);
void DeleteStandardFonts();
const StandardFonts& Fonts();

// Exit: the screen port, every drawing context, the global patterns and brushes, the main
// device and QuickDraw's scratch storage are disposed of.
void DisposeQuickDrawState();
// Start-up: the colour picker's shared description.
void InitColorDialog();
// ZEB_SetFlags switch ZEB_SW_SINGLEPIXELPEN changed: the current port's drawing context draws
// one-pixel pens from now on (or no longer) and selects its pen again.
void SinglePixelPenSwitchChanged(bool on);
// Cursor resources ('CURS', or 'crsr' when colour) as the Resource Manager loads and writes
// them: converted between the disk and native forms, with the host cursor built on the way in
// (toNative) and released when the resource is released.
void ConvertCursorResource(Handle h, bool colour, bool toNative);
void ReleaseResourceCursor(Handle h);
// InitResources: the built-in cursors that GetCursor returns for IDs 0 to 4. Exit releases them
// with every converted cursor. Both may be called more than once.
void SetUpStandardCursors();
void ReleaseCursors();
// GetCursor of IDs 0 to 4 (arrow, I-beam, cross, plus, watch): the built-in cursor handles;
// null for any other ID, which is a 'CURS' resource.
CursHandle StandardCursor(short id);
// The Windows cursor that SetCursor last chose, for the frame's WM_SETCURSOR handling.
HCURSOR CurrentHostCursor();
// A mouse movement ends ObscureCursor's hiding.
void RevealObscuredCursor();
// CountResources of 'FONT' and 'sfnt': the font list's faces that are not TrueType, and those
// that are.
short FontResourceCount(bool outline);
// The font list in display-name order, for menus of fonts: each call gives the next record's
// display name (64 bytes) and first Toolbox font number; false after the last record, or once
// the list has been built again since the cursor started.
struct FontListCursor {
  const void* record = nullptr;
  uint32_t generation = 0;
  bool started = false;
};
bool NextFont(FontListCursor& cursor, char displayName[64], short* number);

// Menu items' colour icons, drawn on a menu's DC outside any port: the size of the 'cicn' id,
// and the icon drawn at (x, y) at that size where its mask is set. Both false when there is no
// such 'cicn' or it does not hold together (the item then takes its 'ICON').
bool ColourIconResourceSize(short id, SIZE* size);
bool DrawColourIconResource(HDC dc, int x, int y, short id);
// ZEB_SystemValue 21 and 22: a screen value of QuickDraw and the palette state.
uint32_t ScreenValue();
uint32_t PaletteState();

// The library's own SetOrigin, InitCursor, SetCursor and EraseRect: the defaults of their
// patchable slots, which the exported calls run through.
void ZEBAPI LibrarySetOrigin(short h, short v);
void ZEBAPI LibraryInitCursor(void);
void ZEBAPI LibrarySetCursor(const Cursor* crsr);
void ZEBAPI LibraryEraseRect(const Rect* r);

// Windows: a window's port draws on the window's own DC (released when the port closes); its
// origin starts at portRect.topLeft and its update region moves with SetOrigin.
void BindPortToWindow(GrafPtr port, HWND hwnd);
// Regions and Windows update areas: a new GDI region of the region's shape in its own
// coordinates (the caller deletes it; null for a handle that is no region), and a region that
// takes a copy of a GDI region's shape.
HRGN NewGdiRegionFromRgn(RgnHandle rgn);
void SetRgnFromGdi(RgnHandle rgn, HRGN shape);
// The desktop regions of the MDI client and the frame window, which the window refresh brings
// up to date before the windows' own regions.
void RecomputeDesktopRegions();
// The palette current now, as windows record it in their extra data at creation (0 for none).
uint32_t CurrentPaletteValue();

// The DC an open port draws on (null for a port that is not open).
HDC PortDC(GrafPtr port);
// The next OpenPort or OpenCPort draws on dc: owned, the port deletes it when it closes;
// otherwise it stays the caller's (printing, offscreen worlds).
void UseDCForNextPort(HDC dc, bool owned);
// A printing port of a 72-dpi print record: local units scale to device pixels by
// deviceH/localH and deviceV/localV (the printer's resolution over 72), pens included.
void ScalePortToDevice(GrafPtr port, short deviceH, short localH, short deviceV, short localV);

// ---- Cursor and drag-feedback tracking, as the Event Manager's input reaches them ----
// The pump hands every mouse message to an active drag-feedback tracking mode first.
void DragTrackingSeesMouse(const MSG& msg);
// Whether a drag-feedback tracking mode is active: mouse events then carry modifier 0x40.
bool DragTrackingActive();
// ZEB_VBL_Interrupt's step of the active tracking.
void RunDragTracking();
// Application switch: a tracking of the third kind is suspended on deactivation, resumed on
// activation.
void SuspendDragTracking();
void ResumeDragTracking();
// Whether some window owns the cursor (the Toolbox cursor is kept over it).
bool CursorOwnerSet();
// The library's palette realised in the background (application deactivated) or in the
// foreground (activated).
void RealisePaletteInBackground();
void RealisePaletteInForeground();

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_QUICKDRAW_INTERNAL_H
