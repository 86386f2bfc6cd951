// White-box: the command-key glyph, text on ports that draw into a DIB, scaled ports, fonts
// without the typographic characters, double-byte lead bytes, the session's shared fonts on
// the screen port, and a context's font across shared-DC switches and closes.
#include <vector>

#include "Resources.h"

#include "frame/frame_internal.h"
#include "quickdraw/font_manager.h"
#include "quickdraw/quickdraw_internal.h"
#include "text_fixture.h"

namespace zebtest {
namespace {

using namespace zeb::quickdraw;

constexpr int kX = 10, kY = 40;

short FontCount() {
  return static_cast<short>(CountResources(ZEB_FOURCC('F', 'O', 'N', 'T')) +
                            CountResources(ZEB_FOURCC('s', 'f', 'n', 't')));
}

class TextWhiteboxTest : public TextTest {
 protected:
  DrawingContext& Context() { return *ContextOf(AsGraf(port_)); }
};

TEST_F(TextWhiteboxTest, TheCommandKeyCharacterDrawsTheLibrarysGlyph) {
  MoveTo(kX, kY);
  DrawChar(18);
  const int width = CommandGlyphDeviceWidth(Context());
  ASSERT_GT(width, 8);
  const uint8_t* rows = CommandGlyphRows();
  int inked = 0;
  for (int y = 0; y < kCommandGlyphHeight; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool set = (rows[y * 2 + x / 8] & (0x80 >> (x % 8))) != 0;
      inked += set;
      EXPECT_EQ(surface_->IsBlack(kX + x, kY - kCommandGlyphHeight + y), set) << x << "," << y;
    }
  }
  EXPECT_GT(inked, 30);
  EXPECT_EQ(surface_->CountBlack(), inked) << "nothing outside the glyph";
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, kX + width);
  // In longer text the sign is the guillemet that stands in for it.
  surface_->Fill(kWhite);
  MoveTo(kX, kY);
  DrawString(PString("\x12Q").p());
  DibSurface reference(kWidth, kHeight);
  ReferenceText(reference, SelectedFont(), kX, kY, "\xBBQ", RGB(0, 0, 0), RGB(255, 255, 255),
                TRANSPARENT);
  EXPECT_EQ(DifferingPixels(*surface_, reference), 0);
}

TEST_F(TextWhiteboxTest, PortsDrawingIntoADIBPutTheGlyphsThroughAOneBitImage) {
  const RGBColor red = {0xFFFF, 0, 0};
  RGBForeColor(&red);
  struct Case {
    short mode;
    bool box;  // the text box takes the background colour first
  };
  for (const Case& c : {Case{srcOr, false}, Case{srcCopy, true}}) {
    surface_->Fill(0x0000FF);
    TextMode(c.mode);
    Context().flags |= kCtxDrawsIntoDIB;
    MoveTo(kX, kY);
    const PString text("DIB port");
    DrawString(text.p());
    Context().flags = static_cast<uint16_t>(Context().flags & ~kCtxDrawsIntoDIB);
    TEXTMETRICA tm{};
    GetTextMetricsA(ZEB_GetCurrentDC(), &tm);
    const int width = StringWidth(text.p());
    DibSurface glyphs(kWidth, kHeight, 1);
    ReferenceText(glyphs, SelectedFont(), kX, kY, AsWindowsText("DIB port"), RGB(0, 0, 0),
                  RGB(255, 255, 255), TRANSPARENT);
    int differing = 0, red = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const bool inBox = x >= kX && x < kX + width && y >= kY - tm.tmAscent && y < kY + tm.tmDescent;
        uint32_t expected = 0x0000FF;
        if (c.box && inBox) expected = kWhite;
        if (glyphs.IsBlack(x, y)) expected = 0xFF0000;
        differing += surface_->Pixel(x, y) != expected;
        red += expected == 0xFF0000;
      }
    }
    EXPECT_EQ(differing, 0) << "mode " << c.mode;
    EXPECT_GT(red, 20);
  }
}

TEST_F(TextWhiteboxTest, ScaledPortsMeasureAndMoveThePenInLocalUnits) {
  const PString text("Scaled port");
  const short plain = StringWidth(text.p());
  FontInfo plainInfo;
  GetFontInfo(&plainInfo);
  Context().map.SetScale(2, 1, 2, 1);
  MoveTo(kX, kY);
  DrawString(text.p());
  LOGFONTA lf{};
  GetObjectA(SelectedFont(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -28) << "the font is made at the device's size";
  const int device = GdiWidth(SelectedFont(), AsWindowsText("Scaled port"));
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, kX + MulDivRound(device, 1, 2));
  EXPECT_EQ(StringWidth(text.p()), MulDivRound(device, 1, 2));
  EXPECT_NEAR(StringWidth(text.p()), plain, text.p()[0] / 2 + 1);
  FontInfo info;
  GetFontInfo(&info);
  TEXTMETRICA tm{};
  GetTextMetricsA(ZEB_GetCurrentDC(), &tm);
  EXPECT_EQ(info.ascent, MulDivRound(tm.tmAscent, 1, 2)) << "metrics come back in local units";
  EXPECT_NEAR(info.ascent, plainInfo.ascent, 1);
  Context().map.SetScale(1, 1, 1, 1);
  GetFontInfo(&info);
  EXPECT_EQ(info.ascent, plainInfo.ascent) << "the cache follows the scale";
}

TEST_F(TextWhiteboxTest, FontsWithoutTheTypographicCharactersMeasureTheirStandIns) {
  ASSERT_TRUE(RealiseFont(Context(), TextScale()));
  ASSERT_TRUE(Context().flags & kCtxTrueTypeFont);
  const uint8_t text[] = {'a', 0xC9, 0xAA};
  const int32_t trueType = MeasureBytes(Context(), TextScale(), text, 3);
  EXPECT_EQ(trueType, GdiWidth(SelectedFont(), "a\x85\x99"));
  // A raster face gets "..." and "(tm)".
  Context().flags = static_cast<uint16_t>(Context().flags & ~kCtxTrueTypeFont);
  EXPECT_EQ(MeasureBytes(Context(), TextScale(), text, 3), GdiWidth(SelectedFont(), "a...(tm)"));
}

TEST_F(TextWhiteboxTest, DoubleByteSystemsKeepLeadAndTrailBytesTogether) {
  zeb::frame::Session().doubleByte = true;
  UseCountryLeadBytes(81);
  ASSERT_NE(SessionLeadBytes(), nullptr);
  // 82 A0 is one Shift-JIS character: neither byte goes through the table (D8, a single
  // byte there, does).
  char out[16];
  ASSERT_EQ(ZEB_MacToAnsiBuf("a\x82\xA0\xD8", out, 4, 0), 4);
  EXPECT_EQ(std::string(out, 4), "a\x82\xA0\xFF");
  // A lead byte that ends the text is copied alone.
  ASSERT_EQ(ZEB_MacToAnsiBuf("a\x82", out, 2, 0), 2);
  EXPECT_EQ(static_cast<unsigned char>(out[1]), 0x82);
  // MeasureText measures the pair as one character.
  short locs[5];
  MeasureText(4, "a\x82\xA0z", locs);
  EXPECT_EQ(locs[2], locs[3]) << "the trail byte adds nothing";
  EXPECT_EQ(locs[4] - locs[3], CharWidth('z'));
  UseCountryLeadBytes(1);
  zeb::frame::Session().doubleByte = false;
  EXPECT_EQ(SessionLeadBytes(), nullptr);
}

TEST_F(TextWhiteboxTest, TheScreenPortUsesTheSessionsFontsForTheSystemNumbers) {
  const StandardFonts& fonts = Fonts();
  ASSERT_TRUE(fonts.DialogFontOption());
  SetPort(ScreenPort());
  HDC dc = ZEB_GetCurrentDC();
  struct Case {
    short font, size;
    HFONT expected;  // null: a font of the port's own
  };
  const Case cases[] = {
      {monaco, 9, fonts.smallMono},  {monaco, 12, fonts.mono},  {monaco, 13, nullptr},
      {systemFont, 12, fonts.system}, {applFont, 24, fonts.system}, {geneva, 12, nullptr},
      {ZEB_FONT_DIALOG, 12, fonts.measuring}, {ZEB_FONT_SMALLDIALOG, 9, fonts.measuring},
  };
  for (const Case& c : cases) {
    TextFont(c.font);
    TextSize(c.size);
    StringWidth(PString("x").p());
    const HGDIOBJ selected = GetCurrentObject(dc, OBJ_FONT);
    if (c.expected) {
      EXPECT_EQ(selected, c.expected) << c.font << " at " << c.size;
    } else {
      for (HFONT shared : {fonts.system, fonts.mono, fonts.smallMono, fonts.measuring})
        EXPECT_NE(selected, shared) << c.font << " at " << c.size;
    }
  }
  TextFont(systemFont);
  TextSize(12);
  // Another port substitutes only when asked; -2 and -3 are the dialog fonts everywhere.
  SetPort(AsGraf(port_));
  TextFont(systemFont);
  StringWidth(PString("x").p());
  EXPECT_NE(SelectedFont(), fonts.system);
  ZEB_DialogFontMode(AsGraf(port_), 1);
  StringWidth(PString("x").p());
  EXPECT_EQ(SelectedFont(), fonts.system);
  ZEB_DialogFontMode(AsGraf(port_), 0);
  StringWidth(PString("x").p());
  EXPECT_NE(SelectedFont(), fonts.system);
  TextFont(ZEB_FONT_DIALOG);
  StringWidth(PString("x").p());
  EXPECT_EQ(SelectedFont(), fonts.measuring);
  CloseCPort(&port_);
  EXPECT_NE(GetObjectType(fonts.measuring), 0u) << "a shared font is never deleted";
}

TEST_F(TextWhiteboxTest, PortsOnTheScreenDCKeepTheirFontsAcrossSwitchesAndCloses) {
  GrafPort a{}, b{};
  OpenPort(&a);
  OpenPort(&b);
  DrawingContext* ca = ContextOf(&a);
  DrawingContext* cb = ContextOf(&b);
  ASSERT_TRUE(ca && cb);
  ASSERT_EQ(ca->dc, cb->dc) << "both draw on the screen DC";
  SetPort(&a);
  TextFont(applFont);
  TextSize(20);
  StringWidth(PString("a").p());
  const HFONT fontA = ca->font;
  const uint32_t serialA = ca->fontSerial;
  SetPort(&b);
  TextSize(9);
  StringWidth(PString("b").p());
  EXPECT_NE(cb->font, fontA);
  // Switching back selects A's font again without making one.
  SetPort(&a);
  StringWidth(PString("a").p());
  EXPECT_EQ(ca->font, fontA);
  EXPECT_EQ(ca->fontSerial, serialA);
  EXPECT_EQ(GetCurrentObject(ca->dc, OBJ_FONT), fontA);
  // Closing B on the shared DC selects stock objects into it: A selects its own again.
  const HFONT fontB = cb->font;
  ClosePort(&b);
  EXPECT_EQ(GetObjectType(fontB), 0u) << "B's font went with its context";
  EXPECT_FALSE(ca->fontSelected);
  EXPECT_TRUE(ca->penFlags & kPenNotSelected);
  StringWidth(PString("a").p());
  EXPECT_EQ(GetCurrentObject(ca->dc, OBJ_FONT), fontA);
  EXPECT_EQ(ca->fontSerial, serialA);
  ClosePort(&a);
}

TEST_F(TextWhiteboxTest, LookupsBuildTheListAgainAfterItsCleanUp) {
  Str255 before, after;
  GetFontName(applFont, before);
  ASSERT_GT(before[0], 0);
  const short fonts = FontCount();
  const uint32_t generation = FontListGeneration();
  ReleaseFontState();
  EXPECT_NE(FontListGeneration(), generation);
  GetFontName(applFont, after);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(after + 1), after[0]),
            std::string(reinterpret_cast<char*>(before + 1), before[0]));
  EXPECT_EQ(FontCount(), fonts);
  // Fonts realised from the old list are made again.
  const uint32_t serial = Context().fontSerial;
  StringWidth(PString("again").p());
  EXPECT_NE(Context().fontSerial, serial);
}

}  // namespace
}  // namespace zebtest
