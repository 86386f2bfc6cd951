// Resource Manager: GetResource among thousands of resources of one file against a hash-map
// lookup of the same keys, opening a 1 MB resource file against reading its map with
// ReadFile, and opening a file of resources of types nobody converts with its reports on
// against the same with reports silenced.
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "MacMemory.h"
#include "Resources.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

volatile char g_sink;

// The map's 16-bit offsets hold at most 5458 references (28 + 2 + 8 + 12 n <= 0xFFFF): 5000 is
// the largest round count one resource file can have.
constexpr int kResources = 5000;
constexpr ResType kType = 0x44415441;  // 'DATA'

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + name;
}

// A resource file of count resources of size bytes each, made through the library.
bool MakeFile(const std::string& path, int count, Size size) {
  DeleteFileA(path.c_str());
  unsigned char name[256];
  name[0] = static_cast<unsigned char>(path.size());
  std::memcpy(name + 1, path.data(), path.size());
  CreateResFile(name);
  const short ref = OpenResFile(name);
  if (ref < 0) return false;
  for (int i = 0; i < count; ++i) {
    Handle h = NewHandle(size);
    std::memset(*h, i & 0xFF, static_cast<size_t>(size));
    AddResource(h, kType, static_cast<short>(i), nullptr);
  }
  CloseResFile(ref);
  return ResError() == noErr;
}

void Lookups() {
  const std::string path = TempPath("zeb_bench_many.rsr");
  if (!MakeFile(path, kResources, 8)) return;
  unsigned char name[256];
  name[0] = static_cast<unsigned char>(path.size());
  std::memcpy(name + 1, path.data(), path.size());
  const short ref = OpenResFile(name);
  // Every resource loaded once, so that the loop measures the search.
  for (int i = 0; i < kResources; ++i) GetResource(kType, static_cast<short>(i));
  constexpr long kLookups = 20000;
  const double library = NanosecondsPerOp(kLookups, [](long n) {
    for (long i = 0; i < n; ++i) {
      // A different ID each time: the one-entry cache never answers.
      Handle h = GetResource(kType, static_cast<short>((i * 7919) % kResources));
      g_sink = **h;
    }
  });
  std::unordered_map<uint64_t, std::vector<char>> table;
  for (int i = 0; i < kResources; ++i)
    table[(uint64_t{kType} << 16) | static_cast<uint16_t>(i)] = std::vector<char>(8, static_cast<char>(i));
  const double host = NanosecondsPerOp(kLookups, [&table](long n) {
    for (long i = 0; i < n; ++i) {
      const auto it = table.find((uint64_t{kType} << 16) |
                                 static_cast<uint16_t>((i * 7919) % kResources));
      g_sink = it->second[0];
    }
  });
  Report("GetResource among 5000 resources (hash map)", library, host);
  CloseResFile(ref);
  DeleteFileA(path.c_str());
}

void Opening() {
  const std::string path = TempPath("zeb_bench_1mb.rsr");
  if (!MakeFile(path, 1000, 1024)) return;  // 1000 resources of 1 KB: just over 1 MB
  unsigned char name[256];
  name[0] = static_cast<unsigned char>(path.size());
  std::memcpy(name + 1, path.data(), path.size());
  constexpr long kOpens = 200;
  const double library = NanosecondsPerOp(kOpens, [&name](long n) {
    for (long i = 0; i < n; ++i) CloseResFile(OpenResFile(name));
  });
  const double host = NanosecondsPerOp(kOpens, [&path](long n) {
    for (long i = 0; i < n; ++i) {
      HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      unsigned char header[16];
      DWORD got = 0;
      ReadFile(f, header, sizeof header, &got, nullptr);
      const DWORD mapOffset = (DWORD{header[4]} << 24) | (header[5] << 16) | (header[6] << 8) | header[7];
      const DWORD mapLength = (DWORD{header[12]} << 24) | (header[13] << 16) | (header[14] << 8) | header[15];
      std::vector<char> map(mapLength);
      SetFilePointer(f, static_cast<LONG>(mapOffset), nullptr, FILE_BEGIN);
      ReadFile(f, map.data(), mapLength, &got, nullptr);
      g_sink = map[0];
      CloseHandle(f);
    }
  });
  Report("OpenResFile+CloseResFile of 1 MB (ReadFile of map)", library, host);
  DeleteFileA(path.c_str());
}

// 300 preloaded resources of 1 KB in 30 types the library does not know, as a system file
// has them: every open loads and converts them all.
void UnknownTypes() {
  const std::string path = TempPath("zeb_bench_unknown.rsr");
  DeleteFileA(path.c_str());
  unsigned char name[256];
  name[0] = static_cast<unsigned char>(path.size());
  std::memcpy(name + 1, path.data(), path.size());
  CreateResFile(name);
  const short ref = OpenResFile(name);
  if (ref < 0) return;
  for (int i = 0; i < 300; ++i) {
    Handle h = NewHandle(1024);
    const ResType type = 0x78000000 | (0x30 + i % 30) << 16 | 0x5459;  // 'x0TY' ... 'xMTY'
    AddResource(h, type, static_cast<short>(i), nullptr);
    SetResAttrs(h, resPreload | resChanged);
  }
  CloseResFile(ref);
  // Reports go to the debugger output, not to message boxes; the setting is put back after.
  char ini[MAX_PATH];
  ZEB_MakeAppPathName(ini, "ZEBPORT.INI");
  char before[16] = "";
  const bool had = GetPrivateProfileStringA("zebport2", "DebugStrMBox", "", before, sizeof before, ini) > 0;
  WritePrivateProfileStringA("zebport2", "DebugStrMBox", "0", ini);
  ZEB_WinIniChange("zebport2");
  constexpr long kOpens = 50;
  auto opens = [&name](long n) {
    for (long i = 0; i < n; ++i) CloseResFile(OpenResFile(name));
  };
  const double reported = NanosecondsPerOp(kOpens, opens);
  ZEB_SetFlags(ZEB_SF_SILENTDEBUG, ZEB_SF_SILENTDEBUG, 0, 0);
  const double silenced = NanosecondsPerOp(kOpens, opens);
  ZEB_SetFlags(ZEB_SF_SILENTDEBUG, 0, 0, 0);
  WritePrivateProfileStringA("zebport2", "DebugStrMBox", had ? before : nullptr, ini);
  ZEB_WinIniChange("zebport2");
  Report("Open of 300 unknown-type resources (reports silenced)", reported, silenced);
  DeleteFileA(path.c_str());
}

}  // namespace

void RunResourceBenchmarks() {
  SetResLoad(true);
  Lookups();
  Opening();
  UnknownTypes();
}

}  // namespace zebbench
