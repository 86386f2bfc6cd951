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
  // A device capability (DC_ENUMRESOLUTIONS and the like) of a printer named by its
  // device-names block, asked of its driver without a device context: the driver module's
  // own DeviceCapabilities entry where it has one, else the spooler's. The driver's count,
  // or -1 when neither answers.
  virtual long DriverCapabilities(const char* driver, const char* device, const char* port,
                                  WORD capability, char* output, const DEVMODEA* mode);
};

// The module that answers for a driver named in a device-names block: a name that already
// carries an extension ("wineps.drv") as it is, a bare one ("HPPCL5") with ".DRV" added, as
// Windows 3.1 named its printer drivers.
void DriverModuleName(const char* driver, char* module, int moduleBytes);

// The layer in force: the drivers' own unless a test installed another (null restores it).
PrinterEscapes& Escapes();
void UseEscapes(PrinterEscapes* escapes);

}  // namespace zeb::print

#endif  // ZEB_PRINT_PRINTER_ESCAPES_H
