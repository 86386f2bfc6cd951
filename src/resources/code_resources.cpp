// Native procedures standing in for code resources: where a Macintosh application kept 68000
// code in 'MDEF', 'CDEF', 'WDEF' or 'LDEF' resources, a ported one registers a procedure under
// the same type and ID.
#include "Resources.h"
#include "frame/frame_internal.h"
#include "resources/resources_internal.h"

namespace zeb::resources {
namespace {

constexpr int kEntries = 64;

struct CodeEntry {
  ResType type;
  short id;
  ProcPtr proc;
};
CodeEntry g_entries[kEntries];

void Release(CodeEntry& e) {
  if (e.proc) frame::ReleaseCallback(e.proc);
  e = CodeEntry{};
}

}  // namespace

void ClearCodeResources() {
  for (CodeEntry& e : g_entries) e = CodeEntry{};
}

void ReleaseCodeResources() {
  for (CodeEntry& e : g_entries)
    if (e.proc) Release(e);
}

}  // namespace zeb::resources

using namespace zeb;
using namespace zeb::resources;

extern "C" ProcPtr ZEBAPI ZEB_CodeResource(short op, ResType theType, short theID, ProcPtr proc) {
  switch (op) {
    case ZEB_CODE_ADD:
      for (CodeEntry& e : g_entries) {
        if (e.proc) continue;
        e.type = theType;
        e.id = theID;
        e.proc = proc ? frame::WrapCallback(proc) : nullptr;
        // A NIL procedure keeps its entry free, as nothing could be found through it.
        return e.proc;
      }
      return nullptr;
    case ZEB_CODE_FIND:
      for (const CodeEntry& e : g_entries)
        if (e.proc && e.type == theType && e.id == theID) return e.proc;
      return nullptr;
    case ZEB_CODE_REMOVE:
    case ZEB_CODE_RELEASE:
      for (CodeEntry& e : g_entries)
        if (e.proc && e.type == theType && e.id == theID) Release(e);
      return nullptr;
    case ZEB_CODE_CLEAR:
      ClearCodeResources();
      return nullptr;
    case ZEB_CODE_HOLDS:
      for (const CodeEntry& e : g_entries)
        if (e.proc && e.type == theType && e.proc == proc) return proc;
      return nullptr;
    default: return nullptr;
  }
}
