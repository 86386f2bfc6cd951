// PrGeneral: the printer's resolutions, the draft-bits switch and the page's rotation.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "Printing.h"
#include "ZEB.h"
#include "frame/frame_internal.h"
#include "print/print_state.h"
#include "print/printer_escapes.h"

namespace zeb::print {
namespace {

constexpr int kMaxResolutions = 27;  // the room of TGetRslBlk's table
constexpr WORD kEnumResolutions = 13;  // DC_ENUMRESOLUTIONS

// The printer of the current entry (the default printer's when no record has chosen one):
// its device-names block and device mode, copied.
struct PrinterNames {
  std::string driver, device, port;
  std::vector<char> mode;
};

bool CurrentPrinter(PrinterNames* out) {
  PrinterEntry* entry = CurrentEntry();
  TPrint scratch{};
  if (!entry) {
    if (MakeDefaultRecord(scratch)) return false;
    entry = CurrentEntry();
    if (!entry) return false;
  }
  auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
  bool ok = false;
  if (pd && pd->hDevNames) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd->hDevNames));
    if (names) {
      const char* base = reinterpret_cast<const char*>(names);
      out->driver = base + names->wDriverOffset;
      out->device = base + names->wDeviceOffset;
      out->port = base + names->wOutputOffset;
      ok = true;
    }
    GlobalUnlock(pd->hDevNames);
    if (pd->hDevMode) {
      const SIZE_T size = GlobalSize(pd->hDevMode);
      const void* mode = GlobalLock(pd->hDevMode);
      if (mode && size > 0) {
        out->mode.assign(static_cast<const char*>(mode), static_cast<const char*>(mode) + size);
      }
      GlobalUnlock(pd->hDevMode);
    }
  }
  if (entry->block) GlobalUnlock(entry->block);
  return ok;
}

void GetResolutions(TGetRslBlk* block) {
  block->iError = opNotImpl;
  std::memset(block->rgRslRec, 0, sizeof block->rgRslRec);
  PrinterNames printer;
  if (!CurrentPrinter(&printer)) return;
  const DEVMODEA* mode =
      printer.mode.size() >= offsetof(DEVMODEA, dmFields)
          ? reinterpret_cast<const DEVMODEA*>(printer.mode.data()) : nullptr;
  PrinterEscapes& esc = Escapes();
  const long count = esc.DriverCapabilities(printer.driver.c_str(), printer.device.c_str(),
                                            printer.port.c_str(), kEnumResolutions, nullptr, mode);
  if (count <= 0 || count >= 0x10000) return;
  // The driver writes every pair it has: the buffer is sized for its count, and only the
  // first 27 go into the block.
  std::vector<LONG> pairs(static_cast<size_t>(count) * 2);
  const long got = esc.DriverCapabilities(printer.driver.c_str(), printer.device.c_str(),
                                          printer.port.c_str(), kEnumResolutions,
                                          reinterpret_cast<char*>(pairs.data()), mode);
  const long stored = std::min<long>({got, count, kMaxResolutions});
  if (stored <= 0) return;
  block->iError = noErr;
  block->lReserved = 0;
  block->iRgType = mode ? static_cast<short>(mode->dmDriverVersion) : 0;
  block->xRslRg = {32767, 0};
  block->yRslRg = {32767, 0};
  for (long i = 0; i < stored; ++i) {
    const short x = static_cast<short>(std::max<LONG>(0, std::min<LONG>(32767, pairs[i * 2])));
    const short y = static_cast<short>(std::max<LONG>(0, std::min<LONG>(32767, pairs[i * 2 + 1])));
    block->rgRslRec[i] = {x, y};
    block->xRslRg.iMin = std::min(block->xRslRg.iMin, x);
    block->xRslRg.iMax = std::max(block->xRslRg.iMax, x);
    block->yRslRg.iMin = std::min(block->yRslRg.iMin, y);
    block->yRslRg.iMax = std::max(block->yRslRg.iMax, y);
  }
  block->iRslRecCnt = static_cast<short>(stored);
}

}  // namespace
}  // namespace zeb::print

using namespace zeb;
using namespace zeb::print;

extern "C" void ZEBAPI PrGeneral(Ptr pData) {
  if (!pData) return;
  auto* gnl = reinterpret_cast<TGnlData*>(pData);
  switch (gnl->iOpCode) {
    case getRslDataOp:
      GetResolutions(reinterpret_cast<TGetRslBlk*>(pData));
      break;
    case setRslOp:
      gnl->iError = opNotImpl;
      break;
    case draftBitsOp:
      ZEB_SetFlags(0, 0, ZEB_SW_BANDING, ZEB_SW_BANDING);
      gnl->iError = noErr;
      break;
    case noDraftBitsOp:
      ZEB_SetFlags(0, 0, ZEB_SW_BANDING, 0);
      gnl->iError = noErr;
      break;
    case getRotnOp: {
      auto* rotn = reinterpret_cast<TGetRotnBlk*>(pData);
      const PrintingState& s = State();
      bool landscape = false;
      if (s.banding) {
        landscape = s.landscapeBand != 0;
      } else if (TPrint* rec = RecordOf(rotn->hPrint)) {
        landscape = ReadPrivate(*rec, kPxOrientation) == DMORIENT_LANDSCAPE;
      }
      rotn->fLandscape = landscape ? 1 : 0;
      gnl->iError = noErr;
      break;
    }
    default:
      break;  // not an operation of this library: the block stays as it is
  }
}
