// Volumes: the host's drives and the network shares met in paths.
#include <string>
#include <vector>

#include "files/file_manager.h"

namespace zeb::files {
namespace {

// The Toolbox numbers volumes -1 ... -31 and working directories from -32767 up: at most 31
// volumes keep the two apart.
constexpr int kMaxVolumes = 31;
// A network share's entry records its number in the list of roots plus 30, past the 26 drive
// letters.
constexpr int kFirstShareIndex = 30;
constexpr int kFloppyA = 0;
constexpr int kFloppyB = 1;

struct VolumeTable {
  bool built = false;
  int count = 0;
  VolumeFacts entries[kMaxVolumes];
  std::vector<std::string> networkRoots;  // "\\server\share", as first met
};
VolumeTable g_volumes;

std::string DriveRoot(int index) {
  std::string root = "A:\\";
  root[0] = static_cast<char>('A' + index);
  return root;
}

void EnsureBuilt() {
  if (!g_volumes.built) BuildVolumeTable();
}

int16_t RefNumOfIndex(int index) {
  EnsureBuilt();
  for (int k = 0; k < g_volumes.count; ++k)
    if (g_volumes.entries[k].index == index) return static_cast<int16_t>(-(k + 1));
  return kUnusableRefNum;
}

int16_t RegisterShare(std::string_view root) {
  EnsureBuilt();
  for (size_t i = 0; i < g_volumes.networkRoots.size(); ++i)
    if (SameHostName(g_volumes.networkRoots[i], root))
      return RefNumOfIndex(kFirstShareIndex + static_cast<int>(i));
  // A full table takes no more shares: paths on them are unusable rather than numbered like
  // a working directory.
  if (g_volumes.count >= kMaxVolumes) return kUnusableRefNum;
  g_volumes.networkRoots.emplace_back(root);
  VolumeFacts& entry = g_volumes.entries[g_volumes.count++];
  entry.index = kFirstShareIndex + static_cast<int>(g_volumes.networkRoots.size() - 1);
  entry.driveType = DRIVE_REMOTE;
  return static_cast<int16_t>(-g_volumes.count);
}

}  // namespace

void BuildVolumeTable() {
  g_volumes = VolumeTable{};
  g_volumes.built = true;
  const DWORD present = GetLogicalDrives();
  for (int index = 0; index < 26 && g_volumes.count < kMaxVolumes; ++index) {
    UINT type = DRIVE_REMOVABLE;
    if (index != kFloppyA && index != kFloppyB) {
      if (!(present & (1u << index))) continue;
      type = GetDriveTypeA(DriveRoot(index).c_str());
      if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) continue;
    }
    g_volumes.entries[g_volumes.count++] = VolumeFacts{index, type};
  }
}

void ForgetVolumes() { g_volumes = VolumeTable{}; }

int VolumeCount() {
  EnsureBuilt();
  return g_volumes.count;
}

int16_t VolumeOfPath(std::string_view path) {
  const int drive = DriveIndexOf(path);
  if (drive >= 0) return RefNumOfIndex(drive);
  const size_t root = NetworkRootLength(path);
  return root ? RegisterShare(path.substr(0, root)) : kUnusableRefNum;
}

bool IsVolumeNumber(int16_t refNum) { return refNum < 0 && -refNum <= VolumeCount(); }

bool VolumeFactsOf(int16_t vRefNum, VolumeFacts* facts) {
  if (!IsVolumeNumber(vRefNum)) return false;
  *facts = g_volumes.entries[-vRefNum - 1];
  return true;
}

std::string VolumeRootPath(int16_t vRefNum) {
  VolumeFacts facts;
  if (!VolumeFactsOf(vRefNum, &facts)) return std::string();
  if (facts.index < kFirstShareIndex) return DriveRoot(facts.index);
  return g_volumes.networkRoots[static_cast<size_t>(facts.index - kFirstShareIndex)] + '\\';
}

void InitDriveTable() { BuildVolumeTable(); }

}  // namespace zeb::files
