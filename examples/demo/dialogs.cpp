// The Dialog and Control Managers' showcase: a modeless dialog from the demo's resources with
// every kind of item and its 'ZEBD' table, a document window with scroll bars and a grow icon,
// and an alert that its filter answers at once.
#include <windows.h>

#include <cstdio>

#include "Controls.h"
#include "Dialogs.h"
#include "Fonts.h"
#include "MacWindows.h"
#include "Menus.h"
#include "Quickdraw.h"
#include "TextEdit.h"
#include "ZEB.h"
#include "demo.h"

namespace {

constexpr short kDialogID = 300, kAlertID = 301, kComboMenuID = 301;
constexpr short kNameItem = 4, kBarItem = 12, kComboItem = 14;

DialogPtr g_dialog = nullptr;
WindowPtr g_scroller = nullptr;
ControlHandle g_vertical = nullptr, g_horizontal = nullptr;

void ToPascal(const char* text, unsigned char* out) {
  int n = 0;
  while (text[n] && n < 255) {
    out[1 + n] = static_cast<unsigned char>(text[n]);
    ++n;
  }
  out[0] = static_cast<unsigned char>(n);
}

// The user item: a bar of the gray pattern in a frame.
void ZEBAPI DrawBar(DialogPtr dialog, short item) {
  short type;
  Handle h;
  Rect box;
  GetDialogItem(dialog, item, &type, &h, &box);
  const Pattern gray = {{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
  FillRec(&box, &gray);
  FrameRec(&box);
}

// The alert's filter answers with the default item at its first call.
Boolean ZEBAPI AnswerAtOnce(DialogPtr dialog, EventRecord* event, short* itemHit) {
  (void)dialog;
  (void)event;
  *itemHit = 1;
  return true;
}

// The scrolling window's content: lines that follow the scroll bars' values, and the grow icon.
void PaintScroller(HDC dc, const RECT& client) {
  (void)dc;
  (void)client;
  if (!g_scroller) return;
  const short dv = g_vertical ? GetControlValue(g_vertical) : 0;
  const short dh = g_horizontal ? GetControlValue(g_horizontal) : 0;
  Rect content = g_scroller->portRect;
  content.right -= 15;
  content.bottom -= 15;
  ClipRect(&content);
  for (short i = 0; i < 12; ++i) {
    const short y = static_cast<short>(20 + i * 14 - dv);
    MoveTo(static_cast<short>(8 - dh), y);
    char line[48];
    std::snprintf(line, sizeof line, "Line %d of the scrolled text", i + 1);
    unsigned char text[64];
    ToPascal(line, text);
    DrawString(text);
  }
  ClipRect(&g_scroller->portRect);
  DrawControls(g_scroller);
  DrawGrowIcon(g_scroller);
}

}  // namespace

void ShowDialogShowcase(HWND frame) {
  (void)frame;
  if (g_dialog) return;
  // The alert comes first: its answer is shown in the dialog's last static text.
  const short answer = Alert(kAlertID, &AnswerAtOnce);
  char text[96];
  std::snprintf(text, sizeof text, "Alert(%d) answered by its filter: item %d.", kAlertID, answer);
  unsigned char first[256], second[256];
  ToPascal("Every item kind from 'DLOG' 300 and its 'ZEBD' table.", first);
  ToPascal(text, second);
  ParamText(first, second, nullptr, nullptr);

  g_dialog = GetNewDialog(kDialogID, nullptr, reinterpret_cast<WindowPtr>(-1));
  if (!g_dialog) return;
  short type;
  Handle h;
  Rect box;
  GetDialogItem(g_dialog, kBarItem, &type, &h, &box);
  SetDialogItem(g_dialog, kBarItem, type, reinterpret_cast<Handle>(&DrawBar), &box);
  if (MenuHandle colours = GetMen(kComboMenuID)) ZEB_BuildComboBox(g_dialog, kComboItem, colours, 2);
  GetDialogItem(g_dialog, 5, &type, &h, &box);
  SetControlValue(reinterpret_cast<ControlHandle>(h), 1);
  GetDialogItem(g_dialog, 7, &type, &h, &box);
  SetControlValue(reinterpret_cast<ControlHandle>(h), 1);
  GetDialogItem(g_dialog, 13, &type, &h, &box);
  SetControlValue(reinterpret_cast<ControlHandle>(h), 3);
  // The name item filled the Toolbox way: selected, then set through the dialog's TextEdit
  // record, which every edit item shares.
  SelectDialogItemText(g_dialog, kNameItem, 0, 32767);
  if (TEHandle te = reinterpret_cast<DialogPeek>(g_dialog)->textH) {
    static const char kName[] = "Set by TESetText";
    TESetText(kName, static_cast<long>(sizeof kName - 1), te);
  }

  // Right of the dialog: a document window with both scroll bars and its grow icon.
  g_scroller = AddToolboxWindow(reinterpret_cast<const unsigned char*>("\x09" "Scrolling"), documentProc,
                                PaintScroller, 570, 90, 220, 200);
  if (g_scroller) {
    const Rect& pr = g_scroller->portRect;
    const Rect vertical = {static_cast<short>(pr.top - 1), static_cast<short>(pr.right - 15),
                           static_cast<short>(pr.bottom - 14), static_cast<short>(pr.right + 1)};
    const Rect horizontal = {static_cast<short>(pr.bottom - 15), static_cast<short>(pr.left - 1),
                             static_cast<short>(pr.bottom + 1), static_cast<short>(pr.right - 14)};
    g_vertical = NewControl(g_scroller, &vertical, reinterpret_cast<const unsigned char*>("\x00"), true, 10, 0, 100,
                            scrollBarProc, 1);
    g_horizontal = NewControl(g_scroller, &horizontal, reinterpret_cast<const unsigned char*>("\x00"), true, 0, 0,
                              50, scrollBarProc, 2);
    SetPort(g_scroller);
    InvalRect(&g_scroller->portRect);
  }
  SelectWindow(g_dialog);
  DrawDialog(g_dialog);
}

bool HandleDialogEvent(const EventRecord& e) {
  if (!g_dialog || !IsDialogEvent(&e)) return false;
  DialogPtr which = nullptr;
  short item = 0;
  DialogSelect(&e, &which, &item);
  return true;
}
