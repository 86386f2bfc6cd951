// The exported creation calls, and windows made from 'WIND' templates.
#include <cstring>

#include "MacMemory.h"
#include "Resources.h"
#include "osutils/osutils_internal.h"
#include "resources/resources_internal.h"
#include "resources/window_template.h"
#include "windows/windows_internal.h"

namespace zeb::windows {
namespace {

constexpr ResType kWindowTemplate = ZEB_FOURCC('W', 'I', 'N', 'D');

WindowPtr FromTemplate(short windowID, void* storage, WindowPtr behind, bool colour) {
  // A template the application already holds stays loaded for it; one loaded here is released.
  const bool held = resources::ResourceInMemory(kWindowTemplate, windowID);
  Handle h = GetResource(kWindowTemplate, windowID);
  if (!h || !*h) return nullptr;
  resources::WindowTemplate t{};
  const long size = GetHandleSize(h);
  const bool readable =
      size > 0 && resources::ReadWindowTemplate(reinterpret_cast<const uint8_t*>(*h),
                                                 static_cast<uint32_t>(size), t);
  WindowPtr w = nullptr;
  if (readable) {
    // Copied out first: creating the window may move the template's block.
    Str255 title;
    std::memcpy(title, t.title, t.title[0] + 1u);
    const Rect bounds = {t.top, t.left, t.bottom, t.right};
    w = colour ? NewCWindow(storage, &bounds, title, t.visible, t.procID, behind, t.goAwayFlag, t.refCon)
               : NewWindow(storage, &bounds, title, t.visible, t.procID, behind, t.goAwayFlag, t.refCon);
  }
  if (!held) ReleaseResource(h);
  return w;
}

}  // namespace
}  // namespace zeb::windows

using namespace zeb;
using namespace zeb::windows;

extern "C" {

WindowPtr ZEBAPI NewWindow(void* wStorage, const Rect* boundsRect, ConstStr255Param title,
                           Boolean visible, short theProc, WindowPtr behind, Boolean goAwayFlag,
                           long refCon) {
  return osutils::Patchable<decltype(&LibraryNewWindow)>(osutils::kTrapNewWindow)(
      wStorage, boundsRect, title, visible, theProc, behind, goAwayFlag, refCon);
}

WindowPtr ZEBAPI NewCWindow(void* wStorage, const Rect* boundsRect, ConstStr255Param title,
                            Boolean visible, short procID, WindowPtr behind, Boolean goAwayFlag,
                            long refCon) {
  return osutils::Patchable<decltype(&LibraryNewCWindow)>(osutils::kTrapNewCWindow)(
      wStorage, boundsRect, title, visible, procID, behind, goAwayFlag, refCon);
}

WindowPtr ZEBAPI GetNewWindow(short windowID, void* wStorage, WindowPtr behind) {
  return FromTemplate(windowID, wStorage, behind, false);
}

WindowPtr ZEBAPI GetNewCWindow(short windowID, void* wStorage, WindowPtr behind) {
  return FromTemplate(windowID, wStorage, behind, true);
}

}  // extern "C"
