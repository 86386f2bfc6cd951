// Date pictures and time fields.
#include "intl/date_format.h"

#include <cstdlib>
#include <vector>

namespace zeb::intl {
namespace {

// A picture split into elements (runs of one date letter) and literal text.
struct PictureToken {
  char letter = 0;  // 'm', 'd' or 'y' for an element, 0 for text
  size_t run = 0;
  std::string text;  // the picture's own characters
};

char ElementLetter(char c) {
  const char lower = static_cast<char>(c | 0x20);
  return (lower == 'm' || lower == 'd' || lower == 'y') && (c & 0x80) == 0 ? lower : 0;
}

std::vector<PictureToken> Tokenize(const std::string& picture) {
  std::vector<PictureToken> tokens;
  for (size_t i = 0; i < picture.size();) {
    const char letter = ElementLetter(picture[i]);
    if (letter) {
      PictureToken t;
      t.letter = letter;
      while (i < picture.size() && ElementLetter(picture[i]) == letter) t.text += picture[i++];
      t.run = t.text.size();
      tokens.push_back(t);
      continue;
    }
    if (tokens.empty() || tokens.back().letter) tokens.push_back(PictureToken{});
    if (picture[i] == '\'') {
      // Quoted text, quotes included, up to the closing quote or the end.
      const size_t close = picture.find('\'', i + 1);
      const size_t end = close == std::string::npos ? picture.size() : close + 1;
      tokens.back().text += picture.substr(i, end - i);
      i = end;
      continue;
    }
    tokens.back().text += picture[i++];
  }
  return tokens;
}

std::string TwoDigits(int v) {
  v = std::abs(v) % 100;
  return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

std::string Digits(int v, bool leadingZero) {
  return v >= 10 || leadingZero ? (v >= 100 ? std::to_string(v) : TwoDigits(v)) : std::to_string(v);
}

std::string Cut(const std::string& name, int length) {
  return length >= 0 && name.size() > static_cast<size_t>(length) ? name.substr(0, length) : name;
}

std::string FieldOf(const std::string& text, size_t capacity) {
  size_t n = 0;
  while (n < capacity && text[n]) ++n;
  return text.substr(0, n);
}

std::string Separator(const char* field) {
  size_t n = 0;
  while (n < 4 && field[n]) ++n;
  const std::string text(field, n);
  // Separators are text: quoted so that their letters are not read as picture elements.
  if (text.empty() || text.find('\'') != std::string::npos) return text;
  return "'" + text + "'";
}

std::string SuffixAfterBlank(const std::string& suffix) {
  if (suffix.empty()) return suffix;
  return suffix[0] == ' ' ? suffix : " " + suffix;
}

}  // namespace

NameTables NamesOf(const DateConventions& conventions) {
  NameTables names;
  for (int i = 0; i < 12; ++i) names.months[i] = conventions.months[i];
  for (int i = 0; i < 7; ++i) names.days[i] = conventions.days[i];
  return names;
}

NameTables NamesOf(const Intl1Rec& record) {
  NameTables names;
  for (int i = 0; i < 12; ++i) {
    const unsigned char* s = record.months[i];
    names.months[i].assign(reinterpret_cast<const char*>(s + 1), s[0] > 15 ? 15 : s[0]);
  }
  for (int i = 0; i < 7; ++i) {
    const unsigned char* s = record.days[i];
    names.days[i].assign(reinterpret_cast<const char*>(s + 1), s[0] > 15 ? 15 : s[0]);
  }
  return names;
}

std::string ExpandDatePicture(const std::string& picture, const DateTimeRec& date,
                              const NameTables& names, int abbreviationLength) {
  std::string out;
  const int month = date.month >= 1 && date.month <= 12 ? date.month : 1;
  const int weekday = date.dayOfWeek >= 1 && date.dayOfWeek <= 7 ? date.dayOfWeek : 1;
  for (const PictureToken& t : Tokenize(picture)) {
    if (t.letter == 'm') {
      if (t.run >= 4) out += names.months[month - 1];
      else if (t.run == 3) out += Cut(names.months[month - 1], abbreviationLength);
      else out += Digits(date.month, t.run == 2);
    } else if (t.letter == 'd') {
      if (t.run >= 4) out += names.days[weekday - 1];
      else if (t.run == 3) out += Cut(names.days[weekday - 1], abbreviationLength);
      else out += Digits(date.day, t.run == 2);
    } else if (t.letter == 'y') {
      const int year = std::abs(static_cast<int>(date.year));
      if (t.run >= 3) {
        std::string digits = std::to_string(year);
        out += std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
      } else {
        out += TwoDigits(year);
      }
    } else {
      for (char c : t.text)
        if (c != '\'') out += c;
    }
  }
  return out;
}

std::string AbbreviatePicture(const std::string& picture) {
  std::string out;
  for (const PictureToken& t : Tokenize(picture)) {
    if ((t.letter == 'm' || t.letter == 'd') && t.run >= 4)
      out += t.text.substr(0, 3);
    else
      out += t.text;
  }
  return out;
}

std::string SuppressElements(const std::string& picture, uint8_t suppressDay) {
  if (!suppressDay) return picture;
  std::string out;
  bool dropping = false;
  for (const PictureToken& t : Tokenize(picture)) {
    if (!t.letter) {
      if (!dropping) out += t.text;
      continue;
    }
    const bool upTo4 = t.run <= 4;
    dropping = (t.letter == 'd' && upTo4 && (suppressDay & supDay)) ||
               (t.letter == 'd' && (t.run == 3 || t.run == 4) && (suppressDay & supWeek)) ||
               (t.letter == 'm' && (suppressDay & supMonth)) ||
               (t.letter == 'y' && (suppressDay & supYear));
    if (!dropping) out += t.text;
  }
  return out;
}

std::string FormatDate(const DateTimeRec& date, int form, const DateConventions& conventions,
                       const Intl1Rec* ownIntl1) {
  std::string picture = form == kShortForm ? conventions.shortPicture : conventions.longPicture;
  if (form == kAbbreviatedForm) picture = AbbreviatePicture(picture);
  if (form != kShortForm && ownIntl1) picture = SuppressElements(picture, ownIntl1->suppressDay);
  return ExpandDatePicture(picture, date, NamesOf(conventions), conventions.abbreviationLength);
}

std::string LongPictureOfIntl1(const Intl1Rec& r) {
  const bool noDay = r.suppressDay & supDay;
  std::string elements[4];
  elements[0] = noDay ? "" : r.dayLeading0 ? "dd" : "d";
  elements[1] = noDay || (r.suppressDay & supWeek) ? "" : "dddd";
  elements[2] = r.suppressDay & supMonth ? "" : "MMMM";
  elements[3] = r.suppressDay & supYear ? "" : "yyyy";
  const uint8_t order = ElementOrder(r.lngDateFmt);
  // The first element is in the most significant pair, as the picture parser writes it.
  std::string picked[4];
  for (int k = 0; k < 4; ++k) picked[k] = elements[(order >> (2 * (3 - k))) & 3];
  const char* separators[5] = {r.st0, r.st1, r.st2, r.st3, r.st4};
  std::string picture = Separator(separators[0]) + picked[0];
  for (int k = 1; k < 4; ++k) {
    if (!picked[k].empty()) picture += Separator(separators[k]);
    picture += picked[k];
  }
  return picture + Separator(separators[4]);
}

std::string FormatDateWithIntl1(const DateTimeRec& date, int form,
                                const DateConventions& conventions, const Intl1Rec& record) {
  std::string picture = form == kShortForm ? conventions.shortPicture : LongPictureOfIntl1(record);
  if (form == kAbbreviatedForm) picture = AbbreviatePicture(picture);
  const int abbreviation = record.abbrLen ? record.abbrLen : conventions.abbreviationLength;
  return ExpandDatePicture(picture, date,
                           form == kShortForm ? NamesOf(conventions) : NamesOf(record),
                           abbreviation);
}

TimeStyle TimeStyleOf(const DateConventions& c) {
  TimeStyle style;
  style.separator = c.timeSeparator;
  style.format = c.timeFormat;
  style.hours24 = c.hours24;
  style.morning = c.morning;
  style.evening = c.evening;
  style.suffix24 = c.suffix24;
  return style;
}

TimeStyle TimeStyleOf(const Intl0Rec& r) {
  TimeStyle style;
  style.separator = r.timeSep;
  style.format = r.timeFmt;
  style.hours24 = r.timeCycle == 0;
  style.morning = FieldOf(std::string(r.mornStr, 4), 4);
  style.evening = FieldOf(std::string(r.eveStr, 4), 4);
  const char suffix[8] = {r.time1Suff, r.time2Suff, r.time3Suff, r.time4Suff,
                          r.time5Suff, r.time6Suff, r.time7Suff, r.time8Suff};
  style.suffix24 = FieldOf(std::string(suffix, 8), 8);
  return style;
}

std::string FormatTime(int hour, int minute, int second, bool wantSeconds,
                       const TimeStyle& style) {
  int shownHour = hour;
  if (!style.hours24) {
    if (shownHour == 0) shownHour = 12;
    else if (shownHour > 12) shownHour -= 12;
  }
  std::string text = Digits(shownHour, (style.format & hrLeadingZ) != 0);
  text += style.separator;
  text += Digits(minute, (style.format & minLeadingZ) != 0);
  if (wantSeconds) {
    text += style.separator;
    text += Digits(second, (style.format & minLeadingZ) != 0);
  }
  // One blank before the suffix, which is not doubled when the suffix brings its own, and none
  // when there is no suffix.
  if (style.hours24) return text + SuffixAfterBlank(style.suffix24);
  return text + SuffixAfterBlank(hour < 12 ? style.morning : style.evening);
}

}  // namespace zeb::intl
