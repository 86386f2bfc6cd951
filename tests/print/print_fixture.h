// Print Manager tests: a session, print records in handles, a watcher that answers message
// boxes, and a scripted printer behind the escape layer.
#ifndef ZEB_TESTS_PRINT_FIXTURE_H
#define ZEB_TESTS_PRINT_FIXTURE_H

#include <windows.h>

#include <atomic>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "Printing.h"
#include "print/printer_escapes.h"
#include "session_fixture.h"

namespace zebtest {

// Answers the first dialog box of this process with the given caption (OK), keeping its text.
class BoxWatcher {
 public:
  explicit BoxWatcher(const char* caption);
  ~BoxWatcher();
  bool Seen() const { return seen_; }
  std::string Text() const { return text_; }

 private:
  std::string caption_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> seen_{false};
  std::string text_;
  std::thread thread_;
};

// A printer whose driver answers from a script: capabilities of a 300-dpi letter page, bands
// taken from a queue, and a log of every document and page call.
class ScriptedPrinter : public zeb::print::PrinterEscapes {
 public:
  int horzRes = 2400, vertRes = 3300, dpi = 300, numColors = 2, rasterCaps = 0;
  int startDocResult = 1, endPageResult = 1;
  std::deque<RECT> bands;      // NEXTBAND answers; empty queue: an empty band
  int failNextBandAt = -1;     // the NEXTBAND call (0-based) that fails
  bool bandInfoGraphics = true;
  std::vector<std::string> log;
  std::string documentName;
  int nextBandCalls = 0;

  int StartDocument(HDC, const char* name, bool) override;
  int EndDocument(HDC, bool) override;
  int AbortDocument(HDC, bool) override;
  int StartPageOn(HDC) override;
  int EndPageOn(HDC, bool) override;
  int NextBand(HDC, RECT* band) override;
  int BandInfo(HDC, const zeb::print::BandInfoRecord* in, zeb::print::BandInfoRecord* out) override;
  // Like Windows' own StartDoc, the scripted one may ask the abort procedure first.
  bool abortProcInStartDoc = false;
  ABORTPROC abortProc = nullptr;
  int InstallAbortProc(HDC, ABORTPROC proc, bool) override {
    abortProc = proc;
    return 1;
  }
  int DeviceCaps(HDC dc, int index) override;
  int Query(HDC, int, int, const void*, void*) override { return 0; }
  // DC_ENUMRESOLUTIONS: the pairs below, or the driver's refusal (-1) when failCapabilities.
  std::vector<POINT> resolutions;
  bool failCapabilities = false;
  std::string capabilitiesDevice;  // the device the last question named
  long DriverCapabilities(const char* driver, const char* device, const char* port,
                          WORD capability, char* output, const DEVMODEA* mode) override;
  int Count(const std::string& call) const;
};

class PrintTest : public SessionTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A print record in a handle of its own, zero-filled.
  THPrint NewRecord();
  // Makes the record valid for the scripted printer: an entry whose context is a memory DC.
  void AttachScriptedPrinter(THPrint h);
  // ZEB_SystemValue 0x3C: non-zero silences the print error boxes.
  void SilenceErrors(bool silent);

  ScriptedPrinter printer_;
  std::vector<THPrint> records_;
  GrafPort screenPort_{};
};

}  // namespace zebtest

#endif  // ZEB_TESTS_PRINT_FIXTURE_H
