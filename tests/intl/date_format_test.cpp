// Date pictures, long-date records and time fields, for US and European conventions.
#include "intl/date_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "intl/date_arithmetic.h"
#include "intl/intl_settings.h"

namespace {

using namespace zeb::intl;

DateTimeRec Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  DateTimeRec d{};
  d.year = static_cast<short>(year);
  d.month = static_cast<short>(month);
  d.day = static_cast<short>(day);
  d.hour = static_cast<short>(hour);
  d.minute = static_cast<short>(minute);
  d.second = static_cast<short>(second);
  return DateOfSeconds(SecondsOfDate(d));
}

SettingLookup Settings(std::map<std::string, std::string> values) {
  return [values](const char* key, std::string& value) {
    auto it = values.find(key);
    if (it == values.end()) return false;
    value = it->second;
    return true;
  };
}

InternationalState Loaded(const std::map<std::string, std::string>& values) {
  InternationalState state;
  SetDefaults(state);
  ApplySettingsToConventions(Settings(values), state.conventions);
  ApplySettingsToIntl0(Settings(values), state.intl0);
  auto it = values.find("sLongDate");
  if (it != values.end()) ApplyLongPictureToIntl1(it->second, state.intl1);
  return state;
}

const std::map<std::string, std::string> kGerman = {
    {"sShortDate", "dd.MM.yyyy"}, {"sLongDate", "dddd, d. MMMM yyyy"}, {"iTime", "1"},
    {"iTLZero", "1"},             {"s1159", ""},                         {"s2359", ""},
    {"sCurrency", "DM"},          {"iCurrency", "3"},                    {"sDecimal", ","},
    {"sThousand", "."}};

TEST(DateFormat, UsDefaults) {
  InternationalState us;
  SetDefaults(us);
  const DateTimeRec d = Date(1996, 3, 5, 13, 7, 9);
  EXPECT_EQ(FormatDate(d, kShortForm, us.conventions, nullptr), "3/5/96");
  EXPECT_EQ(FormatDate(d, kLongForm, us.conventions, nullptr), "Tuesday, March 5, 1996");
  EXPECT_EQ(FormatDate(d, kAbbreviatedForm, us.conventions, nullptr), "Tue, Mar 5, 1996");
  EXPECT_EQ(FormatTime(d.hour, d.minute, d.second, true, TimeStyleOf(us.conventions)),
            "1:07:09 PM");
  EXPECT_EQ(FormatDateWithIntl1(d, kLongForm, us.conventions, us.intl1),
            "Tuesday, March 5, 1996");
  EXPECT_EQ(FormatDateWithIntl1(d, kAbbreviatedForm, us.conventions, us.intl1),
            "Tue, Mar 5, 1996");
}

TEST(DateFormat, EuropeanShortDateFromTheProfile) {
  const InternationalState de = Loaded(kGerman);
  EXPECT_EQ(de.conventions.dateOrder, 1);
  EXPECT_EQ(de.conventions.dateSeparator, '.');
  EXPECT_EQ(FormatDate(Date(1996, 3, 3), kShortForm, de.conventions, nullptr), "03.03.1996");
  EXPECT_EQ(de.intl0.dateOrder, 1);
  EXPECT_EQ(de.intl0.shrtDateFmt, mntLdingZ | dayLdingZ | century);
  EXPECT_EQ(de.intl0.decimalPt, ',');
  EXPECT_EQ(de.intl0.thousSep, '.');
}

TEST(DateFormat, CurrencyFormats) {
  const struct {
    const char* format;
    const char* symbol;
    char expected[3];
    bool lead;
  } cases[] = {
      {"0", "$", {'$', 0, 0}, true},
      {"1", "F", {'F', 0, 0}, false},
      {"2", "Kr", {'K', 'r', ' '}, true},
      {"3", "DM", {' ', 'D', 'M'}, false},
  };
  for (const auto& c : cases) {
    const InternationalState s = Loaded({{"sCurrency", c.symbol}, {"iCurrency", c.format}});
    EXPECT_EQ(s.intl0.currSym1, c.expected[0]) << c.format;
    EXPECT_EQ(s.intl0.currSym2, c.expected[1]) << c.format;
    EXPECT_EQ(s.intl0.currSym3, c.expected[2]) << c.format;
    EXPECT_EQ((s.intl0.currFmt & currSymLead) != 0, c.lead) << c.format;
  }
}

TEST(DateFormat, LongDatePictureKeepsItsDayAndOrder) {
  // A picture without a weekday: only the weekday is suppressed, the day stays.
  InternationalState s;
  SetDefaults(s);
  Intl1Rec r{};
  CopyNamesToIntl1(s.conventions, r);
  ApplyLongPictureToIntl1("dd MMMM yyyy", r);
  EXPECT_EQ(r.suppressDay, supWeek);
  EXPECT_EQ(r.dayLeading0, 1);
  const DateTimeRec d = Date(1996, 3, 5);
  EXPECT_EQ(FormatDateWithIntl1(d, kLongForm, s.conventions, r), "05 March 1996");
  // The suppression also applies to the Windows long picture in IUDateString's way.
  s.conventions.longPicture = "dd MMMM yyyy";
  EXPECT_EQ(FormatDate(d, kLongForm, s.conventions, &r), "05 March 1996");
}

TEST(DateFormat, ElementOrderIsTheSameForReadingAndWriting) {
  InternationalState s;
  SetDefaults(s);
  const DateTimeRec d = Date(1996, 3, 5);
  const struct {
    const char* picture;
    uint8_t order;
    const char* text;
  } cases[] = {
      {"dddd, d. MMMM yyyy", 0, "Tuesday, 5. March 1996"},  // the European order is 0
      {"dddd, MMMM d, yyyy", 0xFF, "Tuesday, March 5, 1996"},
      {"yyyy MMMM d", 0xE1, "1996 March 5"},
      {"d 'de' MMMM 'de' yyyy", 0x2D, "5 de March de 1996"},
  };
  for (const auto& c : cases) {
    Intl1Rec r{};
    CopyNamesToIntl1(s.conventions, r);
    ApplyLongPictureToIntl1(c.picture, r);
    EXPECT_EQ(r.lngDateFmt, c.order) << c.picture;
    EXPECT_EQ(FormatDateWithIntl1(d, kLongForm, s.conventions, r), c.text) << c.picture;
  }
}

TEST(DateFormat, SuppressedElementsLeaveWithTheirText) {
  const std::string picture = "dddd, MMMM d, yyyy";
  EXPECT_EQ(SuppressElements(picture, supWeek), "MMMM d, yyyy");
  EXPECT_EQ(SuppressElements(picture, supDay), "MMMM yyyy");
  EXPECT_EQ(SuppressElements(picture, supYear), "dddd, MMMM d, ");
  EXPECT_EQ(SuppressElements(picture, supMonth | supWeek), "d, yyyy");
  EXPECT_EQ(AbbreviatePicture(picture), "ddd, MMM d, yyyy");
}

TEST(DateFormat, PictureExpansion) {
  InternationalState s;
  SetDefaults(s);
  const DateTimeRec d = Date(2004, 2, 29);
  const NameTables names = NamesOf(s.conventions);
  EXPECT_EQ(ExpandDatePicture("yyyy-MM-dd", d, names, 3), "2004-02-29");
  EXPECT_EQ(ExpandDatePicture("M/d/yy", d, names, 3), "2/29/04");
  EXPECT_EQ(ExpandDatePicture("ddd MMM", d, names, 2), "Su Fe");
  EXPECT_EQ(ExpandDatePicture("'day' d 'of' MMMM", d, names, 3), "day 29 of February");
}

TEST(DateFormat, PicturesExpandEveryElementWidthAndTheirQuotedText) {
  InternationalState s;
  SetDefaults(s);
  const NameTables names = NamesOf(s.conventions);
  const struct {
    const char* picture;
    int year, month, day, abbreviation;
    const char* expected;
  } cases[] = {
      {"yyyy", 5, 1, 1, 3, "0005"},           {"yyyy", 999, 1, 1, 3, "0999"},
      {"yyyy", 2004, 1, 1, 3, "2004"},        {"yyyy", 12345, 1, 1, 3, "12345"},
      {"yy", 2004, 1, 1, 3, "04"},            {"yy", 5, 1, 1, 3, "05"},
      {"M/d/yy", 2004, 11, 3, 3, "11/3/04"},  {"MM/dd", 2004, 11, 3, 3, "11/03"},
      {"MM/dd", 2004, 1, 30, 3, "01/30"},     {"MMM", 2004, 9, 1, 0, ""},
      {"MMM", 2004, 9, 1, 4, "Sept"},         {"MMM", 2004, 9, 1, 40, "September"},
      {"MMMMM", 2004, 9, 1, 3, "September"},  {"'M'M", 2004, 2, 1, 3, "M2"},
      {"'d d", 2004, 2, 7, 3, "d d"},         {"d''d", 2004, 2, 7, 3, "77"},
      {"'it''s' d", 2004, 2, 7, 3, "its 7"},  {"", 2004, 2, 7, 3, ""},
      {"dd. MMMM yyyy", 1996, 3, 3, 3, "03. March 1996"},
  };
  for (const auto& c : cases) {
    DateTimeRec d{};
    d.year = static_cast<short>(c.year);
    d.month = static_cast<short>(c.month);
    d.day = static_cast<short>(c.day);
    d.dayOfWeek = 1;
    EXPECT_EQ(ExpandDatePicture(c.picture, d, names, c.abbreviation), c.expected)
        << "'" << c.picture << "' for " << c.year << "-" << c.month << "-" << c.day;
  }
  // Appending keeps what the text held and adds the date after it.
  std::string text = "on ";
  AppendDate(text, Date(1996, 3, 5), kShortForm, s.conventions, nullptr);
  EXPECT_EQ(text, "on 3/5/96");
}

TEST(TimeFormat, TwelveAndTwentyFourHours) {
  TimeStyle twelve;
  twelve.format = minLeadingZ;
  twelve.morning = "AM";
  twelve.evening = "PM";
  TimeStyle twentyFour = twelve;
  twentyFour.hours24 = true;
  twentyFour.format = hrLeadingZ | minLeadingZ;
  const struct {
    int h, m, s;
    bool seconds;
    const TimeStyle* style;
    const char* text;
  } cases[] = {
      {0, 5, 0, false, &twelve, "12:05 AM"},   // one blank before the suffix
      {12, 0, 0, false, &twelve, "12:00 PM"},
      {13, 7, 9, true, &twelve, "1:07:09 PM"},
      {23, 59, 59, false, &twelve, "11:59 PM"},
      {0, 5, 3, true, &twentyFour, "00:05:03"},  // no suffix, no trailing blank
      {17, 30, 0, false, &twentyFour, "17:30"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatTime(c.h, c.m, c.s, c.seconds, *c.style), c.text) << c.h << ":" << c.m;
}

TEST(TimeFormat, FromAnIntl0Record) {
  const InternationalState de = Loaded(kGerman);
  const TimeStyle style = TimeStyleOf(de.intl0);
  EXPECT_TRUE(style.hours24);
  EXPECT_EQ(FormatTime(9, 5, 0, false, style), "09:05");
  const TimeStyle fromCache = TimeStyleOf(de.conventions);
  EXPECT_EQ(FormatTime(9, 5, 0, false, fromCache), "09:05");
}

}  // namespace
