// ZEB_WinIniChange: the frame window reports a change of the Windows settings.
#include <windows.h>

#include <cstring>

#include "ZEB.h"
#include "intl/intl_internal.h"

namespace {

// The results tell the application which part of the library took the change.
constexpr short kIntlChanged = 4;

}  // namespace

extern "C" short ZEBAPI ZEB_WinIniChange(const char* section) {
  if (!section) return 0;
  if (lstrcmpiA(section, "intl") == 0) {
    zeb::intl::ReloadInternationalSettings();
    return kIntlChanged;
  }
  return 0;
}
