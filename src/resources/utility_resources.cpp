// The utilities that read resources (strings, icons, patterns, pictures, cursors) and Munger on
// handles. Counts inside 'STR#' and 'PAT#' come from files: every read is bounded by the
// resource's size.
#include <cstring>

#include "MacMemory.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "ToolUtils.h"
#include "memory/memory_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "resources/munger.h"
#include "resources/resources_internal.h"

namespace zeb::resources {
namespace {

constexpr ResType kStringType = ZEB_FOURCC('S', 'T', 'R', ' ');
constexpr ResType kStringListType = ZEB_FOURCC('S', 'T', 'R', '#');
constexpr ResType kIconType = ZEB_FOURCC('I', 'C', 'O', 'N');
constexpr ResType kPatternType = ZEB_FOURCC('P', 'A', 'T', ' ');
constexpr ResType kPatternListType = ZEB_FOURCC('P', 'A', 'T', '#');
constexpr ResType kPictureType = ZEB_FOURCC('P', 'I', 'C', 'T');
constexpr ResType kCursorType = ZEB_FOURCC('C', 'U', 'R', 'S');
// The built-in cursors' IDs: arrow, I-beam, cross, plus, watch.
constexpr short kLastStandardCursor = 4;
// A list resource starts with its 16-bit count, in host order once loaded.
constexpr long kListHeader = 2;
constexpr long kPatternBytes = 8;

class HandleStore : public ByteStore {
 public:
  explicit HandleStore(Handle h) : h_(h) {}
  // Neither the size nor the check after a resize touches MemError: when the handle cannot
  // grow, Munger returns -1 and MemError keeps saying why.
  int64_t Size() const override { return memory::LiveHandleSize(h_); }
  uint8_t* Data() override { return reinterpret_cast<uint8_t*>(*h_); }
  bool Resize(int64_t newSize) override {
    SetHandleSize(h_, static_cast<long>(newSize));
    return MemError() == noErr && memory::LiveHandleSize(h_) == newSize;
  }

 private:
  Handle h_;
};

short ListCount(Handle h, long size) {
  if (size < kListHeader) return 0;
  short count;
  std::memcpy(&count, *h, sizeof count);
  return count;
}

}  // namespace
}  // namespace zeb::resources

using namespace zeb;
using namespace zeb::resources;

extern "C" {

StringHandle ZEBAPI GetString(short stringID) {
  return reinterpret_cast<StringHandle>(GetResourceForManager(kStringType, stringID));
}

void ZEBAPI GetIndString(Str255 theString, short strListID, short index) {
  if (theString) theString[0] = 0;
  const bool held = ResourceInMemory(kStringListType, strListID);
  Handle h = GetResourceForManager(kStringListType, strListID);
  if (!h) return;
  const long size = memory::LiveHandleSize(h);
  if (theString && *h && index >= 1 && index <= ListCount(h, size)) {
    const auto* data = reinterpret_cast<const unsigned char*>(*h);
    long at = kListHeader;
    for (short i = 1; i < index && at < size; ++i) at += 1 + data[at];
    // A string whose length runs past the resource's end is not there.
    if (at < size && at + 1 + data[at] <= size) std::memcpy(theString, data + at, 1 + data[at]);
  }
  // Released when this call brought it in; a list already in memory belongs to whoever holds it.
  if (!held) ReleaseResource(h);
}

StringHandle ZEBAPI NewString(ConstStr255Param theString) {
  if (!theString) return nullptr;
  Handle h = NewHandle(theString[0] + 1);
  if (!h) return nullptr;
  std::memcpy(*h, theString, theString[0] + 1u);
  return reinterpret_cast<StringHandle>(h);
}

void ZEBAPI SetString(StringHandle theString, ConstStr255Param strNew) {
  if (!theString || !strNew) return;
  PtrToXHand(strNew, reinterpret_cast<Handle>(theString), strNew[0] + 1);
}

Handle ZEBAPI GetIcon(short iconID) { return GetResourceForManager(kIconType, iconID); }

PatHandle ZEBAPI GetPattern(short patID) {
  return reinterpret_cast<PatHandle>(GetResourceForManager(kPatternType, patID));
}

void ZEBAPI GetIndPattern(Pattern* thePat, short patListID, short index) {
  if (!thePat) return;
  Handle h = index >= 1 ? GetResourceForManager(kPatternListType, patListID) : nullptr;
  if (!h || !*h) {
    std::memset(thePat, 0, sizeof *thePat);
    return;
  }
  const long size = memory::LiveHandleSize(h);
  const long at = kListHeader + kPatternBytes * (index - 1);
  if (index <= ListCount(h, size) && at + kPatternBytes <= size)
    std::memcpy(thePat, *h + at, kPatternBytes);
}

PicHandle ZEBAPI GetPicture(short picID) {
  return reinterpret_cast<PicHandle>(GetResourceForManager(kPictureType, picID));
}

CursHandle ZEBAPI GetCurso(short cursorID) {
  if (cursorID >= 0 && cursorID <= kLastStandardCursor)
    if (CursHandle standard = quickdraw::StandardCursor(cursorID)) return standard;
  return reinterpret_cast<CursHandle>(GetResourceForManager(kCursorType, cursorID));
}

long ZEBAPI Munger(Handle h, long offset, const void* ptr1, long len1, const void* ptr2,
                   long len2) {
  if (memory::LiveHandleSize(h) < 0) return -1;
  HandleStore store(h);
  return MungeBytes(store, offset, ptr1, len1, ptr2, len2);
}

}  // extern "C"
