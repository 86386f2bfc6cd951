// Date pictures and time fields.
#include "intl/date_format.h"

#include <cstdlib>
#include <vector>

namespace zeb::intl {
namespace {

// A picture's pieces: an element (a run of one date letter) or literal text, the picture's own
// characters, quotes included. Pieces are visited in place, without copying the picture: the
// date calls format often and their pictures rarely change.
struct PictureToken {
  char letter = 0;  // 'm', 'd' or 'y' for an element, 0 for text
  size_t run = 0;
  const char* text = nullptr;
  size_t length = 0;
};

char ElementLetter(char c) {
  const char lower = static_cast<char>(c | 0x20);
  return (lower == 'm' || lower == 'd' || lower == 'y') && (c & 0x80) == 0 ? lower : 0;
}

template <class Visit>
void ForEachToken(const std::string& picture, Visit visit) {
  const size_t n = picture.size();
  for (size_t i = 0; i < n;) {
    PictureToken t;
    t.text = picture.data() + i;
    t.letter = ElementLetter(picture[i]);
    size_t end = i;
    if (t.letter) {
      while (end < n && ElementLetter(picture[end]) == t.letter) ++end;
      t.run = end - i;
    } else {
      // Text up to the next element; quoted text, up to the closing quote or the end, is text
      // whatever letters it holds.
      while (end < n && !ElementLetter(picture[end])) {
        if (picture[end] == '\'') {
          const size_t close = picture.find('\'', end + 1);
          end = close == std::string::npos ? n : close + 1;
        } else {
          ++end;
        }
      }
    }
    t.length = end - i;
    visit(t);
    i = end;
  }
}

void AppendText(std::string& out, const PictureToken& t) { out.append(t.text, t.length); }

void AppendNumber(std::string& out, int v) {
  char digits[12];
  int n = 0;
  unsigned u = v < 0 ? 0u - static_cast<unsigned>(v) : static_cast<unsigned>(v);
  do {
    digits[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  if (v < 0) out += '-';
  while (n) out += digits[--n];
}

void AppendTwoDigits(std::string& out, int v) {
  v = std::abs(v) % 100;
  out += static_cast<char>('0' + v / 10);
  out += static_cast<char>('0' + v % 10);
}

void AppendDigits(std::string& out, int v, bool leadingZero) {
  if ((v >= 10 || leadingZero) && v < 100) AppendTwoDigits(out, v);
  else AppendNumber(out, v);
}

void AppendCut(std::string& out, const std::string& name, int length) {
  const size_t n = length >= 0 && name.size() > static_cast<size_t>(length)
                       ? static_cast<size_t>(length)
                       : name.size();
  out.append(name, 0, n);
}

std::string TwoDigits(int v) {
  v = std::abs(v) % 100;
  return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

std::string Digits(int v, bool leadingZero) {
  return v >= 10 || leadingZero ? (v >= 100 ? std::to_string(v) : TwoDigits(v)) : std::to_string(v);
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

void AppendDatePicture(std::string& out, const std::string& picture, const DateTimeRec& date,
                       NameView names, int abbreviationLength) {
  const int month = date.month >= 1 && date.month <= 12 ? date.month : 1;
  const int weekday = date.dayOfWeek >= 1 && date.dayOfWeek <= 7 ? date.dayOfWeek : 1;
  ForEachToken(picture, [&](const PictureToken& t) {
    if (t.letter == 'm') {
      if (t.run >= 4) out += names.months[month - 1];
      else if (t.run == 3) AppendCut(out, names.months[month - 1], abbreviationLength);
      else AppendDigits(out, date.month, t.run == 2);
    } else if (t.letter == 'd') {
      if (t.run >= 4) out += names.days[weekday - 1];
      else if (t.run == 3) AppendCut(out, names.days[weekday - 1], abbreviationLength);
      else AppendDigits(out, date.day, t.run == 2);
    } else if (t.letter == 'y') {
      const int year = std::abs(static_cast<int>(date.year));
      if (t.run >= 3) {
        for (int zeros = year < 10 ? 3 : year < 100 ? 2 : year < 1000 ? 1 : 0; zeros > 0; --zeros)
          out += '0';
        AppendNumber(out, year);
      } else {
        AppendTwoDigits(out, year);
      }
    } else {
      for (size_t i = 0; i < t.length; ++i)
        if (t.text[i] != '\'') out += t.text[i];
    }
  });
}

std::string ExpandDatePicture(const std::string& picture, const DateTimeRec& date,
                              const NameTables& names, int abbreviationLength) {
  std::string out;
  AppendDatePicture(out, picture, date, NameView{names.months, names.days}, abbreviationLength);
  return out;
}

std::string AbbreviatePicture(const std::string& picture) {
  std::string out;
  ForEachToken(picture, [&out](const PictureToken& t) {
    if ((t.letter == 'm' || t.letter == 'd') && t.run >= 4)
      out.append(t.text, 3);
    else
      AppendText(out, t);
  });
  return out;
}

std::string SuppressElements(const std::string& picture, uint8_t suppressDay) {
  if (!suppressDay) return picture;
  std::string out;
  bool dropping = false;
  ForEachToken(picture, [&](const PictureToken& t) {
    if (!t.letter) {
      if (!dropping) AppendText(out, t);
      return;
    }
    const bool upTo4 = t.run <= 4;
    dropping = (t.letter == 'd' && upTo4 && (suppressDay & supDay)) ||
               (t.letter == 'd' && (t.run == 3 || t.run == 4) && (suppressDay & supWeek)) ||
               (t.letter == 'm' && (suppressDay & supMonth)) ||
               (t.letter == 'y' && (suppressDay & supYear));
    if (!dropping) AppendText(out, t);
  });
  return out;
}

void AppendDate(std::string& out, const DateTimeRec& date, int form,
                const DateConventions& conventions, const Intl1Rec* ownIntl1) {
  const NameView names{conventions.months, conventions.days};
  if (form == kShortForm) {
    // The commonest call: the picture is used where it stands.
    AppendDatePicture(out, conventions.shortPicture, date, names, conventions.abbreviationLength);
    return;
  }
  std::string picture = conventions.longPicture;
  if (form == kAbbreviatedForm) picture = AbbreviatePicture(picture);
  if (ownIntl1) picture = SuppressElements(picture, ownIntl1->suppressDay);
  AppendDatePicture(out, picture, date, names, conventions.abbreviationLength);
}

std::string FormatDate(const DateTimeRec& date, int form, const DateConventions& conventions,
                       const Intl1Rec* ownIntl1) {
  std::string out;
  AppendDate(out, date, form, conventions, ownIntl1);
  return out;
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
