// InitGDevice, MakeITable and GetColor: a device filled again, the inverse table that maps a
// colour to its nearest entry of a colour table, and the colour dialog.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "Errors.h"
#include "Picker.h"
#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "memory/memory_internal.h"
#include "quickdraw/pixel_engine.h"
#include "quickdraw/quickdraw_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

// Inverse tables resolve 3 to 5 bits of each component; 4 is the Toolbox's preference.
constexpr short kDefaultResolution = 4;
constexpr short kLowestResolution = 3, kHighestResolution = 5;
constexpr long kITableHeader = 6;  // iTabSeed (4), iTabRes (2)

// The colour dialog's sixteen custom colours, kept from one GetColor to the next.
COLORREF g_customColours[16];

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* cc = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    const auto* prompt = reinterpret_cast<const unsigned char*>(cc->lCustData);
    if (prompt && prompt[0]) {
      char title[256];
      std::memcpy(title, prompt + 1, prompt[0]);
      title[prompt[0]] = 0;
      SetWindowTextA(dialog, title);
    }
  }
  return 0;
}

}  // namespace

void InitColorDialog() {
  for (COLORREF& c : g_customColours) c = RGB(255, 255, 255);
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

// The device filled again for refNum and mode; an offscreen device's memory DC (and the bitmap
// in it) made by an earlier fill is deleted first, so that filling twice leaks nothing.
void ZEBAPI InitGDevice(short qdRefNum, long mode, GDHandle gdh) {
  if (!gdh || !*gdh) return;
  if ((*gdh)->gdRefNum < 0) {
    if (HDC old = DeviceDC(gdh)) {
      HGDIOBJ bitmap = GetCurrentObject(old, OBJ_BITMAP);
      DeleteDC(old);
      if (bitmap) DeleteObject(bitmap);
    }
    (*gdh)->gdReserved = 0;
  }
  InitDevice(qdRefNum, mode, gdh);
}

void ZEBAPI MakeITable(CTabHandle cTabH, ITabHandle iTabH, short res) {
  SetQDError(noErr);
  GDHandle device = *frame::Globals().theGDevice;
  if (res == 0) res = device && *device && (*device)->gdResPref ? (*device)->gdResPref : kDefaultResolution;
  if (res < kLowestResolution || res > kHighestResolution) {
    SetQDError(paramErr);
    return;
  }
  if (!cTabH && device && *device && (*device)->gdPMap && *(*device)->gdPMap)
    cTabH = (*(*device)->gdPMap)->pmTable;
  const long tableBytes = memory::LiveHandleSize(reinterpret_cast<Handle>(cTabH));
  if (tableBytes < 16) {
    SetQDError(paramErr);
    return;
  }
  // The entries the table's handle holds, however large ctSize claims.
  std::vector<Rgb16> entries;
  const int count = std::min<int>((*cTabH)->ctSize + 1, static_cast<int>((tableBytes - 8) / 8));
  for (int i = 0; i < count; ++i) entries.push_back(ToRgb16((*cTabH)->ctTable[i].rgb));
  if (entries.empty()) {
    SetQDError(paramErr);
    return;
  }
  const long cells = 1L << (3 * res);
  Handle table = reinterpret_cast<Handle>(iTabH);
  if (!table && device && *device) table = (*device)->gdITable;
  const bool made = !table;
  if (made) table = NewHandle(kITableHeader + cells);
  else if (memory::LiveHandleSize(table) < kITableHeader + cells) SetHandleSize(table, kITableHeader + cells);
  if (!table || memory::LiveHandleSize(table) < kITableHeader + cells) {
    if (made && table) DisposeHandle(table);
    SetQDError(memFullErr);
    return;
  }
  ITab& it = **reinterpret_cast<ITabHandle>(table);
  it.iTabSeed = (*cTabH)->ctSeed;
  it.iTabRes = res;
  // Cell (r, g, b) holds the entry nearest the colour at the cell's levels, red most significant.
  const int levels = 1 << res;
  for (int r = 0; r < levels; ++r)
    for (int g = 0; g < levels; ++g)
      for (int b = 0; b < levels; ++b) {
        const Rgb16 c{static_cast<uint16_t>(r * 65535 / (levels - 1)),
                      static_cast<uint16_t>(g * 65535 / (levels - 1)),
                      static_cast<uint16_t>(b * 65535 / (levels - 1))};
        const int32_t nearest = NearestTableEntry(entries.data(), static_cast<int32_t>(entries.size()), c);
        const int32_t value = (*cTabH)->ctTable[nearest].value;
        it.iTTable[(r << (2 * res)) | (g << res) | b] =
            static_cast<unsigned char>((value >= 0 && value < 256) ? value : nearest);
      }
  if (made && device && *device && !iTabH) (*device)->gdITable = table;
}

// Windows' colour dialog, titled with the prompt, starting at inColor; on OK outColor takes the
// choice (each 8-bit component c as c * 257). The frame window is the dialog's owner, so the
// application's windows are disabled while it is up; the focus returns where it was.
Boolean ZEBAPI GetColor(Point where, ConstStr255Param prompt, const RGBColor* inColor,
                        RGBColor* outColor) {
  (void)where;  // Windows places its dialog itself
  if (!inColor || !outColor) return false;
  HWND focus = GetFocus();
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = frame::FrameWindow();
  cc.rgbResult = RGB(inColor->red >> 8, inColor->green >> 8, inColor->blue >> 8);
  cc.lpCustColors = g_customColours;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
  cc.lpfnHook = ColourDialogHook;
  cc.lCustData = reinterpret_cast<LPARAM>(prompt);
  const BOOL chosen = ChooseColorA(&cc);
  if (focus && IsWindow(focus)) SetFocus(focus);
  if (!chosen) return false;
  outColor->red = static_cast<unsigned short>(GetRValue(cc.rgbResult) * 257);
  outColor->green = static_cast<unsigned short>(GetGValue(cc.rgbResult) * 257);
  outColor->blue = static_cast<unsigned short>(GetBValue(cc.rgbResult) * 257);
  return true;
}

}  // extern "C"
