// The Toolbox globals: the application's cells bound by ZEB_InitGlobals. Before that call every
// pointer refers to the library's own cell for that global, so a manager may always read and
// write through them.
#ifndef ZEB_FRAME_TOOLBOX_GLOBALS_H
#define ZEB_FRAME_TOOLBOX_GLOBALS_H

#include <cstdint>

#include "MacMemory.h"
#include "OSUtils.h"
#include "Quickdraw.h"
#include "Scrap.h"

// The 59 globals in the order of ZEB_GlobalsRec, each with the type of its cell.
#define ZEB_TOOLBOX_GLOBALS(X)                                                     \
  X(sfSaveDisk, int16_t) X(curDirRecord, void*) X(curDirStore, int32_t)           \
  X(mainDevice, GDHandle) X(deviceList, GDHandle) X(wMgrPort, GrafPtr)            \
  X(eventQueue, QHdr) X(mBarHeight, int16_t) X(memErr, int16_t)                   \
  X(grayRgn, RgnHandle) X(windowList, void*) X(thePort, GrafPtr)                  \
  X(white, Pattern) X(black, Pattern) X(gray, Pattern) X(ltGray, Pattern)         \
  X(dkGray, Pattern) X(arrow, Cursor) X(screenBits, BitMap) X(randSeed, int32_t)  \
  X(scrapInfo, ScrapStuff) X(printErr, int16_t) X(ticks, uint32_t)                \
  X(unused24, void*) X(unused25, void*) X(unused26, void*) X(unused27, void*)     \
  X(caretTime, int32_t) X(curActivate, void*) X(hiliteMode, uint8_t)              \
  X(theGDevice, GDHandle) X(resErr, int16_t) X(unused33, int32_t)                 \
  X(hiliteRGB, RGBColor) X(mbState, uint8_t) X(unused36, void*)                   \
  X(unused37, void*) X(unused38, void*) X(fractEnable, uint8_t)                   \
  X(fontWidthState, int32_t) X(theMenu, int16_t) X(resumeProc, ProcPtr)          \
  X(sysEvtMask, int16_t) X(doubleTime, int32_t) X(theZone, THz)                   \
  X(menuList, Handle) X(menuSetting, int16_t) X(teScrpLength, int32_t)            \
  X(teScrpHandle, Handle) X(resLoad, uint8_t) X(unused51, void*)                  \
  X(unused52, void*) X(curDeactive, void*) X(unused54, void*)                     \
  X(teStylScrapSwitch, int16_t) X(teStylScrapHandle, Handle)                      \
  X(appParmHandle, Handle) X(popUpMenuState1, void*) X(popUpMenuState2, void*)

namespace zeb::frame {

struct ToolboxGlobals {
#define ZEB_GLOBAL_CELL_POINTER(name, type) type* name;
  ZEB_TOOLBOX_GLOBALS(ZEB_GLOBAL_CELL_POINTER)
#undef ZEB_GLOBAL_CELL_POINTER
};
static_assert(sizeof(ToolboxGlobals) == 59 * sizeof(void*), "one cell per Toolbox global");

const ToolboxGlobals& Globals();

}  // namespace zeb::frame

#endif  // ZEB_FRAME_TOOLBOX_GLOBALS_H
