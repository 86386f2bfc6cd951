// Memory Manager: handle allocation and resizing against HeapAlloc, HeapFree and HeapReAlloc.
#include <string>

#include "MacMemory.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

volatile char g_sink;

double HostPair(long iterations, SIZE_T size) {
  HANDLE heap = GetProcessHeap();
  return NanosecondsPerOp(iterations, [heap, size](long n) {
    for (long i = 0; i < n; ++i) {
      void* p = HeapAlloc(heap, HEAP_ZERO_MEMORY, size);
      g_sink = *static_cast<char*>(p);
      HeapFree(heap, 0, p);
    }
  });
}

double HandlePair(long iterations, Size size) {
  return NanosecondsPerOp(iterations, [size](long n) {
    for (long i = 0; i < n; ++i) {
      Handle h = NewHandle(size);
      g_sink = **h;
      DisposeHandle(h);
    }
  });
}

void AllocationPairs(bool smallBlocks) {
  ZEB_SetFlags(ZEB_SF_SMALLBLOCKS, smallBlocks ? ZEB_SF_SMALLBLOCKS : 0, 0, 0);
  // Keep some handles alive so that the pairs run against a populated heap.
  Handle live[512];
  for (int i = 0; i < 512; ++i) live[i] = NewHandle(16 + i);
  const char* mode = smallBlocks ? "small blocks on" : "small blocks off";
  for (Size size : {16, 200, 4000, 100000}) {
    const long n = size >= 100000 ? 20000 : 200000;
    Report("NewHandle+DisposeHandle " + std::to_string(size) + " B, " + mode, HandlePair(n, size),
           HostPair(n, static_cast<SIZE_T>(size)));
  }
  for (Handle h : live) DisposeHandle(h);
}

void GrowthByOneByte(const char* mode) {
  constexpr long kSteps = 100000;
  const double library = NanosecondsPerOp(kSteps, [](long n) {
    Handle h = NewHandle(0);
    for (long i = 1; i <= n; ++i) SetHandleSize(h, i);
    DisposeHandle(h);
  });
  HANDLE heap = GetProcessHeap();
  const double host = NanosecondsPerOp(kSteps, [heap](long n) {
    void* p = HeapAlloc(heap, HEAP_ZERO_MEMORY, 1);
    for (long i = 2; i <= n; ++i) p = HeapReAlloc(heap, HEAP_ZERO_MEMORY, p, static_cast<SIZE_T>(i));
    HeapFree(heap, 0, p);
  });
  Report(std::string("SetHandleSize growth by 1 byte to 100000 B, ") + mode, library, host);
}

}  // namespace

void RunMemoryBenchmarks() {
  AllocationPairs(false);
  AllocationPairs(true);
  ZEB_SetFlags(ZEB_SF_SMALLBLOCKS, 0, 0, 0);
  GrowthByOneByte("small blocks off");
  ZEB_SetFlags(ZEB_SF_SMALLBLOCKS, ZEB_SF_SMALLBLOCKS, 0, 0);
  GrowthByOneByte("small blocks on");
}

}  // namespace zebbench
