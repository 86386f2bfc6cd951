// The Device Manager's drivers: the Macintosh serial drivers on COM1 and COM2, and the pen
// tablet driver ".Wacom" on the Windows tablet interface.
#include <cstring>
#include <string>

#include "Devices.h"
#include "Errors.h"
#include "frame/address32.h"
#include "osutils/osutils_internal.h"
#include "osutils/serial_ports.h"

namespace zeb::osutils {
namespace {

constexpr int16_t kTabletRefNum = 1;
// The driver queues the serial drivers ask of Windows, each way.
constexpr DWORD kSerialQueueBytes = 1024;

// Indexed by the negated reference number: 6 .Ain, 7 .Aout, 8 .Bin, 9 .Bout.
HANDLE g_ports[-kFirstSerialRefNum + 1] = {};

struct Driver {
  const char* name;
  int16_t refNum;
  const char* port;  // null for an input driver, which opens nothing of its own
};
constexpr Driver kSerialDrivers[] = {
    {".Ain", -6, nullptr}, {".Aout", -7, "COM1"}, {".Bin", -8, nullptr}, {".Bout", -9, "COM2"}};

// The tablet's state as the driver keeps it; Status code 20 hands out its address.
struct TabletState {
  int32_t open;
  int32_t wacom;  // the device calls itself a WACOM tablet
};
TabletState g_tablet{};
HMODULE g_wintab = nullptr;

// Window tablet interface (WINTAB32.DLL): WTInfoA(category, index, output) answers the size of
// the answer when output is null; category 0 asks whether the interface is there at all,
// category 100 (WTI_DEVICES) index 1 (DVC_NAME) the device's name.
using WTInfoProc = UINT(WINAPI*)(UINT category, UINT index, LPVOID output);
constexpr UINT kWTIDevices = 100;
constexpr UINT kDeviceName = 1;

// The serial driver names are compared as EqualString compares them without case and with
// diacritics: for these plain ASCII names, letters without regard to case.
bool SameDriverName(const std::string& given, const char* name) {
  if (given.size() != std::strlen(name)) return false;
  for (size_t i = 0; i < given.size(); ++i) {
    char a = given[i], b = name[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

int PartnerIndex(int index) { return index % 2 == 0 ? index + 1 : index - 1; }

// The port keeps whatever speed, data bits, parity and stop bits Windows has set for it.
HANDLE OpenPort(const char* device) {
  HANDLE port = CreateFileA(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (port == INVALID_HANDLE_VALUE) return nullptr;
  SetCommMask(port, 0);
  SetupComm(port, kSerialQueueBytes, kSerialQueueBytes);
  return port;
}

bool OpenTablet() {
  if (g_tablet.open) return true;
  if (!g_wintab) g_wintab = LoadLibraryA("WINTAB32.DLL");
  auto info = g_wintab ? reinterpret_cast<WTInfoProc>(
                             reinterpret_cast<void*>(GetProcAddress(g_wintab, "WTInfoA")))
                       : nullptr;
  if (!info || info(0, 0, nullptr) == 0) {
    if (g_wintab) FreeLibrary(g_wintab);
    g_wintab = nullptr;
    return false;
  }
  char name[256] = "";
  const UINT length = info(kWTIDevices, kDeviceName, nullptr);
  if (length > 0 && length <= sizeof name) info(kWTIDevices, kDeviceName, name);
  g_tablet.open = 1;
  g_tablet.wacom = std::strstr(CharUpperA(name), "WACOM") != nullptr;
  return true;
}

void CloseTablet() {
  g_tablet = TabletState{};
  if (g_wintab) FreeLibrary(g_wintab);
  g_wintab = nullptr;
}

}  // namespace

void AttachPort(int16_t outputRefNum, HANDLE port) {
  const int index = -outputRefNum;
  g_ports[index] = port;
  g_ports[PartnerIndex(index)] = port;
}

HANDLE PortOf(int16_t refNum) { return IsSerialRefNum(refNum) ? g_ports[-refNum] : nullptr; }

OSErr SerialTransfer(int16_t refNum, bool write, void* buffer, long* count) {
  const long requested = *count;
  *count = 0;
  HANDLE port = PortOf(refNum);
  if (!port) return ERROR_INVALID_HANDLE;
  if (requested < 0 || (requested > 0 && !buffer)) return ERROR_INVALID_PARAMETER;
  DWORD moved = 0;
  const BOOL ok = write ? WriteFile(port, buffer, static_cast<DWORD>(requested), &moved, nullptr)
                        : ReadFile(port, buffer, static_cast<DWORD>(requested), &moved, nullptr);
  *count = static_cast<long>(moved);
  return ok ? OSErr{noErr} : static_cast<OSErr>(GetLastError());
}

}  // namespace zeb::osutils

using namespace zeb;
using namespace zeb::osutils;

extern "C" {

OSErr ZEBAPI OpenDrive(ConstStr255Param name, short* drvrRefNum) {
  if (drvrRefNum) *drvrRefNum = 0;
  if (!name) return dInstErr;
  const std::string given(reinterpret_cast<const char*>(name + 1), name[0]);
  for (const Driver& driver : kSerialDrivers) {
    if (!SameDriverName(given, driver.name)) continue;
    if (driver.port && !PortOf(driver.refNum)) {
      HANDLE port = OpenPort(driver.port);
      if (!port) return dInstErr;
      AttachPort(driver.refNum, port);
    }
    if (drvrRefNum) *drvrRefNum = driver.refNum;
    return noErr;
  }
  if (SameDriverName(given, ".Wacom") && OpenTablet()) {
    if (drvrRefNum) *drvrRefNum = kTabletRefNum;
    return noErr;
  }
  return dInstErr;
}

// Closing either driver of a pair closes their shared port once and clears both entries; the
// other driver's close then finds nothing left to close.
OSErr ZEBAPI CloseDrive(short refNum) {
  if (refNum == kTabletRefNum) {
    CloseTablet();
    return noErr;
  }
  if (!IsSerialRefNum(refNum)) return badUnitErr;
  HANDLE port = PortOf(refNum);
  if (!port) return noErr;
  const int index = -refNum;
  g_ports[index] = nullptr;
  g_ports[PartnerIndex(index)] = nullptr;
  return CloseHandle(port) ? OSErr{noErr} : OSErr{badUnitErr};
}

// The serial control codes are not carried over to Windows.
OSErr ZEBAPI Control(short refNum, short, const void*) {
  return refNum == kTabletRefNum ? OSErr{noErr} : OSErr{badUnitErr};
}

OSErr ZEBAPI Status(short refNum, short csCode, void* csParamPtr) {
  if (refNum != kTabletRefNum || csCode != kZEBTabletStateCode) return badUnitErr;
  if (!csParamPtr) return paramErr;
  const uint32_t address = AddressToLong(&g_tablet);
  std::memcpy(csParamPtr, &address, sizeof address);
  return noErr;
}

}  // extern "C"
