// What the operating-system utilities offer the other managers: the serial drivers' routing,
// the table of patchable calls and the notification shown in the frame's caption.
#ifndef ZEB_OSUTILS_OSUTILS_INTERNAL_H
#define ZEB_OSUTILS_OSUTILS_INTERNAL_H

#include <windows.h>

#include <cstdint>

#include "MacTypes.h"

namespace zeb::osutils {

// The serial drivers' reference numbers: .Ain -6, .Aout -7, .Bin -8, .Bout -9.
constexpr int16_t kFirstSerialRefNum = -9;
constexpr int16_t kLastSerialRefNum = -6;
inline bool IsSerialRefNum(int16_t refNum) {
  return refNum >= kFirstSerialRefNum && refNum <= kLastSerialRefNum;
}

// A File Manager read or write on a serial driver's reference number goes straight to its
// port: *count becomes the number of bytes moved. The result is 0, or the Windows error number
// itself (not a Toolbox result), as the serial drivers have always reported it.
OSErr SerialTransfer(int16_t refNum, bool write, void* buffer, long* count);

// Trap words of the 27 patchable calls.
constexpr uint16_t kTrapPopUpMenuSelect = 0xA80B;
constexpr uint16_t kTrapGetNextEvent = 0xA970;
constexpr uint16_t kTrapEventAvail = 0xA971;
constexpr uint16_t kTrapWaitNextEvent = 0xA860;
constexpr uint16_t kTrapButton = 0xA974;
constexpr uint16_t kTrapGetMouse = 0xA972;
constexpr uint16_t kTrapStillDown = 0xA973;
constexpr uint16_t kTrapWaitMouseUp = 0xA977;
constexpr uint16_t kTrapSystemTask = 0xA9B4;
constexpr uint16_t kTrapSetOrigin = 0xA878;
constexpr uint16_t kTrapBeginUpdate = 0xA922;
constexpr uint16_t kTrapEndUpdate = 0xA923;
constexpr uint16_t kTrapInvalRect = 0xA928;
constexpr uint16_t kTrapInvalRgn = 0xA927;
constexpr uint16_t kTrapNewWindow = 0xA913;
constexpr uint16_t kTrapNewCWindow = 0xAA45;
constexpr uint16_t kTrapShowWindow = 0xA915;
constexpr uint16_t kTrapHideWindow = 0xA916;
constexpr uint16_t kTrapSelectWindow = 0xA91F;
constexpr uint16_t kTrapFrontWindow = 0xA924;
constexpr uint16_t kTrapCloseWindow = 0xA92D;
constexpr uint16_t kTrapModalDialog = 0xA991;
constexpr uint16_t kTrapDrawMenuBar = 0xA937;
constexpr uint16_t kTrapHiliteMenu = 0xA938;
constexpr uint16_t kTrapSetCursor = 0xA851;
constexpr uint16_t kTrapInitCursor = 0xA850;
constexpr uint16_t kTrapEraseRect = 0xA8A3;

// The address an exported patchable call runs for trap: the owning manager's own
// implementation until an application replaces it with NSetTrapAddress. Null for a word that
// is not in the table.
void* SlotAddress(uint16_t trap);

template <class Proc>
Proc Patchable(uint16_t trap) {
  return reinterpret_cast<Proc>(SlotAddress(trap));
}

// PopUpMenuSelect, Button and GetMouse are themselves their slots' defaults. Inside one of
// them, a Replacement names the application's replacement to call instead, or nothing when the
// slot holds the default or the call already runs inside that replacement, so that a
// replacement may call the library's own version. The guard marks the replacement as running
// for its lifetime.
class Replacement {
 public:
  explicit Replacement(uint16_t trap);
  ~Replacement();
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;
  template <class Proc>
  Proc Get() const {
    return reinterpret_cast<Proc>(proc_);
  }

 private:
  int slot_;
  void* proc_;
};

// Exit: every slot goes back to its default and the procedure instances made for the
// application's replacements are released.
void ReleasePatches();

// The notification icon (NMInstall) as a 16-by-16 monochrome bitmap, null when none is posted;
// the frame window's caption shows it.
HBITMAP NotificationBitmap();
// Exit: the notification is forgotten and its bitmap deleted.
void ReleaseNotification();

}  // namespace zeb::osutils

#endif  // ZEB_OSUTILS_OSUTILS_INTERNAL_H
