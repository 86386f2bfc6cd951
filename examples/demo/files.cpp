// The demo's File Manager piece: a document written, read back, described and removed through
// FSSpec, high-level and parameter-block calls, in the Toolbox's temporary folder.
#include <cstdio>
#include <cstring>

#include "Files.h"
#include "Folders.h"
#include "OSUtils.h"
#include "SegLoad.h"
#include "StandardFile.h"
#include "ZEB.h"
#include "demo.h"

namespace {

const unsigned char kDocumentName[] = "\x0F" "ZEB Demo Letter";
const char kLetter[] = "Dear Toolbox,\rthis letter went to disk through FSWrite.\rRegards\r";

const char* FourChars(OSType code, char* text) {
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>(code >> (24 - 8 * i));
    text[i] = c >= ' ' && c < 127 ? c : '.';
  }
  text[4] = '\0';
  return text;
}

const char* Date(unsigned long seconds) {
  static char text[32];
  DateTimeRec d;
  SecondsToDate(seconds, &d);
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", d.year, d.month, d.day, d.hour,
                d.minute);
  return text;
}

// Type, extension (three characters, not terminated), description: 40 bytes an entry.
struct TypeEntry {
  OSType type;
  char extension[3];
  char description[33];
};
static_assert(sizeof(TypeEntry) == 40, "the table's entries are 40 bytes");
TypeEntry g_types[] = {{ZEB_FOURCC('T', 'E', 'X', 'T'), {'T', 'X', 'T'}, "Text documents"},
                       {ZEB_FOURCC('T', 'E', 'X', 'T'), {'D', 'O', 'C'}, "Text documents"},
                       {ZEB_FOURCC('P', 'I', 'C', 'T'), {'P', 'C', 'T'}, "Pictures"},
                       {0, {0, 0, 0}, ""}};

// The documents the demo was started with, and the filters its open dialog would offer.
void ShowApplicationFiles() {
  short message = 0, count = 0;
  CountAppFiles(&message, &count);
  Say("CountAppFiles: message %d (%s), %d documents", message, message == appPrint ? "print" : "open",
      count);
  for (short i = 1; i <= count; ++i) {
    AppFile file{};
    GetAppFiles(i, &file);
    char type[5];
    char path[256] = "";
    ZEB_FSpec(file.vRefNum, file.fName, path);
    Say("GetAppFiles(%d): \"%.*s\", type '%s', vRefNum %d: %s", i, file.fName[0], file.fName + 1,
        FourChars(file.fType, type), file.vRefNum, path);
  }
  const OSType types[] = {ZEB_FOURCC('T', 'E', 'X', 'T'), ZEB_FOURCC('P', 'I', 'C', 'T')};
  const char* buffer = ZEB_SF_String(2, -1, types);
  char line[256] = "";
  for (const char* p = buffer; *p; p += std::strlen(p) + 1) {
    if (line[0]) std::strncat(line, " | ", sizeof line - std::strlen(line) - 1);
    std::strncat(line, p, sizeof line - std::strlen(line) - 1);
  }
  Say("ZEB_SF_String(TEXT, PICT): %s", line);
}

}  // namespace

void* DemoFileTypes() { return g_types; }

void ShowFileManager() {
  Heading("File Manager");
  ShowApplicationFiles();
  // Files that the application's extension table does not type get this type.
  ZEB_SystemValue(ZEB_SV_SET, 36, ZEB_FOURCC('T', 'E', 'X', 'T'));
  short vRefNum = 0;
  long dirID = 0;
  FindFolder(kOnSystemDisk, kTemporaryFolderType, kDontCreateFolder, &vRefNum, &dirID);
  FSSpec fileSpec;
  OSErr err = FSMakeFSSpec(vRefNum, dirID, kDocumentName, &fileSpec);
  char path[256] = "";
  ZEB_HFSpec(fileSpec.parID, fileSpec.vRefNum, fileSpec.name, path);
  Say("FindFolder('temp'): volume %d; FSMakeFSSpec = %d: \"%s\"", vRefNum, err, path);
  if (err == noErr) FSpDelete(&fileSpec);

  err = FSpCreate(&fileSpec, ZEB_FOURCC('Z', 'E', 'B', 'D'), ZEB_FOURCC('T', 'E', 'X', 'T'), 0);
  short refNum = 0;
  const OSErr openErr = FSpOpenDF(&fileSpec, fsRdWrPerm, &refNum);
  long count = static_cast<long>(std::strlen(kLetter));
  const OSErr writeErr = FSWrite(refNum, &count, kLetter);
  long length = 0;
  GetEOF(refNum, &length);
  Say("FSpCreate = %d, FSpOpenDF = %d (refNum %d), FSWrite = %d: %ld bytes, GetEOF %ld", err,
      openErr, refNum, writeErr, count, length);

  short second = 0;
  const OSErr busyErr = FSpOpenDF(&fileSpec, fsRdWrPerm, &second);
  Say("a second writer: FSpOpenDF = %d (opWrErr), told the holder's refNum %d", busyErr, second);

  // Read it back line by line in newline mode.
  SetFPos(refNum, fsFromStart, 0);
  char line[128];
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  pb.ioParam.ioBuffer = line;
  pb.ioParam.ioReqCount = sizeof line - 1;
  pb.ioParam.ioPosMode = static_cast<short>(fsAtMark | kNewLineMode | ('\r' << 8));
  for (int n = 1; PBRead(&pb, false) == noErr; ++n) {
    line[pb.ioParam.ioActCount - 1] = '\0';
    Say("read back, line %d (mark %ld): \"%s\"", n, pb.ioParam.ioPosOffset, line);
  }
  count = 4;
  const OSErr eof = FSRead(refNum, &count, line);
  Say("reading past the end: FSRead = %d (eofErr), %ld bytes; FSClose = %d", eof, count,
      FSClose(refNum));

  CInfoPBRec info{};
  unsigned char name[64];
  std::memcpy(name, fileSpec.name, fileSpec.name[0] + 1u);
  info.hFileInfo.ioNamePtr = name;
  info.hFileInfo.ioVRefNum = fileSpec.vRefNum;
  info.hFileInfo.ioDirID = fileSpec.parID;
  err = PBGetCatInfo(&info, false);
  char type[5], creator[5];
  Say("PBGetCatInfo = %d: %ld bytes, modified %s, type '%s' (the default type), creator '%s'",
      err, info.hFileInfo.ioFlLgLen, Date(info.hFileInfo.ioFlMdDat),
      FourChars(info.hFileInfo.ioFlFndrInfo.fdType, type),
      FourChars(info.hFileInfo.ioFlFndrInfo.fdCreator, creator));
  const OSErr deleted = FSpDelete(&fileSpec);
  Say("FSpDelete = %d; FSMakeFSSpec afterwards = %d (fnfErr)", deleted,
      FSMakeFSSpec(fileSpec.vRefNum, fileSpec.parID, fileSpec.name, &fileSpec));
}
