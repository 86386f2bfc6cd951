// The scrap on the real clipboard: a session whose frame forwards the clipboard-viewer messages,
// a clipboard procedure that converts 'TEXT' and CF_TEXT the way a ported application's does and
// records every call, and helpers that change the clipboard as another program would.
#ifndef ZEB_TESTS_SCRAP_FIXTURE_H
#define ZEB_TESTS_SCRAP_FIXTURE_H

#include <functional>
#include <string>
#include <vector>

#include "Scrap.h"
#include "ZEB.h"
#include "session_fixture.h"

namespace zebtest {

constexpr ResType kText = 0x54455854;  // 'TEXT'
constexpr ResType kPict = 0x50494354;  // 'PICT'

// One call of the clipboard procedure, as it arrived.
struct ScrapCall {
  long operation;
  long format;
  HDC dc;
  Handle destination;
  ResType scrapType;
  void* data;
  void* resultBlock;
  ZEB_PutScrapBlock block;  // a copy of the put block, for ZEB_SCRAP_PUT
};

// The test clipboard procedure: 'TEXT' is CF_TEXT without its terminating zero. Every call is
// recorded. changedAnswer is its answer to ZEB_SCRAP_CHANGED for the format it names (0: none).
struct TextProcedure {
  std::vector<ScrapCall> calls;
  UINT changedAnswer = 0;
};
TextProcedure& Procedure();
long WINAPI TextScrapProc(long operation, long format, HDC dc, Handle destination,
                          ResType scrapType, void* data, void* resultBlock);

// The clipboard as another program sees it, through the clipboard calls of a helper window.
// Each returns false when the clipboard could not be opened.
bool SetClipboardFormats(const std::vector<std::pair<UINT, std::string>>& formats);
std::string ClipboardText();  // CF_TEXT, or "<none>"
int ClipboardFormatCount();
// The same change made from a thread of its own, as another program makes it: empties the
// clipboard and puts the text as CF_TEXT (then, when given, a private format).
bool ChangeClipboardFromAnotherThread(const std::string& text, UINT privateFormat = 0);

// Runs the thread's messages until done() holds (false when it never does) or for a while.
bool PumpUntil(const std::function<bool()>& done);
void PumpFor(DWORD milliseconds);

// The clipboard held open by another thread until Release.
class ClipboardHolder {
 public:
  ClipboardHolder();
  ~ClipboardHolder();
  bool holding() const { return holding_; }
  void Release();

 private:
  HANDLE thread_ = nullptr;
  HANDLE opened_ = nullptr;
  HANDLE release_ = nullptr;
  bool holding_ = false;
};

class ScrapTest : public SessionTest {
 protected:
  ScrapTest() { sessionFlags_ = ZEB_SF_NOPROCINSTANCES; }
  void SetUp() override;
  void TearDown() override;
  // Set in a derived fixture's constructor: start without a clipboard procedure.
  bool withProcedure_ = true;
};

}  // namespace zebtest

#endif  // ZEB_TESTS_SCRAP_FIXTURE_H
