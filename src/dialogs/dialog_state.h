// The Dialog Manager's record of each dialog, shared by its files.
#ifndef ZEB_DIALOGS_DIALOG_STATE_H
#define ZEB_DIALOGS_DIALOG_STATE_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "dialogs/item_list.h"

namespace zeb::dialogs {

// Markers that stand in an item's handle field for static texts without a window of their
// own: the caption (0xFFFFFF00 | n) and a group box's label (0xFFFFFE00 | n), n indexing a
// table of 255.
constexpr uint32_t kCaptionMarker = 0xFFFFFF00u;
constexpr uint32_t kGroupMarker = 0xFFFFFE00u;
constexpr int kMarkerSlots = 255;

struct ItemState {
  HWND hwnd = nullptr;          // the item's native window (a control's too)
  ControlHandle control = nullptr;
  unsigned params = 0;          // ParamText placeholders its text used
  std::string rawText;          // the text before ParamText, for ZEB_UpdateParamStr
  bool multiLine = false;
  bool groupBox = false;
  bool combo = false;
  Handle ownedIcon = nullptr;   // an icon or picture handle the dialog loaded
};

struct DialogState {
  DialogPtr dialog = nullptr;
  bool ownsRecord = false;
  itemlist::ItemTable table;
  bool hasTable = false;
  Handle tableHandle = nullptr;  // the registered table (the 'ZEBD' resource's copy)
  std::vector<ItemState> items;  // index = item number - 1
  int firstEdit = 0;             // item number, 0 for none
  int focusItem = 0;             // remembered focus
  bool focusPending = false;
  int captionSlot = -1;
  std::vector<int> groupSlots;
};

// The dialog's record, null for a window that is no library dialog.
DialogState* StateOf(WindowPtr window);
DialogPeek Peek(DialogPtr dialog);
// The 4-byte handle field of item n (1-based) in the dialog's item list; null out of range.
uint8_t* ItemField(DialogPtr dialog, int n);
int ItemCount(DialogPtr dialog);
itemlist::ItemView ItemAt(DialogPtr dialog, int n);
Handle HandleOfField(const uint8_t* field);
void SetField(uint8_t* field, uintptr_t value);

// The item whose native window (or control's) is hwnd, 0 for none.
short ItemOfWindow(DialogState& state, HWND hwnd);
// Focus and navigation (dialog_events.cpp).
void SetUpInitialFocus(DialogState& state);
bool NavigateKey(DialogState& state, const EventRecord& event);
// The item's text in the Macintosh character set (edit items with CR line ends).
std::string ItemText(HWND hwnd, bool edit);
// The ParamText strings.
const std::string* ParamStrings();

}  // namespace zeb::dialogs

#endif  // ZEB_DIALOGS_DIALOG_STATE_H
