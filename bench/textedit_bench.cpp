// TextEdit: laying out, drawing and typing into records the library draws, and records that
// mirror an edit window, against the GDI and edit-control calls that do the same work.
#include <string>

#include "MacWindows.h"
#include "Quickdraw.h"
#include "TextEdit.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

// Words of varied length with a line break now and then, as typed prose has them.
std::string Prose(size_t length, char lineEnd) {
  static const char* const kWords[] = {"the ", "quick ", "brown ", "fox ", "jumps ", "over ",
                                       "a ", "lazy ", "dog, ", "again. "};
  std::string s;
  for (size_t i = 0; s.size() < length; ++i) {
    s += kWords[i % 10];
    if (i % 37 == 36) {
      s += lineEnd;
      if (lineEnd == '\r' && s.size() < length) s += '\n';
    }
  }
  s.resize(length);
  return s;
}

// Mac text: CR alone ends a line.
std::string MacProse(size_t length) {
  std::string s = Prose(length + length / 16, '\r');
  std::string out;
  for (char c : s)
    if (c != '\n') out += c;
  out.resize(length);
  return out;
}

void SetText(TEHandle te, const std::string& s) { TESetText(s.data(), static_cast<long>(s.size()), te); }

void Layout(HDC host, TEHandle te) {
  const std::string mac = MacProse(32000);
  const std::string windows = Prose(32000 + 32000 / 16, '\r');
  SetText(te, mac);
  const double library = NanosecondsPerOp(5, [te](long n) {
    for (long i = 0; i < n; ++i) TECalText(te);
  });
  const double gdi = NanosecondsPerOp(5, [&](long n) {
    for (long i = 0; i < n; ++i) {
      RECT r{0, 0, kSurfaceSize - 16, 0};
      DrawTextA(host, windows.data(), static_cast<int>(windows.size()), &r, DT_CALCRECT | DT_WORDBREAK);
    }
  });
  Report("TECalText, 32000 chars (host: DrawTextA CALCRECT)", library, gdi);
}

void Update(HDC host, TEHandle te) {
  // Fifty lines of about forty characters, each ended by CR.
  std::string mac, windows;
  for (int line = 0; line < 50; ++line) {
    const std::string words = Prose(40, ' ');
    mac += words + '\r';
    windows += words + "\r\n";
  }
  (*te)->viewRect.bottom = 32767;
  SetText(te, mac);
  const Rect all{0, 0, 32767, 32767};
  const double library = NanosecondsPerOp(20, [&](long n) {
    for (long i = 0; i < n; ++i) TEUpdate(&all, te);
  });
  const double gdi = NanosecondsPerOp(20, [&](long n) {
    for (long i = 0; i < n; ++i) {
      RECT r{4, 4, kSurfaceSize - 4, 32767};
      DrawTextA(host, windows.data(), static_cast<int>(windows.size()), &r, DT_WORDBREAK | DT_NOCLIP);
    }
  });
  Report("TEUpdate, 50 lines (host: DrawTextA)", library, gdi);
  (*te)->viewRect = (*te)->destRect;
}

// Each round: a 10,000-character text, then 1,000 characters typed at its middle.
void Typing(HWND edit, TEHandle te) {
  const std::string mac = MacProse(10000);
  const std::string windows = Prose(10000, '\r');
  const double library = NanosecondsPerOp(3, [&](long n) {
    for (long i = 0; i < n; ++i) {
      SetText(te, mac);
      TESetSelect(5000, 5000, te);
      for (int k = 0; k < 1000; ++k) TEKey(static_cast<char>('a' + k % 26), te);
    }
  });
  const double host = NanosecondsPerOp(3, [&](long n) {
    for (long i = 0; i < n; ++i) {
      SetWindowTextA(edit, windows.c_str());
      SendMessageA(edit, EM_SETSEL, 5000, 5000);
      for (int k = 0; k < 1000; ++k) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>('a' + k % 26), 1);
    }
  });
  Report("TEKey x1000 into 10000 chars (host: WM_CHAR)", library, host);
}

// A record mirroring an edit window: the library crosses CR and CR LF on every call.
void Mirrored(HWND edit, TEHandle te) {
  (*te)->hWndEdit = static_cast<long>(reinterpret_cast<uintptr_t>(edit));
  const std::string mac = MacProse(10000);
  const std::string windows = Prose(10000, '\r');
  const double setLibrary = NanosecondsPerOp(20, [&](long n) {
    for (long i = 0; i < n; ++i) SetText(te, mac);
  });
  const double setHost = NanosecondsPerOp(20, [&](long n) {
    for (long i = 0; i < n; ++i) SetWindowTextA(edit, windows.c_str());
  });
  Report("TESetText mirrored, 10000 (host: SetWindowTextA)", setLibrary, setHost);

  std::string buffer(windows.size() + 1, '\0');
  const double readLibrary = NanosecondsPerOp(20, [&](long n) {
    for (long i = 0; i < n; ++i) ZEB_SethTEfromhWnd(te, true);
  });
  const double readHost = NanosecondsPerOp(20, [&](long n) {
    for (long i = 0; i < n; ++i) GetWindowTextA(edit, buffer.data(), static_cast<int>(buffer.size()));
  });
  Report("ZEB_SethTEfromhWnd, 10000 (host: GetWindowTextA)", readLibrary, readHost);

  SetText(te, MacProse(2000));
  const double keyLibrary = NanosecondsPerOp(3, [&](long n) {
    for (long i = 0; i < n; ++i) {
      TESetSelect(1000, 1000, te);
      for (int k = 0; k < 200; ++k) TEKey('x', te);
      TESetSelect(1000, 1200, te);
      TEDelete(te);
    }
  });
  const double keyHost = NanosecondsPerOp(3, [&](long n) {
    for (long i = 0; i < n; ++i) {
      SendMessageA(edit, EM_SETSEL, 1000, 1000);
      for (int k = 0; k < 200; ++k) SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
      SendMessageA(edit, EM_SETSEL, 1000, 1200);
      SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    }
  });
  Report("TEKey x200, mirrored (host: EM_REPLACESEL)", keyLibrary, keyHost);
  (*te)->hWndEdit = 0;
}

}  // namespace

void RunTextEditBenchmarks(HWND frame) {
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  TEInit();
  Surface library, host;
  CGrafPort port{};
  OpenPortForHDC(&port, library.dc);
  PortSize(kSurfaceSize, kSurfaceSize);
  TextFont(1);
  TextSize(12);
  const Rect box{4, 4, kSurfaceSize - 4, kSurfaceSize - 4};
  TEHandle te = TENew(&box, &box);
  HWND edit = CreateWindowA("edit", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                            kSurfaceSize, kSurfaceSize, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (te && edit) {
    SendMessageA(edit, EM_LIMITTEXT, 32000, 0);
    SelectObject(host.dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
    Layout(host.dc, te);
    Update(host.dc, te);
    Typing(edit, te);
    Mirrored(edit, te);
  }
  if (te) TEDispose(te);
  if (edit) DestroyWindow(edit);
  CloseCPort(&port);
}

}  // namespace zebbench
