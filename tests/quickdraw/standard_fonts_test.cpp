// White-box: the session's standard fonts and brushes, made at start-up and deleted at exit.
#include <string>

#include "frame/frame_internal.h"
#include "quickdraw/quickdraw_internal.h"
#include "session_fixture.h"

namespace {

LOGFONTA Describe(HFONT font) {
  LOGFONTA lf{};
  GetObjectA(font, sizeof lf, &lf);
  return lf;
}

using StandardFontsTest = zebtest::SessionTest;

TEST_F(StandardFontsTest, FontsFollowTheNewShellOnWindowsNT) {
  const zeb::quickdraw::StandardFonts& fonts = zeb::quickdraw::Fonts();
  ASSERT_TRUE(zeb::frame::Version().newShell && zeb::frame::Version().windowsNT);
  ASSERT_FALSE(zeb::frame::Session().doubleByte);

  LOGFONTA measuring = Describe(fonts.measuring);
  EXPECT_FALSE(fonts.measuringIsStock);
  EXPECT_EQ(measuring.lfHeight, -11);
  EXPECT_EQ(measuring.lfWeight, FW_NORMAL);
  EXPECT_EQ(measuring.lfPitchAndFamily, 34);
  EXPECT_STREQ(measuring.lfFaceName, "MS Sans Serif");
  const TEXTMETRICA& tm = fonts.measuringMetrics;
  EXPECT_EQ(fonts.lineHeight, tm.tmHeight + (tm.tmInternalLeading + 1) / 2);

  LOGFONTA system = Describe(fonts.system);
  EXPECT_STREQ(system.lfFaceName, "ZEB_System");
  EXPECT_EQ(system.lfHeight, tm.tmHeight < 16 ? tm.tmHeight : 16);
  EXPECT_EQ(system.lfWeight, tm.tmWeight);

  LOGFONTA dialog = Describe(fonts.dialog);
  EXPECT_STREQ(dialog.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(dialog.lfHeight, -8);
  EXPECT_EQ(dialog.lfWeight, FW_NORMAL);

  LOGFONTA small = Describe(fonts.smallDialog);
  EXPECT_STREQ(small.lfFaceName, "ZEB_System");
  EXPECT_EQ(small.lfHeight, -10);

  for (auto [font, height] : {std::pair{fonts.mono, -10}, std::pair{fonts.smallMono, -8}}) {
    LOGFONTA mono = Describe(font);
    EXPECT_STREQ(mono.lfFaceName, "ZEB_Mono");
    EXPECT_EQ(mono.lfHeight, height);
    EXPECT_EQ(mono.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
  }
}

TEST_F(StandardFontsTest, ExitDeletesTheSessionsFontsAndBrushes) {
  const zeb::quickdraw::StandardFonts& fonts = zeb::quickdraw::Fonts();
  const HGDIOBJ objects[] = {fonts.measuring, fonts.system, fonts.dialog, fonts.smallDialog,
                             fonts.mono, fonts.smallMono, zeb::frame::WindowTextBrush(),
                             zeb::frame::ActiveCaptionBrush(), zeb::frame::InactiveCaptionBrush()};
  for (HGDIOBJ object : objects) ASSERT_NE(GetObjectType(object), 0u);
  const HBRUSH oldText = zeb::frame::WindowTextBrush();
  ZEB_InitColors();
  EXPECT_EQ(GetObjectType(oldText), 0u) << "the brushes it replaced are deleted";
  const HGDIOBJ brushes[] = {zeb::frame::WindowTextBrush(), zeb::frame::ActiveCaptionBrush(),
                             zeb::frame::InactiveCaptionBrush()};
  EndSession();
  for (HGDIOBJ object : objects) {
    if (object != oldText) {
      EXPECT_EQ(GetObjectType(object), 0u);
    }
  }
  for (HGDIOBJ brush : brushes) EXPECT_EQ(GetObjectType(brush), 0u);
}

}  // namespace
