/*
 * Folders.h - FindFolder: the Toolbox's special folders on the host's folders. The folders of
 * the System Folder are the Windows directory, the temporary folder is the host's temporary
 * directory, and any other folder is the current directory.
 */
#ifndef ZEB_FOLDERS_H
#define ZEB_FOLDERS_H

#include "MacTypes.h"

enum { kOnSystemDisk = -32768 };
enum { kCreateFolder = 1, kDontCreateFolder = 0 };

#define kSystemFolderType ZEB_FOURCC('m', 'a', 'c', 's')
#define kDesktopFolderType ZEB_FOURCC('d', 'e', 's', 'k')
#define kTrashFolderType ZEB_FOURCC('t', 'r', 's', 'h')
#define kWhereToEmptyTrashFolderType ZEB_FOURCC('e', 'm', 'p', 't')
#define kPrintMonitorDocsFolderType ZEB_FOURCC('p', 'r', 'n', 't')
#define kStartupFolderType ZEB_FOURCC('s', 't', 'r', 't')
#define kShutdownFolderType ZEB_FOURCC('s', 'h', 'd', 'f')
#define kAppleMenuFolderType ZEB_FOURCC('a', 'm', 'n', 'u')
#define kControlPanelFolderType ZEB_FOURCC('c', 't', 'r', 'l')
#define kExtensionFolderType ZEB_FOURCC('e', 'x', 't', 'n')
#define kFontsFolderType ZEB_FOURCC('f', 'o', 'n', 't')
#define kPreferencesFolderType ZEB_FOURCC('p', 'r', 'e', 'f')
#define kTemporaryFolderType ZEB_FOURCC('t', 'e', 'm', 'p')

ZEB_EXTERN_C_BEGIN
/* Always noErr: a folder that cannot be found gives a volume of 0xEEEE and a directory of 0. */
ZEB_API(OSErr) FindFolder(short vRefNum, OSType folderType, Boolean createFolder,
                          short* foundVRefNum, long* foundDirID);
ZEB_EXTERN_C_END

#endif /* ZEB_FOLDERS_H */
