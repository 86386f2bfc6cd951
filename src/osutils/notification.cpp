// The Notification Manager: a posted request shows its small icon in the frame window's caption
// until it is removed. No sound is played, no alert shown and the response procedure is not
// called.
#include <windows.h>

#include <cstring>

#include "OSUtils.h"
#include "frame/frame_internal.h"
#include "memory/memory_internal.h"
#include "osutils/osutils_internal.h"

namespace zeb::osutils {
namespace {

// A small icon: 16 rows of 16 pixels, one bit each, rows of two bytes.
constexpr int kIconSide = 16;
constexpr long kIconBytes = 32;

struct Notification {
  NMRecPtr request = nullptr;
  HBITMAP bitmap = nullptr;
};
Notification g_note;

void RepaintFrameCaption() {
  if (HWND frame = frame::FrameWindow())
    SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void DeleteBitmap() {
  if (g_note.bitmap) DeleteObject(g_note.bitmap);
  g_note.bitmap = nullptr;
}

}  // namespace

HBITMAP NotificationBitmap() { return g_note.bitmap; }

void ReleaseNotification() {
  DeleteBitmap();
  g_note.request = nullptr;
}

}  // namespace zeb::osutils

using namespace zeb;
using namespace zeb::osutils;

extern "C" {

OSErr ZEBAPI NMInstall(NMRecPtr nmReqPtr) {
  if (!nmReqPtr) return paramErr;
  g_note.request = nmReqPtr;
  // The icon handle comes from the application: a handle too short for a small icon, or
  // purged, has no icon to show.
  Handle icon = nmReqPtr->nmIcon;
  if (!icon || memory::LiveHandleSize(icon) < kIconBytes || !*icon) return nmTypErr;
  uint8_t rows[kIconBytes];
  std::memcpy(rows, *icon, sizeof rows);
  HBITMAP bitmap = CreateBitmap(kIconSide, kIconSide, 1, 1, rows);
  if (!bitmap) return nmTypErr;
  DeleteBitmap();
  g_note.bitmap = bitmap;
  RepaintFrameCaption();
  return noErr;
}

OSErr ZEBAPI NMRemove(NMRecPtr nmReqPtr) {
  (void)nmReqPtr;
  g_note.request = nullptr;
  if (!g_note.bitmap) return -1;
  DeleteBitmap();
  RepaintFrameCaption();
  return noErr;
}

}  // extern "C"
