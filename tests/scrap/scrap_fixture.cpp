#include "scrap_fixture.h"

#include <cstring>

#include "MacMemory.h"

namespace zebtest {
namespace {

TextProcedure g_procedure;

// A window of the calling thread that owns the clipboard while it changes it.
HWND HelperWindow() {
  return CreateWindowA("STATIC", "clipboard helper", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                       GetModuleHandleA(nullptr), nullptr);
}

HGLOBAL GlobalText(const std::string& text) {
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!g) return nullptr;
  char* p = static_cast<char*>(GlobalLock(g));
  std::memcpy(p, text.c_str(), text.size() + 1);
  GlobalUnlock(g);
  return g;
}

bool PutFormats(const std::vector<std::pair<UINT, std::string>>& formats) {
  HWND helper = HelperWindow();
  bool ok = OpenClipboard(helper) != FALSE;
  if (ok) {
    ok = EmptyClipboard() != FALSE;
    for (const auto& f : formats)
      if (ok) ok = SetClipboardData(f.first, GlobalText(f.second)) != nullptr;
    CloseClipboard();
  }
  DestroyWindow(helper);
  return ok;
}

struct ThreadChange {
  std::string text;
  UINT privateFormat;
  bool ok;
};

DWORD WINAPI ChangeThread(void* parameter) {
  ThreadChange* change = static_cast<ThreadChange*>(parameter);
  std::vector<std::pair<UINT, std::string>> formats{{CF_TEXT, change->text}};
  if (change->privateFormat) formats.push_back({change->privateFormat, "private"});
  change->ok = PutFormats(formats);
  return 0;
}

struct HolderShared {
  HANDLE opened, release;
  bool holding;
};

DWORD WINAPI HoldThread(void* parameter) {
  HolderShared* shared = static_cast<HolderShared*>(parameter);
  HWND helper = HelperWindow();
  shared->holding = OpenClipboard(helper) != FALSE;
  SetEvent(shared->opened);
  WaitForSingleObject(shared->release, INFINITE);
  if (shared->holding) CloseClipboard();
  DestroyWindow(helper);
  return 0;
}

HolderShared g_holder;

}  // namespace

TextProcedure& Procedure() { return g_procedure; }

long WINAPI TextScrapProc(long operation, long format, HDC dc, Handle destination,
                          ResType scrapType, void* data, void* resultBlock) {
  ScrapCall call{operation, format, dc, destination, scrapType, data, resultBlock, {}};
  if (operation == ZEB_SCRAP_PUT && resultBlock)
    call.block = *static_cast<ZEB_PutScrapBlock*>(resultBlock);
  g_procedure.calls.push_back(call);
  switch (operation) {
    case ZEB_SCRAP_GET: {
      if (static_cast<UINT>(format) != CF_TEXT || scrapType != kText) return 0;
      HANDLE h = GetClipboardData(CF_TEXT);
      if (!h) return 0;
      const char* text = static_cast<const char*>(GlobalLock(h));
      const size_t held = GlobalSize(h);
      size_t length = 0;
      while (length < held && text[length]) ++length;
      long* result = static_cast<long*>(resultBlock);
      *result = static_cast<long>(length);
      if (destination) {
        SetHandleSize(destination, static_cast<Size>(length));
        if (MemError() != noErr)
          *result = MemError();
        else
          std::memcpy(*destination, text, length);
      }
      GlobalUnlock(h);
      return 1;
    }
    case ZEB_SCRAP_PUT: {
      if (scrapType != kText) return 0;
      const ZEB_PutScrapBlock* block = static_cast<const ZEB_PutScrapBlock*>(resultBlock);
      const std::string text(static_cast<const char*>(block->source),
                             static_cast<size_t>(block->length));
      return SetClipboardData(CF_TEXT, GlobalText(text)) != nullptr;
    }
    case ZEB_SCRAP_CHANGED:
      return g_procedure.changedAnswer && static_cast<UINT>(format) == g_procedure.changedAnswer;
    default:
      return 0;
  }
}

bool SetClipboardFormats(const std::vector<std::pair<UINT, std::string>>& formats) {
  return PutFormats(formats);
}

std::string ClipboardText() {
  HWND helper = HelperWindow();
  std::string text = "<none>";
  if (OpenClipboard(helper)) {
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
      text = static_cast<const char*>(GlobalLock(h));
      GlobalUnlock(h);
    }
    CloseClipboard();
  }
  DestroyWindow(helper);
  return text;
}

int ClipboardFormatCount() { return CountClipboardFormats(); }

bool ChangeClipboardFromAnotherThread(const std::string& text, UINT privateFormat) {
  ThreadChange change{text, privateFormat, false};
  HANDLE thread = CreateThread(nullptr, 0, ChangeThread, &change, 0, nullptr);
  if (!thread) return false;
  // The change's notification comes to this thread's frame window as a message: the thread is
  // waited for while those are delivered.
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  CloseHandle(thread);
  return change.ok;
}

bool PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (done()) return true;
    if (GetTickCount() - start > 10000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= milliseconds; });
}

ClipboardHolder::ClipboardHolder() {
  opened_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_holder = HolderShared{opened_, release_, false};
  thread_ = CreateThread(nullptr, 0, HoldThread, &g_holder, 0, nullptr);
  if (thread_) WaitForSingleObject(opened_, INFINITE);
  holding_ = thread_ && g_holder.holding;
}

void ClipboardHolder::Release() {
  if (!thread_) return;
  SetEvent(release_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
  holding_ = false;
}

ClipboardHolder::~ClipboardHolder() {
  Release();
  CloseHandle(opened_);
  CloseHandle(release_);
}

void ScrapTest::SetUp() {
  g_procedure = TextProcedure{};
  if (withProcedure_)
    session_.scrapCallback = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&TextScrapProc));
  SessionTest::SetUp();
  // Whatever greeting Windows gave the frame on joining the viewer chain has been delivered.
  PumpFor(50);
}

void ScrapTest::TearDown() {
  SessionTest::TearDown();
}

}  // namespace zebtest
