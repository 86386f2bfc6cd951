// Text drawn into DIB sections and read back: the pixels equal GDI's own output of the
// converted text in the same font, in the modes GDI renders and, combined with what was there,
// in those it does not; styles, clipping, the pen's advance, scaling and the bottleneck.
#include <vector>

#include "ZEB.h"
#include "text_fixture.h"

namespace zebtest {
namespace {

const std::string kSample = "Caf\x8E \xA9 \xAA \xC9 Wg";  // café © ™ … in Macintosh bytes
constexpr int kX = 8, kY = 40;

using TextDrawingTest = TextTest;

// Black under the first letters, white under the rest.
void HalfBlack(DibSurface& surface) {
  surface.Fill(kWhite);
  surface.FillRect(0, 0, 30, surface.height(), kBlack);
}

TEST_F(TextDrawingTest, CopyAndOrModesGiveGdisOwnOutput) {
  struct Case {
    short mode;
    int backgroundMode;
    bool exchanged;  // notSrcCopy draws the copy with the colours exchanged
  };
  const Case cases[] = {{srcCopy, OPAQUE, false},
                        {srcOr, TRANSPARENT, false},
                        {patCopy, OPAQUE, false},
                        {notSrcCopy, OPAQUE, true}};
  for (const Case& c : cases) {
    HalfBlack(*surface_);
    TextMode(c.mode);
    MoveTo(kX, kY);
    DrawString(PString(kSample).p());
    DibSurface reference(kWidth, kHeight);
    HalfBlack(reference);
    const COLORREF fore = GetTextColor(ZEB_GetCurrentDC());
    const COLORREF back = GetBkColor(ZEB_GetCurrentDC());
    ReferenceText(reference, SelectedFont(), kX, kY, AsWindowsText(kSample), fore, back,
                  c.backgroundMode);
    EXPECT_EQ(DifferingPixels(*surface_, reference), 0) << "mode " << c.mode;
    if (c.exchanged) {
      EXPECT_EQ(fore, RGB(255, 255, 255));
      EXPECT_EQ(back, RGB(0, 0, 0));
    }
    DibSurface untouched(kWidth, kHeight);
    HalfBlack(untouched);
    EXPECT_GT(DifferingPixels(*surface_, untouched), 20) << "mode " << c.mode << " drew nothing";
  }
}

TEST_F(TextDrawingTest, ColouredOrTextTakesTheForegroundColour) {
  const RGBColor red = {0xFFFF, 0, 0};
  RGBForeColor(&red);
  HalfBlack(*surface_);
  MoveTo(kX, kY);
  DrawString(PString("Red text").p());
  DibSurface reference(kWidth, kHeight);
  HalfBlack(reference);
  ReferenceText(reference, SelectedFont(), kX, kY, AsWindowsText("Red text"),
                GetTextColor(ZEB_GetCurrentDC()), RGB(255, 255, 255), TRANSPARENT);
  EXPECT_EQ(DifferingPixels(*surface_, reference), 0);
  bool sawRed = false;
  for (int y = 0; y < kHeight && !sawRed; ++y)
    for (int x = 0; x < kWidth && !sawRed; ++x) sawRed = surface_->Pixel(x, y) == 0xFF0000;
  EXPECT_TRUE(sawRed);
}

TEST_F(TextDrawingTest, XorBicAndNotModesCombineTheGlyphsWithWhatIsThere) {
  enum Ink { Invert, White, Black };
  struct Case {
    short mode;
    Ink ink;
    bool inverted;  // the text box less the glyphs takes the ink
  };
  const Case cases[] = {{srcXor, Invert, false}, {srcBic, White, false},
                        {patXor, Invert, false}, {notSrcXor, Invert, true},
                        {notSrcOr, Black, true}, {notSrcBic, White, true}};
  for (const Case& c : cases) {
    HalfBlack(*surface_);
    TextMode(c.mode);
    MoveTo(kX, kY);
    DrawString(PString(kSample).p());
    const HFONT font = SelectedFont();
    TEXTMETRICA tm{};
    GetTextMetricsA(ZEB_GetCurrentDC(), &tm);
    const int width = StringWidth(PString(kSample).p());
    // The glyphs as GDI draws them in one bit.
    DibSurface glyphs(kWidth, kHeight, 1);
    ReferenceText(glyphs, font, kX, kY, AsWindowsText(kSample), RGB(0, 0, 0), RGB(255, 255, 255),
                  TRANSPARENT);
    DibSurface expected(kWidth, kHeight);
    HalfBlack(expected);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        bool inked = glyphs.IsBlack(x, y);
        if (c.inverted) {
          const bool inBox = x >= kX && x < kX + width && y >= kY - tm.tmAscent && y < kY + tm.tmDescent;
          inked = inBox && !inked;
        }
        if (!inked) continue;
        const uint32_t was = expected.Pixel(x, y);
        expected.FillRect(x, y, x + 1, y + 1,
                          c.ink == Invert ? (~was & 0xFFFFFF) : c.ink == White ? kWhite : kBlack);
      }
    }
    EXPECT_EQ(DifferingPixels(*surface_, expected), 0) << "mode " << c.mode;
    DibSurface untouched(kWidth, kHeight);
    HalfBlack(untouched);
    EXPECT_GT(DifferingPixels(*surface_, untouched), 20) << "mode " << c.mode << " drew nothing";
  }
}

TEST_F(TextDrawingTest, StylesReachTheSelectedFont) {
  struct Case {
    short face;
    unsigned long strikeOutOption;
    LONG weight;
    BYTE italicBit, underlineBit, strikeOut;
  };
  const Case cases[] = {
      {normal, 0, FW_NORMAL, 0, 0, 0},
      {bold, 0, FW_BOLD, 0, 0, 0},
      {italic | underline, 0, FW_NORMAL, 1, 1, 0},
      {bold | italic | underline | extend, 0, FW_BOLD, 1, 1, 0},
      {extend, 1, FW_NORMAL, 0, 0, 1},
      {outline | shadow | condense, 1, FW_NORMAL, 0, 0, 0},
  };
  for (const Case& c : cases) {
    ZEB_SystemValue(ZEB_SV_SET, 45, c.strikeOutOption);
    TextFace(c.face);
    MoveTo(kX, kY);
    DrawString(PString("Styled").p());
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(SelectedFont(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, c.weight) << c.face;
    EXPECT_EQ(lf.lfItalic, c.italicBit) << c.face;
    EXPECT_EQ(lf.lfUnderline, c.underlineBit) << c.face;
    EXPECT_EQ(lf.lfStrikeOut, c.strikeOut) << c.face;
    EXPECT_EQ(lf.lfHeight, -14);
  }
  ZEB_SystemValue(ZEB_SV_SET, 45, 0);
}

TEST_F(TextDrawingTest, ALineWhoseBaselineIsClippedStillShowsItsUpperRows) {
  const short clipBottom = kY - 4;
  const Rect clip = {0, 0, clipBottom, kWidth};
  ClipRect(&clip);
  MoveTo(kX, kY);
  DrawString(PString("Tall Glyphs").p());
  DibSurface reference(kWidth, kHeight);
  const RECT gdiClip = {0, 0, kWidth, clipBottom};
  ReferenceText(reference, SelectedFont(), kX, kY, AsWindowsText("Tall Glyphs"), RGB(0, 0, 0),
                RGB(255, 255, 255), TRANSPARENT, &gdiClip);
  EXPECT_EQ(DifferingPixels(*surface_, reference), 0);
  EXPECT_GT(surface_->CountBlack(), 20) << "the rows above the clip are drawn";
  for (int y = clipBottom; y < kHeight; ++y)
    EXPECT_EQ(surface_->Row(y, 0, kWidth).find('#'), std::string::npos) << y;

  // A line wholly below the clip draws nothing, and the pen moves on all the same.
  surface_->Fill(kWhite);
  FontInfo info;
  GetFontInfo(&info);
  const short below = static_cast<short>(clipBottom + info.ascent + 1);
  MoveTo(kX, below);
  DrawString(PString("Hidden").p());
  EXPECT_EQ(surface_->CountBlack(), 0);
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, kX + StringWidth(PString("Hidden").p()));
}

TEST_F(TextDrawingTest, ThePenMovesOnByTheWidthEvenWhenNothingIsDrawn) {
  const PString text("Advance");
  const short width = StringWidth(text.p());
  ASSERT_GT(width, 0);
  struct Case {
    const char* name;
    void (*before)();
    void (*after)();
    bool draws;
  };
  const Case cases[] = {
      {"shown", [] {}, [] {}, true},
      {"pen hidden", [] { HidePen(); }, [] { ShowPen(); }, false},
      {"unsupported mode", [] { TextMode(ditherCopy); }, [] { TextMode(srcOr); }, false},
  };
  for (const Case& c : cases) {
    surface_->Fill(kWhite);
    c.before();
    MoveTo(kX, kY);
    DrawString(text.p());
    c.after();
    Point pen;
    GetPen(&pen);
    EXPECT_EQ(pen.h, kX + width) << c.name;
    EXPECT_EQ(pen.v, kY) << c.name;
    EXPECT_EQ(surface_->CountBlack() > 0, c.draws) << c.name;
  }
  // DrawTex and DrawChar advance as their bytes measure.
  MoveTo(0, kY);
  DrawTex("xAdvancex", 1, 7);
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, width);
  DrawChar('W');
  GetPen(&pen);
  EXPECT_EQ(pen.h, width + CharWidth('W'));
}

TEST_F(TextDrawingTest, ScaledTextIsTheLargerFontAndMovesThePenByItsWidth) {
  const PString text("Scale");
  TextSize(28);
  const short doubled = StringWidth(text.p());
  TextSize(14);
  const short single = StringWidth(text.p());
  ASSERT_GT(doubled, single);

  MoveTo(kX, kY);
  StdText(text.p()[0], text.p() + 1, Point{2, 2}, Point{1, 1});
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, kX + doubled);
  LOGFONTA lf{};
  GetObjectA(SelectedFont(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -28);

  // Wider than tall: the font gets a width of its own and the text about twice its width.
  MoveTo(kX, kY);
  StdText(text.p()[0], text.p() + 1, Point{1, 2}, Point{1, 1});
  GetPen(&pen);
  EXPECT_NEAR(pen.h - kX, 2 * single, text.p()[0] * 2);
  GetObjectA(SelectedFont(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -14);
  EXPECT_GT(lf.lfWidth, 0);

  // A zero or negative term leaves its axis unscaled.
  MoveTo(kX, kY);
  StdText(text.p()[0], text.p() + 1, Point{2, 2}, Point{0, -1});
  GetPen(&pen);
  EXPECT_EQ(pen.h, kX + single);
}

struct Recorded {
  int calls = 0;
  short count = 0;
  const void* text = nullptr;
  Point numer{}, denom{};
};
Recorded g_recorded;

void ZEBAPI RecordingTextProc(short count, const void* text, Point numer, Point denom) {
  ++g_recorded.calls;
  g_recorded.count = count;
  g_recorded.text = text;
  g_recorded.numer = numer;
  g_recorded.denom = denom;
}

TEST_F(TextDrawingTest, AnInstalledTextProcedureReplacesTheBottleneck) {
  CQDProcs procs;
  SetStdCProcs(&procs);
  EXPECT_NE(procs.textProc, nullptr);
  EXPECT_NE(procs.txMeasProc, nullptr);
  port_.grafProcs = &procs;
  MoveTo(kX, kY);
  DrawString(PString("Standard").p());
  EXPECT_GT(surface_->CountBlack(), 0) << "the standard routine draws";

  surface_->Fill(kWhite);
  g_recorded = Recorded();
  procs.textProc = reinterpret_cast<void*>(&RecordingTextProc);
  const PString text("Replaced");
  DrawString(text.p());
  EXPECT_EQ(g_recorded.calls, 1);
  EXPECT_EQ(g_recorded.count, 8);
  EXPECT_EQ(g_recorded.text, text.p() + 1);
  EXPECT_EQ(g_recorded.numer.h, 1);
  EXPECT_EQ(g_recorded.denom.v, 1);
  DrawTex("abc", 1, 2);
  EXPECT_EQ(g_recorded.calls, 2);
  EXPECT_EQ(g_recorded.count, 2);
  EXPECT_EQ(surface_->CountBlack(), 0);
  // StdText itself draws, whatever is installed.
  StdText(4, "Self", Point{1, 1}, Point{1, 1});
  EXPECT_GT(surface_->CountBlack(), 0);
  port_.grafProcs = nullptr;
}

TEST_F(TextDrawingTest, NothingIsDrawnForCountsOfZeroOrLess) {
  MoveTo(kX, kY);
  DrawTex("text", 0, 0);
  DrawTex("text", 0, -3);
  DrawTex(nullptr, 0, 4);
  DrawString(PString("").p());
  DrawString(nullptr);
  StdText(-1, "text", Point{1, 1}, Point{1, 1});
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, kX);
  EXPECT_EQ(surface_->CountBlack(), 0);
}

TEST_F(TextDrawingTest, EveryByteDrawsAndControlCharactersDoNotMoveThePen) {
  for (int c = 0; c < 256; ++c) {
    MoveTo(kX, kY);
    DrawChar(static_cast<short>(c));
    Point pen;
    GetPen(&pen);
    EXPECT_EQ(pen.h - kX, CharWidth(static_cast<short>(c))) << c;
    if (c < 14) {
      EXPECT_EQ(pen.h, kX) << c;
    }
  }
}

TEST_F(TextDrawingTest, TheFontIsMadeOnlyWhenTheTripleChanges) {
  DrawString(PString("one").p());
  const HFONT first = SelectedFont();
  TextFont(applFont);
  TextSize(14);
  TextFace(normal);
  DrawString(PString("two").p());
  EXPECT_EQ(SelectedFont(), first) << "unchanged settings keep the font";
  TextSize(18);
  DrawString(PString("three").p());
  EXPECT_NE(SelectedFont(), first);
  EXPECT_EQ(GetObjectType(first), 0u) << "the port's previous font is deleted";
  // The application may write the fields directly.
  port_.txSize = 14;
  DrawString(PString("four").p());
  LOGFONTA lf{};
  GetObjectA(SelectedFont(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -14);
}

TEST_F(TextDrawingTest, ClosingThePortDeletesItsFont) {
  DrawString(PString("font").p());
  const HFONT font = SelectedFont();
  ASSERT_NE(GetObjectType(font), 0u);
  CloseCPort(&port_);
  EXPECT_EQ(GetObjectType(font), 0u);
}

}  // namespace
}  // namespace zebtest
