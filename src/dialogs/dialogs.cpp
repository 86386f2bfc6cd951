// The Dialog Manager: dialogs from item lists, their native item windows and the item calls.
#include <algorithm>
#include <cstring>
#include <map>

#include "Dialogs.h"
#include "MacMemory.h"
#include "Resources.h"
#include "ZEB.h"
#include "dialogs/control_manager.h"
#include "dialogs/dialog_manager.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs_internal.h"
#include "events/events_internal.h"
#include "frame/frame_internal.h"
#include "quickdraw/character_sets.h"
#include "quickdraw/item_drawing.h"
#include "quickdraw/quickdraw_internal.h"
#include "resources/resources_internal.h"
#include "textedit/textedit_internal.h"
#include "windows/windows_internal.h"

namespace zeb::dialogs {
namespace {

constexpr ResType kDlogType = 0x444C4F47;  // 'DLOG'
constexpr ResType kDitlType = 0x4449544C;  // 'DITL'
constexpr ResType kZebdType = 0x5A454244;  // 'ZEBD'
constexpr ResType kDctbType = 0x64637462;  // 'dctb'
constexpr ResType kCntlType = 0x434E544C;  // 'CNTL'
constexpr ResType kIconType = 0x49434F4E;  // 'ICON'
constexpr ResType kPictType = 0x50494354;  // 'PICT'
constexpr ResType kMenuType = 0x4D454E55;  // 'MENU'
constexpr short kNoTable = -1;
constexpr unsigned short kRegisteredTable = 0xFFFF;
// Windows text of an item: 4 bytes per character in the worst conversion, doubled "&",
// CR LF line ends and an appended mnemonic all fit.
constexpr size_t kTextBuffer = 4 * 255 * 2 + 8;
constexpr int kIconSize = 32;
constexpr size_t kIconBytes = 128;

std::map<WindowPtr, DialogState*> g_dialogs;
WindowPtr g_building = nullptr;
bool g_buildingCombo = false;
int g_suppressHits = 0;
std::string g_params[4];
HWND g_markerWindows[kMarkerSlots] = {};
struct GroupSlot {
  DialogPtr dialog = nullptr;
  int item = 0;
};
GroupSlot g_groupSlots[kMarkerSlots];

// The registration list: one entry per dialog using a table, in a handle grown an entry at a
// time and reusing free entries.
struct Registration {
  DialogPtr dialog;
  Handle table;
  short state;
};
Handle g_registrations = nullptr;

std::string PString(const unsigned char* p) {
  return p ? std::string(reinterpret_cast<const char*>(p + 1), p[0]) : std::string();
}

void ToPString(const std::string& s, unsigned char* out) {
  const size_t n = std::min<size_t>(s.size(), 255);
  out[0] = static_cast<unsigned char>(n);
  std::memcpy(out + 1, s.data(), n);
}

std::string ToWindowsText(const std::string& mac) {
  std::string out(mac);
  for (char& c : out) c = static_cast<char>(quickdraw::MacToWindowsChar(static_cast<uint8_t>(c)));
  return out;
}

std::string FromWindowsText(const std::string& win) {
  std::string out(win);
  for (char& c : out) c = static_cast<char>(quickdraw::WindowsToMacChar(static_cast<uint8_t>(c)));
  return out;
}

bool Register(DialogPtr dialog, Handle table) {
  if (!g_registrations) g_registrations = NewHandleClear(0);
  if (!g_registrations) return false;
  const size_t n = static_cast<size_t>(GetHandleSize(g_registrations)) / sizeof(Registration);
  auto* r = reinterpret_cast<Registration*>(*g_registrations);
  for (size_t i = 0; i < n; ++i)
    if (!r[i].dialog) {
      r[i] = Registration{dialog, table, 1};
      return true;
    }
  if (!SetHandleSize(g_registrations, static_cast<Size>((n + 1) * sizeof(Registration))) || MemError())
    return false;
  reinterpret_cast<Registration*>(*g_registrations)[n] = Registration{dialog, table, 1};
  return true;
}

void Unregister(DialogPtr dialog) {
  if (!g_registrations) return;
  const size_t n = static_cast<size_t>(GetHandleSize(g_registrations)) / sizeof(Registration);
  auto* r = reinterpret_cast<Registration*>(*g_registrations);
  for (size_t i = 0; i < n; ++i)
    if (r[i].dialog == dialog) r[i] = Registration{};
}

int FreeMarker(bool group) {
  for (int i = 0; i < kMarkerSlots; ++i)
    if (group ? !g_groupSlots[i].dialog : !g_markerWindows[i]) return i;
  return -1;
}

HFONT ItemFont(DialogPtr dialog, bool dialogFont) {
  const quickdraw::StandardFonts& f = quickdraw::Fonts();
  if (dialog && dialog->txSize > 0 && dialog->txSize < 10 && f.smallDialog) return f.smallDialog;
  if (dialogFont && f.dialog) return f.dialog;
  HFONT c = controls::ControlFont();
  return c ? c : f.system;
}

int FontHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

HWND Create(DialogPtr dialog, const char* cls, const std::string& text, DWORD style, const RECT& r,
            int id, WNDPROC proc, HFONT font, DWORD exStyle = 0) {
  HWND hwnd = windows::CreateLibraryWindow(exStyle, cls, text.c_str(), WS_CHILD | style, r.left, r.top,
                                           r.right - r.left, r.bottom - r.top, windows::HwndOf(dialog),
                                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                                           frame::AppInstance(), nullptr);
  if (!hwnd) return nullptr;
  auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  SetPropA(hwnd, "ZEB_CtlProc", reinterpret_cast<HANDLE>(old));
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

RECT ClientRect(DialogPtr dialog, const itemlist::ItemBox& b) {
  return RECT{b.left - dialog->portRect.left, b.top - dialog->portRect.top, b.right - dialog->portRect.left,
              b.bottom - dialog->portRect.top};
}

void StoreBox(DialogPtr dialog, int n, const itemlist::ItemBox& b) {
  uint8_t* f = ItemField(dialog, n);
  if (f) std::memcpy(f + 4, &b, sizeof b);
}

void StoreType(DialogPtr dialog, int n, uint8_t type) {
  uint8_t* f = ItemField(dialog, n);
  if (f) f[12] = type;
}

std::string ItemDataText(const itemlist::ItemView& v) {
  return v.data ? std::string(reinterpret_cast<const char*>(v.data), v.length) : std::string();
}

// The text shown by a static or button window: "&" doubled, the mnemonic applied, converted.
std::string ShownText(const std::string& mac, uint8_t mnemonic) {
  std::string t = frame::SessionFlag(ZEB_SF_MNEMONICS) ? mac : itemlist::DoubleAmpersands(mac, 255 * 2);
  t = itemlist::ApplyMnemonic(t, mnemonic, frame::Session().doubleByte, 255 * 2 + 4);
  return ToWindowsText(t);
}

// Builds items first..count (1-based). False when an edit item's window could not be made.
bool BuildItems(DialogState& st, int first) {
  DialogPtr dialog = st.dialog;
  DialogPeek peek = Peek(dialog);
  const std::vector<itemlist::ItemView> items = [&] {
    HLock(peek->items);
    return itemlist::WalkItems(reinterpret_cast<const uint8_t*>(*peek->items),
                               static_cast<size_t>(GetHandleSize(peek->items)));
  }();
  st.items.resize(items.size());
  const itemlist::ItemTable& table = st.table;
  const int band = table.band;
  const int bandShift = band * 3 / 4;
  const bool dialogFont = (table.flags & itemlist::kTableDialogFont) != 0;
  HFONT savedControlFont = controls::ControlFont();
  controls::SetControlFont(dialogFont ? quickdraw::Fonts().dialog : quickdraw::Fonts().system);
  HFONT font = ItemFont(dialog, dialogFont);
  const int fontHeight = FontHeight(font);
  const uint32_t rightAligned = events::StoredSystemValue(kRightAlignedIndex);
  WindowPtr savedBuilding = g_building;
  g_building = dialog;
  bool ok = true;
  if ((table.flags & itemlist::kTableSwapFirstTwo) && first == 1 && items.size() >= 2 &&
      (items[1].type & 0x7F) == itemlist::kButton) {
    itemlist::ItemBox a = items[0].box, b = items[1].box;
    StoreBox(dialog, 1, b);
    StoreBox(dialog, 2, a);
  }
  for (size_t i = static_cast<size_t>(first - 1); i < items.size() && ok; ++i) {
    const int n = static_cast<int>(i + 1);
    const itemlist::ItemView v = ItemAt(dialog, n);
    const uint8_t kind = v.type & 0x7F;
    const bool disabled = (v.type & itemlist::kDisabledBit) != 0;
    itemlist::ItemBox box = v.box;
    const itemlist::TableEntry* entry = table.For(n);
    const uint8_t entryFlags = entry ? entry->flags : 0;
    ItemState& is = st.items[i];
    uint8_t* field = ItemField(dialog, n);
    const int threshold = kind == itemlist::kCheckBox ? bandShift : band;
    const bool inBand = band > 0 && box.top < threshold;
    if (band > 0 && !inBand) {
      box.top = static_cast<int16_t>(box.top - bandShift);
      box.bottom = static_cast<int16_t>(box.bottom - bandShift);
      StoreBox(dialog, n, box);
    }
    if (inBand && kind != itemlist::kStaticText) {
      SetField(field, 0);
      continue;
    }
    switch (kind) {
      case itemlist::kUser: {
        SetField(field, 0);
        if (entryFlags & itemlist::kEntryCombo) {
          RECT r = ClientRect(dialog, box);
          r.bottom = r.top + std::max<int>(box.bottom - box.top, fontHeight * 3 / 2) + 16 * fontHeight;
          is.hwnd = Create(dialog, "ComboBox", "", WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, r, n,
                           reinterpret_cast<WNDPROC>(&Z_ComboBoxWndProc), quickdraw::Fonts().dialog);
          is.combo = true;
        } else if (entryFlags & itemlist::kEntryNoTabStop && entry->first != entry->second) {
          const itemlist::ItemView label = ItemAt(dialog, entry->first);
          RECT r = ClientRect(dialog, box);
          r.top -= 8;
          is.hwnd = Create(dialog, "button", " " + ToWindowsText(ItemDataText(label)) + " ",
                           WS_VISIBLE | BS_GROUPBOX, r, n, reinterpret_cast<WNDPROC>(&Z_ButtonWndProc), font);
          is.groupBox = true;
        } else {
          if (box.bottom - box.top == 18) {
            box.bottom = static_cast<int16_t>(box.bottom + 2);
            StoreBox(dialog, n, box);
          }
          is.hwnd = Create(dialog, "button", "", WS_VISIBLE | WS_DISABLED | BS_OWNERDRAW, ClientRect(dialog, box), n,
                           reinterpret_cast<WNDPROC>(&Z_UserItemWndProc), font);
        }
        break;
      }
      case itemlist::kButton:
      case itemlist::kCheckBox:
      case itemlist::kRadio: {
        const std::string title = ItemDataText(v);
        if (kind == itemlist::kButton && (box.bottom - box.top == 1 || box.right - box.left == 1)) {
          is.hwnd = Create(dialog, "static", "", WS_VISIBLE | SS_BLACKRECT, ClientRect(dialog, box), n,
                           reinterpret_cast<WNDPROC>(&Z_StaticWndProc), font);
          SetField(field, reinterpret_cast<uintptr_t>(is.hwnd));
          break;
        }
        unsigned char p[256];
        ToPString(title, p);
        const short procID = kind == itemlist::kButton ? pushButProc : kind == itemlist::kCheckBox ? checkBoxProc : radioButProc;
        Rect r = {box.top, box.left, box.bottom, box.right};
        is.control = NewControl(dialog, &r, p, true, 0, 0, kind == itemlist::kButton ? 0 : 1, procID, n);
        if (is.control) {
          is.hwnd = (*is.control)->zebWindow;
          SendMessageA(is.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
          if (entry && entry->mnemonic) SetWindowTextA(is.hwnd, ShownText(title, entry->mnemonic).c_str());
          if (disabled && kind == itemlist::kButton) {
            // A disabled push button still shows; the item only reports no hits.
          }
        }
        SetField(field, reinterpret_cast<uintptr_t>(is.control));
        if (n == 1 && kind == itemlist::kButton && peek->aDefItem == 0) peek->aDefItem = 1;
        break;
      }
      case itemlist::kResourceControl: {
        int16_t id = 0;
        SetField(field, 0);
        if (!itemlist::ItemResourceId(v, &id)) break;
        g_buildingCombo = (entryFlags & itemlist::kEntryCombo) != 0;
        is.control = GetNewControl(id, dialog);
        g_buildingCombo = false;
        if (is.control) {
          (*is.control)->contrlRfCon = ((*is.control)->contrlRfCon & ~0xFF) | n;
          is.hwnd = (*is.control)->zebWindow;
          if (is.hwnd && !(*is.control)->zebCustom) SetWindowLongPtrA(is.hwnd, GWLP_ID, n);
          const int k = controls::KindOf(is.control);
          const uint8_t t = k == controls::kRadioButton ? itemlist::kRadio
                            : k == controls::kCheckBox  ? itemlist::kCheckBox
                            : k == controls::kPushButton ? itemlist::kButton
                                                         : itemlist::kResourceControl;
          StoreType(dialog, n, static_cast<uint8_t>(t | (v.type & itemlist::kDisabledBit)));
          if (k == controls::kPopUpBox) is.combo = true;
        }
        SetField(field, reinterpret_cast<uintptr_t>(is.control));
        break;
      }
      case itemlist::kStaticText: {
        const itemlist::TableEntry* label = table.Labelled(n);
        if (label && (label->flags & itemlist::kEntryNoTabStop)) {
          const int slot = FreeMarker(true);
          if (slot >= 0) {
            g_groupSlots[slot] = GroupSlot{dialog, label->second};
            st.groupSlots.push_back(slot);
            SetField(field, kGroupMarker | static_cast<uint32_t>(slot));
          } else {
            SetField(field, 0);
          }
          is.rawText = ItemDataText(v);
          break;
        }
        is.rawText = ItemDataText(v);
        const std::string expanded = itemlist::ExpandParams(is.rawText, g_params, &is.params);
        box.bottom = static_cast<int16_t>(box.bottom - 1);
        if (inBand) {
          if (st.captionSlot < 0) {
            const int slot = FreeMarker(false);
            HWND hwnd = windows::HwndOf(dialog);
            SetWindowLongA(hwnd, GWL_STYLE,
                           GetWindowLongA(hwnd, GWL_STYLE) | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
            SetWindowTextA(hwnd, ToWindowsText(expanded).c_str());
            RECT wr;
            GetWindowRect(hwnd, &wr);
            SetWindowPos(hwnd, nullptr, 0, 0, wr.right - wr.left,
                         wr.bottom - wr.top + GetSystemMetrics(SM_CYCAPTION) - bandShift,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            if (slot >= 0) {
              g_markerWindows[slot] = hwnd;
              st.captionSlot = slot;
              SetField(field, kCaptionMarker | static_cast<uint32_t>(slot));
            } else {
              SetField(field, 0);
            }
          } else {
            SetField(field, 0);
          }
          break;
        }
        const bool right = n < 32 && (rightAligned & (1u << n));
        const uint8_t mnemonic = entry ? entry->mnemonic : (label ? label->mnemonic : 0);
        // A full marker table leaves the text a plain static window.
        is.hwnd = Create(dialog, "static", ShownText(expanded, mnemonic), WS_VISIBLE | (right ? SS_RIGHT : SS_LEFT),
                         ClientRect(dialog, box), n, reinterpret_cast<WNDPROC>(&Z_StaticWndProc), font);
        SetField(field, reinterpret_cast<uintptr_t>(is.hwnd));
        break;
      }
      case itemlist::kEditText: {
        box.right = static_cast<int16_t>(box.right + 3);
        const bool multi = (box.bottom - box.top) > 2 * fontHeight + 8 || (entryFlags & itemlist::kEntryMultiLine);
        int grow = 0;
        if (box.bottom - box.top < fontHeight + 8) grow = fontHeight + 8 - (box.bottom - box.top);
        box.top = static_cast<int16_t>(box.top - grow / 2);
        box.bottom = static_cast<int16_t>(box.bottom + grow - grow / 2);
        DWORD style = WS_VISIBLE | WS_BORDER | WS_TABSTOP |
                      (multi ? (ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN) : ES_AUTOHSCROLL);
        const std::string text = ToWindowsText(itemlist::ToCrLf(ItemDataText(v)));
        is.hwnd = Create(dialog, "edit", text, style, ClientRect(dialog, box), n,
                         reinterpret_cast<WNDPROC>(&Z_EditWndProc), font);
        is.multiLine = multi;
        if (!is.hwnd) {
          ok = false;
          break;
        }
        box.right = static_cast<int16_t>(box.right + 1);
        StoreBox(dialog, n, box);
        if (!peek->textH) peek->textH = textedit::NewDialogTE(dialog, is.hwnd);
        if (!st.firstEdit) st.firstEdit = n;
        SetField(field, reinterpret_cast<uintptr_t>(is.hwnd));
        break;
      }
      case itemlist::kIcon:
      case itemlist::kPicture: {
        int16_t id = 0;
        Handle h = nullptr;
        if (itemlist::ItemResourceId(v, &id)) {
          if (kind == itemlist::kIcon) {
            h = quickdraw::GetColourIcon(id);
            if (!h) h = GetResource(kIconType, id);
          } else {
            h = GetResource(kPictType, id);
          }
        }
        // A colour icon and the 4-byte handle of a stock icon are the dialog's own.
        if (kind == itemlist::kIcon && h && (quickdraw::IsColourIcon(h) || GetHandleSize(h) == 4)) is.ownedIcon = h;
        SetField(field, reinterpret_cast<uintptr_t>(h));
        is.hwnd = Create(dialog, "button", "", WS_VISIBLE | WS_DISABLED | BS_OWNERDRAW, ClientRect(dialog, box), n,
                         reinterpret_cast<WNDPROC>(&Z_UserItemWndProc), font);
        break;
      }
      default:
        SetField(field, 0);
        break;
    }
    if (is.hwnd && disabled && kind != itemlist::kUser && kind != itemlist::kIcon && kind != itemlist::kPicture &&
        kind != itemlist::kStaticText && !is.control)
      EnableWindow(is.hwnd, FALSE);
  }
  g_building = savedBuilding;
  controls::SetControlFont(savedControlFont);
  events::StoreSystemValue(kRightAlignedIndex, 0);
  if (ok && first == 1) {
    if (st.firstEdit) {
      HWND e = st.items[static_cast<size_t>(st.firstEdit - 1)].hwnd;
      SendMessageA(e, EM_SETSEL, 0, -1);
      peek->editField = static_cast<short>(st.firstEdit - 1);
    } else {
      peek->editField = -1;
    }
    st.focusPending = true;
  }
  return ok;
}

void DestroyItem(DialogState& st, int n) {
  if (n < 1 || static_cast<size_t>(n) > st.items.size()) return;
  ItemState& is = st.items[static_cast<size_t>(n - 1)];
  if (is.control) {
    ControlHandle c = is.control;
    is.control = nullptr;
    DisposeControl(c);
  } else if (is.hwnd && IsWindow(is.hwnd)) {
    if (GetFocus() == is.hwnd) SetFocus(windows::HwndOf(st.dialog));
    DestroyWindow(is.hwnd);
  }
  is.hwnd = nullptr;
  if (is.ownedIcon) {
    if (quickdraw::IsColourIcon(is.ownedIcon)) quickdraw::DisposeColourIcon(is.ownedIcon);
    else DisposeHandle(is.ownedIcon);
  }
  is.ownedIcon = nullptr;
}

void ReleaseMarkers(DialogState& st) {
  if (st.captionSlot >= 0) g_markerWindows[st.captionSlot] = nullptr;
  st.captionSlot = -1;
  for (int s : st.groupSlots) g_groupSlots[s] = GroupSlot{};
  st.groupSlots.clear();
}

DialogPtr MakeDialog(void* storage, const Rect* boundsRect, ConstStr255Param title, Boolean visible, short procID,
                     WindowPtr behind, Boolean goAwayFlag, long refCon, Handle items, bool colour, short tableId) {
  if (!boundsRect || !items || !*items) return nullptr;
  Rect bounds = *boundsRect;
  if (frame::SessionFlag(ZEB_SF_DIALOGSCALING)) ZEB_ScaleDlgWindow(1, &bounds);
  void* record = storage ? storage : NewPtrClear(sizeof(DialogRecord));
  if (!record) return nullptr;
  if (storage) std::memset(storage, 0, sizeof(DialogRecord));
  // The Window Manager gives the window being made a dialog's look and marks it as in a dialog.
  WindowPtr savedBuilding = g_building;
  g_building = static_cast<WindowPtr>(record);
  WindowPtr w = (colour || frame::ThreeDLookOn())
                    ? reinterpret_cast<WindowPtr>(NewCWindow(record, &bounds, title, false, procID, behind, goAwayFlag, refCon))
                    : NewWindow(record, &bounds, title, false, procID, behind, goAwayFlag, refCon);
  g_building = savedBuilding;
  if (!w) {
    if (!storage) DisposePtr(static_cast<Ptr>(record));
    return nullptr;
  }
  DialogPeek peek = Peek(w);
  peek->window.windowKind = dialogKind;
  const std::vector<uint8_t> originalList(reinterpret_cast<const uint8_t*>(*items),
                                          reinterpret_cast<const uint8_t*>(*items) + GetHandleSize(items));
  peek->items = items;
  peek->editField = -1;
  ZEB_DialogFontMode(w, 1);
  auto* st = new DialogState;
  st->dialog = w;
  st->ownsRecord = storage == nullptr;
  g_dialogs[w] = st;
  const size_t size = static_cast<size_t>(GetHandleSize(items));
  std::vector<itemlist::ItemView> views = itemlist::WalkItems(reinterpret_cast<const uint8_t*>(*items), size);
  if (frame::SessionFlag(ZEB_SF_DIALOGSCALING))
    for (size_t i = 0; i < views.size(); ++i) {
      Rect r = {views[i].box.top, views[i].box.left, views[i].box.bottom, views[i].box.right};
      ZEB_ScaleDlgItemRect(1, &r);
      StoreBox(w, static_cast<int>(i + 1), itemlist::ItemBox{r.top, r.left, r.bottom, r.right});
    }
  ZEB_UseZEBDItems(w, static_cast<unsigned short>(tableId));
  const short savedFont = w->txFont;
  TextFont(0);
  (void)savedFont;
  if (!BuildItems(*st, 1)) {
    // The caller's storage and item list stay the caller's, the list as it came: the handle
    // fields the build wrote would name windows and controls disposed of here.
    peek->items = nullptr;
    CloseDialog(w);
    if (*items && static_cast<size_t>(GetHandleSize(items)) >= originalList.size())
      std::memcpy(*items, originalList.data(), originalList.size());
    if (!storage) DisposePtr(static_cast<Ptr>(record));
    return nullptr;
  }
  if (visible) ShowWindow(w);
  return w;
}

}  // namespace

DialogState* StateOf(WindowPtr window) {
  auto it = g_dialogs.find(window);
  return it == g_dialogs.end() ? nullptr : it->second;
}

DialogPeek Peek(DialogPtr dialog) { return reinterpret_cast<DialogPeek>(dialog); }

int ItemCount(DialogPtr dialog) {
  DialogPeek p = Peek(dialog);
  if (!StateOf(dialog) || !p->items || !*p->items) return 0;
  return static_cast<int>(
      itemlist::WalkItems(reinterpret_cast<const uint8_t*>(*p->items), static_cast<size_t>(GetHandleSize(p->items)))
          .size());
}

itemlist::ItemView ItemAt(DialogPtr dialog, int n) {
  DialogPeek p = Peek(dialog);
  if (!StateOf(dialog) || !p->items || !*p->items || n < 1) return {};
  const std::vector<itemlist::ItemView> v =
      itemlist::WalkItems(reinterpret_cast<const uint8_t*>(*p->items), static_cast<size_t>(GetHandleSize(p->items)));
  return static_cast<size_t>(n) <= v.size() ? v[static_cast<size_t>(n - 1)] : itemlist::ItemView{};
}

uint8_t* ItemField(DialogPtr dialog, int n) {
  const itemlist::ItemView v = ItemAt(dialog, n);
  if (!v.data && !v.offset) return nullptr;
  return reinterpret_cast<uint8_t*>(*Peek(dialog)->items) + v.offset;
}

Handle HandleOfField(const uint8_t* field) {
  uint32_t v;
  std::memcpy(&v, field, 4);
  return reinterpret_cast<Handle>(static_cast<uintptr_t>(v));
}

void SetField(uint8_t* field, uintptr_t value) {
  if (!field) return;
  const auto v = static_cast<uint32_t>(value);
  std::memcpy(field, &v, 4);
}

short ItemOfWindow(DialogState& st, HWND hwnd) {
  for (size_t i = 0; i < st.items.size(); ++i)
    if (hwnd && st.items[i].hwnd == hwnd) return static_cast<short>(i + 1);
  return 0;
}

std::string ItemText(HWND hwnd, bool edit) {
  const int n = GetWindowTextLengthA(hwnd);
  std::string s(static_cast<size_t>(std::max(n, 0)) + 1, '\0');
  GetWindowTextA(hwnd, &s[0], n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  if (edit) s = itemlist::FromCrLf(s);
  s = FromWindowsText(s);
  if (s.size() > 255) s.resize(255);
  return s;
}

const std::string* ParamStrings() { return g_params; }

WindowPtr DialogBeingBuilt() { return g_building; }
bool BuildingComboItem() { return g_buildingCombo; }
bool HitsSuppressed() { return g_suppressHits > 0; }
bool IsLibraryDialog(WindowPtr window) { return StateOf(window) != nullptr; }

short ItemOfNative(DialogPtr dialog, HWND hwnd) {
  DialogState* st = StateOf(dialog);
  return st ? ItemOfWindow(*st, hwnd) : 0;
}

void ExcludeLaterItems(WindowPtr window, HWND native, HRGN rgn) {
  DialogState* st = StateOf(window);
  if (!st || !rgn) return;
  const short n = ItemOfWindow(*st, native);
  DialogPeek peek = Peek(window);
  if (!n || !peek->items || !*peek->items) return;
  const std::vector<itemlist::ItemView> views =
      itemlist::WalkItems(reinterpret_cast<const uint8_t*>(*peek->items), static_cast<size_t>(GetHandleSize(peek->items)));
  if (static_cast<size_t>(n) > views.size()) return;
  const itemlist::ItemBox& own = views[static_cast<size_t>(n - 1)].box;
  for (size_t m = static_cast<size_t>(n); m < views.size(); ++m) {
    const itemlist::ItemBox& b = views[m].box;
    const bool overlaps = b.left < own.right && own.left < b.right && b.top < own.bottom && own.top < b.bottom;
    if (!overlaps) continue;
    HRGN later = CreateRectRgn(b.left, b.top, b.right, b.bottom);
    if (!later) continue;
    CombineRgn(rgn, rgn, later, RGN_DIFF);
    DeleteObject(later);
  }
}

void ForgetControl(ControlHandle control) {
  for (auto& [w, st] : g_dialogs)
    for (size_t i = 0; i < st->items.size(); ++i)
      if (st->items[i].control == control) {
        st->items[i].control = nullptr;
        st->items[i].hwnd = nullptr;
        SetField(ItemField(w, static_cast<int>(i + 1)), 0);
      }
}

bool DialogItemOfControl(WindowPtr window, HWND control, short* item, short* type) {
  DialogState* st = StateOf(window);
  if (!st) return false;
  const short n = ItemOfWindow(*st, control);
  if (!n) return false;
  if (item) *item = n;
  if (type) *type = ItemAt(window, n).type;
  return true;
}

bool IsLibraryButton(HWND control) {
  char name[16] = {};
  GetClassNameA(control, name, sizeof name);
  return controls::FromNative(control) != nullptr && lstrcmpiA(name, "button") == 0;
}

bool IsLibraryComboBox(HWND control) {
  if (!control) return false;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)) ==
      reinterpret_cast<WNDPROC>(&Z_ComboBoxWndProc))
    return true;
  return false;
}

void CloseFocusedComboList() {
  HWND focus = GetFocus();
  if (!focus) return;
  HWND combo = IsLibraryComboBox(focus) ? focus : GetParent(focus);
  if (IsLibraryComboBox(combo) && SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0))
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

bool MenuItemTexts(short menuId, void (*each)(const unsigned char* text, void* context), void* context) {
  if (!menuId) return false;
  // Through the Menu Manager, so that a menu the application has changed since it was loaded
  // shows as it is now.
  MenuHandle menu = GetMen(menuId);
  if (!menu || !*menu) return false;
  const short count = CountMItems(menu);
  for (short i = 1; i <= count; ++i) {
    Str255 text;
    GetMenuItemText(menu, i, text);
    each(text, context);
  }
  return true;
}

void FillPopUpBox(ControlHandle control, short menuId) {
  if (!controls::Valid(control) || !(*control)->zebWindow) return;
  HWND box = (*control)->zebWindow;
  SendMessageA(box, CB_RESETCONTENT, 0, 0);
  auto add = [](const unsigned char* text, void* ctx) {
    const std::string t = ToWindowsText(PString(text));
    SendMessageA(static_cast<HWND>(ctx), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
  };
  if (!MenuItemTexts(menuId, add, box)) return;
  const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
  (*control)->contrlMin = 1;
  (*control)->contrlMax = static_cast<short>(std::max<LRESULT>(1, count));
  (*control)->contrlValue = std::min<short>(std::max<short>((*control)->contrlValue, 1), (*control)->contrlMax);
  SendMessageA(box, CB_SETCURSEL, (*control)->contrlValue - 1, 0);
}

}  // namespace zeb::dialogs

using namespace zeb;
using namespace zeb::dialogs;

extern "C" {

DialogPtr ZEBAPI NewDialog(void* dStorage, const Rect* boundsRect, ConstStr255Param title, Boolean visible,
                           short procID, WindowPtr behind, Boolean goAwayFlag, long refCon, Handle items) {
  return MakeDialog(dStorage, boundsRect, title, visible, procID, behind, goAwayFlag, refCon, items, false, kNoTable);
}

DialogPtr ZEBAPI NewColorDialog(void* dStorage, const Rect* boundsRect, ConstStr255Param title, Boolean visible,
                                short procID, WindowPtr behind, Boolean goAwayFlag, long refCon, Handle items) {
  return MakeDialog(dStorage, boundsRect, title, visible, procID, behind, goAwayFlag, refCon, items, true, kNoTable);
}

DialogPtr ZEBAPI GetNewDialog(short dialogID, void* dStorage, WindowPtr behind) {
  const bool dctbLoaded = resources::ResourceInMemory(kDctbType, dialogID);
  if (Handle dctb = GetResource(kDctbType, dialogID))
    if (!dctbLoaded) ReleaseResource(dctb);
  const bool loaded = resources::ResourceInMemory(kDlogType, dialogID);
  Handle t = GetResource(kDlogType, dialogID);
  if (!t || !*t) return nullptr;
  // bounds 8, procID 2, visible 1, filler 1, goAway 1, filler 1, refCon 4, items 2, title.
  constexpr long kTitleAt = 20;
  const long size = GetHandleSize(t);
  DialogPtr result = nullptr;
  if (size > kTitleAt) {
    const auto* p = reinterpret_cast<const uint8_t*>(*t);
    Rect bounds;
    std::memcpy(&bounds, p, 8);
    short procID, itemsID;
    long refCon;
    std::memcpy(&procID, p + 8, 2);
    const bool visible = p[10] != 0;
    const bool goAway = p[12] != 0;
    std::memcpy(&refCon, p + 14, 4);
    std::memcpy(&itemsID, p + 18, 2);
    unsigned char title[256] = {};
    title[0] = static_cast<unsigned char>(std::min<long>(p[kTitleAt], size - kTitleAt - 1));
    std::memcpy(title + 1, p + kTitleAt + 1, title[0]);
    const bool ditlLoaded = resources::ResourceInMemory(kDitlType, itemsID);
    Handle ditl = GetResource(kDitlType, itemsID);
    if (ditl && *ditl) {
      Handle copy = ditl;
      if (HandToHand(&copy) == noErr && copy) {
        result = MakeDialog(dStorage, &bounds, title, visible, procID, behind, goAway, refCon, copy, true, itemsID);
        if (!result) DisposeHandle(copy);
      }
      if (!ditlLoaded) ReleaseResource(ditl);
    }
  }
  if (!loaded) ReleaseResource(t);
  return result;
}

void ZEBAPI CloseDialog(DialogPtr theDialog) {
  DialogState* st = StateOf(theDialog);
  if (!st) return;
  DialogPeek peek = Peek(theDialog);
  if (peek->textH) textedit::DisposeDialogTE(peek->textH);
  peek->textH = nullptr;
  for (int n = static_cast<int>(st->items.size()); n >= 1; --n) DestroyItem(*st, n);
  ReleaseMarkers(*st);
  Unregister(theDialog);
  if (st->tableHandle) DisposeHandle(st->tableHandle);
  st->tableHandle = nullptr;
  g_dialogs.erase(theDialog);
  delete st;
  CloseWindow(theDialog);
}

void ZEBAPI DisposeDialog(DialogPtr theDialog) {
  DialogState* st = StateOf(theDialog);
  if (!st) return;
  const bool owns = st->ownsRecord;
  Handle items = Peek(theDialog)->items;
  CloseDialog(theDialog);
  if (items) DisposeHandle(items);
  if (owns) DisposePtr(reinterpret_cast<Ptr>(theDialog));
}

void ZEBAPI CouldDialog(short dialogID) { (void)dialogID; }
void ZEBAPI FreeDialog(short dialogID) { (void)dialogID; }

void ZEBAPI GetDialogItem(DialogPtr theDialog, short itemNo, short* itemType, Handle* item, Rect* box) {
  if (itemType) *itemType = 0;
  if (item) *item = nullptr;
  if (box) *box = Rect{0, 0, 0, 0};
  if (!theDialog) return;
  if (!StateOf(theDialog)) {
    // A window without an item list: a control whose identifier is the item number.
    if (!windows::Listed(theDialog)) return;
    for (ControlHandle c = reinterpret_cast<WindowPeek>(theDialog)->controlList; c; c = (*c)->nextControl)
      if (((*c)->contrlRfCon & 0xFF) == itemNo) {
        if (itemType) *itemType = ctrlItem;
        if (item) *item = reinterpret_cast<Handle>(c);
        if (box) *box = (*c)->contrlRect;
        return;
      }
    return;
  }
  const itemlist::ItemView v = ItemAt(theDialog, itemNo);
  if (!v.offset) return;
  if (itemType) *itemType = v.type;
  if (item) *item = HandleOfField(ItemField(theDialog, itemNo));
  if (box) *box = Rect{v.box.top, v.box.left, v.box.bottom, v.box.right};
}

void ZEBAPI SetDialogItem(DialogPtr theDialog, short itemNo, short itemType, Handle item, const Rect* box) {
  DialogState* st = StateOf(theDialog);
  if (!st || !box) return;
  const itemlist::ItemView v = ItemAt(theDialog, itemNo);
  if (!v.offset) return;
  uint8_t* field = ItemField(theDialog, itemNo);
  ItemState& is = st->items[static_cast<size_t>(itemNo - 1)];
  const bool disabledChanged = ((v.type ^ itemType) & itemlist::kDisabledBit) != 0;
  const bool boxChanged = std::memcmp(&v.box, box, sizeof v.box) != 0;
  field[12] = static_cast<uint8_t>(itemType);
  if ((itemType & 0x7F) == itemlist::kUser) {
    Handle old = HandleOfField(field);
    if (old != item) {
      if (old) frame::ReleaseCallback(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(old)));
      item = reinterpret_cast<Handle>(reinterpret_cast<void*>(
          frame::WrapCallback(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(item)))));
    }
  }
  SetField(field, reinterpret_cast<uintptr_t>(item));
  if (boxChanged) {
    std::memcpy(field + 4, box, sizeof(Rect));
    if (is.hwnd) {
      const RECT r = {box->left - theDialog->portRect.left, box->top - theDialog->portRect.top,
                      box->right - theDialog->portRect.left, box->bottom - theDialog->portRect.top};
      SetWindowPos(is.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (is.control) (*is.control)->contrlRect = *box;
    }
  }
  if (disabledChanged && is.hwnd && !is.control && (itemType & 0x7F) != itemlist::kUser)
    EnableWindow(is.hwnd, !(itemType & itemlist::kDisabledBit));
  if (is.hwnd) InvalidateRect(is.hwnd, nullptr, TRUE);
}

void ZEBAPI HideDialogItem(DialogPtr theDialog, short itemNo) {
  DialogState* st = StateOf(theDialog);
  const itemlist::ItemView v = ItemAt(theDialog, itemNo);
  if (!st || !v.offset) return;
  itemlist::ItemBox b = v.box;
  if (b.left <= 8192) {
    b.left = static_cast<int16_t>(b.left + 16384);
    b.right = static_cast<int16_t>(b.right + 16384);
    StoreBox(theDialog, itemNo, b);
  }
  ItemState& is = st->items[static_cast<size_t>(itemNo - 1)];
  if (is.control) HideControl(is.control);
  else if (is.hwnd) ShowWindow(is.hwnd, SW_HIDE);
}

void ZEBAPI ShowDialogItem(DialogPtr theDialog, short itemNo) {
  DialogState* st = StateOf(theDialog);
  const itemlist::ItemView v = ItemAt(theDialog, itemNo);
  if (!st || !v.offset) return;
  itemlist::ItemBox b = v.box;
  if (b.left > 8192) {
    b.left = static_cast<int16_t>(b.left - 16384);
    b.right = static_cast<int16_t>(b.right - 16384);
    StoreBox(theDialog, itemNo, b);
  }
  ItemState& is = st->items[static_cast<size_t>(itemNo - 1)];
  if (is.control) ShowControl(is.control);
  else if (is.hwnd) ShowWindow(is.hwnd, SW_SHOWNA);
}

short ZEBAPI FindDialogItem(DialogPtr theDialog, Point thePt) {
  const int n = ItemCount(theDialog);
  for (int i = 1; i <= n; ++i) {
    const itemlist::ItemView v = ItemAt(theDialog, i);
    if (thePt.v >= v.box.top && thePt.v < v.box.bottom && thePt.h >= v.box.left && thePt.h < v.box.right)
      return static_cast<short>(i - 1);
  }
  return -1;
}

void ZEBAPI SelectDialogItemText(DialogPtr theDialog, short itemNo, short strtSel, short endSel) {
  DialogState* st = StateOf(theDialog);
  if (!st || itemNo < 1 || static_cast<size_t>(itemNo) > st->items.size()) return;
  HWND e = st->items[static_cast<size_t>(itemNo - 1)].hwnd;
  if (!e) return;
  SetFocus(e);
  textedit::SelectEditWindowText(e, strtSel, endSel);
  Peek(theDialog)->editField = static_cast<short>(itemNo - 1);
  if (Peek(theDialog)->textH) textedit::RefreshDialogTE(Peek(theDialog)->textH, e);
}

void ZEBAPI GetDialogItemText(Handle item, Str255 text) {
  if (!text) return;
  text[0] = 0;
  const auto value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(item));
  HWND hwnd = nullptr;
  bool edit = false;
  if ((value & 0xFFFFFF00u) == kCaptionMarker) {
    hwnd = g_markerWindows[value & 0xFF];
  } else if ((value & 0xFFFFFF00u) == kGroupMarker) {
    const GroupSlot& g = g_groupSlots[value & 0xFF];
    DialogState* st = g.dialog ? StateOf(g.dialog) : nullptr;
    if (st && g.item >= 1 && static_cast<size_t>(g.item) <= st->items.size()) {
      std::string t = ItemText(st->items[static_cast<size_t>(g.item - 1)].hwnd, false);
      // The group box shows its label with a blank on each side.
      if (t.size() >= 2 && t.front() == ' ' && t.back() == ' ') t = t.substr(1, t.size() - 2);
      ToPString(t, text);
    }
    return;
  } else if (ControlHandle c = controls::FromNative(reinterpret_cast<HWND>(item))) {
    hwnd = (*c)->zebWindow;
  } else if (item && IsWindow(reinterpret_cast<HWND>(item)) && windows::FromHwnd(GetParent(reinterpret_cast<HWND>(item)))) {
    hwnd = reinterpret_cast<HWND>(item);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    edit = lstrcmpiA(cls, "edit") == 0;
  } else {
    // A control handle: its native window.
    for (auto& [w, st] : g_dialogs)
      for (const ItemState& is : st->items)
        if (is.control && reinterpret_cast<Handle>(is.control) == item) hwnd = is.hwnd;
  }
  if (!hwnd || !IsWindow(hwnd)) return;
  std::string t = ItemText(hwnd, edit);
  if (!edit) {
    // Undo the literal "&&" of the shown text.
    std::string plain;
    for (size_t i = 0; i < t.size(); ++i) {
      plain += t[i];
      if (t[i] == '&' && i + 1 < t.size() && t[i + 1] == '&' && !frame::SessionFlag(ZEB_SF_MNEMONICS)) ++i;
    }
    t = plain;
  }
  ToPString(t, text);
}

void ZEBAPI ZEB_SetBigIText(Handle item, const char* textPtr, long length) {
  if (!textPtr || length < 0) return;
  const std::string mac(textPtr, static_cast<size_t>(std::min<long>(length, 32000)));
  const auto value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(item));
  ++g_suppressHits;
  if ((value & 0xFFFFFF00u) == kCaptionMarker) {
    if (HWND w = g_markerWindows[value & 0xFF]) SetWindowTextA(w, ToWindowsText(mac.substr(0, 255)).c_str());
  } else if ((value & 0xFFFFFF00u) == kGroupMarker) {
    const GroupSlot& g = g_groupSlots[value & 0xFF];
    DialogState* st = g.dialog ? StateOf(g.dialog) : nullptr;
    if (st && g.item >= 1 && static_cast<size_t>(g.item) <= st->items.size())
      SetWindowTextA(st->items[static_cast<size_t>(g.item - 1)].hwnd, (" " + ShownText(mac.substr(0, 255), 0) + " ").c_str());
  } else {
    HWND hwnd = nullptr;
    if (ControlHandle c = controls::FromNative(reinterpret_cast<HWND>(item))) hwnd = (*c)->zebWindow;
    else if (item && IsWindow(reinterpret_cast<HWND>(item)) && windows::FromHwnd(GetParent(reinterpret_cast<HWND>(item))))
      hwnd = reinterpret_cast<HWND>(item);
    if (hwnd) {
      char cls[16] = {};
      GetClassNameA(hwnd, cls, sizeof cls);
      if (lstrcmpiA(cls, "edit") == 0) {
        SetWindowTextA(hwnd, ToWindowsText(itemlist::ToCrLf(mac)).c_str());
        UpdateWindow(hwnd);
      } else {
        uint8_t mnemonic = 0;
        WindowPtr w = windows::FromHwnd(GetParent(hwnd));
        if (DialogState* st = StateOf(w)) {
          const short n = ItemOfWindow(*st, hwnd);
          if (const itemlist::TableEntry* e = st->table.For(n)) mnemonic = e->mnemonic;
        }
        SetWindowTextA(hwnd, ShownText(mac, mnemonic).c_str());
      }
    }
  }
  --g_suppressHits;
}

void ZEBAPI SetDialogItemText(Handle item, ConstStr255Param text) {
  if (!text) return;
  ZEB_SetBigIText(item, reinterpret_cast<const char*>(text + 1), text[0]);
}

void ZEBAPI ParamText(ConstStr255Param param0, ConstStr255Param param1, ConstStr255Param param2,
                      ConstStr255Param param3) {
  ConstStr255Param in[4] = {param0, param1, param2, param3};
  for (int i = 0; i < 4; ++i)
    if (in[i]) g_params[i] = PString(in[i]);
  // A parameter that itself holds placeholders is expanded once with the others.
  std::string expanded[4];
  for (int i = 0; i < 4; ++i) expanded[i] = itemlist::ExpandParams(g_params[i], g_params, nullptr);
  for (int i = 0; i < 4; ++i) g_params[i] = expanded[i];
}

void ZEBAPI ZEB_UpdateParamStr(DialogPtr theDialog, short n) {
  DialogState* st = StateOf(theDialog);
  if (!st || n < 0 || n > 3) return;
  for (size_t i = 0; i < st->items.size(); ++i) {
    ItemState& is = st->items[i];
    if (!(is.params & (1u << n)) || !is.hwnd) continue;
    unsigned used = 0;
    const std::string t = itemlist::ExpandParams(is.rawText, g_params, &used);
    ++g_suppressHits;
    SetWindowTextA(is.hwnd, ShownText(t, 0).c_str());
    --g_suppressHits;
  }
}

void ZEBAPI UpdateDialog(DialogPtr theDialog, RgnHandle updateRgn) {
  DialogState* st = StateOf(theDialog);
  if (!st) return;
  RECT bounds = {-32768, -32768, 32767, 32767};
  if (updateRgn && *updateRgn) {
    const Rect& b = (*updateRgn)->rgnBBox;
    bounds = RECT{b.left - theDialog->portRect.left, b.top - theDialog->portRect.top,
                  b.right - theDialog->portRect.left, b.bottom - theDialog->portRect.top};
  }
  HWND parent = windows::HwndOf(theDialog);
  for (const ItemState& is : st->items) {
    if (!is.hwnd || !IsWindowVisible(is.hwnd)) continue;
    RECT r;
    GetWindowRect(is.hwnd, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    InflateRect(&r, 3, 3);
    RECT meet;
    if (!IntersectRect(&meet, &r, &bounds)) continue;
    InvalidateRect(is.hwnd, nullptr, TRUE);
    UpdateWindow(is.hwnd);
  }
}

void ZEBAPI DrawDialog(DialogPtr theDialog) {
  if (StateOf(theDialog)) UpdateDialog(theDialog, theDialog->visRgn);
}

void ZEBAPI DialogCut(DialogPtr theDialog) {
  if (StateOf(theDialog) && Peek(theDialog)->textH) textedit::DialogTECut(Peek(theDialog)->textH);
}
void ZEBAPI DialogCopy(DialogPtr theDialog) {
  if (StateOf(theDialog) && Peek(theDialog)->textH) textedit::DialogTECopy(Peek(theDialog)->textH);
}
void ZEBAPI DialogPaste(DialogPtr theDialog) {
  if (StateOf(theDialog) && Peek(theDialog)->textH) textedit::DialogTEPaste(Peek(theDialog)->textH);
}
void ZEBAPI DialogDelete(DialogPtr theDialog) {
  if (StateOf(theDialog) && Peek(theDialog)->textH) textedit::DialogTEDelete(Peek(theDialog)->textH);
}

static short g_dialogFont = 0;
void ZEBAPI SetDialogFont(short fontNum) { g_dialogFont = fontNum; }

void ZEBAPI ZEB_SetDlgTextFont(DialogPtr theDialog, short itemNo) {
  DialogState* st = StateOf(theDialog);
  if (!st || itemNo < 1 || static_cast<size_t>(itemNo) > st->items.size()) return;
  HWND hwnd = st->items[static_cast<size_t>(itemNo - 1)].hwnd;
  if (hwnd) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ItemFont(theDialog, false)), TRUE);
}

short ZEBAPI CountDITL(DialogPtr theDialog) { return static_cast<short>(ItemCount(theDialog)); }

void ZEBAPI ZEB_AddDitlItems(DialogPtr theDialog, short previousCount) {
  DialogState* st = StateOf(theDialog);
  if (!st) return;
  const int count = ItemCount(theDialog);
  if (frame::SessionFlag(ZEB_SF_DIALOGSCALING))
    for (int n = previousCount + 1; n <= count; ++n) {
      const itemlist::ItemView v = ItemAt(theDialog, n);
      Rect r = {v.box.top, v.box.left, v.box.bottom, v.box.right};
      ZEB_ScaleDlgItemRect(1, &r);
      StoreBox(theDialog, n, itemlist::ItemBox{r.top, r.left, r.bottom, r.right});
    }
  BuildItems(*st, previousCount + 1);
}

void ZEBAPI AppendDITL(DialogPtr theDialog, Handle theHandle, short method) {
  DialogState* st = StateOf(theDialog);
  if (!st || !theHandle || !*theHandle) return;
  if (method != overlayDITL) {
    DebugStr(reinterpret_cast<ConstStr255Param>("\x0B AppendDITL"));
    return;
  }
  Handle items = Peek(theDialog)->items;
  const size_t oldSize = static_cast<size_t>(GetHandleSize(items));
  const size_t oldEnd = itemlist::EndOfItems(reinterpret_cast<const uint8_t*>(*items), oldSize);
  const int oldCount = ItemCount(theDialog);
  const size_t addSize = static_cast<size_t>(GetHandleSize(theHandle));
  const std::vector<itemlist::ItemView> added =
      itemlist::WalkItems(reinterpret_cast<const uint8_t*>(*theHandle), addSize);
  if (added.empty()) return;
  const size_t addEnd = itemlist::EndOfItems(reinterpret_cast<const uint8_t*>(*theHandle), addSize);
  if (!SetHandleSize(items, static_cast<Size>(oldEnd + addEnd - 2)) && MemError()) return;
  std::memcpy(*items + oldEnd, *theHandle + 2, addEnd - 2);
  const int16_t newCountWord = static_cast<int16_t>(oldCount + static_cast<int>(added.size()) - 1);
  std::memcpy(*items, &newCountWord, 2);
  for (int n = oldCount + 1; n <= oldCount + static_cast<int>(added.size()); ++n) SetField(ItemField(theDialog, n), 0);
  ZEB_AddDitlItems(theDialog, static_cast<short>(oldCount));
}

void ZEBAPI ShortenDITL(DialogPtr theDialog, short numberItems) {
  DialogState* st = StateOf(theDialog);
  if (!st || numberItems <= 0) return;
  const int count = ItemCount(theDialog);
  const int keep = std::max(0, count - numberItems);
  for (int n = count; n > keep; --n) DestroyItem(*st, n);
  st->items.resize(static_cast<size_t>(keep));
  Handle items = Peek(theDialog)->items;
  const size_t size = static_cast<size_t>(GetHandleSize(items));
  size_t end = 2;
  if (keep > 0) {
    const itemlist::ItemView last = ItemAt(theDialog, keep);
    end = last.offset + itemlist::kItemHeader + ((last.length + 1u) & ~1u);
  }
  const int16_t word = static_cast<int16_t>(keep - 1);
  std::memcpy(*items, &word, 2);
  if (end <= size) SetHandleSize(items, static_cast<Size>(end));
  if (Peek(theDialog)->editField >= keep) Peek(theDialog)->editField = -1;
}

Boolean ZEBAPI ZEB_IsComboBox(DialogPtr theDialog, short itemNo) {
  DialogState* st = StateOf(theDialog);
  return st && itemNo >= 1 && static_cast<size_t>(itemNo) <= st->items.size() &&
         st->items[static_cast<size_t>(itemNo - 1)].combo;
}

void ZEBAPI ZEB_BuildComboBox(DialogPtr theDialog, short itemNo, MenuHandle menu, short selected) {
  DialogState* st = StateOf(theDialog);
  if (!st || itemNo < 1 || static_cast<size_t>(itemNo) > st->items.size() || !menu || !*menu) return;
  ItemState& is = st->items[static_cast<size_t>(itemNo - 1)];
  if (!is.combo || !is.hwnd) return;
  SendMessageA(is.hwnd, CB_RESETCONTENT, 0, 0);
  int count = 0, widest = 0;
  HDC dc = GetDC(is.hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(is.hwnd, WM_GETFONT, 0, 0)));
  const short items = CountMItems(menu);
  for (short i = 1; i <= items; ++i) {
    Str255 text;
    GetMenuItemText(menu, i, text);
    const std::string t = ToWindowsText(PString(text));
    SendMessageA(is.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
    SIZE ext{};
    GetTextExtentPoint32A(dc, t.c_str(), static_cast<int>(t.size()), &ext);
    widest = std::max<int>(widest, ext.cx);
    ++count;
  }
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(is.hwnd, dc);
  const itemlist::ItemView v = ItemAt(theDialog, itemNo);
  const int width = std::max<int>(v.box.right - v.box.left, widest + GetSystemMetrics(SM_CXVSCROLL));
  const int line = tm.tmHeight;
  const int dropped = std::min(count + 1, 16) * line + line + 8;
  SetWindowPos(is.hwnd, nullptr, 0, 0, width, dropped, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(is.hwnd, CB_SETCURSEL, selected - 1, 0);
  if (is.control) (*is.control)->zebPopupMenu = menu;
}

short ZEBAPI ZEB_GetComboBoxSelect(DialogPtr theDialog, short itemNo) {
  DialogState* st = StateOf(theDialog);
  if (!st || itemNo < 1 || static_cast<size_t>(itemNo) > st->items.size()) return 0;
  HWND h = st->items[static_cast<size_t>(itemNo - 1)].hwnd;
  if (!h) return 0;
  const LRESULT sel = SendMessageA(h, CB_GETCURSEL, 0, 0);
  return static_cast<short>(sel == CB_ERR ? 0 : sel + 1);
}

Boolean ZEBAPI ZEB_SetComboBoxSelect(DialogPtr theDialog, short itemNo, short n) {
  DialogState* st = StateOf(theDialog);
  if (!st || itemNo < 1 || static_cast<size_t>(itemNo) > st->items.size()) return false;
  HWND h = st->items[static_cast<size_t>(itemNo - 1)].hwnd;
  return h && SendMessageA(h, CB_SETCURSEL, n - 1, 0) != CB_ERR;
}

Handle ZEBAPI ZEB_UseZEBDItems(DialogPtr theDialog, unsigned short resID) {
  DialogState* st = StateOf(theDialog);
  if (!st) return nullptr;
  if (resID == kRegisteredTable) return st->tableHandle;
  Unregister(theDialog);
  if (st->tableHandle) DisposeHandle(st->tableHandle);
  st->tableHandle = nullptr;
  st->hasTable = false;
  DialogPeek peek = Peek(theDialog);
  const std::vector<itemlist::ItemView> items =
      itemlist::WalkItems(reinterpret_cast<const uint8_t*>(*peek->items), static_cast<size_t>(GetHandleSize(peek->items)));
  itemlist::ItemTable table;
  Handle copy = nullptr;
  if (static_cast<short>(resID) != kNoTable) {
    const bool loaded = resources::ResourceInMemory(kZebdType, static_cast<short>(resID));
    Handle h = GetResource(kZebdType, static_cast<short>(resID));
    if (h && *h) {
      if (itemlist::ParseTable(reinterpret_cast<const uint8_t*>(*h), static_cast<size_t>(GetHandleSize(h)),
                               static_cast<int>(items.size()), &table)) {
        copy = h;
        if (HandToHand(&copy) != noErr) copy = nullptr;
      }
      if (!loaded) ReleaseResource(h);
    }
  }
  if (!table.fromResource) table = itemlist::DefaultTable(items);
  if (!copy) copy = NewHandleClear(4);
  if (!copy || !Register(theDialog, copy)) {
    if (copy) DisposeHandle(copy);
    MessageBoxA(frame::FrameWindow(), "Too many Dialogs", nullptr, MB_OK | MB_ICONINFORMATION);
    st->table = itemlist::ItemTable{};
    return nullptr;
  }
  st->table = table;
  st->tableHandle = copy;
  st->hasTable = true;
  return copy;
}

Boolean ZEBAPI ZEB_DialogWhiteBackground(WindowPtr theWindow) {
  DialogState* st = StateOf(theWindow);
  return st && (st->table.flags & itemlist::kTableWhite) != 0;
}

static void ScreenDpi(int* h, int* v) {
  HDC dc = GetDC(nullptr);
  *h = GetDeviceCaps(dc, LOGPIXELSX);
  *v = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
}

void ZEBAPI ZEB_ScaleDlgItemRect(short direction, Rect* rect) {
  int h, v;
  ScreenDpi(&h, &v);
  if (!rect || h <= 96) return;
  rect->top = itemlist::ScaleCoordinate(rect->top, v, direction == 1);
  rect->bottom = itemlist::ScaleCoordinate(rect->bottom, v, direction == 1);
  rect->left = itemlist::ScaleCoordinate(rect->left, h, direction == 1);
  rect->right = itemlist::ScaleCoordinate(rect->right, h, direction == 1);
}

void ZEBAPI ZEB_ScaleDlgPoint(short direction, Point* pt) {
  int h, v;
  ScreenDpi(&h, &v);
  if (!pt || h <= 96) return;
  pt->v = itemlist::ScaleCoordinate(pt->v, v, direction == 1);
  pt->h = itemlist::ScaleCoordinate(pt->h, h, direction == 1);
}

void ZEBAPI ZEB_ScaleDlgWindow(short direction, Rect* rect) {
  int h, v;
  ScreenDpi(&h, &v);
  if (!rect || h <= 96) return;
  itemlist::ItemBox b{rect->top, rect->left, rect->bottom, rect->right};
  itemlist::ScaleWindowBox(&b, h, v, direction == 1);
  *rect = Rect{b.top, b.left, b.bottom, b.right};
}

void ZEBAPI ZEB_OffsetDlgItemRect(short direction, Rect* rect) {
  int h, v;
  ScreenDpi(&h, &v);
  if (!rect || h <= 96) return;
  itemlist::ItemBox b{rect->top, rect->left, rect->bottom, rect->right};
  itemlist::OffsetItemBox(&b, h, v, direction == 1);
  *rect = Rect{b.top, b.left, b.bottom, b.right};
}

void ZEBAPI ZEB_MaintainTEFocus(TEHandle te) {
  HWND e = textedit::DialogTEWindow(te);
  if (!e || !IsWindow(e)) return;
  // The record's selection, in its own offsets, goes back to the window.
  const long start = (*te)->selStart, end = (*te)->selEnd;
  SetFocus(e);
  textedit::SelectEditWindowText(e, start, end);
}

}  // extern "C"
