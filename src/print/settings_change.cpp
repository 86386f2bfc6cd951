// ZEB_WinIniChange: the frame window reports a change of the Windows settings.
#include <windows.h>

#include <cstring>

#include "ZEB.h"
#include "frame/frame_internal.h"
#include "intl/intl_internal.h"
#include "print/print_state.h"

namespace {

// The results tell the application which part of the library took the change.
constexpr short kDefaultPrinterChanged = 1;
constexpr short kDeviceListChanged = 2;
constexpr short kIntlChanged = 4;

}  // namespace

extern "C" short ZEBAPI ZEB_WinIniChange(const char* section) {
  // A change without a section name may be any section's, the debug settings' among them.
  if (!section || lstrcmpiA(section, "zebport2") == 0) {
    zeb::frame::ReloadDebugSettings();
    return 0;
  }
  if (lstrcmpiA(section, "windows") == 0) {
    // The default printer is [windows] "device": the next print dialog fetches it afresh when
    // it is another than the one the records were made for.
    char device[256] = "";
    GetProfileStringA("windows", "device", "", device, sizeof device);
    zeb::print::PrintingState& s = zeb::print::State();
    if (s.defaultPrinter != device) {
      s.defaultPrinter = device;
      s.changedDefault = true;
    }
    return kDefaultPrinterChanged;
  }
  if (lstrcmpiA(section, "devices") == 0) {
    zeb::print::State().changedDevices = true;
    return kDeviceListChanged;
  }
  if (lstrcmpiA(section, "intl") == 0) {
    zeb::intl::ReloadInternationalSettings();
    return kIntlChanged;
  }
  return 0;
}
