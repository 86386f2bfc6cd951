// The international records from the Windows "intl" settings: tests write the keys they need,
// reload through ZEB_WinIniChange and put the old values back.
#include <windows.h>

#include <cstring>
#include <map>
#include <string>

#include "MacMemory.h"
#include "OSUtils.h"
#include "Packages.h"
#include "Resources.h"
#include "ZEB.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace {

const char* const kKeys[] = {"sShortDate", "sLongDate", "iTime",    "iTLZero", "s1159",
                             "s2359",      "sCurrency", "iCurrency", "sDecimal", "sThousand",
                             "sTime",      "iDate",     "sDate",     "sList"};

class IntlSettingsTest : public zebtest::SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    for (const char* key : kKeys) {
      char buffer[256];
      GetProfileStringA("intl", key, "\x01", buffer, sizeof buffer);
      saved_[key] = buffer;
    }
  }
  void TearDown() override {
    for (const auto& entry : saved_)
      WriteProfileStringA("intl", entry.first.c_str(),
                          entry.second == "\x01" ? nullptr : entry.second.c_str());
    ZEB_WinIniChange("intl");
    SessionTest::TearDown();
  }
  void Use(const std::map<std::string, std::string>& values) {
    for (const auto& entry : values)
      WriteProfileStringA("intl", entry.first.c_str(), entry.second.c_str());
    EXPECT_EQ(ZEB_WinIniChange("intl"), 4);
  }
  static std::string Text(const Str255 s) {
    return std::string(reinterpret_cast<const char*>(s + 1), s[0]);
  }
  static unsigned long Seconds(int year, int month, int day, int hour = 0, int minute = 0) {
    DateTimeRec d{};
    d.year = static_cast<short>(year);
    d.month = static_cast<short>(month);
    d.day = static_cast<short>(day);
    d.hour = static_cast<short>(hour);
    d.minute = static_cast<short>(minute);
    unsigned long s = 0;
    DateToSeconds(&d, &s);
    return s;
  }

  std::map<std::string, std::string> saved_;
};

const std::map<std::string, std::string> kUs = {
    {"sShortDate", "M/d/yy"}, {"sLongDate", "dddd, MMMM d, yyyy"}, {"iTime", "0"},
    {"iTLZero", "0"},         {"s1159", "AM"},                     {"s2359", "PM"},
    {"sTime", ":"}};
const std::map<std::string, std::string> kEuropean = {
    {"sShortDate", "dd.MM.yyyy"}, {"sLongDate", "dddd, d. MMMM yyyy"}, {"iTime", "1"},
    {"iTLZero", "1"},             {"s1159", ""},                         {"s2359", ""},
    {"sCurrency", "DM"},          {"iCurrency", "3"},                    {"sDecimal", ","},
    {"sThousand", "."},           {"sTime", ":"},                        {"iDate", "1"},
    {"sDate", "."}};

TEST_F(IntlSettingsTest, UsDatesAndTimes) {
  Use(kUs);
  Str255 text;
  IUDateString(static_cast<long>(Seconds(1996, 3, 3)), shortDate, text);
  EXPECT_EQ(Text(text), "3/3/96");
  IUTimeString(static_cast<long>(Seconds(1996, 3, 3, 0, 5)), false, text);
  EXPECT_EQ(Text(text), "12:05 AM");  // the single blank the formatter puts before the suffix
  IUTimePString(static_cast<long>(Seconds(1996, 3, 3, 13, 30)), true, text, nullptr);
  EXPECT_EQ(Text(text), "1:30:00 PM");
  IUDatePString(static_cast<long>(Seconds(1996, 3, 3)), shortDate, text, nullptr);
  EXPECT_EQ(Text(text), "3/3/96");
}

TEST_F(IntlSettingsTest, EuropeanDatesTimesAndCurrency) {
  Use(kEuropean);
  Str255 text;
  IUDateString(static_cast<long>(Seconds(1996, 3, 3)), shortDate, text);
  EXPECT_EQ(Text(text), "03.03.1996");
  IUTimeString(static_cast<long>(Seconds(1996, 3, 3, 9, 5)), false, text);
  EXPECT_EQ(Text(text), "09:05");
  Handle h0 = GetIntlResource(0);
  ASSERT_NE(h0, nullptr);
  ASSERT_EQ(GetHandleSize(h0), 32);
  const Intl0Rec* i0 = reinterpret_cast<const Intl0Rec*>(*h0);
  EXPECT_EQ(i0->dateOrder, 1);
  EXPECT_EQ(i0->dateSep, '.');
  EXPECT_EQ(i0->decimalPt, ',');
  EXPECT_EQ(i0->currSym1, ' ');
  EXPECT_EQ(i0->currSym2, 'D');
  EXPECT_EQ(i0->currSym3, 'M');
  EXPECT_EQ(i0->currFmt & currSymLead, 0);
  EXPECT_EQ(GetIntlResource(0), h0);  // made once, then reused

  // Reloading does not put a second blank before the symbol.
  EXPECT_EQ(ZEB_WinIniChange("intl"), 4);
  EXPECT_EQ(i0->currSym1, ' ');
  EXPECT_EQ(i0->currSym2, 'D');
}

TEST_F(IntlSettingsTest, LongDatesKeepTheDayWithTheLibrarysIntl1) {
  Use({{"sLongDate", "dd MMMM yyyy"}});
  Handle h1 = GetIntlResource(1);
  ASSERT_NE(h1, nullptr);
  ASSERT_EQ(GetHandleSize(h1), 332);
  const Intl1Rec* i1 = reinterpret_cast<const Intl1Rec*>(*h1);
  EXPECT_EQ(i1->suppressDay, supWeek);
  Str255 text;
  const unsigned long when = Seconds(1996, 3, 5);
  IUDateString(static_cast<long>(when), longDate, text);
  // The month name comes from the system's locale; the day and year must be there.
  const std::string s = Text(text);
  EXPECT_EQ(s.substr(0, 3), "05 ");
  EXPECT_EQ(s.substr(s.size() - 5), " 1996");
  const LongDateTime longWhen = when;
  IULDateString(&longWhen, longDate, text, h1);
  EXPECT_EQ(Text(text), s);
}

TEST_F(IntlSettingsTest, EnglishLocaleNamesTheWeekdays) {
  Use(kUs);
  char locale[64] = "";
  GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SDAYNAME7, locale, sizeof locale);
  if (std::string(locale) != "Sunday") GTEST_SKIP() << "the system locale is not English";
  Str255 text;
  IUDateString(static_cast<long>(Seconds(1996, 3, 3)), longDate, text);  // a Sunday
  EXPECT_EQ(Text(text), "Sunday, March 3, 1996");
  IUDateString(static_cast<long>(Seconds(1996, 3, 3)), abbrevDate, text);
  EXPECT_EQ(Text(text), "Sun, Mar 3, 1996");
}

TEST_F(IntlSettingsTest, TimesFromAnApplicationsIntl0Record) {
  Use(kUs);
  Handle h = NewHandleClear(sizeof(Intl0Rec));
  Intl0Rec* r = reinterpret_cast<Intl0Rec*>(*h);
  r->timeSep = '.';
  r->timeCycle = 0;  // 24-hour
  r->timeFmt = hrLeadingZ | minLeadingZ;
  r->time1Suff = 'h';
  const LongDateTime when = Seconds(2000, 1, 1, 7, 8);
  Str255 text;
  IULTimeString(&when, false, text, h);
  EXPECT_EQ(Text(text), "07.08 h");
  IULTimeString(&when, false, text, nullptr);
  EXPECT_EQ(Text(text), "7:08 AM");
  DisposeHandle(h);
}

TEST_F(IntlSettingsTest, TheLibrarysCopiesFollowAReload) {
  Use(kUs);
  Handle h0 = GetIntlResource(0);
  ASSERT_NE(h0, nullptr);
  EXPECT_EQ(reinterpret_cast<const Intl0Rec*>(*h0)->decimalPt, '.');
  Use({{"sDecimal", ","}, {"sShortDate", "yyyy-MM-dd"}});
  EXPECT_EQ(GetIntlResource(0), h0);
  EXPECT_EQ(reinterpret_cast<const Intl0Rec*>(*h0)->decimalPt, ',');
  EXPECT_EQ(reinterpret_cast<const Intl0Rec*>(*h0)->dateOrder, ymd);
  Str255 text;
  IUDateString(static_cast<long>(Seconds(2004, 2, 29)), shortDate, text);
  EXPECT_EQ(Text(text), "2004-02-29");
}

TEST_F(IntlSettingsTest, ASettingsReloadLeavesTheApplicationsResErrorAlone) {
  // The open file has no 'INTL' resource, so the reload's own lookups fail; the application's
  // last result must still read as its own call left it.
  zebtest::TempDir dir;
  const std::string path = dir.File("plain.rsr");
  Str255 name;
  name[0] = static_cast<unsigned char>(path.size());
  std::memcpy(name + 1, path.data(), path.size());
  CreateResFile(name);
  const short file = OpenResFile(name);
  ASSERT_GT(file, 0);
  ASSERT_EQ(ResError(), noErr);
  EXPECT_EQ(ZEB_WinIniChange("intl"), 4);
  EXPECT_EQ(ResError(), noErr);
  CloseResFile(file);
}

TEST_F(IntlSettingsTest, OtherSectionsAreNotTheInternationalOnes) {
  EXPECT_EQ(ZEB_WinIniChange(nullptr), 0);
  EXPECT_EQ(ZEB_WinIniChange("colors"), 0);
  EXPECT_EQ(GetIntlResource(2), nullptr);
}

}  // namespace
