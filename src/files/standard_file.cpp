// Standard File: the open and save dialogs on the host's common dialogs, their filter list,
// and the reply made from the chosen host path.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "StandardFile.h"
#include "events/events_internal.h"
#include "files/file_manager.h"
#include "files/sf_filter.h"
#include "frame/frame_internal.h"
#include "frame/toolbox_globals.h"
#include "quickdraw/character_sets.h"
#include "windows/windows_internal.h"

namespace zeb::files {
namespace {

// ZEB_SystemValue index: non-zero adds the all-files filter to every typed list.
constexpr int kAllFilesOptionIndex = 35;
// The application's strings: the all-files filter's description, and the combined filter's.
constexpr UINT kAllFilesStringId = 1028;
constexpr UINT kAllTypesStringId = 1034;
// What the host dialog's name may hold, and what a reply's name may.
constexpr size_t kHostPathBytes = MAX_PATH;
constexpr size_t kMaxReplyName = 63;
// StandardGetFile's dialog and position.
constexpr short kStandardGetFileDialog = 3998;
// Session flag 0x100000 on a host of major version 4 or later asks for the explorer style.
constexpr uint32_t kNewLookFlag = ZEB_SF_3DLOOK;

struct DialogRun {
  bool active = false;
  bool put = false;
  bool explorer = false;
  bool multiple = false;
  HWND dialog = nullptr;  // the host dialog (the hook's parent in the explorer style)
  ZEB_SFFilterProcPtr appFilter = nullptr;
  bool settingName = false;  // the hook itself is changing the name field
  int pickedAtOk = 0;        // the type list's filter when the file was accepted
  std::string nameBeforeTypeChange;
};

struct StandardFileState {
  FilterList filters;
  int lastSelected = 0;          // the filter picked in the previous dialog, 0 for none
  size_t lastBufferLength = 0;   // the length of the filter buffer it belonged to
  int chosenFilter = 0;          // the filter of the dialog that just closed
  std::string chosenPath;        // the file chosen last, for the type rule
  OSType chosenType = 0;
  UINT fileOkMessage = 0;        // "commdlg_FileNameOK"
  UINT renameMessage = 0;        // posted by the hook to itself after a type change
  DialogRun run;
};
StandardFileState g_sf;

std::string AppString(UINT id, const char* fallback) {
  char text[256];
  const int n = LoadStringA(frame::AppInstance(), id, text, sizeof text);
  return n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string(fallback);
}

FilterList BuildFromApplicationTable(int numTypes, const OSType* types, int selected) {
  TypeTableView table;
  table.bytes = static_cast<const uint8_t*>(frame::Session().fileTypeTable);
  // The application's table ends at its zero type.
  table.entries = table.bytes ? SIZE_MAX / kTypeEntryBytes : 0;
  const std::string allFiles = AppString(kAllFilesStringId, "All Files");
  const std::string allTypes = AppString(kAllTypesStringId, "All Types");
  return BuildFilterList(table, numTypes, types, selected,
                         events::StoredSystemValue(kAllFilesOptionIndex) != 0,
                         FilterTexts{allFiles, allTypes});
}

bool SameHostPath(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(),
                                                static_cast<int>(a.size()), b.data(),
                                                static_cast<int>(b.size())) == CSTR_EQUAL;
}

// ---- The dialog's surroundings ----

// The title: the prompt in the Windows character set, a final ':' removed.
std::string TitleOfPrompt(ConstStr255Param prompt) {
  std::string title;
  if (!prompt) return title;
  for (int i = 1; i <= prompt[0]; ++i)
    title += static_cast<char>(quickdraw::MacToWindowsChar(prompt[i]));
  if (!title.empty() && title.back() == ':') title.pop_back();
  return title;
}

// Everything the dialog changes around itself, put back when it closes.
class DialogSurroundings {
 public:
  DialogSurroundings() {
    char saved[kHostPathBytes];
    const DWORD n = GetCurrentDirectoryA(sizeof saved, saved);
    if (n > 0 && n < sizeof saved) savedDirectory_ = saved;
    StartInSaveDisk();
    focus_ = GetFocus();
    DisableWindows();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    // The host dialog may list, rename or replace files the application holds open.
    ZEB_FHReOpenAll(0);
  }
  ~DialogSurroundings() {
    ZEB_FHReOpenAll(1);
    if (!savedDirectory_.empty()) SetCurrentDirectoryA(savedDirectory_.c_str());
    for (HWND w : disabled_)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    if (focus_ && IsWindow(focus_)) SetFocus(focus_);
  }
  DialogSurroundings(const DialogSurroundings&) = delete;
  DialogSurroundings& operator=(const DialogSurroundings&) = delete;

  const std::string& StartDirectory() const { return startDirectory_; }

 private:
  // The dialog starts on the volume of the save disk: in the current directory when that is on
  // it, at the volume's root otherwise.
  void StartInSaveDisk() {
    const int16_t volume = static_cast<int16_t>(-*frame::Globals().sfSaveDisk);
    std::string current;
    CurrentDirectory(&current);
    if (IsVolumeNumber(volume) && VolumeOfPath(current) != volume) {
      const std::string root = VolumeRootPath(volume);
      if (!root.empty() && SetCurrentDirectoryA(root.c_str())) current = root;
    }
    startDirectory_ = current;
  }
  // The frame and every Toolbox window, as a modal dialog disables them; only those that were
  // enabled are enabled again.
  void DisableWindows() {
    Disable(frame::FrameWindow());
    for (WindowPtr w = windows::ListHead(); w;
         w = reinterpret_cast<WindowPtr>(reinterpret_cast<WindowPeek>(w)->nextWindow))
      Disable(windows::HwndOf(w));
  }
  void Disable(HWND w) {
    if (!w || !IsWindowEnabled(w)) return;
    EnableWindow(w, FALSE);
    disabled_.push_back(w);
  }

  std::string savedDirectory_;
  std::string startDirectory_;
  HWND focus_ = nullptr;
  std::vector<HWND> disabled_;
};

// ---- The hook's view of the dialog ----

// The file-name field: an edit control in the older style, an edit or a combo box with an edit
// (cmb13) in the explorer style. Window text reaches the edit through either.
HWND NameField() {
  HWND d = g_sf.run.dialog;
  if (!d) return nullptr;
  if (HWND edit = GetDlgItem(d, edt1)) return edit;
  return GetDlgItem(d, cmb13);
}

bool IsComboBox(HWND w) {
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  return lstrcmpiA(cls, "ComboBox") == 0 || lstrcmpiA(cls, "ComboBoxEx32") == 0;
}

std::string NameFieldText() {
  HWND field = NameField();
  char text[kHostPathBytes] = {};
  if (field) GetWindowTextA(field, text, sizeof text);
  return text;
}

void SetNameFieldText(const std::string& text) {
  HWND field = NameField();
  if (!field) return;
  g_sf.run.settingName = true;
  SetWindowTextA(field, text.c_str());
  g_sf.run.settingName = false;
}

HWND TypeList() { return g_sf.run.dialog ? GetDlgItem(g_sf.run.dialog, cmb1) : nullptr; }

// The filter picked in the type list (1-based), 0 without one.
int PickedFilter() {
  HWND list = TypeList();
  const LRESULT index = list ? SendMessageA(list, CB_GETCURSEL, 0, 0) : CB_ERR;
  return index == CB_ERR ? 0 : static_cast<int>(index) + 1;
}

// A type change: the dialog's own handling comes after the hook and may write the filter's
// pattern into the name field, so the name is taken now and renamed once that is done.
void TypeChanged(HWND hook) {
  if (!g_sf.run.put) return;
  g_sf.run.nameBeforeTypeChange = NameFieldText();
  PostMessageA(hook, g_sf.renameMessage, 0, 0);
}

void RenameAfterTypeChange() {
  const std::string_view ext = g_sf.filters.FirstExtension(PickedFilter());
  const std::string& name = g_sf.run.nameBeforeTypeChange;
  if (ext.empty() || name.empty() || name.find_first_of("*?") != std::string::npos) return;
  SetNameFieldText(NameWithReplacedExtension(name, ext));
}

void NameChanged() {
  if (!g_sf.run.put || g_sf.run.settingName) return;
  const int filter = FilterOfName(g_sf.filters, NameFieldText());
  HWND list = TypeList();
  if (filter && list && filter != PickedFilter()) SendMessageA(list, CB_SETCURSEL, filter - 1, 0);
}

// The answer to the dialog's file-OK question: false keeps the dialog open. A name the reply
// could not hold is refused; in a save, a name that gets its filter's extension is checked
// again under that name, which is the file that would be replaced.
bool AcceptChosenFile(const OPENFILENAMEA* ofn) {
  g_sf.run.pickedAtOk = PickedFilter();
  if (!ofn || !ofn->lpstrFile || g_sf.run.multiple) return true;
  std::string directory, name;
  SplitHostPath(ofn->lpstrFile, &directory, &name);
  std::string final = name;
  if (g_sf.run.put) final = NameWithExtension(name, g_sf.filters.FirstExtension(PickedFilter()));
  if (final.size() > kMaxReplyName) {
    MessageBeep(MB_ICONEXCLAMATION);
    return false;
  }
  if (g_sf.run.put && final != name) {
    const std::string target = directory + final;
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      const std::string question = final + " already exists.\nDo you want to replace it?";
      char title[256] = {};
      GetWindowTextA(g_sf.run.dialog, title, sizeof title);
      if (MessageBoxA(g_sf.run.dialog, question.c_str(), title,
                      MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;
    }
  }
  return true;
}

UINT_PTR RefuseInExplorer(HWND hook) {
  SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);
  return 1;
}

// ---- Running a dialog ----

struct DialogRequest {
  bool put = false;
  std::string title;
  std::string initialName;
  ProcPtr filterProc = nullptr;
  short dlgID = 0;
  char* multipleBuffer = nullptr;  // multiple selection: the caller's buffer and its size
  size_t multipleSize = 0;
};

struct DialogOutcome {
  bool chosen = false;
  bool overflow = false;  // a multiple selection did not fit its buffer
  std::string path;
  int filterIndex = 0;
};

bool ExplorerStyleAsked() {
  return frame::SessionFlag(kNewLookFlag) && frame::Version().Major() >= 4;
}

DialogOutcome RunDialog(const DialogRequest& request) {
  DialogOutcome outcome;
  // The filter kept from the previous dialog, when the list looks the same.
  FilterList& filters = g_sf.filters;
  if (filters.selected == 0 && filters.buffer.size() == g_sf.lastBufferLength &&
      g_sf.lastSelected > 0 &&
      static_cast<size_t>(g_sf.lastSelected) <= filters.pairs.size()) {
    filters.selected = g_sf.lastSelected;
  } else if (!request.put) {
    g_sf.lastSelected = 0;
    g_sf.chosenPath.clear();
  }
  if (filters.selected == 0 && filters.pairs.size() > 1)
    filters.selected = static_cast<int>(filters.pairs.size());

  DialogSurroundings surroundings;
  char single[kHostPathBytes] = {};
  const size_t nameLength = std::min(request.initialName.size(), sizeof single - 1);
  std::memcpy(single, request.initialName.data(), nameLength);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = frame::FrameWindow();
  ofn.hInstance = frame::AppInstance();
  ofn.lpstrFilter = filters.pairs.empty() ? nullptr : filters.buffer.data();
  ofn.nFilterIndex = static_cast<DWORD>(filters.selected);
  ofn.lpstrFile = request.multipleBuffer ? request.multipleBuffer : single;
  ofn.nMaxFile = static_cast<DWORD>(request.multipleBuffer ? request.multipleSize : sizeof single);
  if (request.multipleBuffer) request.multipleBuffer[0] = '\0';
  ofn.lpstrInitialDir = surroundings.StartDirectory().empty()
                            ? nullptr
                            : surroundings.StartDirectory().c_str();
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.lpfnHook = reinterpret_cast<LPOFNHOOKPROC>(&Z_FileOpenHookProc);
  DWORD flags = OFN_PATHMUSTEXIST | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
  flags |= request.put ? OFN_OVERWRITEPROMPT | OFN_SHAREAWARE : OFN_FILEMUSTEXIST;
  if (request.multipleBuffer) flags |= OFN_ALLOWMULTISELECT;

  DialogRun& run = g_sf.run;
  run = DialogRun{};
  run.active = true;
  run.put = request.put;
  run.multiple = request.multipleBuffer != nullptr;
  const bool wrapped = request.filterProc && !request.multipleBuffer;
  if (wrapped) {
    run.appFilter = reinterpret_cast<ZEB_SFFilterProcPtr>(
        frame::WrapCallback(reinterpret_cast<FARPROC>(request.filterProc)));
    if (request.dlgID) {
      flags |= OFN_ENABLETEMPLATE;
      ofn.lpTemplateName = MAKEINTRESOURCEA(request.dlgID);
    }
  }
  bool explorer = ExplorerStyleAsked();
  BOOL ok = FALSE;
  for (;;) {
    ofn.Flags = flags | (explorer ? OFN_EXPLORER : 0);
    run.explorer = explorer;
    run.dialog = nullptr;
    ok = request.put ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (ok) break;
    const DWORD error = CommDlgExtendedError();
    if (error == 0 || error == FNERR_BUFFERTOOSMALL) {
      outcome.overflow = error == FNERR_BUFFERTOOSMALL;
      break;
    }
    // A template the application does not have: the dialog without it.
    if ((ofn.Flags & OFN_ENABLETEMPLATE) &&
        (error == CDERR_FINDRESFAILURE || error == CDERR_LOADRESFAILURE ||
         error == CDERR_NOTEMPLATE)) {
      flags &= ~static_cast<DWORD>(OFN_ENABLETEMPLATE);
      ofn.lpTemplateName = nullptr;
      continue;
    }
    if (explorer) {
      explorer = false;
      continue;
    }
    break;
  }
  if (wrapped) frame::ReleaseCallback(reinterpret_cast<FARPROC>(run.appFilter));
  // The type list as the user left it; the host's own index where the hook saw no file-OK.
  const int picked = run.pickedAtOk;
  run = DialogRun{};

  if (ok) {
    outcome.chosen = true;
    outcome.filterIndex = picked ? picked : static_cast<int>(ofn.nFilterIndex);
    g_sf.lastSelected = outcome.filterIndex;
    g_sf.lastBufferLength = filters.buffer.size();
    if (request.multipleBuffer) {
      if (explorer) JoinSelectedNames(request.multipleBuffer, request.multipleSize);
      outcome.path.assign(request.multipleBuffer,
                          strnlen(request.multipleBuffer, request.multipleSize));
    } else {
      outcome.path = single;
    }
  }
  return outcome;
}

void ClearReply(SFReply* reply) {
  if (reply) std::memset(reply, 0, sizeof *reply);
}

void OpenDialog(ConstStr255Param prompt, ProcPtr fileFilter, short numTypes,
                ConstSFTypeListPtr typeList, SFReply* reply, short dlgID, ProcPtr filterProc) {
  ClearReply(reply);
  g_sf.filters = BuildFromApplicationTable(numTypes, typeList, -1);
  DialogRequest request;
  request.title = TitleOfPrompt(prompt);
  request.dlgID = dlgID;
  if (filterProc == kZEBMultipleSelection) {
    // Fewer than two bytes hold no name: the buffer is left as it is.
    if (!fileFilter || dlgID < 2) {
      if (reply) reply->version = 1;
      return;
    }
    request.multipleBuffer = reinterpret_cast<char*>(fileFilter);
    request.multipleSize = static_cast<size_t>(dlgID);
  } else {
    request.filterProc = filterProc;
  }
  const DialogOutcome outcome = RunDialog(request);
  if (!outcome.chosen) {
    if (reply && outcome.overflow) reply->version = 1;
    return;
  }
  g_sf.chosenFilter = outcome.filterIndex;
  if (!request.multipleBuffer) {
    ZEB_DosFSpec2MacSFReply(0, 0, 0, 1, 1, outcome.path.c_str(), reply);
    return;
  }
  // Several names: the reply names the folder they were chosen in; one name: that file.
  if (outcome.path.find(' ') == std::string::npos ||
      GetFileAttributesA(outcome.path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    DWORD attributes = GetFileAttributesA(outcome.path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ZEB_DosFSpec2MacSFReply(0, 0, 0, 1, 1, outcome.path.c_str(), reply);
      return;
    }
  }
  if (reply) {
    std::string folder = outcome.path.substr(0, outcome.path.find(' '));
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    const short vRefNum = ZEB_CurDirvRefNum(folder.c_str());
    reply->good = vRefNum != kUnusableRefNum;
    reply->vRefNum = reply->good ? vRefNum : 0;
  }
}

void SaveDialog(ConstStr255Param prompt, ConstStr255Param origName, SFReply* reply, short dlgID,
                ProcPtr filterProc) {
  ClearReply(reply);
  DialogRequest request;
  request.put = true;
  request.title = TitleOfPrompt(prompt);
  request.dlgID = dlgID;
  request.filterProc = filterProc == kZEBMultipleSelection ? nullptr : filterProc;
  if (origName) request.initialName.assign(reinterpret_cast<const char*>(origName + 1), origName[0]);
  const frame::VersionFacts& v = frame::Version();
  if (v.win32s && v.Major() < 4) {
    // 8.3 form: eight characters before the first '.', four from it on.
    std::string& n = request.initialName;
    const size_t dot = n.find('.');
    std::string stem = n.substr(0, dot);
    std::string ext = dot == std::string::npos ? std::string() : n.substr(dot);
    n = stem.substr(0, 8) + ext.substr(0, 4);
  } else if (request.initialName.size() > 255) {
    request.initialName.resize(255);
  }
  const DialogOutcome outcome = RunDialog(request);
  if (!outcome.chosen) return;
  g_sf.chosenFilter = outcome.filterIndex;
  ZEB_DosFSpec2MacSFReply(1, 0, static_cast<short>(outcome.filterIndex - 1), 1, 0,
                          outcome.path.c_str(), reply);
}

void NewReplyFromOld(const SFReply& old, StandardFileReply* reply) {
  std::memset(reply, 0, sizeof *reply);
  if (!old.good) return;
  WDPBRec pb{};
  pb.ioVRefNum = old.vRefNum;
  if (PBGetWDInfo(&pb, false) != noErr) return;
  reply->sfFile.vRefNum = pb.ioWDVRefNum;
  reply->sfFile.parID = pb.ioWDDirID;
  std::memcpy(reply->sfFile.name, old.fName, static_cast<size_t>(old.fName[0]) + 1);
  reply->sfGood = true;
}

}  // namespace

void InitFileDialogs() {
  g_sf = StandardFileState{};
  g_sf.fileOkMessage = RegisterWindowMessageA(FILEOKSTRINGA);
  g_sf.renameMessage = RegisterWindowMessageA("ZEB_StandardFileRename");
}

bool LastChosenFileType(const char* path, OSType* type) {
  if (!path || g_sf.chosenPath.empty() || !g_sf.chosenType) return false;
  if (!SameHostPath(g_sf.chosenPath, path)) return false;
  *type = g_sf.chosenType;
  return true;
}

}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" {

void ZEBAPI SFGetFile(Point where, ConstStr255Param prompt, ProcPtr fileFilter, short numTypes,
                      ConstSFTypeListPtr typeList, ProcPtr dlgHook, SFReply* reply) {
  SFPGetFile(where, prompt, fileFilter, numTypes, typeList, dlgHook, reply, 0, nullptr);
}

void ZEBAPI SFPGetFile(Point where, ConstStr255Param prompt, ProcPtr fileFilter, short numTypes,
                       ConstSFTypeListPtr typeList, ProcPtr dlgHook, SFReply* reply, short dlgID,
                       ProcPtr filterProc) {
  (void)where;
  (void)dlgHook;
  OpenDialog(prompt, fileFilter, numTypes, typeList, reply, dlgID, filterProc);
}

void ZEBAPI SFPutFile(Point where, ConstStr255Param prompt, ConstStr255Param origName,
                      ProcPtr dlgHook, SFReply* reply) {
  SFPPutFile(where, prompt, origName, dlgHook, reply, 0, nullptr);
}

void ZEBAPI SFPPutFile(Point where, ConstStr255Param prompt, ConstStr255Param origName,
                       ProcPtr dlgHook, SFReply* reply, short dlgID, ProcPtr filterProc) {
  (void)where;
  (void)dlgHook;
  SaveDialog(prompt, origName, reply, dlgID, filterProc);
}

void ZEBAPI StandardGetFile(ProcPtr fileFilter, short numTypes, ConstSFTypeListPtr typeList,
                            StandardFileReply* reply) {
  SFReply old;
  const Point where = {40, 40};
  SFPGetFile(where, nullptr, fileFilter, numTypes, typeList, nullptr, &old,
             kStandardGetFileDialog, nullptr);
  if (reply) NewReplyFromOld(old, reply);
}

void ZEBAPI StandardPutFile(ConstStr255Param prompt, ConstStr255Param defaultName,
                            StandardFileReply* reply) {
  SFReply old;
  SFPutFile(Point{}, prompt, defaultName, nullptr, &old);
  if (reply) NewReplyFromOld(old, reply);
}

const char* ZEBAPI ZEB_SF_String(short numTypes, short selected, ConstSFTypeListPtr typeList) {
  g_sf.filters = BuildFromApplicationTable(numTypes, typeList, selected);
  return g_sf.filters.buffer.data();
}

Boolean ZEBAPI ZEB_DosFSpec2MacSFReply(short isPut, short reserved, short filterIndex,
                                       short setSaveDisk, short keepName, const char* path,
                                       SFReply* reply) {
  (void)reserved;
  if (!reply) return false;
  std::memset(reply, 0, sizeof *reply);
  if (!path) return false;
  std::string directory, name;
  SplitHostPath(path, &directory, &name);
  if (isPut && filterIndex >= 0 && static_cast<size_t>(filterIndex) < g_sf.filters.pairs.size())
    name = NameWithExtension(name, g_sf.filters.FirstExtension(filterIndex + 1));
  // fName holds 63 characters: a longer name is no reply at all, never a cut one.
  if (name.empty() || name.size() > kMaxReplyName) return false;
  const short vRefNum = ZEB_CurDirvRefNum(directory.c_str());
  if (vRefNum == kUnusableRefNum) return false;
  reply->good = true;
  reply->vRefNum = vRefNum;
  if (setSaveDisk) {
    std::string current;
    if (CurrentDirectory(&current)) {
      const int16_t volume = VolumeOfPath(current);
      if (volume != kUnusableRefNum) {
        *frame::Globals().sfSaveDisk = static_cast<int16_t>(-volume);
        *frame::Globals().curDirStore = volume;
      }
    }
  }
  StorePascal(reply->fName, name);
  const std::string full = directory + name;
  if (keepName) {
    g_sf.chosenPath = full;
    const int chosen = g_sf.chosenFilter;
    g_sf.chosenType = chosen >= 1 && static_cast<size_t>(chosen) <= g_sf.filters.pairs.size()
                          ? g_sf.filters.pairs[chosen - 1].type
                          : 0;
  }
  reply->fType = TypeOfHostFile(full, name);
  return true;
}

UINT_PTR ZEBAPI Z_FileOpenHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogRun& run = g_sf.run;
  if (message == WM_INITDIALOG) run.dialog = run.explorer ? GetParent(dialog) : dialog;
  if (run.appFilter && run.dialog && run.appFilter(dialog, message, wParam, lParam)) return 1;
  switch (message) {
    case WM_INITDIALOG:
      if (HWND field = NameField()) {
        if (IsComboBox(field)) {
          SendMessageA(field, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        } else {
          SendMessageA(field, EM_SETSEL, 0, -1);
          SendMessageA(field, EM_SCROLLCARET, 0, 0);
        }
      }
      return run.explorer ? 0 : 1;
    case WM_COMMAND:
      if (run.explorer) break;
      if (LOWORD(wParam) == cmb1 && HIWORD(wParam) == CBN_SELCHANGE) TypeChanged(dialog);
      if (LOWORD(wParam) == edt1 && HIWORD(wParam) == EN_CHANGE) NameChanged();
      break;
    case WM_NOTIFY: {
      if (!run.explorer || !lParam) break;
      const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
      if (notify->hdr.code == CDN_TYPECHANGE) TypeChanged(dialog);
      if (notify->hdr.code == CDN_FILEOK && !AcceptChosenFile(notify->lpOFN))
        return RefuseInExplorer(dialog);
      break;
    }
    default:
      if (message != 0 && message == g_sf.renameMessage) {
        RenameAfterTypeChange();
        return 1;
      }
      if (message != 0 && message == g_sf.fileOkMessage && !run.explorer)
        return AcceptChosenFile(reinterpret_cast<const OPENFILENAMEA*>(lParam)) ? 0 : 1;
      break;
  }
  return 0;
}

}  // extern "C"
