// The Print Manager's own state, shared by its files: the printer-information table, the print
// record's private words and the printing state of the one job that may run at a time.
#ifndef ZEB_PRINT_PRINT_STATE_H
#define ZEB_PRINT_PRINT_STATE_H

#include <windows.h>

#include <commdlg.h>

#include <cstdint>
#include <string>

#include "Printing.h"

namespace zeb::print {

// The signature words of a record that this library filled.
constexpr uint16_t kSignature1 = 0x120F;
constexpr uint16_t kSignature2 = 0xCA1C;

// The record's private words, as byte offsets from the start of printX (offset 82 in the
// Toolbox layout): each 32-bit value sits at an even offset and is read and written bytewise.
enum PrivateWord : int {
  kPxSignature1 = 0,   // 16-bit
  kPxSignature2 = 2,   // 16-bit
  kPxReference = 4,    // printer-information entry, 1-based
  kPxStamp = 8,        // GetTickCount when the entry was made
  kPxFields = 12,      // dmFields of the chosen printer
  kPxOrientation = 16,
  kPxCopies = 20,
  kPxWidth = 24,       // HORZRES
  kPxHeight = 28,      // VERTRES
  kPxScale = 32        // percent
};

uint32_t ReadPrivate(const TPrint& rec, PrivateWord at);
void WritePrivate(TPrint& rec, PrivateWord at, uint32_t value);

// The record behind a print-record handle, or null when the handle is nil, empty or holds
// fewer bytes than a print record: such a record is never written.
TPrint* RecordOf(THPrint hPrint);

// One entry of the printer-information table: a movable, zero-filled block holding the print
// dialog's structure (the chosen printer's device-mode and device-names blocks, and between a
// dialog and the start of a document its device context), and the tick it was made at.
struct PrinterEntry {
  HGLOBAL block = nullptr;
  DWORD stamp = 0;
  HDC infoContext = nullptr;  // measuring context from the device names and mode
};

// The entry a record names when its signature, private values, reference and stamp all hold;
// null otherwise.
PrinterEntry* LiveEntryOf(const TPrint& rec);
// A new entry (the table grows by 16); its 1-based reference goes to *reference.
PrinterEntry* NewEntry(uint32_t* reference);
PrinterEntry* EntryAt(uint32_t reference);
// The entry that the last validation or dialog used (PrGeneral asks its printer).
PrinterEntry* CurrentEntry();
void SetCurrentEntry(PrinterEntry* entry);
// Exit: every entry's blocks and contexts are freed.
void FreePrinterTable();

// Running a print dialog on a record: its verdict; the dialog's extended error goes to
// *dialogError. keepDC leaves the printer context in the entry for the next document.
enum class DialogKind { Default, Setup, Job };
bool RunPrintDialog(TPrint& rec, PrinterEntry& entry, DialogKind kind, DWORD* dialogError);
// PrintDefault's work: a fresh entry for the default printer, the record filled from it.
// Returns the dialog's extended error (0 on success).
DWORD MakeDefaultRecord(TPrint& rec);
// PrValidate's work without its error reset: true when the record changed.
bool ValidateRecord(TPrint& rec, DWORD* dialogError);

// The printing state: one job at a time, process-wide.
struct PrintingState {
  HDC dc = nullptr;           // the printer's context while a document is open
  bool documentOpen = false;
  bool starting = false;  // StartDoc runs: the error cell holds PrOpenDoc's provisional 128
  bool aborted = false;
  bool errorReported = false;  // a message box already said why: no second one
  short error = 0;
  int pageCounter = 0;
  int firstPage = 1, lastPage = iPrPgMax;
  RECT band{};
  int bandCounter = 0;
  HWND abortDialog = nullptr;
  PrIdleProcPtr idleProc = nullptr;  // procedure instance of the record's idle procedure
  char documentName[256] = "";
  short collateCopies = 1;
  bool postScript = false;
  bool dither = false;
  bool colourReduction = false;
  bool banding = false;
  bool changedDefault = false;
  bool changedDevices = false;
  std::string defaultPrinter;   // [windows] "device" as last seen
  // The open document's port and what PrCloseDoc undoes.
  TPPrPort port = nullptr;
  bool portAllocated = false;
  bool colourPort = false;
  GrafPtr savedPort = nullptr;
  bool pageOutsideRange = false;
  bool pageStarted = false;
  bool bandsExhausted = false;  // the driver already said the page has no more bands
  Rect pageRect{};   // the record's rPage: the port's rectangle on every page
  RECT pageBand{};   // the printable area in device pixels, the one band without banding
  int pageResult = 0;
  int landscapeBand = 0;
};
PrintingState& State();

// The error cell: PrError's stored value, mirrored into the application's PrintErr global.
void SetError(short error);

// The reporting switch: ZEB_SystemValue 0x3C is 0 while print errors are shown; any other
// value silences them.
constexpr int kPrintErrorReportingValue = 0x3C;
bool ReportingOn();
// A table entry that no record names any more goes back to the table.
void FreeEntry(PrinterEntry& entry);

}  // namespace zeb::print

#endif  // ZEB_PRINT_PRINT_STATE_H
