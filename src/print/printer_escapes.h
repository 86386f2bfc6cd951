// The one layer through which the Print Manager talks to a printer driver: document and page
// calls, escapes, abort procedures and device capabilities. A test installs a scripted device
// in its place to drive the band loop, which no driver under test offers.
#ifndef ZEB_PRINT_PRINTER_ESCAPES_H
#define ZEB_PRINT_PRINTER_ESCAPES_H

#include <windows.h>

namespace zeb::print {

// The band-information escape's record (BANDINFO, escape 24).
struct BandInfoRecord {
  BOOL graphics;
  BOOL text;
  RECT graphicsRect;
};

class PrinterEscapes {
 public:
  virtual ~PrinterEscapes() = default;
  // The document: by escape (STARTDOC/ENDDOC/ABORTDOC) on a 3.x system or while banding,
  // otherwise by the Win32 calls. Results are the driver's: above 0 for success.
  virtual int StartDocument(HDC dc, const char* name, bool byEscape);
  virtual int EndDocument(HDC dc, bool byEscape);
  virtual int AbortDocument(HDC dc, bool byEscape);
  // A page: StartPage (nothing on a 3.x system), EndPage or the NEWFRAME escape.
  virtual int StartPageOn(HDC dc);
  virtual int EndPageOn(HDC dc, bool byEscape);
  // NEXTBAND: the next band in device pixels (empty when the page is done).
  virtual int NextBand(HDC dc, RECT* band);
  // BANDINFO: in gives the flags asked about, out what the driver reports.
  virtual int BandInfo(HDC dc, const BandInfoRecord* in, BandInfoRecord* out);
  virtual int InstallAbortProc(HDC dc, ABORTPROC proc, bool byEscape);
  virtual int DeviceCaps(HDC dc, int index);
  // A plain escape with its input and output blocks (QUERYESCSUPPORT, GETTECHNOLOGY,
  // GETPHYSPAGESIZE, GETPRINTINGOFFSET, SETCOPYCOUNT, GETSCALINGFACTOR).
  virtual int Query(HDC dc, int escape, int inBytes, const void* in, void* out);
};

// The layer in force: the drivers' own unless a test installed another (null restores it).
PrinterEscapes& Escapes();
void UseEscapes(PrinterEscapes* escapes);

}  // namespace zeb::print

#endif  // ZEB_PRINT_PRINTER_ESCAPES_H
