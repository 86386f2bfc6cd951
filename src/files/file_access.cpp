// Opening, reading, writing, positioning and closing files: the parameter-block calls on open
// files and the high-level calls built on them.
#include <cstring>

#include "files/file_manager.h"
#include "osutils/osutils_internal.h"

namespace zeb::files {
namespace {

// The file-handle layer's open modes for the Toolbox permissions: current and shared
// permission ask for reading and writing, read/write permission also keeps others from
// writing.
int ModeOfPermission(int permission) {
  switch (permission) {
    case fsRdPerm: return kZEBOpenRead;
    case fsWrPerm: return kZEBOpenWrite;
    case fsRdWrPerm: return kZEBOpenReadWrite | kZEBOpenDenyWrite;
    default: return kZEBOpenReadWrite;  // fsCurPerm, fsRdWrShPerm
  }
}

// First shared; then, for modes that write, twice as asked; a file that refuses writing to a
// current-permission open is then opened for reading, shared, and twice more as plain reading.
OSErr OpenPath(const std::string& path, int permission, short* refNum) {
  if (permission < fsCurPerm || permission > fsRdWrShPerm) return paramErr;
  const int mode = ModeOfPermission(permission);
  int attempts[6];
  int count = 0;
  attempts[count++] = mode | kZEBOpenShareAll;
  if (mode & 3) {
    attempts[count++] = mode;
    attempts[count++] = mode;
  }
  OSErr err = noErr;
  for (int i = 0; i < count; ++i) {
    const int16_t opened = OpenSlot(path.c_str(), attempts[i], &err);
    if (opened > 0) {
      *refNum = opened;
      return noErr;
    }
  }
  if (err == permErr && permission == fsCurPerm) {
    const int readModes[3] = {kZEBOpenRead | kZEBOpenShareAll, kZEBOpenRead, kZEBOpenRead};
    for (int readMode : readModes) {
      const int16_t opened = OpenSlot(path.c_str(), readMode, &err);
      if (opened > 0) {
        *refNum = opened;
        return noErr;
      }
    }
  }
  *refNum = SlotHoldingPath(path);
  return err;
}

bool Writable(int16_t refNum) {
  if (!SlotHasWriteAccess(refNum)) return false;
  const long attributes = ZEB_FHGetAttr(refNum);
  return attributes < 0 || !(attributes & kZEBAttrReadOnly);
}

// Moves the mark as ioPosMode's low two bits ask. The mark never leaves the file: a position
// before the start is posErr and leaves the mark where it was; one past the end is eofErr with
// the mark at the end. A write may start past the end when positioned from the start or from
// the mark (the host fills the gap with zeros); from the end, a positive offset is eofErr
// there too. A seek the host refuses is an I/O error.
enum class Purpose { kPositionOrRead, kWrite };

OSErr Position(HANDLE h, short posMode, long offset, Purpose purpose, int64_t* mark) {
  int64_t current = 0, size = 0;
  if (!SlotPosition(h, &current)) return ioErr;
  *mark = current;
  const int mode = posMode & 3;
  if (mode == fsAtMark) return noErr;
  if (!SlotLength(h, &size)) return ioErr;
  int64_t target = offset;
  if (mode == fsFromLEOF) target += size;
  if (mode == fsFromMark) target += current;
  if (target < 0) return posErr;
  OSErr result = noErr;
  const bool mayPassEnd = purpose == Purpose::kWrite && mode != fsFromLEOF;
  if (target > size && !mayPassEnd) {
    target = size;
    result = eofErr;
  }
  LARGE_INTEGER to;
  to.QuadPart = target;
  if (!SetFilePointerEx(h, to, nullptr, FILE_BEGIN)) return ioErr;
  *mark = target;
  return result;
}

long Mark32(int64_t mark) { return mark > INT32_MAX ? INT32_MAX : static_cast<long>(mark); }

// A serial driver's reference number sends the transfer to its port; anything else must be an
// open file.
HANDLE FileOrPort(IOParam* pb, bool write, OSErr* err) {
  pb->ioActCount = 0;
  if (osutils::IsSerialRefNum(pb->ioRefNum)) {
    long count = pb->ioReqCount;
    *err = osutils::SerialTransfer(pb->ioRefNum, write, pb->ioBuffer, &count);
    pb->ioActCount = count;
    return nullptr;
  }
  return SlotHandle(pb->ioRefNum, err);
}

OSErr Read(IOParam* pb) {
  OSErr err;
  HANDLE h = FileOrPort(pb, false, &err);
  if (!h) return err;
  const long requested = pb->ioReqCount;
  if (requested < 0 || (requested > 0 && !pb->ioBuffer)) return paramErr;
  int64_t mark = 0;
  err = Position(h, pb->ioPosMode, pb->ioPosOffset, Purpose::kPositionOrRead, &mark);
  if (err) {
    if (err != ioErr) pb->ioPosOffset = Mark32(mark);
    return err;
  }
  DWORD got = 0;
  if (requested && !ReadFile(h, pb->ioBuffer, static_cast<DWORD>(requested), &got, nullptr))
    return ioErr;
  long actual = static_cast<long>(got);
  bool lineEnded = false;
  if (pb->ioPosMode & kNewLineMode) {
    const char newline = static_cast<char>((pb->ioPosMode >> 8) & 0xFF);
    if (const void* at = std::memchr(pb->ioBuffer, newline, got)) {
      actual = static_cast<long>(static_cast<const char*>(at) - pb->ioBuffer) + 1;
      lineEnded = true;
      LARGE_INTEGER to;
      to.QuadPart = mark + actual;
      SetFilePointerEx(h, to, nullptr, FILE_BEGIN);
    }
  }
  pb->ioActCount = actual;
  // The new mark, whatever the positioning mode was.
  pb->ioPosOffset = Mark32(mark + actual);
  return Either(lineEnded || actual == requested, noErr, eofErr);
}

OSErr Write(IOParam* pb) {
  OSErr err;
  HANDLE h = FileOrPort(pb, true, &err);
  if (!h) return err;
  const long requested = pb->ioReqCount;
  if (requested <= 0) return noErr;
  if (!pb->ioBuffer) return paramErr;
  int64_t mark = 0;
  err = Position(h, pb->ioPosMode, pb->ioPosOffset, Purpose::kWrite, &mark);
  if (err) {
    if (err != ioErr) pb->ioPosOffset = Mark32(mark);
    return err;
  }
  uint32_t put = 0;
  const bool written = HostWrite(h, pb->ioBuffer, static_cast<uint32_t>(requested), &put);
  const OSErr hostErr = written ? OSErr{noErr} : LastHostError();
  // Whatever stopped the rest, the bytes that reached the file count: the mark, ioActCount and
  // the host's position all stand behind them, so the next write continues the file without a
  // hole or an overlap.
  LARGE_INTEGER to;
  to.QuadPart = mark + put;
  SetFilePointerEx(h, to, nullptr, FILE_BEGIN);
  pb->ioActCount = static_cast<long>(put);
  pb->ioPosOffset = Mark32(mark + put);
  if (!written) {
    if (hostErr == dskFulErr) return dskFulErr;
    return Either(Writable(pb->ioRefNum), ioErr, wrPermErr);
  }
  return Either(static_cast<long>(put) < requested, dskFulErr, noErr);
}

OSErr GetMark(int16_t refNum, long* mark) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  if (!h) return err;
  int64_t position;
  if (!SlotPosition(h, &position)) return ioErr;
  *mark = Mark32(position);
  return noErr;
}

OSErr GetEndOfFile(int16_t refNum, long* length) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  if (!h) return err;
  int64_t size;
  if (!SlotLength(h, &size)) return ioErr;
  *length = Mark32(size);
  return noErr;
}

// A longer file gets a zero byte at its new last position (the host fills the gap with
// zeros); a shorter one is cut. The mark stays where it was, or at the new end when it was past
// it, so that the next write does not leave a hole behind the end of the file.
OSErr SetEndOfFileAt(int16_t refNum, long length) {
  OSErr err;
  HANDLE h = SlotHandle(refNum, &err);
  if (!h) return err;
  if (!Writable(refNum)) return wrPermErr;
  if (length < 0) return paramErr;
  if (length == 0) return ZEB_FHSetEOF0(refNum);
  int64_t mark = 0, size = 0;
  if (!SlotPosition(h, &mark) || !SlotLength(h, &size)) return ioErr;
  LARGE_INTEGER to;
  if (length > size) {
    to.QuadPart = length - 1;
    static const char kZero = 0;
    uint32_t put = 0;
    if (!SetFilePointerEx(h, to, nullptr, FILE_BEGIN) || !HostWrite(h, &kZero, 1, &put) ||
        put != 1) {
      err = dskFulErr;
      // A host that extended the file before refusing the byte gets its old length back: a
      // failed SetEOF leaves the file as it was.
      int64_t now = size;
      if (SlotLength(h, &now) && now != size) HostSetSize(h, size);
    }
  } else if (length < size) {
    if (!HostSetSize(h, length)) err = ioErr;
  }
  to.QuadPart = err ? mark : (mark < length ? mark : length);
  SetFilePointerEx(h, to, nullptr, FILE_BEGIN);
  HostFlush(h);
  return err;
}

}  // namespace
}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" {

OSErr ZEBAPI PBOpen(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  pb->ioRefNum = 0;
  std::string path;
  OSErr err = HostPathOf(0, pb->ioVRefNum, pb->ioNamePtr, &path);
  if (!err) err = OpenPath(path, pb->ioPermssn, &pb->ioRefNum);
  return Finish(pb, err);
}

OSErr ZEBAPI PBHOpen(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  const long dirID = paramBlock->fileParam.ioDirID;
  pb->ioRefNum = 0;
  std::string path;
  OSErr err = HostPathOf(dirID, pb->ioVRefNum, pb->ioNamePtr, &path);
  if (!err) err = OpenPath(path, pb->ioPermssn, &pb->ioRefNum);
  return Finish(pb, err);
}

// Files have only their data fork here.
OSErr ZEBAPI PBHOpenDF(HParmBlkPtr paramBlock, Boolean async) { return PBHOpen(paramBlock, async); }

OSErr ZEBAPI PBRead(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  return Finish(&paramBlock->ioParam, Read(&paramBlock->ioParam));
}

OSErr ZEBAPI PBWrite(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  return Finish(&paramBlock->ioParam, Write(&paramBlock->ioParam));
}

OSErr ZEBAPI PBClose(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  // 0 is what a failed open leaves in a reference number: "not open".
  if (pb->ioRefNum == 0) return Finish(pb, fnOpnErr);
  return Finish(pb, CloseSlot(pb->ioRefNum));
}

OSErr ZEBAPI PBGetFPos(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  long mark = 0;
  const OSErr err = GetMark(pb->ioRefNum, &mark);
  if (!err) {
    pb->ioReqCount = 0;
    pb->ioActCount = 0;
    pb->ioPosMode = fsAtMark;
    pb->ioPosOffset = mark;
  }
  return Finish(pb, err);
}

OSErr ZEBAPI PBSetFPos(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  OSErr err;
  HANDLE h = SlotHandle(pb->ioRefNum, &err);
  if (!h) return Finish(pb, err);
  int64_t mark = 0;
  err = Position(h, pb->ioPosMode, pb->ioPosOffset, Purpose::kPositionOrRead, &mark);
  if (err != ioErr) pb->ioPosOffset = Mark32(mark);
  return Finish(pb, err);
}

OSErr ZEBAPI PBGetEOF(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  long length = 0;
  const OSErr err = GetEndOfFile(pb->ioRefNum, &length);
  if (!err) pb->ioMisc = reinterpret_cast<Ptr>(static_cast<intptr_t>(length));
  return Finish(pb, err);
}

OSErr ZEBAPI PBSetEOF(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  const long length = static_cast<long>(reinterpret_cast<intptr_t>(pb->ioMisc));
  return Finish(pb, SetEndOfFileAt(pb->ioRefNum, length));
}

// The space is asked of the host behind the file's end, without changing the file's length or
// the mark; a full disk says so now rather than at the write.
OSErr ZEBAPI PBAllocate(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  pb->ioActCount = 0;
  OSErr err;
  HANDLE h = SlotHandle(pb->ioRefNum, &err);
  if (!h) return Finish(pb, err);
  if (pb->ioReqCount < 0) return Finish(pb, paramErr);
  if (!Writable(pb->ioRefNum)) return Finish(pb, wrPermErr);
  // Space the host will not give is space the disk does not have.
  if (!HostReserve(h, pb->ioReqCount)) return Finish(pb, dskFulErr);
  pb->ioActCount = pb->ioReqCount;
  return Finish(pb, noErr);
}

OSErr ZEBAPI PBFlushFile(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  return Finish(&paramBlock->ioParam, noErr);
}

OSErr ZEBAPI PBGetFCBInfo(FCBPBPtr pb, Boolean) {
  if (!pb) return paramErr;
  std::string path;
  if (!SlotPath(pb->ioRefNum, &path))
    return Finish(pb, Either(pb->ioRefNum >= kFirstSlot && pb->ioRefNum <= kLastSlot, fnOpnErr,
                              rfNumErr));
  std::string directory, name;
  SplitLastComponent(path, &directory, &name);
  const DirectoryIdentity id = IdentifyDirectory(directory);
  pb->ioFCBVRefNum = id.RefNum();
  pb->ioFCBParID = id.dirID;
  StorePascal(pb->ioNamePtr, name);
  OSErr err;
  if (HANDLE h = SlotHandle(pb->ioRefNum, &err)) {
    int64_t mark = 0, size = 0;
    if (SlotPosition(h, &mark) && SlotLength(h, &size)) {
      pb->ioFCBEOF = Mark32(size);
      pb->ioFCBPLen = Mark32(size);
      pb->ioFCBCrPs = Mark32(mark);
    }
  }
  return Finish(pb, noErr);
}

// ---- High-level calls ----

OSErr ZEBAPI FSOpen(ConstStr255Param fileName, short vRefNum, short* refNum) {
  ParamBlockRec pb{};
  pb.ioParam.ioNamePtr = const_cast<StringPtr>(fileName);
  pb.ioParam.ioVRefNum = vRefNum;
  pb.ioParam.ioPermssn = fsCurPerm;
  const OSErr err = PBOpen(&pb, false);
  if (refNum) *refNum = pb.ioParam.ioRefNum;
  return err;
}

OSErr ZEBAPI HOpen(short vRefNum, long dirID, ConstStr255Param fileName, SignedByte permission,
                   short* refNum) {
  HParamBlockRec pb{};
  pb.fileParam.ioDirID = dirID;
  pb.ioParam.ioNamePtr = const_cast<StringPtr>(fileName);
  pb.ioParam.ioVRefNum = vRefNum;
  pb.ioParam.ioPermssn = permission;
  const OSErr err = PBHOpen(&pb, false);
  if (refNum) *refNum = pb.ioParam.ioRefNum;
  return err;
}

OSErr ZEBAPI HOpenDF(short vRefNum, long dirID, ConstStr255Param fileName, SignedByte permission,
                     short* refNum) {
  return HOpen(vRefNum, dirID, fileName, permission, refNum);
}

OSErr ZEBAPI FSRead(short refNum, long* count, void* buffPtr) {
  if (!count) return paramErr;
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  pb.ioParam.ioBuffer = static_cast<Ptr>(buffPtr);
  pb.ioParam.ioReqCount = *count;
  pb.ioParam.ioPosMode = fsAtMark;
  const OSErr err = PBRead(&pb, false);
  *count = pb.ioParam.ioActCount;
  return err;
}

OSErr ZEBAPI FSWrite(short refNum, long* count, const void* buffPtr) {
  if (!count) return paramErr;
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  pb.ioParam.ioBuffer = static_cast<Ptr>(const_cast<void*>(buffPtr));
  pb.ioParam.ioReqCount = *count;
  pb.ioParam.ioPosMode = fsAtMark;
  const OSErr err = PBWrite(&pb, false);
  *count = pb.ioParam.ioActCount;
  return err;
}

OSErr ZEBAPI FSClose(short refNum) {
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  return PBClose(&pb, false);
}

OSErr ZEBAPI GetFPos(short refNum, long* filePos) {
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  const OSErr err = PBGetFPos(&pb, false);
  if (filePos) *filePos = err ? 0 : pb.ioParam.ioPosOffset;
  return err;
}

OSErr ZEBAPI SetFPos(short refNum, short posMode, long posOff) {
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  pb.ioParam.ioPosMode = posMode;
  pb.ioParam.ioPosOffset = posOff;
  return PBSetFPos(&pb, false);
}

OSErr ZEBAPI GetEOF(short refNum, long* logEOF) {
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  const OSErr err = PBGetEOF(&pb, false);
  if (logEOF) *logEOF = err ? 0 : static_cast<long>(reinterpret_cast<intptr_t>(pb.ioParam.ioMisc));
  return err;
}

OSErr ZEBAPI SetEOF(short refNum, long logEOF) {
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  pb.ioParam.ioMisc = reinterpret_cast<Ptr>(static_cast<intptr_t>(logEOF));
  return PBSetEOF(&pb, false);
}

OSErr ZEBAPI Allocate(short refNum, long* count) {
  if (!count) return paramErr;
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = refNum;
  pb.ioParam.ioReqCount = *count;
  const OSErr err = PBAllocate(&pb, false);
  *count = pb.ioParam.ioActCount;
  return err;
}

OSErr ZEBAPI GetVRefNum(short fileRefNum, short* vRefNum) {
  FCBPBRec pb{};
  pb.ioRefNum = fileRefNum;
  const OSErr err = PBGetFCBInfo(&pb, false);
  if (vRefNum) *vRefNum = err ? 0 : pb.ioFCBVRefNum;
  return err;
}

}  // extern "C"
