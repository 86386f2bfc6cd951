// QuickDraw's own state, shared by its files: the drawing contexts that pair ports with device
// contexts, the open-port list, the screen port and DC, and the drawing options. Other managers
// reach QuickDraw through quickdraw_internal.h only.
#ifndef ZEB_QUICKDRAW_QUICKDRAW_STATE_H
#define ZEB_QUICKDRAW_QUICKDRAW_STATE_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "Quickdraw.h"
#include "quickdraw/colour_rules.h"
#include "quickdraw/coordinate_mapping.h"
#include "quickdraw/line_geometry.h"
#include "quickdraw/transfer_modes.h"

namespace zeb::quickdraw {

constexpr int kContextSlotCount = 256;
// A port's portBits.baseAddr (or its pixel map's) holds its context slot with this bit set: the
// port is drawn on a device, not backed by memory rows.
constexpr uintptr_t kSlotTag = 0x8000;
// The top bit of portVersion (portBits.rowBytes) marks a colour port; 0xC000 is what
// OpenCPort writes.
constexpr uint16_t kColourPortVersion = 0xC000;
constexpr uint16_t kColourPortBit = 0x8000;
// visRgn and clipRgn of a new port: wide open, but inside the region coordinate limits.
constexpr short kWideOpen = 16383;

// Drawing-context flag bits.
enum ContextFlag : uint16_t {
  kCtxTrueTypeFont = 0x1,
  kCtxColourPort = 0x2,
  kCtxOwnsDC = 0x4,
  kCtxSystemFontSubstitution = 0x10,
  kCtxWindowPort = 0x20,      // the window's update region moves with the origin
  kCtxWidthTableText = 0x40,
  kCtxDrawsIntoDIB = 0x80,
  kCtxDoubleByteFont = 0x100,
  kCtxWidthTableSecond = 0x200
};

// Where a context's DC came from decides what closing the port does with it.
enum class DCSource : uint8_t {
  Screen,           // the shared screen DC (the frame window's); acquired and released by SetPort
  Device,           // the current GDevice's DC; never deleted by a port
  Created,          // made for this port (memory DC); deleted when the port closes
  Window,           // GetDC of the port's window; released when the port closes
  Lent,             // handed in by the caller (OpenPortForHDC, a printer); left alone
  OffscreenDriver,  // made by ZEB_OffScreenDC's driver path; kept by its pixel map
};

// Pen flags: bit 0, the GDI pen must be made again; bit 15, the null pen is selected; bit 14,
// the DC does not have the context's pen selected (another pen is, or the DC is fresh).
constexpr uint16_t kPenDirty = 0x1;
constexpr uint16_t kPenNotSelected = 0x4000;
constexpr uint16_t kNullPenSelected = 0x8000;

// What a context's font was made from: when any of it changes, the font is made again.
struct FontKey {
  int16_t font = 0, size = 0;
  uint8_t face = 0;
  bool substitution = false;  // system-font substitution (the screen port, ZEB_DialogFontMode)
  bool screen = false;        // the printer-point option applies off the screen
  int16_t mapNumH = 1, mapDenH = 1, mapNumV = 1, mapDenV = 1;
  int16_t textNumH = 1, textDenH = 1, textNumV = 1, textDenV = 1;
  uint32_t strikeOutOption = 0, printerPointOption = 0;
  uint32_t generation = 0;    // the font list it was looked up in

  bool operator==(const FontKey& o) const {
    return font == o.font && size == o.size && face == o.face &&
           substitution == o.substitution && screen == o.screen && mapNumH == o.mapNumH &&
           mapDenH == o.mapDenH && mapNumV == o.mapNumV && mapDenV == o.mapDenV &&
           textNumH == o.textNumH && textDenH == o.textDenH && textNumV == o.textNumV &&
           textDenV == o.textDenV && strikeOutOption == o.strikeOutOption &&
           printerPointOption == o.printerPointOption && generation == o.generation;
  }
  bool operator!=(const FontKey& o) const { return !(*this == o); }
};

// What GetFontInfo and FontMetrics depend on beyond the font: the option word of
// ZEB_SystemValue 47, width-table mode and the mapping back to local units.
struct FontMeasureKey {
  uint32_t fontSerial = 0;
  uint32_t options = 0;
  bool widthTable = false;
  bool tableConversion = false;  // FontMetrics: codes from 0x80 take their Windows code's width
  int16_t numH = 1, denH = 1, numV = 1, denV = 1;

  bool operator==(const FontMeasureKey& o) const {
    return fontSerial == o.fontSerial && options == o.options && widthTable == o.widthTable &&
           tableConversion == o.tableConversion && numH == o.numH && denH == o.denH &&
           numV == o.numV && denV == o.denV;
  }
};

// Width-table text mode (ZEB_ExtDrawText): the table of Fixed widths (null: the Font
// Manager's width table) and the value kept with it.
struct WidthTableMode {
  uint16_t flags = 0;  // kCtxWidthTableText, kCtxWidthTableSecond
  const Fixed* table = nullptr;
  long positions = 0;
};

// The one-entry brush cache of a black-and-white port.
struct BrushCache {
  HBRUSH brush = nullptr;
  Rgb16 fore{}, back{};
  uint8_t pattern[8] = {};
  uint16_t kind = 0;
};

struct DrawingContext {
  uint16_t flags = 0;
  GrafPtr port = nullptr;
  HWND window = nullptr;  // converts between client and screen coordinates
  HDC dc = nullptr;
  DCSource source = DCSource::Screen;
  CoordinateMapping map;

  // Pen state mapped to the device.
  int16_t penV = 0, penH = 0;
  int16_t penHeight = 1, penWidth = 1;

  // Raster operation and background modes: derived, and what the DC has selected now.
  uint16_t penRop = 13;
  int16_t selectedRop = -1;
  uint16_t penBkMode = 2, textBkMode = 1;
  int16_t selectedBkMode = -1;

  uint16_t penFlags = kPenDirty;
  HPEN pen = nullptr;
  HBRUSH selectedBrush = nullptr;

  Rgb16 foreRgb = kBlackRgb, backRgb = kWhiteRgb;
  uint16_t patternFlags = 0;
  bool unsupportedMode = false;
  bool clipEmpty = false;
  bool clipPending = false;  // the clip could not be selected while the pen was hidden

  COLORREF foreColor = 0, selectedTextColor = CLR_INVALID;
  COLORREF backColor = 0xFFFFFF, selectedBackColor = CLR_INVALID;

  uint16_t penStyle = PS_SOLID;
  int16_t selectedPenStyle = -1;

  uint8_t depthClass = 24;   // 1, 4, 8, 16 or 24
  bool singlePixelPen = false;

  bool penScaling = false;   // printing: pens grow with the printer's resolution
  Fixed penScale = 0x10000;

  int16_t brushAlign = 0;    // patterns are phase-aligned to the port while above 0
  int16_t brushOriginH = 0, brushOriginV = 0;
  bool bandActive = false;   // an offscreen band is drawn into
  int16_t bandOffsetH = 0, bandOffsetV = 0;
  PixPatHandle spare[3] = {};  // background, pen and fill from 8-byte patterns (colour ports)
  // Background, pen and fill pixel patterns that pictures replayed on the port installed; the
  // context owns them, reused by each DrawPicture.
  PixPatHandle replayed[3] = {};
  BrushCache brushCache;

  // ZEB_SwaphDC: the DC lent for the moment and its text alignment before.
  bool swapped = false;
  UINT swappedAlign = 0;
  // Picture recording's LineFrom: the end of the last line.
  Point lastLineEnd{};
  // Text: the font selected for the port (one it made, or a shared standard font), the one it
  // made and deletes, whether the DC has the font selected now, and what it was made from.
  HFONT font = nullptr;
  HFONT ownFont = nullptr;
  bool fontSelected = false;
  bool fontRecreate = true;   // make the font again even if its key is unchanged
  uint32_t fontSerial = 0;    // counts the fonts realised: keys the measure caches
  FontKey fontKey;
  TEXTMETRICA textMetrics{};
  WidthTableMode widthMode, savedWidthMode;
  bool widthModeSaved = false;
  // GetFontInfo's and FontMetrics' last results.
  bool fontInfoValid = false;
  FontMeasureKey fontInfoKey;
  FontInfo fontInfo{};
  bool fontMetricsValid = false;
  FontMeasureKey fontMetricsKey;
  Fixed metrics[4] = {};     // ascent, descent, leading, widMax
  Fixed widths[256] = {};
  // The DC is a memory or printer DC, where PatBlt may stand in for the pen.
  bool patBltDC = false;
  // Mode emulation draws the shape black on white into a mask first; the not- modes draw the
  // pattern's clear bits.
  bool drawingMask = false;
  bool maskInverted = false;
  int32_t maskLeft = 0, maskTop = 0;  // where the mask lies on the device
  // Region recording (OpenRgn): where each sub-polygon begins among the recorded points.
  Handle subPolygons = nullptr;
};

// Indices of the spare pixel patterns.
enum SparePattern { kSpareBack = 0, kSparePen = 1, kSpareFill = 2 };

// Process-wide drawing options.
struct DrawingOptions {
  bool rectForLine = false;        // ZEB_UseRectForLine
  bool fastSolidFills = false;     // PatBlt fills solid rectangles as Rectangle does
  bool fastPatternFills = false;   // ... and patterned ones
  bool fastLineFills = false;      // ... and straight lines as the pen draws them
  bool solidColourBrushes = false; // all-black and all-white patterns become solid brushes
  bool greyDither = false;         // one-bit screens: colours become dither patterns
  bool systemColours = false;      // new colour ports take the Windows colours
  bool dialogColours = false;      // ... with the button face as background
};

// Saved by ZEB_SetWMgrPortDC while an outside DC is lent to the screen port.
struct LentScreenDC {
  GrafPtr savedPort;
  HDC savedScreenDC;
  HWND savedFrame;
  Rect savedPortRect;
  HDC lentDC;
  UINT savedAlign;
  HGDIOBJ savedFont;
  bool savedHeld;
};
constexpr int kLendingDepth = 8;

struct QuickDrawState {
  bool initialised = false;
  DrawingContext* slots[kContextSlotCount] = {};
  int slotsInUse = 0;
  Handle portList = nullptr;  // GrafPtr entries, growing by 20
  int portCount = 0;
  GrafPtr current = nullptr;
  DrawingContext* currentContext = nullptr;

  CGrafPort screenPort{};
  bool screenPortOpen = false;
  HDC screenDC = nullptr;
  HWND screenWindow = nullptr;  // the frame window whose DC is the screen DC
  bool screenDCHeld = false;
  int pixelsPerInchH = 96, pixelsPerInchV = 96;
  short usableHeight = 0;

  HBITMAP patternBitmaps[5] = {};  // white, black, gray, ltGray, dkGray
  HBRUSH nullBrush = nullptr;
  HPEN nullPen = nullptr;

  HRGN rectSentinel = nullptr;  // region field of a rectangle-form region
  HRGN maskSentinel = nullptr;  // region field of a mask-form region
  HRGN scratchGdiRegion = nullptr;
  HRGN operandScratch[2] = {};  // rectangle-form operands of region set operations
  // The box each operand scratch region holds, so that an operand used again is not set again.
  Rect operandScratchBox[2] = {};
  bool operandScratchSet[2] = {};
  RgnHandle scratchRegion = nullptr;
  Ptr scratchSmall = nullptr, scratchLarge = nullptr;
  PixMapHandle scratch8 = nullptr, scratch1 = nullptr;
  PixPatHandle savedPatterns[3] = {};

  // The DC that the next OpenPort takes, handed in by OpenPortForHDC or ZEB_OffScreenDC.
  HDC nextPortDC = nullptr;
  DCSource nextPortSource = DCSource::Lent;

  int lendingDepth = 0;
  LentScreenDC lending[kLendingDepth] = {};

  bool colourPortOpened = false;
  DrawingOptions options;
};

QuickDrawState& State();

// --- Ports and contexts (context_table.cpp, ports.cpp) ---
inline bool IsColourPort(const GrafPort* port) {
  return (static_cast<uint16_t>(port->portBits.rowBytes) & kColourPortBit) != 0;
}
inline CGrafPtr AsColour(GrafPtr port) { return reinterpret_cast<CGrafPtr>(port); }
// The context of an open port; null for anything that is not on the open-port list.
DrawingContext* ContextOf(GrafPtr port);
bool IsOpenPort(GrafPtr port);
// The current port's context (null before InitGraf).
inline DrawingContext* Current() { return State().currentContext; }
inline GrafPtr CurrentPort() { return State().current; }
// Slot claiming and freeing; FreeContext deselects and deletes what the context owns but never
// touches the port record.
DrawingContext* ClaimContext(int* slot);
void FreeContext(int slot);
bool AddToPortList(GrafPtr port);  // false when the list cannot grow
void RemoveFromPortList(GrafPtr port);
void MakeCurrent(GrafPtr port);
// ClosePort: the port's regions, colour records and context go; the screen port becomes
// current if this one was.
void ClosePortAndContext(GrafPtr port);
// Re-reads the device depth of the context's DC: 1, 4, 8, 16 or 24.
uint8_t ClassifyDepth(HDC dc);
// The screen DC, fetched again when it had been released.
void AcquireScreenDC();
void ReleaseScreenDC();

// --- GDI state of a context (dc_state.cpp) ---
// Forgets what the DC has selected, so that everything is selected again before drawing (the
// font too, which is selected again as it is, not made again).
void ResetSelectedState(DrawingContext& ctx);
// Deselects the context's pen, brush and font from its DC (before the DC is released or
// changed).
void DeselectObjects(DrawingContext& ctx);
void SelectRop(DrawingContext& ctx, uint16_t rop2);
void SelectBkMode(DrawingContext& ctx, uint16_t mode);
void SelectTextColour(DrawingContext& ctx, COLORREF c);
void SelectBackColour(DrawingContext& ctx, COLORREF c);
// The GDI pen for the port's pen, made again when its flags say so, and selected.
void SelectPen(DrawingContext& ctx);
void SelectNullPen(DrawingContext& ctx);
// The brush for the pen (or background, fill) pattern, with the DC's colours set for it.
enum class PatternRole : uint8_t { Pen, Back, Fill };
bool SelectPatternBrush(DrawingContext& ctx, PatternRole role);
// Brush origin for brush alignment.
void ApplyBrushOrigin(DrawingContext& ctx);
// Derives the raster operation, background modes and unsupported flag from pnMode and txMode.
void DeriveModes(DrawingContext& ctx);
// The device pen location and size from pnLoc and pnSize.
void MapPen(DrawingContext& ctx);
// A context's DC changed: text alignment, depth, cached state.
void AdoptDC(DrawingContext& ctx, HDC dc);

// --- Colours (colours.cpp) ---
// Sets the context's colours from the port's fgColor/bkColor or RGB fields.
void ApplyPortColours(DrawingContext& ctx, bool force);
void SetForeRgb(DrawingContext& ctx, const Rgb16& rgb);
void SetBackRgb(DrawingContext& ctx, const Rgb16& rgb);
Rgb16 ToRgb16(const RGBColor& c);
RGBColor ToRGBColor(const Rgb16& c);

// --- Patterns (brushes.cpp) ---
// The 8 bytes of a port's pen, background or fill pattern, and the pixel pattern behind it
// (null for a black-and-white port).
void PatternBytes(GrafPtr port, PatternRole role, uint8_t out[8], PixPatHandle* pixPat);
void BuildStandardPatterns();
void DeleteStandardPatterns();
// A brush cached in a pixel pattern is no longer valid (its colours changed).
void InvalidatePixPatBrush(PixPatHandle pp);
void InvalidateContextPixPatBrushes(DrawingContext& ctx);
// Deletes a brush, first deselecting it from every context's DC that has it selected.
void DeleteBrushEverywhere(HBRUSH brush);
void ReleaseBrushCache(DrawingContext& ctx);
bool IsAllBytes(const uint8_t pattern[8], uint8_t value);
// The pen pattern as the context draws it now (inverted while drawing a not- mode's mask).
void PenPatternBytes(const DrawingContext& ctx, uint8_t out[8]);

// --- Pixel patterns and maps (pixel_maps.cpp) ---
PixPatHandle NewPatternRecord(const uint8_t pattern[8]);
void DisposePatternRecord(PixPatHandle pp);
PixMapHandle NewPixMapRecord(CTabHandle table);
void DisposePixMapRecord(PixMapHandle pm, bool disposeTable);
bool IsDIBPixMap(PixMapHandle pm);

// --- Graphics devices (graphics_devices.cpp) ---
HDC DeviceDC(GDHandle device);
void InitDevice(short refNum, long mode, GDHandle gdh);
void DisposeDevice(GDHandle gdh);

// --- Regions (regions.cpp, bitmap_regions.cpp) ---
void OffsetRegion(RgnHandle rgn, short dh, short dv);
// A bit map, a pixel map, or a colour port's pixel map given where a BitMap is expected, as a
// packed DIB of its bounds (rows bottom-up, same bit order); bounds receives the image's
// bounds, (0, 0, 0, 0) and no DIB for an image without pixels. pixmapTooDeepErr when oneBitOnly
// and the map is deeper; cNoMemErr when its rows are not in memory or cannot be converted.
OSErr BitImageToPackedDIB(const BitMap* map, std::vector<uint8_t>& dib, Rect& bounds,
                          bool oneBitOnly);
// The sub-polygon list of region recording is released with its context.
void DisposeSubPolygonList(DrawingContext& ctx);

// --- Polygon and region recording (polygons.cpp) ---
// While rgnSave or polySave collect a shape, MoveT and Move start a new sub-polygon at the
// point (newPolygon true) and LineT and Line add their end point.
void RecordPolygonPoint(GrafPtr port, Point pt, bool newPolygon);

// --- Pixel transfers (copy_bits.cpp) ---
// CopyBits after its bottleneck: the transfer by the kinds of source and destination.
void TransferBits(const BitMap* srcBits, const BitMap* dstBits, const Rect& srcRect,
                  const Rect& dstRect, short mode, RgnHandle maskRgn);
// The same in srcCopy with the pixels as they are (no colourisation by the port's colours), for
// the library's own conversions; QDError tells how it went.
void TransferBitsRaw(const BitMap* srcBits, const BitMap* dstBits, const Rect& srcRect,
                     const Rect& dstRect);
// QDError's cell.
void SetQDError(OSErr err);

// --- Clip (clip.cpp) ---
void ApplyClip(GrafPtr port);
// A local rectangle, and a local GDI region (taken over: moved, or replaced by a scaled copy),
// in the context's device coordinates, an active offscreen band included.
RECT ToDeviceRect(const DrawingContext& ctx, const Rect& r);
HRGN ToDevice(const DrawingContext& ctx, HRGN local);

// --- Lines (lines.cpp) ---
void MovePenTo(GrafPtr port, DrawingContext& ctx, short h, short v);

// --- Mode emulation (mode_emulation.cpp) ---
// Whether the port's mode and colours need the mask; the rule says how it is applied.
bool NeedsMask(const DrawingContext& ctx, EmulationRule* rule);
// Draws through a one-bit mask covering bounds: draw() runs with the context drawing black on
// white into the mask, which is then applied to the port's DC with the port's colours.
void DrawThroughMask(DrawingContext& ctx, const DeviceRect& bounds, const EmulationRule& rule,
                     const std::function<void()>& draw);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_QUICKDRAW_STATE_H
