// The exported bodies of the entry points present without their manager's work, generated from
// the table in unsupported_calls.inc: each reports its call through DebugStr (or stays silent),
// writes the few outputs its row names, and returns its fixed result.

// Windows 8 added a GetProcessInformation(HANDLE, ...) of its own; this file is built against
// the Windows 7 interface so that the Process Manager's call can be defined under its name.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601

#include <cstddef>
#include <cstring>

#include "AEObjects.h"
#include "Aliases.h"
#include "AppleEvents.h"
#include "AppleTalk.h"
#include "Balloons.h"
#include "Components.h"
#include "Controls.h"
#include "Devices.h"
#include "DiskInit.h"
#include "Drag.h"
#include "EPPC.h"
#include "Editions.h"
#include "Events.h"
#include "Files.h"
#include "Fonts.h"
#include "Icons.h"
#include "ImageCompression.h"
#include "MIDI.h"
#include "MacMemory.h"
#include "MacTypes.h"
#include "MacWindows.h"
#include "Menus.h"
#include "Movies.h"
#include "OSUtils.h"
#include "PPCToolbox.h"
#include "Palettes.h"
#include "Printing.h"
#include "Processes.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "SANE.h"
#include "Script.h"
#include "Sound.h"
#include "StandardFile.h"
#include "Terminals.h"
#include "TextEdit.h"
#include "TextServices.h"
#include "unsupported/report_text.h"

namespace zeb::unsupported {
namespace {

// A parameter-block call that fails says so in ioResult as well as in its result: asynchronous
// callers poll ioResult, and many synchronous ones test it rather than the result.
template <class Block>
void SetIOResult(Block* paramBlock, OSErr result) {
  if (!paramBlock) return;
  // Every File Manager and Device Manager parameter block starts with the same header, whose
  // ioResult the basic form shows.
  std::memcpy(reinterpret_cast<char*>(paramBlock) + offsetof(IOParam, ioResult), &result,
              sizeof result);
}

template <class T>
void ClearOutput(T* out) {
  if (out) *out = T();
}

// The first byte of SFReply (good) and of StandardFileReply (sfGood): false is the answer of a
// cancelled dialog.
template <class Reply>
void AnswerCancelled(Reply* reply) {
  if (reply) *reinterpret_cast<unsigned char*>(reply) = 0;
}

}  // namespace
}  // namespace zeb::unsupported

// The parameters exist for the caller's sake; no body looks at them.
#pragma GCC diagnostic ignored "-Wunused-parameter"

#define NONE
#define ZEB_UNSUPPORTED(type, name, params, report, result, output)                        \
  extern "C" type ZEBAPI name params {                                                     \
    using namespace zeb::unsupported;                                                      \
    static constexpr Message kMessage = Choose(report, " " #name);                        \
    static constexpr LengthPrefixed<Length(kMessage)> kText{kMessage};                    \
    if constexpr (kMessage.reported) DebugStr(kText.bytes);                               \
    output;                                                                                \
    return result;                                                                         \
  }
#include "unsupported/unsupported_calls.inc"
#undef ZEB_UNSUPPORTED
#undef NONE

// Script Manager verb 82 (smScriptSmallFondSize): text-measuring applications ask it at
// start-up, and get Helvetica (font family 21) at 10 points without a report.
extern "C" long ZEBAPI GetScript(short script, short verb) {
  constexpr short kSmallFontAndSizeVerb = 82;
  constexpr long kHelvetica10 = 0x0015000A;
  if (verb == kSmallFontAndSizeVerb) return kHelvetica10;
  using namespace zeb::unsupported;
  static constexpr Message kMessage = Choose(OWN, " GetScript");
  static constexpr LengthPrefixed<Length(kMessage)> kText{kMessage};
  DebugStr(kText.bytes);
  return 0;
}
