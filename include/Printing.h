/*
 * Printing.h - the Print Manager: the print record, the print loop and the library's calls that
 * reach the Windows printer behind it.
 *
 * windows.h comes first (through Quickdraw.h): the printing port is a QuickDraw port, and the
 * library's own calls hand out printer device contexts.
 */
#ifndef ZEB_PRINTING_H
#define ZEB_PRINTING_H

#include "Errors.h"
#include "MacTypes.h"
#include "Quickdraw.h"

enum {
  iPrPgFract = 120, /* page dimensions in 1/120 inch */
  iPrPgFst = 1,     /* first page of a job */
  iPrPgMax = 9999,  /* last page of a job */
  iPrRelease = 3,
  iPfMaxPgs = 128,
  iPrBitsCtl = 4,
  iPrIOCtl = 5,
  iPrEvtCtl = 6,
  iPrDevCtl = 7,
  bDraftLoop = 0,
  bSpoolLoop = 1,
  bUser1Loop = 2,
  bUser2Loop = 3,
  iFMgrCtl = 8
};

/* PrGeneral operations and the range type of a resolution answer. */
enum {
  getRslDataOp = 4,
  setRslOp = 5,
  draftBitsOp = 6,
  noDraftBitsOp = 7,
  getRotnOp = 8,
  noSuchRsl = 1,
  opNotImpl = 2, /* the operation is not offered */
  rgType1 = 1
};

/* The library's own band-information flags (ZEB_BandInfo): graphics and text in the band. */
enum { ZEB_BAND_GRAPHICS = 0x1, ZEB_BAND_TEXT = 0x2 };

typedef void(ZEBAPI* PrIdleProcPtr)(void);

ZEB_PACK2_BEGIN
typedef struct TPrInfo {
  short iDev;  /* the driver's version */
  short iVRes; /* vertical resolution, dots per inch */
  short iHRes;
  Rect rPage;  /* the printable area */
} TPrInfo;

typedef struct TPrStl {
  short wDev; /* 0x300 on a PostScript printer */
  short iPageV; /* physical page in 1/120 inch */
  short iPageH;
  SignedByte bPort;
  SignedByte feed;
} TPrStl;

typedef struct TPrXInfo {
  short iRowBytes;
  short iBandV;
  short iBandH;
  short iDevBytes;
  short iBands;
  SignedByte bPatScale;
  SignedByte bUlThick;
  SignedByte bUlOffset;
  SignedByte bUlShadow;
  SignedByte scan;
  SignedByte bXInfoX;
} TPrXInfo;

typedef struct TPrJob {
  short iFstPage;
  short iLstPage;
  short iCopies;
  SignedByte bJDocLoop;
  Boolean fFromUsr;
  PrIdleProcPtr pIdleProc; /* nil: the library's abort dialog shows while the job prints */
  StringPtr pFileName;
  short iFileVol;
  SignedByte bFileVers;
  SignedByte bJobX;
} TPrJob;

/* The print record, as applications keep it in their documents. printX holds the library's
 * link to the Windows printer: two signature words, the reference and creation stamp of its
 * printer-information entry, the device mode's fields mask, orientation, copies, printable
 * width and height in device pixels and the scale in percent (32-bit values at any even
 * offset). */
typedef struct TPrint {
  short iPrVersion;
  TPrInfo prInfo;
  Rect rPaper;
  TPrStl prStl;
  TPrInfo prInfoPT;
  TPrXInfo prXInfo;
  TPrJob prJob;
  short printX[19];
} TPrint;
typedef TPrint* TPPrint;
typedef TPPrint* THPrint;

/* The printing port that PrOpenDoc opens (or fills in when the caller supplies one). */
typedef struct TPrPort {
  GrafPort gPort;
  QDProcs gProcs;
  long lGParam1;
  long lGParam2;
  long lGParam3;
  long lGParam4;
  Boolean fOurPtr;
  Boolean fOurBits;
} TPrPort;
typedef TPrPort* TPPrPort;

typedef struct TPrStatus {
  short iTotPages;
  short iCurPage;
  short iTotCopies;
  short iCurCopy;
  short iTotBands;
  short iCurBand;
  Boolean fPgDirty;
  Boolean fImaging;
  THPrint hPrint;
  TPPrPort pPrPort;
  PicHandle hPic;
} TPrStatus;

/* PrGeneral's blocks: the operation, then the error it answers. */
typedef struct TGnlData {
  short iOpCode;
  short iError;
  long lReserved;
} TGnlData;

typedef struct TRslRg {
  short iMin;
  short iMax;
} TRslRg;

typedef struct TRslRec {
  short iXRsl;
  short iYRsl;
} TRslRec;

typedef struct TGetRslBlk {
  short iOpCode;
  short iError;
  long lReserved;
  short iRgType;
  TRslRg xRslRg;
  TRslRg yRslRg;
  short iRslRecCnt;
  TRslRec rgRslRec[27];
} TGetRslBlk;

typedef struct TSetRslBlk {
  short iOpCode;
  short iError;
  long lReserved;
  THPrint hPrint;
  short iXRsl;
  short iYRsl;
} TSetRslBlk;

typedef struct TDftBitsBlk {
  short iOpCode;
  short iError;
  long lReserved;
  THPrint hPrint;
} TDftBitsBlk;

typedef struct TGetRotnBlk {
  short iOpCode;
  short iError;
  long lReserved;
  THPrint hPrint;
  Boolean fLandscape;
  SignedByte bXtra;
} TGetRotnBlk;
ZEB_PACK2_END

ZEB_ASSERT_SIZE(TPrInfo, 14);
ZEB_ASSERT_SIZE(TPrStl, 8);
ZEB_ASSERT_SIZE(TPrXInfo, 16);
ZEB_ASSERT_SIZE(TPrJob, 20);
ZEB_ASSERT_SIZE(TPrint, 120);
ZEB_ASSERT_OFFSET(TPrint, prInfo, 2);
ZEB_ASSERT_OFFSET(TPrint, rPaper, 16);
ZEB_ASSERT_OFFSET(TPrint, prStl, 24);
ZEB_ASSERT_OFFSET(TPrint, prStl.bPort, 30);
ZEB_ASSERT_OFFSET(TPrint, prInfoPT, 32);
ZEB_ASSERT_OFFSET(TPrint, prXInfo, 46);
ZEB_ASSERT_OFFSET(TPrint, prJob, 62);
ZEB_ASSERT_OFFSET(TPrint, prJob.pIdleProc, 70);
ZEB_ASSERT_OFFSET(TPrint, prJob.pFileName, 74);
ZEB_ASSERT_OFFSET(TPrint, printX, 82);
ZEB_ASSERT_SIZE(TPrPort, 178);
ZEB_ASSERT_SIZE(TGetRslBlk, 128);
ZEB_ASSERT_OFFSET(TGetRslBlk, rgRslRec, 20);
ZEB_ASSERT_OFFSET(TGetRotnBlk, fLandscape, 12);

ZEB_EXTERN_C_BEGIN

ZEB_API(void) PrOpen(void);
ZEB_API(void) PrClose(void);
ZEB_API(void) PrintDefault(THPrint hPrint);
ZEB_API(Boolean) PrValidate(THPrint hPrint);
ZEB_API(Boolean) PrStlDialog(THPrint hPrint);
ZEB_API(Boolean) PrJobDialog(THPrint hPrint);
ZEB_API(void*) PrStlInit(THPrint hPrint);
ZEB_API(void*) PrJobInit(THPrint hPrint);
ZEB_API(Boolean) PrDlgMain(THPrint hPrint, void* pDlgInit);
ZEB_API(void) PrPicFile(THPrint hPrint, TPPrPort pPrPort, Ptr pIOBuf, Ptr pDevBuf,
                        TPrStatus* prStatus);
ZEB_API(void) PrGeneral(Ptr pData);
ZEB_API(TPPrPort) PrOpenDoc(THPrint hPrint, TPPrPort pPrPort, Ptr pIOBuf);
ZEB_API(void) PrOpenPage(TPPrPort pPrPort, Rect* pPageFrame);
ZEB_API(short) PrClosePage(TPPrPort pPrPort);
ZEB_API(void) PrCloseDoc(TPPrPort pPrPort);
ZEB_API(short) PrError(void);
ZEB_API(void) PrSetError(short iErr);

/* Opens a page, or the next band of it on a banding printer: non-zero while there is a band to
 * draw, whose rectangle (Toolbox coordinates) goes to bandRect when it is given. A page loop
 * with banding reads
 *   while (ZEB_PrOpenPageBand(port, NIL, &band)) { ...draw...; }
 *   PrClosePage(port); */
ZEB_API(short) ZEB_PrOpenPageBand(TPPrPort pPrPort, Rect* pPageFrame, Rect* bandRect);
/* The printer's device context (the document's while one prints, else the record's); with
 * outInfo and a record, also starts the page count from the record's page range, validates
 * the record and gives the reference of its printer-information entry. */
ZEB_API(void) ZEB_GetWinPrintInfo(THPrint hPrint, HDC* outDC, long* outInfo);
/* The document name of the next PrOpenDoc (length-prefixed); empty leaves it as it is. */
ZEB_API(void) ZEB_SetPrintFileName(ConstStr255Param name);
/* How many copies the application must print itself: the collated copies that the driver was
 * told to print once. */
ZEB_API(short) ZEB_GetCollateCopies(void);
/* The band-information escape with flags (ZEB_BAND_...): the driver's answer; outFlags gets
 * the bands it reports. */
ZEB_API(short) ZEB_BandInfo(short flags, short* outFlags);
ZEB_API(void) ZEB_AbortToTop(void);
/* Deletes the device context that the record's printer-information entry keeps. */
ZEB_API(void) ZEB_ReleasePrinter(THPrint hPrint);
ZEB_API(BOOL) Z_AbortProc(HDC hdc, int code);
ZEB_API(INT_PTR) Z_AbortDlg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

/* ---- Entry points present without their manager's work ----
 * PrJobMerge reports its call through DebugStr and leaves both print records as they are. */
ZEB_API(void) PrJobMerge(THPrint hPrintSrc, THPrint hPrintDst);
/* ---- end of entry points present without their manager's work ---- */

ZEB_EXTERN_C_END

#endif /* ZEB_PRINTING_H */
