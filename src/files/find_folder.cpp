// FindFolder: the Toolbox's special folders on the host's folders.
#include "Folders.h"
#include "files/file_manager.h"

namespace zeb::files {
namespace {

// The folders that a Macintosh keeps in its System Folder are the Windows directory here.
bool IsSystemFolderType(OSType type) {
  switch (type) {
    case kControlPanelFolderType:
    case kAppleMenuFolderType:
    case kExtensionFolderType:
    case kDesktopFolderType:
    case kPreferencesFolderType:
    case kSystemFolderType:
    case kStartupFolderType:
      return true;
    default:
      return false;
  }
}

std::string FolderPath(OSType type) {
  char path[MAX_PATH] = "";
  DWORD length = 0;
  if (IsSystemFolderType(type)) {
    length = GetWindowsDirectoryA(path, sizeof path);
  } else if (type == kTemporaryFolderType) {
    length = GetTempPathA(sizeof path, path);
  } else {
    std::string current;
    return CurrentDirectory(&current) ? current : std::string();
  }
  return length && length < sizeof path ? std::string(path) : std::string();
}

}  // namespace
}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" OSErr ZEBAPI FindFolder(short, OSType folderType, Boolean, short* foundVRefNum,
                                   long* foundDirID) {
  const DirectoryIdentity id = IdentifyDirectory(FolderPath(folderType));
  if (foundVRefNum) *foundVRefNum = id.vRefNum;
  if (foundDirID) *foundDirID = id.dirID;
  return noErr;
}
