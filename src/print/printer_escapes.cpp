// The printer-driver layer: every document, page and band call and every escape goes here.
#include "print/printer_escapes.h"

#include <cstring>

namespace zeb::print {
namespace {

// Escape numbers of the Windows printer escapes.
constexpr int kNewFrame = 1;
constexpr int kAbortDoc = 2;
constexpr int kNextBand = 3;
constexpr int kSetAbortProc = 9;
constexpr int kStartDoc = 10;
constexpr int kEndDoc = 11;
constexpr int kBandInfo = 24;

PrinterEscapes g_driverEscapes;
PrinterEscapes* g_escapes = &g_driverEscapes;

}  // namespace

int PrinterEscapes::StartDocument(HDC dc, const char* name, bool byEscape) {
  if (byEscape) {
    const int length = static_cast<int>(std::strlen(name));
    return Escape(dc, kStartDoc, length, name, nullptr);
  }
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = name;
  return StartDocA(dc, &info);
}

int PrinterEscapes::EndDocument(HDC dc, bool byEscape) {
  return byEscape ? Escape(dc, kEndDoc, 0, nullptr, nullptr) : EndDoc(dc);
}

int PrinterEscapes::AbortDocument(HDC dc, bool byEscape) {
  return byEscape ? Escape(dc, kAbortDoc, 0, nullptr, nullptr) : AbortDoc(dc);
}

int PrinterEscapes::StartPageOn(HDC dc) { return StartPage(dc); }

int PrinterEscapes::EndPageOn(HDC dc, bool byEscape) {
  return byEscape ? Escape(dc, kNewFrame, 0, nullptr, nullptr) : EndPage(dc);
}

int PrinterEscapes::NextBand(HDC dc, RECT* band) {
  return Escape(dc, kNextBand, 0, nullptr, band);
}

int PrinterEscapes::BandInfo(HDC dc, const BandInfoRecord* in, BandInfoRecord* out) {
  return Escape(dc, kBandInfo, sizeof *in, reinterpret_cast<LPCSTR>(in), out);
}

int PrinterEscapes::InstallAbortProc(HDC dc, ABORTPROC proc, bool byEscape) {
  if (byEscape)
    return Escape(dc, kSetAbortProc, 0, reinterpret_cast<LPCSTR>(proc), nullptr);
  return SetAbortProc(dc, proc);
}

int PrinterEscapes::DeviceCaps(HDC dc, int index) { return GetDeviceCaps(dc, index); }

int PrinterEscapes::Query(HDC dc, int escape, int inBytes, const void* in, void* out) {
  return Escape(dc, escape, inBytes, static_cast<LPCSTR>(in), out);
}

void DriverModuleName(const char* driver, char* module, int moduleBytes) {
  if (moduleBytes <= 0) return;
  module[0] = '\0';
  if (!driver) return;
  const char* base = driver;
  for (const char* p = driver; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
  const bool hasExtension = std::strchr(base, '.') != nullptr;
  lstrcpynA(module, driver, moduleBytes);
  if (!hasExtension && driver[0]) {
    const size_t used = std::strlen(module);
    if (used + 4 < static_cast<size_t>(moduleBytes)) std::memcpy(module + used, ".DRV", 5);
  }
}

long PrinterEscapes::DriverCapabilities(const char* driver, const char* device, const char* port,
                                        WORD capability, char* output, const DEVMODEA* mode) {
  typedef DWORD(WINAPI * CapabilitiesProc)(LPCSTR, LPCSTR, WORD, LPSTR, const DEVMODEA*);
  char module[MAX_PATH];
  DriverModuleName(driver, module, sizeof module);
  long result = -1;
  bool answered = false;
  if (module[0]) {
    if (HMODULE m = LoadLibraryA(module)) {
      FARPROC entry = GetProcAddress(m, "DeviceCapabilities");
      if (!entry) entry = GetProcAddress(m, "DeviceCapabilitiesA");
      if (entry) {
        result = static_cast<int>(reinterpret_cast<CapabilitiesProc>(
            reinterpret_cast<void*>(entry))(device, port, capability, output, mode));
        answered = true;
      }
      FreeLibrary(m);
    }
  }
  // Drivers of the Windows NT model answer only through the spooler.
  if (!answered) {
    if (HMODULE spooler = LoadLibraryA("WINSPOOL.DRV")) {
      if (FARPROC entry = GetProcAddress(spooler, "DeviceCapabilitiesA"))
        result = static_cast<int>(reinterpret_cast<CapabilitiesProc>(
            reinterpret_cast<void*>(entry))(device, port, capability, output, mode));
      FreeLibrary(spooler);
    }
  }
  return result;
}

PrinterEscapes& Escapes() { return *g_escapes; }
void UseEscapes(PrinterEscapes* escapes) { g_escapes = escapes ? escapes : &g_driverEscapes; }

}  // namespace zeb::print
