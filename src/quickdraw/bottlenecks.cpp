// The bottleneck records: SetStdProcs, SetStdCProcs and ZEB_StdProcFix.
#include "frame/frame_internal.h"
#include "quickdraw/quickdraw_state.h"

namespace zeb::quickdraw {
namespace {

constexpr int kQDProcCount = 13;
constexpr int kCQDProcCount = 20;

// The standard bottleneck routines in QDProcs order: text, line, rect, round-rect, oval, arc,
// poly, rgn, bits, comment, text-measure, get-picture, put-picture. An entry QuickDraw has no
// routine of its own for is null, which every drawing call reads as "the standard routine".
void* const kStandardProcs[kQDProcCount] = {
    reinterpret_cast<void*>(&StdText),
    reinterpret_cast<void*>(&StdLine),
    reinterpret_cast<void*>(&StdRect),
    reinterpret_cast<void*>(&StdRRect),
    reinterpret_cast<void*>(&StdOval),
    reinterpret_cast<void*>(&StdArc),
    reinterpret_cast<void*>(&StdPoly),
    reinterpret_cast<void*>(&StdRgn),
    nullptr,
    reinterpret_cast<void*>(&StdComment),
    reinterpret_cast<void*>(&StdTxMeas),
    reinterpret_cast<void*>(&StdGetPic),
    reinterpret_cast<void*>(&StdPutPic)};

void* StandardFor(int index) { return index < kQDProcCount ? kStandardProcs[index] : nullptr; }

}  // namespace
}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI SetStdProcs(QDProcs* procs) {
  if (!procs) return;
  void** entries = reinterpret_cast<void**>(procs);
  for (int i = 0; i < kQDProcCount; ++i) entries[i] = StandardFor(i);
}

void ZEBAPI SetStdCProcs(CQDProcs* procs) {
  if (!procs) return;
  SetStdProcs(reinterpret_cast<QDProcs*>(procs));
  void** entries = reinterpret_cast<void**>(procs);
  for (int i = kQDProcCount; i < kCQDProcCount; ++i) entries[i] = nullptr;
}

void ZEBAPI ZEB_StdProcFix(short install) {
  GrafPtr port = CurrentPort();
  if (!port || !port->grafProcs) return;
  void** entries = reinterpret_cast<void**>(port->grafProcs);
  const int count = IsColourPort(port) ? kCQDProcCount : kQDProcCount;
  for (int i = 0; i < count; ++i) {
    void* entry = entries[i];
    if (!entry || entry == StandardFor(i)) continue;
    if (install) {
      entries[i] = frame::WrapCallback(entry);
    } else {
      frame::ReleaseCallback(entry);
      entries[i] = StandardFor(i);
    }
  }
}

}  // extern "C"
