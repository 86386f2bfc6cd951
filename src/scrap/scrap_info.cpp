// The scrap information record and the frame window's place in the clipboard-viewer chain.
#include <windows.h>

#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "scrap/scrap_internal.h"
#include "scrap/scrap_state.h"

namespace zeb::scrap {
namespace {

ScrapState g_state;

// Windows sends WM_DRAWCLIPBOARD and WM_CHANGECBCHAIN down the chain with SendMessage; a next
// viewer that is gone, or that is this window itself, gets nothing.
bool CanPassOn(const ScrapState& s) {
  return s.nextViewer && s.nextViewer != s.viewer && IsWindow(s.nextViewer);
}

}  // namespace

ScrapState& State() { return g_state; }

ScrapStuff* Record() { return g_state.record ? g_state.record : frame::Globals().scrapInfo; }

ZEB_ScrapProc Procedure() {
  return reinterpret_cast<ZEB_ScrapProc>(
      reinterpret_cast<void*>(frame::Session().scrapCallback));
}

bool OpenForFrame() { return OpenClipboard(frame::FrameWindow()) != FALSE; }

void CloseAsOwnChange() {
  g_state.ownChange = true;
  CloseClipboard();
  g_state.ownChange = false;
}

void CountChange(ScrapStuff* record) {
  record->scrapSize = 0;
  record->scrapHandle = nullptr;
  // A 16-bit counter that applications only compare for inequality: it wraps.
  record->scrapCount = static_cast<short>(static_cast<unsigned short>(record->scrapCount) + 1u);
  record->scrapState = 0;
}

void InitScrapInfo(ScrapStuff* info) {
  ExitScrapInfo();
  g_state.record = info;
  HWND frame = frame::FrameWindow();
  if (!frame || !IsWindow(frame)) return;
  g_state.viewer = frame;
  g_state.nextViewer = nullptr;
  g_state.sequenceAtJoin = GetClipboardSequenceNumber();
  // Windows greets the new viewer with WM_DRAWCLIPBOARD from inside SetClipboardViewer; that
  // greeting reports no change.
  g_state.ownChange = true;
  g_state.nextViewer = SetClipboardViewer(frame);
  g_state.ownChange = false;
}

void ExitScrapInfo() {
  ScrapState& s = g_state;
  if (s.viewer && IsWindow(s.viewer)) ChangeClipboardChain(s.viewer, s.nextViewer);
  s.viewer = nullptr;
  s.nextViewer = nullptr;
  s.record = nullptr;
  s.ownChange = false;
  s.sequenceAtJoin = 0;
}

}  // namespace zeb::scrap

using zeb::scrap::ScrapState;

void ZEBAPI ZEB_DrawClipboard(void) {
  ScrapState& s = zeb::scrap::State();
  const DWORD sequence = GetClipboardSequenceNumber();
  const bool unchangedSinceJoin = s.viewer && sequence != 0 && sequence == s.sequenceAtJoin;
  if (!s.ownChange && !unchangedSinceJoin && zeb::scrap::OpenForFrame()) {
    zeb::scrap::CountChange(zeb::scrap::Record());
    if (ZEB_ScrapProc proc = zeb::scrap::Procedure()) {
      for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        if (proc(ZEB_SCRAP_CHANGED, static_cast<long>(format), nullptr, nullptr, 0, nullptr,
                 nullptr))
          break;
    }
    zeb::scrap::CloseAsOwnChange();
  }
  // Every notification goes on down the chain, the library's own changes included: the other
  // viewers did not make them.
  if (s.viewer && zeb::scrap::CanPassOn(s))
    SendMessageA(s.nextViewer, WM_DRAWCLIPBOARD, 0, 0);
}

LRESULT ZEBAPI ZEB_ChangeClipboardChain(HWND removed, HWND next) {
  ScrapState& s = zeb::scrap::State();
  if (!s.viewer) return 0;
  if (removed == s.nextViewer)
    s.nextViewer = next;
  else if (zeb::scrap::CanPassOn(s))
    SendMessageA(s.nextViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                 reinterpret_cast<LPARAM>(next));
  return 0;
}
