// The session's font list and font map: zebfont.map read beside the application, the Windows
// faces enumerated on the screen and the default printer and numbered from the map, and the
// Font Manager calls that look them up.
#include "quickdraw/font_manager.h"

#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

#include "MacMemory.h"
#include "frame/frame_internal.h"
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {
namespace {

constexpr char kMapFileName[] = "zebfont.map";
// A map is a few lines; a larger file is read this far (the parser stops at a broken line).
constexpr DWORD kLargestMapRead = 1 << 20;
// The Font Manager's width-table record, cleared by InitFonts.
constexpr Size kWidthTableRecordSize = 1076;
// PrintDlgA's extended error when Windows has no default printer.
constexpr DWORD kNoDefaultPrinter = 0x1008;

// The Gothic faces a double-byte system offers its interface in, in order of preference:
// MS Gothic and MS PGothic by their Shift-JIS names, and MS UI Gothic.
constexpr const char* kGothicFaces[] = {
    "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E",
    "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E",
    "MS UI Gothic",
};

struct FontManagerState {
  FontList list;
  FontMap map;
  bool mapRead = false;
  bool listBuilt = false;
  uint32_t generation = 0;
  bool printerKnown = false;
  std::string printerDriver, printerDevice;
  int16_t intlSystemFont = 0;
  Handle widthTable = nullptr;
  LeadByteTable leadBytes{};
  bool doubleByte = false;
};
FontManagerState g_fonts;

// The enumeration under way; the callbacks take no other data.
struct Enumeration {
  FontList* list;
  FontRecord* record;  // the face whose sizes are enumerated
};
Enumeration* g_enumeration = nullptr;

static_assert(offsetof(LOGFONTA, lfFaceName) == 28, "a size entry holds LOGFONT's first 28 bytes");

// The map from zebfont.map, or the default map; the default is written beside the application
// when the file is missing or empty, never over a file that has content.
void ReadFontMap() {
  char path[256];
  frame::AppPathName(path, kMapFileName);
  std::vector<char> text;
  bool missingOrEmpty = true;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const DWORD size = GetFileSize(file, nullptr);
    if (size != INVALID_FILE_SIZE && size > 0) {
      text.resize(size < kLargestMapRead ? size : kLargestMapRead);
      DWORD read = 0;
      if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) read = 0;
      text.resize(read);
      missingOrEmpty = false;
    }
    CloseHandle(file);
  }
  ParseFontMap(text.data(), text.size(), &g_fonts.map);
  if (g_fonts.map.entries.empty()) {
    const char* defaults = DefaultFontMapText();
    ParseFontMap(defaults, std::strlen(defaults), &g_fonts.map);
    if (missingOrEmpty) {
      HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
      if (out != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(out, defaults, static_cast<DWORD>(std::strlen(defaults)), &written, nullptr);
        CloseHandle(out);
      }
    }
  }
  g_fonts.mapRead = true;
}

// The default printer's DC and names; no printer is no error. PrintDlgA's device records are
// freed here, the DC when the lookup goes.
class DefaultPrinter {
 public:
  DefaultPrinter() {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (PrintDlgA(&pd)) {
      if (pd.hDevNames) {
        if (auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames))) {
          const char* base = reinterpret_cast<const char*>(names);
          driver = base + names->wDriverOffset;
          device = base + names->wDeviceOffset;
          GlobalUnlock(pd.hDevNames);
        }
      }
      dc = pd.hDC;
    } else {
      failed = CommDlgExtendedError() != kNoDefaultPrinter && CommDlgExtendedError() != 0;
    }
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
  }
  ~DefaultPrinter() {
    if (dc) DeleteDC(dc);
  }
  DefaultPrinter(const DefaultPrinter&) = delete;
  DefaultPrinter& operator=(const DefaultPrinter&) = delete;

  HDC dc = nullptr;
  std::string driver, device;
  bool failed = false;
};

// With TrueType on and "TrueType only" set, Windows would enumerate no other face: the setting
// is lifted while the list is built and put back however the build ends.
class TrueTypeOnlyLifted {
 public:
  TrueTypeOnlyLifted() {
    lifted_ = GetProfileIntA("TrueType", "TTEnable", 1) != 0 &&
              GetProfileIntA("TrueType", "TTOnly", 0) != 0;
    if (lifted_) WriteProfileStringA("TrueType", "TTOnly", "0");
  }
  ~TrueTypeOnlyLifted() {
    if (lifted_) WriteProfileStringA("TrueType", "TTOnly", "1");
  }
  TrueTypeOnlyLifted(const TrueTypeOnlyLifted&) = delete;
  TrueTypeOnlyLifted& operator=(const TrueTypeOnlyLifted&) = delete;

 private:
  bool lifted_;
};

void Enumerate(HDC dc, const char* family, FONTENUMPROCA proc, Enumeration& e) {
  Enumeration* outer = g_enumeration;
  g_enumeration = &e;
  EnumFontFamiliesA(dc, family, proc, reinterpret_cast<LPARAM>(&e));
  g_enumeration = outer;
}

// A size entry from an enumerated LOGFONT and its metrics.
FontSizeEntry SizeEntryOf(const LOGFONTA* lf, const TEXTMETRICA* tm) {
  FontSizeEntry entry{};
  std::memcpy(&entry, lf, offsetof(LOGFONTA, lfFaceName));
  entry.pixelSize = static_cast<int16_t>(tm->tmHeight - tm->tmInternalLeading);
  return entry;
}

// A name field of an enumeration record, which need not be terminated.
std::string Terminated(const void* field, size_t size) {
  const char* text = static_cast<const char*>(field);
  size_t n = 0;
  while (n < size && text[n]) ++n;
  return std::string(text, n);
}

void BuildFontList(bool force) {
  DefaultPrinter printer;
  if (!force && g_fonts.listBuilt && g_fonts.printerKnown &&
      printer.driver == g_fonts.printerDriver && printer.device == g_fonts.printerDevice)
    return;
  g_fonts.printerKnown = !printer.failed;
  g_fonts.printerDriver = printer.driver;
  g_fonts.printerDevice = printer.device;
  if (!g_fonts.mapRead) ReadFontMap();

  g_fonts.list.Clear();
  TrueTypeOnlyLifted trueTypeOnly;
  HDC screen = GetDC(nullptr);
  Enumeration e{&g_fonts.list, nullptr};
  if (screen) Enumerate(screen, nullptr, reinterpret_cast<FONTENUMPROCA>(&Z_EnumFont), e);
  if (printer.dc) Enumerate(printer.dc, nullptr, reinterpret_cast<FONTENUMPROCA>(&Z_EnumFont), e);
  g_fonts.list.ApplyMap(g_fonts.map);
  HDC sizesDC = printer.dc ? printer.dc : screen;
  if (sizesDC) {
    for (FontRecord* r = g_fonts.list.Head(); r; r = r->next) {
      if (r->styledFace) continue;
      e.record = r;
      Enumerate(sizesDC, r->faceName, reinterpret_cast<FONTENUMPROCA>(&Z_EnumFontSizes), e);
      r = e.record;  // appending sizes may have moved it
    }
  }
  if (screen) ReleaseDC(nullptr, screen);

  g_fonts.intlSystemFont = 0;
  if (frame::Session().doubleByte) {
    for (const char* face : kGothicFaces) {
      if (const FontRecord* r = g_fonts.list.ByDisplayName(face)) {
        g_fonts.intlSystemFont = r->FirstNumber();
        break;
      }
    }
  }
  g_fonts.listBuilt = true;
  ++g_fonts.generation;
}

// The list as the lookups need it: built again after the clean-up at the last context.
const FontList& List() {
  if (!g_fonts.listBuilt && frame::Session().started) BuildFontList(true);
  return g_fonts.list;
}

}  // namespace

void UseCountryLeadBytes(int country) {
  g_fonts.doubleByte =
      LeadBytesForCountry(country, &g_fonts.leadBytes) && frame::Session().doubleByte;
}

void StartFontManager() {
  UseCountryLeadBytes(static_cast<int>(GetProfileIntA("intl", "iCountry", 1)));
  g_fonts.mapRead = false;
  g_fonts.listBuilt = false;
  ReadFontMap();
  BuildFontList(true);
}

void StopFontManager() {
  ReleaseFontState();
  if (g_fonts.widthTable) DisposeHandle(g_fonts.widthTable);
  g_fonts.widthTable = nullptr;
  g_fonts.printerKnown = false;
}

void ReleaseFontState() {
  g_fonts.list.Clear();
  g_fonts.map = FontMap();
  g_fonts.mapRead = false;
  g_fonts.listBuilt = false;
  ++g_fonts.generation;
}

const FontRecord* FontForNumber(int16_t number) {
  const FontList& list = List();
  return list.Lookup(number, g_fonts.map);
}

uint32_t FontListGeneration() { return g_fonts.generation; }

const LeadByteTable* SessionLeadBytes() {
  return g_fonts.doubleByte ? &g_fonts.leadBytes : nullptr;
}

Handle FontManagerWidthTable() { return g_fonts.widthTable; }

short FontResourceCount(bool outline) {
  int count = 0;
  for (const FontRecord* r = List().Head(); r; r = r->next)
    if (r->IsTrueType() == outline) ++count;
  return static_cast<short>(count);
}

bool NextFont(FontListCursor& cursor, char displayName[64], short* number) {
  const FontList& list = List();
  const FontRecord* r;
  if (cursor.generation != FontListGeneration() || !cursor.record) {
    if (cursor.started) return false;  // the list was built again meanwhile
    r = list.Head();
    cursor.started = true;
    cursor.generation = FontListGeneration();
  } else {
    r = static_cast<const FontRecord*>(cursor.record)->next;
  }
  cursor.record = r;
  if (!r) return false;
  std::memcpy(displayName, r->displayName, kDisplayNameSize);
  if (number) *number = r->FirstNumber();
  return true;
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

int ZEBAPI Z_EnumFont(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD fontType,
                      LPARAM data) {
  Enumeration* e = g_enumeration;
  if (!e || data != reinterpret_cast<LPARAM>(e) || !logFont || !metrics) return 0;
  const std::string face = Terminated(logFont->lfFaceName, LF_FACESIZE);
  // A TrueType face is known by its full name, which enumeration puts after the LOGFONT.
  const std::string display =
      (fontType & TRUETYPE_FONTTYPE)
          ? Terminated(reinterpret_cast<const ENUMLOGFONTA*>(logFont)->elfFullName, LF_FULLFACESIZE)
          : face;
  const FontSizeEntry size = SizeEntryOf(logFont, metrics);
  const EnumeratedFace enumerated = {display.c_str(), face.c_str(), metrics->tmPitchAndFamily,
                                     logFont->lfCharSet, static_cast<uint16_t>(fontType & 7),
                                     &size};
  return e->list->AddFace(enumerated) ? 1 : 0;
}

int ZEBAPI Z_EnumFontSizes(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD fontType,
                           LPARAM data) {
  (void)fontType;
  Enumeration* e = g_enumeration;
  if (!e || data != reinterpret_cast<LPARAM>(e) || !e->record || !logFont || !metrics) return 0;
  return e->list->AppendSize(e->record, SizeEntryOf(logFont, metrics)) ? 1 : 0;
}

void ZEBAPI ZEB_UpdateFontList(short force) {
  if (!frame::Session().started) return;
  BuildFontList(force != 0);
}

short ZEBAPI ZEB_GetIntlSystemFont(void) {
  List();
  return g_fonts.intlSystemFont;
}

void ZEBAPI InitFonts(void) {
  if (g_fonts.widthTable) {
    std::memset(*g_fonts.widthTable, 0, kWidthTableRecordSize);
    return;
  }
  g_fonts.widthTable = NewHandleClear(kWidthTableRecordSize);
}

void ZEBAPI GetFontName(short familyID, Str255 name) {
  if (!name) return;
  name[0] = 0;
  const FontRecord* r = FontForNumber(familyID);
  if (!r) return;
  const size_t n = std::strlen(r->displayName);
  name[0] = static_cast<unsigned char>(n);
  std::memcpy(name + 1, r->displayName, n);
  name[n + 1] = 0;
}

void ZEBAPI GetFNum(ConstStr255Param name, short* familyID) {
  if (!familyID) return;
  *familyID = 0;
  if (!name) return;
  char text[256];
  std::memcpy(text, name + 1, name[0]);
  text[name[0]] = '\0';
  if (const FontRecord* r = List().ByDisplayName(text)) {
    const int16_t number = r->FirstNumber();
    if (number != kNoFontNumber) {
      *familyID = number;
      return;
    }
  }
  if (const FontMapEntry* entry = g_fonts.map.ByToolboxName(text))
    if (entry->number != kNoFontNumber) *familyID = entry->number;
}

Boolean ZEBAPI RealFont(short fontNum, short size) {
  (void)fontNum;
  (void)size;
  return true;
}

}  // extern "C"
