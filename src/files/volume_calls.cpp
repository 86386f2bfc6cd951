// Volume information, the default directory (GetVol, SetVol and their relatives), working
// directories and flushing.
#include <cstring>

#include "files/file_info.h"
#include "files/file_manager.h"
#include "frame/frame_internal.h"

namespace zeb::files {
namespace {

// Drives that are not asked (floppies and other removable media) report a fixed size rather
// than spin up or prompt for a disk.
constexpr unsigned short kUnaskedBlocks = 256;
constexpr long kUnaskedBlockSize = 8192;

struct VolumeSpace {
  long blockSize = kUnaskedBlockSize;
  unsigned short totalBlocks = kUnaskedBlocks;
  unsigned short freeBlocks = 0;
};

int CurrentDriveIndex() {
  std::string current;
  return CurrentDirectory(&current) ? DriveIndexOf(current) : -1;
}

VolumeSpace SpaceOf(int16_t vRefNum) {
  VolumeSpace space;
  VolumeFacts facts;
  if (!VolumeFactsOf(vRefNum, &facts)) return space;
  const bool asked = facts.driveType == DRIVE_FIXED || facts.driveType == DRIVE_REMOTE ||
                     facts.index == CurrentDriveIndex() ||
                     frame::SessionFlag(ZEB_SF_VOLUMEINFO);
  if (!asked) return space;
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  QuietHostErrors quiet;
  if (!GetDiskFreeSpaceA(VolumeRootPath(vRefNum).c_str(), &sectorsPerCluster, &bytesPerSector,
                         &freeClusters, &totalClusters))
    return space;
  const BlockCounts counts =
      FitBlockCounts(uint64_t{sectorsPerCluster} * bytesPerSector, totalClusters, freeClusters);
  space.blockSize = counts.blockSize;
  space.totalBlocks = counts.totalBlocks;
  space.freeBlocks = counts.freeBlocks;
  return space;
}

// The volume a number names: a volume number, a working directory's volume, the current
// directory's volume for 0, and (as the Toolbox's drive numbers) 1 ... count for -1 ... -count.
int16_t VolumeOfRefNum(int16_t refNum) {
  if (refNum > 0 && refNum <= VolumeCount()) return static_cast<int16_t>(-refNum);
  std::string directory;
  if (DirectoryOfRefNum(refNum, &directory)) return kUnusableRefNum;
  return VolumeOfPath(directory);
}

// VolumeParam and HVolumeParam share every field up to ioVFrBlk.
template <class PB>
OSErr VolumeInformation(PB* pb) {
  int16_t volume = kUnusableRefNum;
  std::string name;
  if (pb->ioVolIndex > 0) {
    if (pb->ioVolIndex <= VolumeCount()) volume = static_cast<int16_t>(-pb->ioVolIndex);
  } else if (pb->ioVolIndex < 0 && pb->ioNamePtr && pb->ioNamePtr[0]) {
    if (HostNameOf(pb->ioNamePtr, &name)) volume = VolumeOfPath(name);
  } else {
    volume = VolumeOfRefNum(pb->ioVRefNum);
  }
  if (volume == kUnusableRefNum || !IsVolumeNumber(volume)) return nsvErr;
  const VolumeSpace space = SpaceOf(volume);
  StorePascal(pb->ioNamePtr, VolumeRootPath(volume));
  pb->ioVRefNum = volume;
  pb->ioVCrDate = 0;
  pb->ioVAtrb = 0;
  pb->ioVNmFls = 0;
  pb->ioVNmAlBlks = space.totalBlocks;
  pb->ioVAlBlkSiz = space.blockSize;
  pb->ioVClpSiz = space.blockSize;
  pb->ioAlBlSt = 0;
  pb->ioVFrBlk = space.freeBlocks;
  return noErr;
}

// The current directory as PBGetVol reports it: its reference (working-directory number, or the
// volume's for a root) and its volume's root.
OSErr DefaultDirectory(StringPtr name, short* refNum, DirectoryIdentity* identity) {
  std::string current;
  DirectoryIdentity id;
  if (CurrentDirectory(&current)) id = IdentifyDirectory(current);
  if (!id.Usable()) {
    *refNum = kUnusableRefNum;
    return nsvErr;
  }
  *refNum = id.RefNum();
  StorePascal(name, VolumeRootOf(current));
  if (identity) *identity = id;
  return noErr;
}

OSErr SetDefaultDirectory(int32_t dirID, int16_t vRefNum, const unsigned char* name) {
  std::string path;
  const OSErr err = HostPathOf(dirID, vRefNum, name, &path);
  if (err) return err;
  QuietHostErrors quiet;
  return SetCurrentDirectoryA(path.c_str()) ? OSErr{noErr} : LastHostError();
}

// Every file open for writing on the volume has its host buffers flushed.
OSErr FlushVolume(const unsigned char* volumeName, short* vRefNum) {
  std::string name, root;
  if (HostNameOf(volumeName, &name)) root = VolumeRootOf(name);
  if (root.empty()) {
    std::string directory;
    if (*vRefNum == 0) {
      short current;
      if (DefaultDirectory(nullptr, &current, nullptr)) return nsvErr;
      *vRefNum = current;
    }
    if (DirectoryOfRefNum(*vRefNum, &directory)) return nsvErr;
    root = VolumeRootOf(directory);
  }
  if (root.empty()) return nsvErr;
  OSErr result = noErr;
  for (int16_t refNum = kFirstSlot; refNum <= kLastSlot; ++refNum) {
    std::string path;
    if (!SlotHasWriteAccess(refNum) || !SlotPath(refNum, &path) || !StartsWithHostName(path, root))
      continue;
    OSErr err;
    HANDLE h = SlotHandle(refNum, &err);
    if (!h || !FlushFileBuffers(h)) result = ioErr;
  }
  return result;
}

}  // namespace
}  // namespace zeb::files

using namespace zeb;
using namespace zeb::files;

extern "C" {

OSErr ZEBAPI PBGetVInfo(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  return Finish(&paramBlock->volumeParam, VolumeInformation(&paramBlock->volumeParam));
}

OSErr ZEBAPI PBHGetVInfo(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  return Finish(&paramBlock->volumeParam, VolumeInformation(&paramBlock->volumeParam));
}

OSErr ZEBAPI GetVInfo(short drvNum, StringPtr volName, short* vRefNum, long* freeBytes) {
  HParamBlockRec pb{};
  pb.volumeParam.ioNamePtr = volName;
  pb.volumeParam.ioVRefNum = drvNum;
  const OSErr err = PBHGetVInfo(&pb, false);
  if (vRefNum) *vRefNum = err ? 0 : pb.volumeParam.ioVRefNum;
  if (freeBytes) {
    const int64_t bytes = int64_t{pb.volumeParam.ioVFrBlk} * pb.volumeParam.ioVAlBlkSiz;
    *freeBytes = err ? 0 : bytes > INT32_MAX ? INT32_MAX : static_cast<long>(bytes);
  }
  return err;
}

OSErr ZEBAPI PBGetVol(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  VolumeParam* pb = &paramBlock->volumeParam;
  return Finish(pb, DefaultDirectory(pb->ioNamePtr, &pb->ioVRefNum, nullptr));
}

// As PBGetVol, with the current directory's volume and directory ID as PBGetWDInfo gives them.
OSErr ZEBAPI PBHGetVol(WDPBPtr pb, Boolean) {
  if (!pb) return paramErr;
  DirectoryIdentity id;
  const OSErr err = DefaultDirectory(pb->ioNamePtr, &pb->ioVRefNum, &id);
  if (!err) {
    pb->ioWDProcID = static_cast<long>(kZEBWorkingDirProcID);
    pb->ioWDVRefNum = id.vRefNum;
    pb->ioWDDirID = id.dirID;
  }
  return Finish(pb, err);
}

OSErr ZEBAPI GetVol(StringPtr volName, short* vRefNum) {
  ParamBlockRec pb{};
  pb.volumeParam.ioNamePtr = volName;
  const OSErr err = PBGetVol(&pb, false);
  if (vRefNum) *vRefNum = pb.volumeParam.ioVRefNum;
  return err;
}

OSErr ZEBAPI HGetVol(StringPtr volName, short* vRefNum, long* dirID) {
  WDPBRec pb{};
  pb.ioNamePtr = volName;
  const OSErr err = PBHGetVol(&pb, false);
  if (vRefNum) *vRefNum = err ? pb.ioVRefNum : pb.ioWDVRefNum;
  if (dirID) *dirID = err ? 0 : pb.ioWDDirID;
  return err;
}

OSErr ZEBAPI PBSetVol(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  VolumeParam* pb = &paramBlock->volumeParam;
  return Finish(pb, SetDefaultDirectory(0, pb->ioVRefNum, pb->ioNamePtr));
}

OSErr ZEBAPI PBHSetVol(WDPBPtr pb, Boolean) {
  if (!pb) return paramErr;
  return Finish(pb, SetDefaultDirectory(pb->ioWDDirID, pb->ioVRefNum, pb->ioNamePtr));
}

OSErr ZEBAPI SetVol(ConstStr63Param volName, short vRefNum) {
  ParamBlockRec pb{};
  pb.volumeParam.ioNamePtr = const_cast<StringPtr>(volName);
  pb.volumeParam.ioVRefNum = vRefNum;
  return PBSetVol(&pb, false);
}

OSErr ZEBAPI HSetVol(ConstStr63Param volName, short vRefNum, long dirID) {
  WDPBRec pb{};
  pb.ioNamePtr = const_cast<StringPtr>(volName);
  pb.ioVRefNum = vRefNum;
  pb.ioWDDirID = dirID;
  return PBHSetVol(&pb, false);
}

OSErr ZEBAPI PBFlushVol(ParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  VolumeParam* pb = &paramBlock->volumeParam;
  return Finish(pb, FlushVolume(pb->ioNamePtr, &pb->ioVRefNum));
}

OSErr ZEBAPI FlushVol(ConstStr63Param volName, short vRefNum) {
  ParamBlockRec pb{};
  pb.volumeParam.ioNamePtr = const_cast<StringPtr>(volName);
  pb.volumeParam.ioVRefNum = vRefNum;
  return PBFlushVol(&pb, false);
}

// Only the version of the volume-parameters buffer is known: 1, no attributes.
OSErr ZEBAPI PBHGetVolParms(HParmBlkPtr paramBlock, Boolean) {
  if (!paramBlock) return paramErr;
  IOParam* pb = &paramBlock->ioParam;
  constexpr long kMinimumRequest = 6;
  // The buffer's size in the 32-bit layout: version, attributes, local handle, server address,
  // volume grade and foreign privilege ID.
  constexpr long kBufferBytes = 24;
  if (!pb->ioBuffer || pb->ioReqCount < kMinimumRequest) return Finish(pb, static_cast<OSErr>(-1));
  const long count = pb->ioReqCount < kBufferBytes ? pb->ioReqCount : kBufferBytes;
  std::memset(pb->ioBuffer, 0, static_cast<size_t>(count));
  const short version = 1;
  std::memcpy(pb->ioBuffer, &version, sizeof version);
  pb->ioActCount = count;
  return Finish(pb, noErr);
}

OSErr ZEBAPI PBOpenWD(WDPBPtr pb, Boolean) {
  if (!pb) return paramErr;
  std::string path;
  OSErr err = HostPathOf(pb->ioWDDirID, pb->ioVRefNum, pb->ioNamePtr, &path);
  if (err) return Finish(pb, err == nsvErr ? nsvErr : dirNFErr);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Finish(pb, dirNFErr);
  const DirectoryIdentity id = IdentifyDirectory(path);
  if (!id.Usable()) return Finish(pb, dirNFErr);
  pb->ioVRefNum = id.RefNum();
  return Finish(pb, noErr);
}

// Working directories live for the whole run: closing one changes nothing.
OSErr ZEBAPI PBCloseWD(WDPBPtr pb, Boolean) {
  if (!pb) return paramErr;
  return Finish(pb, noErr);
}

OSErr ZEBAPI PBGetWDInfo(WDPBPtr pb, Boolean) {
  if (!pb) return paramErr;
  std::string directory;
  if (DirectoryOfRefNum(pb->ioVRefNum, &directory)) return Finish(pb, dirNFErr);
  pb->ioWDProcID = static_cast<long>(kZEBWorkingDirProcID);
  if (IsVolumeNumber(pb->ioVRefNum)) {
    pb->ioWDVRefNum = pb->ioVRefNum;
    pb->ioWDDirID = fsRtDirID;
    StorePascal(pb->ioNamePtr, directory);
    return Finish(pb, noErr);
  }
  const DirectoryIdentity id = IdentifyDirectory(directory);
  if (!id.Usable()) return Finish(pb, dirNFErr);
  pb->ioVRefNum = id.RefNum();
  pb->ioWDVRefNum = id.vRefNum;
  pb->ioWDDirID = id.dirID;
  StorePascal(pb->ioNamePtr, directory);
  return Finish(pb, noErr);
}

OSErr ZEBAPI OpenWD(short vRefNum, long dirID, long procID, short* wdRefNum) {
  WDPBRec pb{};
  pb.ioVRefNum = vRefNum;
  pb.ioWDDirID = dirID;
  pb.ioWDProcID = procID;
  const OSErr err = PBOpenWD(&pb, false);
  if (wdRefNum) *wdRefNum = err ? 0 : pb.ioVRefNum;
  return err;
}

OSErr ZEBAPI CloseWD(short wdRefNum) {
  WDPBRec pb{};
  pb.ioVRefNum = wdRefNum;
  return PBCloseWD(&pb, false);
}

OSErr ZEBAPI GetWDInfo(short wdRefNum, short* vRefNum, long* dirID, long* procID) {
  WDPBRec pb{};
  pb.ioVRefNum = wdRefNum;
  const OSErr err = PBGetWDInfo(&pb, false);
  if (vRefNum) *vRefNum = err ? 0 : pb.ioWDVRefNum;
  if (dirID) *dirID = err ? 0 : pb.ioWDDirID;
  if (procID) *procID = err ? 0 : pb.ioWDProcID;
  return err;
}

}  // extern "C"
