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

// The 59 globals in the order of ZEB_GlobalsRec, each with the type of its cell and the
// application record that holds it: QDGlobals (QD) or ZEB_SystemGlobals (SYS).
#define ZEB_TOOLBOX_GLOBALS(X)                                                               \
  X(sfSaveDisk, int16_t, SYS) X(curDirRecord, void*, SYS) X(curDirStore, int32_t, SYS)        \
  X(mainDevice, GDHandle, SYS) X(deviceList, GDHandle, SYS) X(wMgrPort, GrafPtr, SYS)         \
  X(eventQueue, QHdr, SYS) X(mBarHeight, int16_t, SYS) X(memErr, int16_t, SYS)                \
  X(grayRgn, RgnHandle, SYS) X(windowList, void*, SYS) X(thePort, GrafPtr, QD)                \
  X(white, Pattern, QD) X(black, Pattern, QD) X(gray, Pattern, QD) X(ltGray, Pattern, QD)     \
  X(dkGray, Pattern, QD) X(arrow, Cursor, QD) X(screenBits, BitMap, QD)                       \
  X(randSeed, int32_t, QD) X(scrapInfo, ScrapStuff, SYS) X(printErr, int16_t, SYS)            \
  X(ticks, uint32_t, SYS) X(unused24, void*, SYS) X(unused25, void*, SYS)                     \
  X(unused26, void*, SYS) X(unused27, void*, SYS) X(caretTime, int32_t, SYS)                  \
  X(curActivate, void*, SYS) X(hiliteMode, uint8_t, SYS) X(theGDevice, GDHandle, SYS)         \
  X(resErr, int16_t, SYS) X(unused33, int32_t, SYS) X(hiliteRGB, RGBColor, SYS)               \
  X(mbState, uint8_t, SYS) X(unused36, void*, SYS) X(unused37, void*, SYS)                    \
  X(unused38, void*, SYS) X(fractEnable, uint8_t, SYS) X(fontWidthState, int32_t, SYS)        \
  X(theMenu, int16_t, SYS) X(resumeProc, ProcPtr, SYS) X(sysEvtMask, int16_t, SYS)            \
  X(doubleTime, int32_t, SYS) X(theZone, THz, SYS) X(menuList, Handle, SYS)                   \
  X(menuSetting, int16_t, SYS) X(teScrpLength, int32_t, SYS) X(teScrpHandle, Handle, SYS)     \
  X(resLoad, uint8_t, SYS) X(unused51, void*, SYS) X(unused52, void*, SYS)                    \
  X(curDeactive, void*, SYS) X(unused54, void*, SYS) X(teStylScrapSwitch, int16_t, SYS)       \
  X(teStylScrapHandle, Handle, SYS) X(appParmHandle, Handle, SYS)                             \
  X(popUpMenuState1, void*, SYS) X(popUpMenuState2, void*, SYS)

namespace zeb::frame {

struct ToolboxGlobals {
#define ZEB_GLOBAL_CELL_POINTER(name, type, owner) type* name;
  ZEB_TOOLBOX_GLOBALS(ZEB_GLOBAL_CELL_POINTER)
#undef ZEB_GLOBAL_CELL_POINTER
};
static_assert(sizeof(ToolboxGlobals) == 59 * sizeof(void*), "one cell per Toolbox global");

const ToolboxGlobals& Globals();

}  // namespace zeb::frame

#endif  // ZEB_FRAME_TOOLBOX_GLOBALS_H
