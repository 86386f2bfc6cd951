// ZEB_WinIniChange: the frame window reports a change of the Windows settings.
#include <windows.h>

#include <cstring>

#include "ZEB.h"
#include "frame/frame_internal.h"
#include "intl/intl_internal.h"

namespace {

// The results tell the application which part of the library took the change.
constexpr short kIntlChanged = 4;

}  // namespace

extern "C" short ZEBAPI ZEB_WinIniChange(const char* section) {
  // A change without a section name may be any section's, the debug settings' among them.
  if (!section || lstrcmpiA(section, "zebport2") == 0) {
    zeb::frame::ReloadDebugSettings();
    return 0;
  }
  if (lstrcmpiA(section, "intl") == 0) {
    zeb::intl::ReloadInternationalSettings();
    return kIntlChanged;
  }
  return 0;
}
