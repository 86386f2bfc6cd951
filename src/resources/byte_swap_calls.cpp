// The byte-order calls: whole resources by type, with the application's own conversions for
// types the library does not know, and the single-value swaps applications use.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "MacMemory.h"
#include "Resources.h"
#include "ZEB.h"
#include "frame/frame_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "resources/byte_order.h"
#include "resources/resource_files.h"

namespace zeb::resources {
namespace {

// The session's list of types that its callback converts, and a type's position in it.
int SessionTypeIndex(uint32_t type) {
  const ResType* list = frame::Session().conversionTypes;
  if (!list) return -1;
  for (int i = 0; list[i] && i < 0x7FFF; ++i)
    if (static_cast<uint32_t>(list[i]) == type) return i;
  return -1;
}

void ReportUnknownType(uint32_t type) {
  static const char kText[] = " unknown byteswap type";
  unsigned char message[4 + sizeof kText + 1];
  message[0] = static_cast<unsigned char>(4 + sizeof kText - 1);
  for (int i = 0; i < 4; ++i) message[1 + i] = static_cast<unsigned char>(type >> (24 - 8 * i));
  std::memcpy(message + 5, kText, sizeof kText);
  DebugStr(message);
}

// Callbacks are stored as generic procedure pointers; each is called with its own signature.
template <class Proc, class From>
Proc As(From proc) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(proc));
}

void ConvertUnknown(int direction, uint32_t type, int16_t id, uint32_t size, Ptr data,
                    ResFile* file) {
  const ZEB_SwapResourceProcPtr fileProc = file ? file->swapProc : nullptr;
  const bool withId = frame::SessionFlag(ZEB_SF_RESIDTOCALLBACK);
  const short dir = static_cast<short>(direction);
  const long length = static_cast<long>(size);
  const int index = SessionTypeIndex(type);
  FARPROC callback = frame::Session().conversionCallback;
  if (index >= 0 && callback) {
    if (withId)
      As<ZEB_SessionSwapIDProcPtr>(callback)(dir, static_cast<short>(index), id,
                                                           length, data);
    else
      As<ZEB_SessionSwapProcPtr>(callback)(dir, static_cast<short>(index), length,
                                                         data);
    return;
  }
  if (fileProc) {
    if (withId)
      As<ZEB_SwapResourceIDProcPtr>(fileProc)(dir, type, id, length, data);
    else
      fileProc(dir, type, length, data);
    return;
  }
  // One report per type and file: a file of hundreds of such resources is not hundreds of
  // reports, and a file opened again in the session does not repeat them.
  if (file) {
    std::vector<uint32_t>& seen = file->reportedTypes;
    if (std::find(seen.begin(), seen.end(), type) != seen.end()) return;
    seen.push_back(type);
    std::vector<Chain::ReportedTypes>& reported = TheChain().reported;
    auto byPath = std::find_if(reported.begin(), reported.end(),
                               [file](const Chain::ReportedTypes& r) {
                                 return lstrcmpiA(r.path.c_str(), file->path) == 0;
                               });
    if (byPath == reported.end()) {
      reported.push_back({file->path, {}});
      byPath = reported.end() - 1;
    }
    std::vector<uint32_t>& before = byPath->types;
    if (std::find(before.begin(), before.end(), type) != before.end()) return;
    before.push_back(type);
  }
  ReportUnknownType(type);
}

void Convert(int direction, uint32_t type, int16_t id, Handle h, Ptr data, uint32_t size,
             ResFile* file) {
  switch (byteorder::ConvertResource(direction, type, reinterpret_cast<uint8_t*>(data), size)) {
    case byteorder::Conversion::kConverted: break;
    case byteorder::Conversion::kCursor:
      if (h) quickdraw::ConvertCursorResource(h, type == byteorder::FourCC("crsr"),
                                              direction == byteorder::kFromDisk);
      break;
    case byteorder::Conversion::kUnknown: ConvertUnknown(direction, type, id, size, data, file); break;
  }
}

}  // namespace

void ConvertResourceData(int direction, uint32_t type, int16_t id, Handle h, ResFile* file) {
  if (!h || !*h) return;
  const Size size = GetHandleSize(h);
  if (size <= 0) return;
  Convert(direction, type, id, h, *h, static_cast<uint32_t>(size), file);
}

}  // namespace zeb::resources

using namespace zeb;
using namespace zeb::byteorder;

extern "C" {

void ZEBAPI ZEB_ByteSwap(short direction, ResType theType, short theID, long size, Ptr data) {
  if (!data || size <= 0) return;
  // A cursor is converted with the handle that holds it, whose host cursor it builds.
  Handle h = RecoverHandle(data);
  if (h && *h != data) h = nullptr;
  resources::Convert(direction, static_cast<uint32_t>(theType), theID, h, data,
                     static_cast<uint32_t>(size), nullptr);
}

void ZEBAPI ZEB_ByteSwapWORD(void* p) {
  if (p) Swap16(p);
}
void ZEBAPI ZEB_ByteSwapLONG(void* p) {
  if (p) Swap32(p);
}
void ZEBAPI ZEB_ByteSwapRect(void* p) {
  if (!p) return;
  for (int i = 0; i < 4; ++i) Swap16(static_cast<uint8_t*>(p) + 2 * i);
}
void ZEBAPI ZEB_ByteSwapWORDS(void* p, long byteCount) {
  if (!p) return;
  for (long i = 0; i + 2 <= byteCount; i += 2) Swap16(static_cast<uint8_t*>(p) + i);
}
void ZEBAPI ZEB_ByteSwapLONGS(void* p, long byteCount) {
  if (!p) return;
  for (long i = 0; i + 4 <= byteCount; i += 4) Swap32(static_cast<uint8_t*>(p) + i);
}
void ZEBAPI ZEB_ByteSwapFLOAT(void* p) {
  if (p) Reverse(p, 4);
}
void ZEBAPI ZEB_ByteSwapFLOATS(void* p, long byteCount) { ZEB_ByteSwapLONGS(p, byteCount); }
void ZEBAPI ZEB_ByteSwapDOUBLE(void* p) {
  if (p) Reverse(p, 8);
}
// The 96-bit extended format of the Macintosh floating-point coprocessor.
void ZEBAPI ZEB_ByteSwap881(void* p) {
  if (p) Reverse(p, 12);
}
// The 80-bit extended format of the Toolbox's numerics, which is also the x87's.
void ZEBAPI ZEB_ByteSwapEXTENDED(void* p) {
  if (p) Reverse(p, 10);
}
void ZEBAPI ZEB_ByteSwapCLUT(short direction, void* table) {
  // The table's own size word bounds it; the largest it can describe is 8 + 8 x 32768 bytes.
  if (table) ConvertColourTable(direction, static_cast<uint8_t*>(table), 8 + 8 * 0x8000);
}
unsigned short ZEBAPI ZEB_GetByteSwapWORD(const void* p) { return p ? GetBig16(p) : 0; }
unsigned long ZEBAPI ZEB_GetByteSwapLONG(const void* p) { return p ? GetBig32(p) : 0; }
void ZEBAPI ZEB_GetByteSwapRect(const void* src, Rect* dst) {
  if (!src || !dst) return;
  const uint8_t* s = static_cast<const uint8_t*>(src);
  const short top = static_cast<short>(GetBig16(s)), left = static_cast<short>(GetBig16(s + 2));
  const short bottom = static_cast<short>(GetBig16(s + 4)), right = static_cast<short>(GetBig16(s + 6));
  dst->top = top;
  dst->left = left;
  dst->bottom = bottom;
  dst->right = right;
}
void ZEBAPI ZEB_ConvMRtoWR(const Rect* macRect, RECT* winRect) {
  if (!macRect || !winRect) return;
  winRect->left = macRect->left;
  winRect->top = macRect->top;
  winRect->right = macRect->right;
  winRect->bottom = macRect->bottom;
}
void ZEBAPI ZEB_ConvWRtoMR(const RECT* winRect, Rect* macRect) {
  if (!winRect || !macRect) return;
  macRect->top = static_cast<short>(winRect->top);
  macRect->left = static_cast<short>(winRect->left);
  macRect->bottom = static_cast<short>(winRect->bottom);
  macRect->right = static_cast<short>(winRect->right);
}

}  // extern "C"
