// Measuring text against GDI's extents of the converted text in the same font: single
// characters, MeasureText, space extra, width-table mode, GetFontInfo's option word, the text
// size, FontMetrics and the measure bottleneck.
#include <vector>

#include "FixMath.h"
#include "ZEB.h"
#include "text_fixture.h"

namespace zebtest {
namespace {

class TextMeasuringTest : public TextTest {
 protected:
  void TearDown() override {
    ZEB_SystemValue(ZEB_SV_SET, 47, kDefaultOptions);
    TextTest::TearDown();
  }
  TEXTMETRICA Metrics() const {
    TEXTMETRICA tm{};
    GetTextMetricsA(ZEB_GetCurrentDC(), &tm);
    return tm;
  }
  static constexpr unsigned long kDefaultOptions = 544;
};

TEST_F(TextMeasuringTest, WidthsAreGdisExtentsOfTheConvertedText) {
  const char* samples[] = {"Width", "caf\x8E cr\x8Fme", "\xA9 2024 \xAA", "a\rb\nc", "W",
                           "\xD2quoted\xD3", "tab\tbed"};
  for (const char* s : samples) {
    const short width = StringWidth(PString(s).p());  // realises the font first
    EXPECT_EQ(width, GdiWidth(SelectedFont(), AsWindowsText(s)) - Metrics().tmOverhang) << s;
    EXPECT_EQ(TextWidth(s, 0, static_cast<short>(std::string(s).size())), width) << s;
  }
  // A part of a buffer.
  EXPECT_EQ(TextWidth("xxWidthxx", 2, 5), StringWidth(PString("Width").p()));
}

TEST_F(TextMeasuringTest, TheEllipsisMeasuresAsTheFontShowsIt) {
  const short width = StringWidth(PString("and\xC9").p());
  ASSERT_TRUE(SelectedFontIsTrueType()) << "the faces these tests find are TrueType";
  // A TrueType face has the ellipsis itself (Windows 0x85).
  EXPECT_EQ(width, GdiWidth(SelectedFont(), "and\x85"));
  // Without the font's own character it is three full stops.
  char out[16];
  ASSERT_EQ(ZEB_MacToAnsiBuf("and\xC9", out, 4, 0), 6);
  EXPECT_EQ(std::string(out, 6), "and...");
}

TEST_F(TextMeasuringTest, SingleControlCharactersMeasureNothing) {
  for (short c = 0; c < 14; ++c) EXPECT_EQ(CharWidth(c), 0) << c;
  EXPECT_GT(CharWidth('A'), 0);
  EXPECT_EQ(CharWidth('A'), GdiWidth(SelectedFont(), "A"));
  // The command-key sign is the glyph's width, at most the widest character.
  const short command = CharWidth(18);
  EXPECT_GT(command, 0);
  EXPECT_LE(command, Metrics().tmMaxCharWidth);
  EXPECT_LE(command, 13);
}

TEST_F(TextMeasuringTest, MeasureTextGivesTheWidthUpToEachCharacter) {
  const std::string text = "MeasureText, 12.";
  std::vector<short> locs(text.size() + 1, -1);
  MeasureText(static_cast<short>(text.size()), text.data(), locs.data());
  EXPECT_EQ(locs[0], 0);
  short expected = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    expected = static_cast<short>(expected + CharWidth(static_cast<unsigned char>(text[i])));
    EXPECT_EQ(locs[i + 1], expected) << i;
  }
  // Nothing to measure: only the first location.
  std::vector<short> none(3, -1);
  MeasureText(0, text.data(), none.data());
  EXPECT_EQ(none[0], 0);
  EXPECT_EQ(none[1], -1);
}

TEST_F(TextMeasuringTest, SpaceExtraWidensEverySpace) {
  const PString text("a b  c");  // three spaces
  const short plain = StringWidth(text.p());
  struct Case {
    Fixed extra;
    int added;
  };
  const Case cases[] = {{0x20000, 6}, {0x8000, 2}, {0x5555, 1}, {-0x10000, -3}};
  for (const Case& c : cases) {
    SpaceExtra(c.extra);
    EXPECT_EQ(port_.spExtra, c.extra);
    EXPECT_EQ(StringWidth(text.p()), plain + c.added) << c.extra;
    MoveTo(8, 30);
    DrawString(text.p());
    Point pen;
    GetPen(&pen);
    EXPECT_EQ(pen.h, 8 + plain + c.added) << "drawing advances as much: " << c.extra;
  }
  SpaceExtra(0);
  EXPECT_EQ(StringWidth(text.p()), plain);
  EXPECT_EQ(StringWidth(PString("nospace").p()), GdiWidth(SelectedFont(), "nospace"));
}

TEST_F(TextMeasuringTest, WidthTablesSumOverAThousandCharacters) {
  std::vector<Fixed> table(256, 0x1A000);  // 1.625 each
  table[' '] = 0x30000;
  const std::string text(1000, 'a');
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_TABLE, table.data(), 0), ZEB_EXTDRAW_OFF);
  EXPECT_EQ(TextWidth(text.data(), 0, 1000), 1625);
  MoveTo(0, 40);
  DrawTex(text.data(), 0, 1000);
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, 1625);
  EXPECT_GT(surface_->CountBlack(), 0);
  // Spaces take their table width and the space extra.
  SpaceExtra(0x8000);
  EXPECT_EQ(StringWidth(PString("a a").p()), 7);  // 1.625 + 3.5 + 1.625 = 6.75
  SpaceExtra(0);
  // Saved while another table is used, then restored.
  const std::vector<Fixed> half(256, 0x8000);
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_SAVE | ZEB_EXTDRAW_TABLE2, half.data(), 0),
            ZEB_EXTDRAW_TABLE);
  EXPECT_EQ(TextWidth(text.data(), 0, 10), 5);
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_SAVE, nullptr, 0), ZEB_EXTDRAW_TABLE2);
  EXPECT_EQ(TextWidth(text.data(), 0, 10), 16);  // 16.25
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_OFF, nullptr, 0), ZEB_EXTDRAW_TABLE);
  EXPECT_EQ(TextWidth(text.data(), 0, 10), GdiWidth(SelectedFont(), std::string(10, 'a')));
}

TEST_F(TextMeasuringTest, WidthTableModeWithoutATableNeedsTheFontManagersTable) {
  // Before InitFonts there is no table to take: the mode stays off.
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_TABLE, nullptr, 0), ZEB_EXTDRAW_OFF);
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_TABLE2, nullptr, 0), ZEB_EXTDRAW_OFF);
  const short width = StringWidth(PString("abc").p());
  EXPECT_EQ(width, GdiWidth(SelectedFont(), "abc"));
  FMetricRec metrics;
  FontMetrics(&metrics);
  EXPECT_EQ(metrics.wTabHandle, nullptr);

  InitFonts();
  FontMetrics(&metrics);
  ASSERT_NE(metrics.wTabHandle, nullptr);
  const auto* widths = reinterpret_cast<const WidthTable*>(*metrics.wTabHandle);
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_TABLE, nullptr, 0), ZEB_EXTDRAW_OFF);
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_TABLE, nullptr, 0), ZEB_EXTDRAW_TABLE) << "now on";
  const Fixed sum = widths->tabData['a'] + widths->tabData['b'] + widths->tabData['c'];
  EXPECT_EQ(StringWidth(PString("abc").p()), FixRound(sum));
  ZEB_ExtDrawText(ZEB_EXTDRAW_OFF, nullptr, 0);
}

TEST_F(TextMeasuringTest, EachOptionBitAdjustsGetFontInfoInItsHalf) {
  TextSize(18);
  GetFontInfo(nullptr);
  FontInfo info;
  GetFontInfo(&info);
  const TEXTMETRICA tm = Metrics();
  const int in = tm.tmInternalLeading, ex = tm.tmExternalLeading;
  struct Case {
    int bit;
    int ascent, leading;
  };
  const Case cases[] = {
      {0, tm.tmAscent + in, 0}, {1, tm.tmAscent + ex, 0}, {2, tm.tmAscent - in, 0},
      {3, tm.tmAscent - ex, 0}, {4, tm.tmAscent, in},     {5, tm.tmAscent, ex},
      {6, tm.tmAscent, -in},    {7, tm.tmAscent, -ex},
  };
  std::vector<Fixed> table(256, 0x10000);
  for (bool widthTable : {false, true}) {
    ZEB_ExtDrawText(widthTable ? ZEB_EXTDRAW_TABLE : ZEB_EXTDRAW_OFF, table.data(), 0);
    for (const Case& c : cases) {
      const unsigned long inHalf = 1ul << (c.bit + (widthTable ? 8 : 0));
      const unsigned long otherHalf = 1ul << (c.bit + (widthTable ? 0 : 8));
      ZEB_SystemValue(ZEB_SV_SET, 47, inHalf);
      GetFontInfo(&info);
      EXPECT_EQ(info.ascent, c.ascent) << c.bit << " " << widthTable;
      EXPECT_EQ(info.leading, c.leading) << c.bit << " " << widthTable;
      EXPECT_EQ(info.descent, tm.tmDescent);
      EXPECT_EQ(info.widMax, tm.tmMaxCharWidth);
      ZEB_SystemValue(ZEB_SV_SET, 47, otherHalf);
      GetFontInfo(&info);
      EXPECT_EQ(info.ascent, tm.tmAscent) << "the other half's bit " << c.bit;
      EXPECT_EQ(info.leading, 0) << "the other half's bit " << c.bit;
    }
  }
  ZEB_ExtDrawText(ZEB_EXTDRAW_OFF, nullptr, 0);
  // The default word adds the external leading to the leading.
  ZEB_SystemValue(ZEB_SV_SET, 47, kDefaultOptions);
  GetFontInfo(&info);
  EXPECT_EQ(info.leading, ex);
}

TEST_F(TextMeasuringTest, SizeZeroIsTwelvePointAndOddSizesStaySafe) {
  TextSize(12);
  FontInfo twelve;
  GetFontInfo(&twelve);
  const short width = StringWidth(PString("Size").p());
  TextSize(0);
  EXPECT_EQ(port_.txSize, 12);
  for (short written : {short{0}, short{-5}, short{-32768}}) {
    port_.txSize = written;  // as an application may write it
    FontInfo info;
    GetFontInfo(&info);
    EXPECT_EQ(info.ascent, twelve.ascent) << written;
    EXPECT_EQ(info.descent, twelve.descent) << written;
    EXPECT_EQ(StringWidth(PString("Size").p()), width) << written;
  }
  port_.txSize = 32767;
  FontInfo huge;
  GetFontInfo(&huge);
  EXPECT_GT(huge.ascent, twelve.ascent);
  EXPECT_GT(StringWidth(PString("Size").p()), width);
}

TEST_F(TextMeasuringTest, FontMetricsGivesFixedValuesAndTheWidthTable) {
  InitFonts();
  TextSize(16);
  FontInfo info;
  GetFontInfo(&info);
  FMetricRec m;
  FontMetrics(&m);
  EXPECT_EQ(m.ascent, info.ascent << 16);
  EXPECT_EQ(m.descent, info.descent << 16);
  EXPECT_EQ(m.leading, info.leading << 16);
  EXPECT_EQ(m.widMax, info.widMax << 16);
  ASSERT_NE(m.wTabHandle, nullptr);
  const auto* table = reinterpret_cast<const WidthTable*>(*m.wTabHandle);
  INT widths[256];
  ASSERT_TRUE(GetCharWidthA(ZEB_GetCurrentDC(), 0, 255, widths));
  EXPECT_EQ(table->tabData['a'], widths['a'] << 16);
  EXPECT_EQ(table->tabData['W'], widths['W'] << 16);
  EXPECT_EQ(table->tabData[0x8E], widths[0xE9] << 16) << "e acute takes its Windows code's width";
  EXPECT_EQ(table->fSize, 16);
  EXPECT_EQ(table->fID, applFont);
  // The cache follows what it depends on.
  ZEB_SystemValue(ZEB_SV_SET, 47, 1);
  FontMetrics(&m);
  GetFontInfo(&info);
  EXPECT_EQ(m.ascent, info.ascent << 16);
  TextSize(24);
  FontMetrics(&m);
  EXPECT_GT(table->tabData['W'], widths['W'] << 16);
  FontMetrics(nullptr);
}

TEST_F(TextMeasuringTest, StdTxMeasAppliesItsScaleAndHandsBackOneToOne) {
  const PString text("Measure");
  TextSize(28);
  FontInfo big;
  GetFontInfo(&big);
  const short doubled = StringWidth(text.p());
  TextSize(14);
  Point numer = {2, 2}, denom = {1, 1};
  FontInfo info;
  EXPECT_EQ(StdTxMeas(text.p()[0], text.p() + 1, &numer, &denom, &info), doubled);
  EXPECT_EQ(numer.h, 1);
  EXPECT_EQ(numer.v, 1);
  EXPECT_EQ(denom.h, 1);
  EXPECT_EQ(info.ascent, big.ascent);
  // No scale given, no info wanted.
  EXPECT_EQ(StdTxMeas(text.p()[0], text.p() + 1, nullptr, nullptr, nullptr), StringWidth(text.p()));
}

short g_measureCalls = 0;
short ZEBAPI HalfScaleMeasure(short count, const void*, Point* numer, Point* denom, FontInfo*) {
  ++g_measureCalls;
  *numer = {1, 3};
  *denom = {1, 2};
  return static_cast<short>(count * 10);
}

TEST_F(TextMeasuringTest, AnInstalledMeasureProcedureGivesTheWidthWithItsScale) {
  QDProcs procs;
  SetStdProcs(&procs);
  procs.txMeasProc = reinterpret_cast<void*>(&HalfScaleMeasure);
  port_.grafProcs = reinterpret_cast<CQDProcs*>(&procs);
  g_measureCalls = 0;
  EXPECT_EQ(StringWidth(PString("abcd").p()), 60);  // 40 * 3 / 2
  EXPECT_EQ(TextWidth("ab", 0, 2), 30);
  EXPECT_EQ(CharWidth('a'), 15);
  EXPECT_EQ(g_measureCalls, 3);
  port_.grafProcs = nullptr;
}

TEST_F(TextMeasuringTest, CountsOfZeroOrLessMeasureNothing) {
  EXPECT_EQ(TextWidth("text", 0, 0), 0);
  EXPECT_EQ(TextWidth("text", 0, -4), 0);
  EXPECT_EQ(TextWidth(nullptr, 0, 4), 0);
  EXPECT_EQ(StringWidth(PString("").p()), 0);
  EXPECT_EQ(StringWidth(nullptr), 0);
  EXPECT_EQ(StdTxMeas(-3, "text", nullptr, nullptr, nullptr), 0);
  GetFontInfo(nullptr);
  MeasureText(3, "abc", nullptr);
}

TEST_F(TextMeasuringTest, ConversionCallsWriteNothingForCountsOfZeroOrLess) {
  char out[8] = "unset";
  EXPECT_EQ(ZEB_MacToAnsiBuf("abc", out, 0, 0), 0);
  EXPECT_EQ(ZEB_MacToAnsiBuf("abc", out, -1, 0), 0);
  EXPECT_EQ(ZEB_AnsiToMacBuf("abc", out, -2), 0);
  EXPECT_EQ(ZEB_MacToAnsiBuf(nullptr, out, 3, 0), 0);
  EXPECT_STREQ(out, "unset");
  // Character conversion off (ZEB_SystemValue 24): the upper half stays.
  ASSERT_EQ(ZEB_MacToAnsiBuf("\x8E", out, 1, 0), 1);
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 0xE9);
  ZEB_SystemValue(ZEB_SV_SET, 24, 0);
  ASSERT_EQ(ZEB_MacToAnsiBuf("\x8E", out, 1, 0), 1);
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 0x8E);
  ASSERT_EQ(ZEB_AnsiToMacBuf("\xE9", out, 1), 1);
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 0xE9);
  ZEB_SystemValue(ZEB_SV_SET, 24, 1);
  ASSERT_EQ(ZEB_AnsiToMacBuf("\xE9\0x", out, 3), 1);
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 0x8E);
}

TEST_F(TextMeasuringTest, TheLongestTextIsMeasuredAndDrawnWhole) {
  // 32767 trade mark signs become 131068 bytes, more than any scratch buffer holds.
  const std::vector<char> marks(32767, '\xAA');
  const short width = TextWidth(marks.data(), 0, 32767);
  EXPECT_EQ(width, 32767) << "wider than a short holds";
  EXPECT_EQ(TextWidth(marks.data(), 0, 2), GdiWidth(SelectedFont(), AsWindowsText("\xAA\xAA")));
  MoveTo(0, 40);
  DrawTex(marks.data(), 0, 32767);
  Point pen;
  GetPen(&pen);
  EXPECT_EQ(pen.h, 32767);
  EXPECT_GT(surface_->CountBlack(), 0);
}

TEST_F(TextMeasuringTest, PrinterPointsScaleFontHeightsOffTheScreen) {
  StringWidth(PString("x").p());
  LOGFONTA lf{};
  GetObjectA(SelectedFont(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -14);
  ZEB_SystemValue(ZEB_SV_SET, 46, 1);
  StringWidth(PString("x").p());
  GetObjectA(SelectedFont(), sizeof lf, &lf);
  // 14 points at the screen's 96 pixels per inch.
  EXPECT_EQ(lf.lfHeight, -19);
  // The screen's own fonts stay in pixels.
  SetPort(ScreenPort());
  TextFont(geneva);
  TextSize(14);
  StringWidth(PString("x").p());
  GetObjectA(GetCurrentObject(ZEB_GetCurrentDC(), OBJ_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -14);
  TextFont(systemFont);
  TextSize(12);
  ZEB_SystemValue(ZEB_SV_SET, 46, 0);
}

// Text calls without a port to draw in: before InitGraf, and after the current port closed.
using TextWithoutAPortTest = SessionTest;

TEST_F(TextWithoutAPortTest, CallsBeforeInitGrafDoNothing) {
  TextFont(applFont);
  TextSize(18);
  TextFace(bold);
  TextMode(srcXor);
  SpaceExtra(0x10000);
  DrawString(PString("nothing").p());
  DrawChar('x');
  EXPECT_EQ(StringWidth(PString("nothing").p()), 0);
  EXPECT_EQ(CharWidth('x'), 0);
  FontInfo info = {1, 2, 3, 4};
  GetFontInfo(&info);
  EXPECT_EQ(info.ascent, 0);
  EXPECT_EQ(info.widMax, 0);
  FMetricRec metrics;
  FontMetrics(&metrics);
  EXPECT_EQ(metrics.wTabHandle, nullptr);
  EXPECT_EQ(ZEB_ExtDrawText(ZEB_EXTDRAW_TABLE, nullptr, 0), ZEB_EXTDRAW_OFF);
  short locs[3] = {-1, -1, -1};
  MeasureText(2, "ab", locs);
  EXPECT_EQ(locs[0], 0);
  EXPECT_EQ(locs[1], -1);
  // The Font Manager answers from the font list all the same.
  Str255 name;
  GetFontName(applFont, name);
  EXPECT_GT(name[0], 0);
}

TEST_F(TextMeasuringTest, ClosingTheCurrentPortLeavesTextToTheScreenPort) {
  CloseCPort(&port_);
  GrafPtr current = nullptr;
  GetPort(&current);
  EXPECT_EQ(current, ScreenPort());
  EXPECT_GT(StringWidth(PString("screen").p()), 0);
  DrawString(PString("screen").p());
  ZEB_DialogFontMode(AsGraf(port_), 1);  // a closed port is not touched
}

}  // namespace
}  // namespace zebtest
