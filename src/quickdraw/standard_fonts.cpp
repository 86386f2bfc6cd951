// The session's standard fonts.
#include "quickdraw/quickdraw_internal.h"

#include "frame/frame_internal.h"
#include "quickdraw/font_manager.h"

namespace zeb::quickdraw {
namespace {

StandardFonts g_fonts;

// In Japanese, Korean and Chinese settings every face becomes the Japanese Gothic face, whose
// name is given here in Shift-JIS bytes.
constexpr char kDoubleByteFace[] =
    "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr BYTE kShiftJisCharset = 128;

constexpr BYTE kVariableSwiss = VARIABLE_PITCH | FF_SWISS;  // 34
constexpr BYTE kFixedModern = FIXED_PITCH | FF_MODERN;      // 49

struct Precisions {
  BYTE output = OUT_DEFAULT_PRECIS;
  BYTE clip = CLIP_DEFAULT_PRECIS;
  BYTE quality = DEFAULT_QUALITY;
};

HFONT MakeFont(int height, int weight, BYTE pitchAndFamily, const char* face, bool fixedPitch,
               Precisions precisions = {}) {
  const bool dbcs = frame::Session().doubleByte;
  const BYTE charset = (dbcs && !fixedPitch) ? kShiftJisCharset : ANSI_CHARSET;
  if (dbcs && !fixedPitch) face = kDoubleByteFace;
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, precisions.output,
                     precisions.clip, precisions.quality, pitchAndFamily, face);
}

}  // namespace

const StandardFonts& Fonts() { return g_fonts; }

void CreateStandardFonts(HWND frameWindow) {
  DeleteStandardFonts();
  const frame::VersionFacts& version = frame::Version();
  const bool dbcs = frame::Session().doubleByte;

  frame::AppPathName(g_fonts.fontFilePath, "ZEBFONT.FON");
  g_fonts.fontFileAdded = AddFontResourceA(g_fonts.fontFilePath) > 0;

  HDC dc = GetDC(frameWindow);
  if (version.newShell && version.windowsNT) {
    // The dialog font of Windows NT's new shell: string precision, stroke clipping and draft
    // quality, as the system's own dialogs make it.
    g_fonts.measuring = MakeFont(-11, FW_NORMAL, kVariableSwiss, "MS Sans Serif", false,
                                 {OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY});
    g_fonts.measuringIsStock = false;
  } else {
    g_fonts.measuring = static_cast<HFONT>(GetStockObject(version.newShell ? DEFAULT_GUI_FONT
                                                                          : SYSTEM_FONT));
    g_fonts.measuringIsStock = true;
  }
  HGDIOBJ old = SelectObject(dc, g_fonts.measuring);
  GetTextMetricsA(dc, &g_fonts.measuringMetrics);
  SelectObject(dc, old);
  ReleaseDC(frameWindow, dc);

  const TEXTMETRICA& tm = g_fonts.measuringMetrics;
  g_fonts.lineHeight = tm.tmHeight + (tm.tmInternalLeading + 1) / 2;

  int systemHeight = dbcs ? 12 : 16;
  if (systemHeight > tm.tmHeight) systemHeight = tm.tmHeight;
  g_fonts.system = MakeFont(systemHeight, tm.tmWeight, DEFAULT_PITCH, "ZEB_System", false);

  const char* dialogFace = dbcs ? "ZEB_System" : (version.Major() == 3 ? "Helv" : "MS Sans Serif");
  g_fonts.dialog = MakeFont(dbcs ? 12 : -8, (version.newShell || dbcs) ? FW_NORMAL : FW_BOLD,
                            DEFAULT_PITCH, dialogFace, false);
  g_fonts.smallDialog = MakeFont(-10, FW_NORMAL, DEFAULT_PITCH, "ZEB_System", false);
  g_fonts.mono = MakeFont(-10, FW_NORMAL, kFixedModern, "ZEB_Mono", true);
  g_fonts.smallMono = MakeFont(-8, FW_NORMAL, kFixedModern, "ZEB_Mono", true);

  StartFontManager();
}

void DeleteStandardFonts() {
  StopFontManager();
  HFONT* created[] = {&g_fonts.system, &g_fonts.dialog, &g_fonts.smallDialog, &g_fonts.mono,
                      &g_fonts.smallMono};
  for (HFONT* font : created) {
    if (*font) DeleteObject(*font);
    *font = nullptr;
  }
  if (g_fonts.measuring && !g_fonts.measuringIsStock) DeleteObject(g_fonts.measuring);
  g_fonts.measuring = nullptr;
  if (g_fonts.fontFileAdded) RemoveFontResourceA(g_fonts.fontFilePath);
  g_fonts.fontFileAdded = false;
}

}  // namespace zeb::quickdraw
