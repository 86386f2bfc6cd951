// The print loop: PrOpenDoc, the pages and their bands, PrCloseDoc, the abort procedure and the
// abort dialog, and the error cell they share.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "MacMemory.h"
#include "Printing.h"
#include "Quickdraw.h"
#include "ZEB.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "print/print_internal.h"
#include "print/print_state.h"
#include "print/printer_escapes.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::print {
namespace {

PrintingState g_state;

// Application strings of the print loop (no built-in fallbacks).
constexpr int kStartDocFailedText = 1027;
constexpr int kOutOfDiskText = 1032;
// The abort dialog's controls: Cancel, the status text and the document name.
constexpr int kCancelControl = 2;
constexpr int kStatusControl = 401;
constexpr int kDocumentControl = 402;
// The Windows 3.0 version word: the document and page calls go by escape there.
constexpr uint16_t kWindows30 = 3;
// GETSCALINGFACTOR: a driver that answers it can say whether a band holds graphics.
constexpr int kGetScalingFactor = 14;
// A driver that never ends its bands is given up after this many.
constexpr int kBandLimit = 4096;
constexpr int kToolboxResolution = 72;

struct PortScale {
  int deviceH = 1, localH = 1, deviceV = 1, localV = 1;
} g_scale;

bool ByEscape() { return frame::Version().versionWord == kWindows30 || g_state.banding; }

// The application's own text for a failure, in a box; with print-error reporting off, the
// failure is left to PrError alone, like every other print error box.
void ShowAppString(int id) {
  if (!ReportingOn()) return;
  char text[256];
  if (LoadStringA(frame::AppInstance(), id, text, sizeof text) <= 0) return;
  MessageBoxA(frame::FrameWindow(), text, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

// Page and document calls accept only the open document's own port: nil (what a failed
// PrOpenDoc hands back) or any other port finds nothing to act on.
bool OwnPort(TPPrPort port) {
  return port && g_state.documentOpen && port == g_state.port;
}

GrafPtr AsGrafPtr(TPPrPort port) { return reinterpret_cast<GrafPtr>(&port->gPort); }

void DestroyAbortDialog() {
  PrintingState& s = g_state;
  if (HWND frame = frame::FrameWindow()) EnableWindow(frame, TRUE);
  if (s.abortDialog) {
    ShowWindow(s.abortDialog, SW_HIDE);
    DestroyWindow(s.abortDialog);
  }
  s.abortDialog = nullptr;
}

void ReleaseIdleProc() {
  if (g_state.idleProc) frame::ReleaseCallback(g_state.idleProc);
  g_state.idleProc = nullptr;
}

// Undoes what PrOpenDoc or the document did to the port and the session: the port closed (and
// freed when the library allocated it), the port before the document current again.
void ClosePrintingPort(GrafPtr before) {
  PrintingState& s = g_state;
  if (!s.port) return;
  GrafPtr port = AsGrafPtr(s.port);
  GrafPtr current = nullptr;
  GetPort(&current);
  if (s.colourPort)
    CloseCPort(reinterpret_cast<CGrafPtr>(port));
  else
    ClosePort(port);
  if (s.portAllocated) DisposePtr(reinterpret_cast<Ptr>(s.port));
  s.port = nullptr;
  s.portAllocated = false;
  if ((current == port || current == nullptr) && before && before != port) SetPort(before);
}

GrafPtr g_portBeforeDocument = nullptr;

RECT ToolboxRect(const RECT& device) {
  RECT r;
  r.left = MulDiv(device.left, g_scale.localH, g_scale.deviceH);
  r.right = MulDiv(device.right, g_scale.localH, g_scale.deviceH);
  r.top = MulDiv(device.top, g_scale.localV, g_scale.deviceV);
  r.bottom = MulDiv(device.bottom, g_scale.localV, g_scale.deviceV);
  return r;
}

bool EmptyBand(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

int NextBandChecked(RECT* band) {
  const int r = Escapes().NextBand(g_state.dc, band);
  if (r < 1) {
    SetRectEmpty(band);
    g_state.bandsExhausted = true;
    SetError(iPrBandErr);
    g_state.aborted = true;
  }
  return r;
}

}  // namespace

PrintingState& State() { return g_state; }

void SetError(short error) {
  g_state.error = error;
  if (frame::Globals().printErr) *frame::Globals().printErr = error;
}

HDC PrinterDC() { return g_state.documentOpen ? g_state.dc : nullptr; }
bool Printing() { return g_state.documentOpen; }
bool IsPrintingPort(const void* port) {
  return port && g_state.documentOpen && port == static_cast<const void*>(g_state.port);
}

bool PrintingPictureComment(const void* port, short kind, const void* data, long dataBytes) {
  // Kinds 190 to 196: PostScriptBegin, End, Handle, File, TextIsPostScript, ResourcePS and
  // PSBeginNoSave.
  constexpr short kFirstPostScriptComment = 190, kLastPostScriptComment = 196;
  if (!IsPrintingPort(port) || !g_state.postScript || !frame::Switch(ZEB_SW_PICTCOMMENTS))
    return false;
  if (kind < kFirstPostScriptComment || kind > kLastPostScriptComment) return false;
  if (!data || dataBytes <= 0) return true;
  // POSTSCRIPT_PASSTHROUGH takes a 16-bit count before the bytes.
  if (dataBytes > 0xFFFF - 2) return false;
  char* block = static_cast<char*>(std::malloc(static_cast<size_t>(dataBytes) + 2));
  if (!block) return false;
  const WORD count = static_cast<WORD>(dataBytes);
  std::memcpy(block, &count, 2);
  std::memcpy(block + 2, data, static_cast<size_t>(dataBytes));
  const int r = ExtEscape(g_state.dc, POSTSCRIPT_PASSTHROUGH, static_cast<int>(dataBytes) + 2,
                          block, 0, nullptr);
  std::free(block);
  return r > 0;
}

bool PrintingMapping(int* deviceH, int* localH, int* deviceV, int* localV) {
  if (!g_state.documentOpen) return false;
  if (deviceH) *deviceH = g_scale.deviceH;
  if (localH) *localH = g_scale.localH;
  if (deviceV) *deviceV = g_scale.deviceV;
  if (localV) *localV = g_scale.localV;
  return true;
}

void ReleasePrinting() {
  if (g_state.documentOpen) {
    g_state.aborted = true;
    PrCloseDoc(g_state.port);
  }
  FreePrinterTable();
  g_state.changedDefault = g_state.changedDevices = false;
}

}  // namespace zeb::print

using namespace zeb;
using namespace zeb::print;

extern "C" {

void ZEBAPI PrOpen(void) {
  g_state.aborted = false;
  g_state.errorReported = false;
  SetError(noErr);
}

void ZEBAPI PrClose(void) { SetError(noErr); }

short ZEBAPI PrError(void) { return g_state.aborted ? static_cast<short>(iPrAbort) : g_state.error; }

void ZEBAPI PrSetError(short iErr) {
  SetError(iErr);
  if (iErr != noErr) g_state.aborted = g_state.errorReported = true;
}

TPPrPort ZEBAPI PrOpenDoc(THPrint hPrint, TPPrPort pPrPort, Ptr pIOBuf) {
  (void)pIOBuf;
  PrintingState& s = g_state;
  s.bandCounter = 0;
  s.abortDialog = nullptr;
  s.errorReported = false;
  SetError(iPrAbort);
  TPrint* rec = RecordOf(hPrint);
  if (!rec || s.documentOpen) {
    // Nothing is written into a record too short to be one, and one job prints at a time.
    s.aborted = true;
    return nullptr;
  }
  GetPort(&g_portBeforeDocument);

  DWORD dialogError = 0;
  ValidateRecord(*rec, &dialogError);
  auto takeDC = [&]() -> HDC {
    PrinterEntry* entry = LiveEntryOf(*rec);
    if (!entry) return nullptr;
    auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
    HDC dc = pd ? pd->hDC : nullptr;
    if (pd) pd->hDC = nullptr;  // the job owns it now
    GlobalUnlock(entry->block);
    return dc;
  };
  HDC dc = takeDC();
  if (!dc && !dialogError) {
    MakeDefaultRecord(*rec);
    dc = takeDC();
  }
  bool failed = !dc;

  if (!failed) {
    s.dc = dc;
    if (!pPrPort) {
      pPrPort = reinterpret_cast<TPPrPort>(NewPtrClear(sizeof(TPrPort)));
      s.portAllocated = pPrPort != nullptr;
    } else {
      s.portAllocated = false;
    }
    failed = !pPrPort;
  }
  if (!failed) {
    std::memset(pPrPort, 0, 4);
    pPrPort->fOurPtr = s.portAllocated;
    PrinterEscapes& esc = Escapes();
    s.postScript = rec->prStl.wDev == 0x300;
    const int colours = esc.DeviceCaps(dc, NUMCOLORS);
    // NUMCOLORS is -1 on devices of more than 256 colours: those are colour devices.
    const bool blackAndWhite = colours >= 0 && colours < 3;
    s.colourPort = !blackAndWhite;
    quickdraw::UseDCForNextPort(dc, false);
    GrafPtr port = AsGrafPtr(pPrPort);
    if (s.colourPort)
      OpenCPort(reinterpret_cast<CGrafPtr>(port));
    else
      OpenPort(port);
    s.port = pPrPort;
    failed = quickdraw::PortDC(port) != dc;
    if (!failed) {
      port->portRect = rec->prInfo.rPage;
      RectRgn(port->visRgn, &rec->prInfo.rPage);
      g_scale = PortScale();
      if (frame::SessionFlag(ZEB_SF_PRINT72DPI)) {
        g_scale.deviceH = std::max(1, esc.DeviceCaps(dc, LOGPIXELSX));
        g_scale.deviceV = std::max(1, esc.DeviceCaps(dc, LOGPIXELSY));
        g_scale.localH = g_scale.localV = kToolboxResolution;
        quickdraw::ScalePortToDevice(port, static_cast<short>(g_scale.deviceH), kToolboxResolution,
                                     static_cast<short>(g_scale.deviceV), kToolboxResolution);
      }
      s.dither = blackAndWhite && !s.postScript;
      s.colourReduction = !blackAndWhite && !s.postScript && colours >= 3 && colours <= 255;
      s.banding = frame::Switch(ZEB_SW_BANDING) && (esc.DeviceCaps(dc, RASTERCAPS) & RC_BANDING);
      esc.InstallAbortProc(dc, reinterpret_cast<ABORTPROC>(&Z_AbortProc), ByEscape());
      if (!rec->prJob.pIdleProc) {
        s.abortDialog = CreateDialogParamA(frame::AppInstance(), "AbortDlg", frame::FrameWindow(),
                                           reinterpret_cast<DLGPROC>(&Z_AbortDlg), 0);
        if (s.abortDialog) {
          ShowWindow(s.abortDialog, SW_SHOWNORMAL);
          UpdateWindow(s.abortDialog);
          if (HWND frame = frame::FrameWindow()) EnableWindow(frame, FALSE);
        }
      } else {
        s.idleProc = frame::WrapCallback(rec->prJob.pIdleProc);
      }
      s.pageCounter = 0;
      s.firstPage = rec->prJob.iFstPage > 0 ? rec->prJob.iFstPage : static_cast<int>(iPrPgFst);
      s.lastPage = rec->prJob.iLstPage > 0 ? rec->prJob.iLstPage : static_cast<int>(iPrPgMax);
      s.pageRect = rec->prInfo.rPage;
      s.pageBand = {0, 0, esc.DeviceCaps(dc, HORZRES), esc.DeviceCaps(dc, VERTRES)};
      const char* name = s.documentName;
      char title[256] = "";
      if (!name[0]) {
        if (HWND frame = frame::FrameWindow()) GetWindowTextA(frame, title, sizeof title);
        name = title;
      }
      s.documentOpen = true;
      s.starting = true;
      failed = esc.StartDocument(dc, name, ByEscape()) <= 0;
      s.starting = false;
      if (!failed) SetError(noErr);
    }
  }
  if (failed) {
    // Nothing of the failed start stays behind: the port, the dialog, the frame's state, the
    // idle procedure and the context all go, and the port before is current again.
    s.documentOpen = false;
    DestroyAbortDialog();
    ReleaseIdleProc();
    ClosePrintingPort(g_portBeforeDocument);
    if (s.dc) DeleteDC(s.dc);
    s.dc = nullptr;
    s.postScript = s.dither = s.colourReduction = s.banding = false;
    s.aborted = true;
    SetError(iPrAbort);
    if (!s.errorReported) ShowAppString(kStartDocFailedText);
    s.errorReported = true;
    return nullptr;
  }
  return pPrPort;
}

short ZEBAPI ZEB_PrOpenPageBand(TPPrPort pPrPort, Rect* pPageFrame, Rect* bandRect) {
  (void)pPageFrame;
  PrintingState& s = g_state;
  if (!OwnPort(pPrPort)) {
    SetError(iPrAbort);
    return 0;
  }
  Z_AbortProc(s.dc, 0);
  GrafPtr port = AsGrafPtr(pPrPort);
  const bool first = ++s.bandCounter == 1;
  if (first) {
    if (!s.aborted) SetError(noErr);
    GetPort(&s.savedPort);
    SetPort(port);
    // Each page starts from a fresh drawing state over the printable area.
    InitPort(port);
    port->portRect = s.pageRect;
    RectRgn(port->visRgn, &s.pageRect);
    ClipRect(&s.pageRect);
    const int page = s.pageCounter + 1;
    s.pageOutsideRange = page < s.firstPage || page > s.lastPage;
    s.pageStarted = false;
    s.bandsExhausted = false;
    s.pageResult = 0;
  }
  if (s.aborted) return 0;
  if (s.pageOutsideRange) {
    if (!first) return 0;
    // One pass into nothing: the page's drawing is clipped away.
    Rect nothing = {0, 0, 0, 0};
    ClipRect(&nothing);
    if (bandRect) *bandRect = nothing;
    return 1;
  }
  RECT band{};
  if (!s.banding) {
    if (!first) return 0;
    if (frame::Version().versionWord != kWindows30) {
      s.pageResult = Escapes().StartPageOn(s.dc);
      if (s.pageResult <= 0) {
        s.aborted = true;
        SetError(iPrAbort);
        return 0;
      }
    }
    s.pageStarted = true;
    band = s.pageBand;
  } else {
    if (NextBandChecked(&band) < 1) return 0;
    s.pageStarted = true;
    if (first) {
      BandInfoRecord in{TRUE, TRUE, band}, out{};
      if (frame::Switch(ZEB_SW_BANDINFO)) {
        // Bands of text alone are passed over until one holds graphics.
        Escapes().BandInfo(s.dc, &in, &out);
        for (int n = 0; !out.graphics && !EmptyBand(band) && n < kBandLimit; ++n) {
          if (NextBandChecked(&band) < 1) return 0;
          in.graphicsRect = band;
          out = BandInfoRecord{};
          Escapes().BandInfo(s.dc, &in, &out);
        }
      } else {
        POINT factor{};
        if (Escapes().Query(s.dc, kGetScalingFactor, 0, nullptr, &factor) > 0)
          Escapes().BandInfo(s.dc, &in, &out);
      }
    }
  }
  if (EmptyBand(band)) {
    s.bandsExhausted = s.banding;
    return 0;
  }
  s.band = band;
  s.landscapeBand = (band.right - band.left) > (band.bottom - band.top);
  if (bandRect) {
    const RECT t = ToolboxRect(band);
    bandRect->top = static_cast<short>(t.top);
    bandRect->left = static_cast<short>(t.left);
    bandRect->bottom = static_cast<short>(t.bottom);
    bandRect->right = static_cast<short>(t.right);
  }
  return 1;
}

void ZEBAPI PrOpenPage(TPPrPort pPrPort, Rect* pPageFrame) {
  ZEB_PrOpenPageBand(pPrPort, pPageFrame, nullptr);
}

short ZEBAPI PrClosePage(TPPrPort pPrPort) {
  PrintingState& s = g_state;
  if (!OwnPort(pPrPort)) {
    SetError(iPrAbort);
    return iPrAbort;
  }
  if (s.savedPort) SetPort(s.savedPort);
  s.savedPort = nullptr;
  GdiFlush();
  ++s.pageCounter;
  s.bandCounter = 0;
  if (!s.pageOutsideRange && s.pageStarted) {
    if (s.banding) {
      // The driver takes the page once every band has been asked for. When the page loop has
      // taken the empty band already, another NEXTBAND would start the next page's bands.
      RECT band{};
      for (int n = 0; !s.bandsExhausted && n < kBandLimit; ++n) {
        const int r = Escapes().NextBand(s.dc, &band);
        if (r < 1) {
          s.pageResult = -1;
          break;
        }
        if (EmptyBand(band)) break;
      }
    } else {
      const int r = Escapes().EndPageOn(s.dc, frame::Version().versionWord == kWindows30);
      s.pageResult = r > 0 ? 0 : -1;
    }
  }
  s.pageStarted = false;
  if (s.error != noErr) return s.error;
  if (s.pageResult >= 0 && !s.aborted) return static_cast<short>(s.pageResult);
  SetError(iPrAbort);
  return iPrAbort;
}

void ZEBAPI PrCloseDoc(TPPrPort pPrPort) {
  PrintingState& s = g_state;
  if (!OwnPort(pPrPort)) {
    SetError(iPrAbort);
    return;
  }
  const bool byEscape = ByEscape();
  s.postScript = s.dither = s.colourReduction = false;
  if (s.aborted || s.error != noErr) {
    // A job that failed on its way is not handed to the spooler as complete.
    Escapes().AbortDocument(s.dc, byEscape);
  } else if (Escapes().EndDocument(s.dc, byEscape) <= 0) {
    SetError(iPrAbort);
  }
  s.banding = false;
  s.documentOpen = false;
  DestroyAbortDialog();
  ReleaseIdleProc();
  ClosePrintingPort(g_portBeforeDocument);
  if (s.dc) DeleteDC(s.dc);
  s.dc = nullptr;
  s.collateCopies = 1;
  if (HWND frame = frame::FrameWindow()) SetFocus(frame);
}

BOOL ZEBAPI Z_AbortProc(HDC hdc, int code) {
  (void)hdc;
  PrintingState& s = g_state;
  if (code == SP_OUTOFDISK) {
    ShowAppString(kOutOfDiskText);
    s.aborted = true;
    return FALSE;
  }
  if (s.abortDialog) {
    MSG msg;
    while (!s.aborted && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // left for the application's loop
        break;
      }
      if (IsDialogMessageA(s.abortDialog, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  } else if (s.idleProc) {
    s.idleProc();
    // The driver calls this from StartDoc too, while the error cell still holds the 128 that
    // PrOpenDoc keeps until the document has started: that is no request to stop. An idle
    // procedure's own PrSetError marks the abort in any case.
    if (!s.starting && PrError() == iPrAbort) s.aborted = true;
  }
  return s.aborted ? FALSE : TRUE;
}

INT_PTR ZEBAPI Z_AbortDlg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)wParam;
  (void)lParam;
  if (message == WM_INITDIALOG) {
    SetDlgItemTextA(hwnd, kDocumentControl, g_state.documentName);
    if (StatusText()[0]) SetDlgItemTextA(hwnd, kStatusControl, StatusText());
    // Centred across the MDI client (or the frame), just below its top edge.
    HWND over = frame::Session().mdiClient ? frame::Session().mdiClient : frame::FrameWindow();
    RECT area, box;
    if (over && GetWindowRect(over, &area) && GetWindowRect(hwnd, &box)) {
      const int w = box.right - box.left;
      const int x = area.left + ((area.right - area.left) - w) / 2;
      const int y = area.top + GetSystemMetrics(SM_CYCAPTION);
      SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Focus set here stays on Cancel: the dialog manager is told so by the 0 answer.
    SetFocus(GetDlgItem(hwnd, kCancelControl));
    return 0;
  }
  if (message == WM_COMMAND) {
    g_state.aborted = g_state.errorReported = true;
    return 1;
  }
  return 0;
}

void ZEBAPI ZEB_SetPrintFileName(ConstStr255Param name) {
  if (!name || name[0] == 0) return;
  std::memcpy(g_state.documentName, name + 1, name[0]);
  g_state.documentName[name[0]] = '\0';
}

short ZEBAPI ZEB_GetCollateCopies(void) { return g_state.collateCopies; }

short ZEBAPI ZEB_BandInfo(short flags, short* outFlags) {
  if (outFlags) *outFlags = 0;
  if (!g_state.documentOpen || !g_state.dc) return 0;
  BandInfoRecord in{(flags & ZEB_BAND_GRAPHICS) ? TRUE : FALSE, (flags & ZEB_BAND_TEXT) ? TRUE : FALSE,
                    g_state.band};
  BandInfoRecord out{};
  const int r = Escapes().BandInfo(g_state.dc, &in, &out);
  if (outFlags)
    *outFlags = static_cast<short>((out.graphics ? ZEB_BAND_GRAPHICS : 0) | (out.text ? ZEB_BAND_TEXT : 0));
  return static_cast<short>(r);
}

void ZEBAPI ZEB_AbortToTop(void) {
  if (!g_state.abortDialog) return;
  SetWindowPos(g_state.abortDialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetFocus(GetDlgItem(g_state.abortDialog, kCancelControl));
}

void ZEBAPI ZEB_GetWinPrintInfo(THPrint hPrint, HDC* outDC, long* outInfo) {
  TPrint* rec = RecordOf(hPrint);
  if (outInfo) *outInfo = 0;
  if (outInfo && rec) {
    g_state.pageCounter = 0;
    g_state.firstPage = rec->prJob.iFstPage > 0 ? rec->prJob.iFstPage : static_cast<int>(iPrPgFst);
    g_state.lastPage = rec->prJob.iLstPage > 0 ? rec->prJob.iLstPage : static_cast<int>(iPrPgMax);
    DWORD error = 0;
    ValidateRecord(*rec, &error);
    if (LiveEntryOf(*rec)) *outInfo = static_cast<long>(ReadPrivate(*rec, kPxReference));
  }
  if (!outDC) return;
  *outDC = nullptr;
  if (g_state.documentOpen) {
    *outDC = g_state.dc;
  } else if (PrinterEntry* entry = rec ? LiveEntryOf(*rec) : nullptr) {
    auto* pd = static_cast<PRINTDLGA*>(GlobalLock(entry->block));
    if (pd) *outDC = pd->hDC ? pd->hDC : entry->infoContext;
    GlobalUnlock(entry->block);
  }
}

}  // extern "C"
