// Reading dates and times from text, and the long-date calls.
#include <cstring>
#include <string>

#include "DateTimeUtils.h"
#include "intl/intl_settings.h"
#include "intl/long_dates.h"
#include "intl/mac_characters.h"

namespace zeb::intl {
namespace {

constexpr int kMaxFields = 3;

struct Field {
  long value = 0;
  bool isMonthName = false;
};

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
bool IsLetter(uint8_t c) {
  const uint8_t kind = CharacterInfo(c).kind;
  return kind == kClassUpper || kind == kClassLower;
}
bool IsBlank(uint8_t c) { return c == ' ' || c == '\t'; }

bool SameLetters(const uint8_t* text, size_t n, const std::string& name) {
  if (n > name.size() || n == 0) return false;
  for (size_t i = 0; i < n; ++i)
    if (CharacterInfo(text[i]).base != CharacterInfo(static_cast<uint8_t>(name[i])).base)
      return false;
  return true;
}

// A word that begins a month name (at least three letters, or the whole name): its number.
int MonthOfWord(const uint8_t* text, size_t n, const DateConventions& c) {
  if (n < 3) return 0;
  for (int m = 0; m < 12; ++m)
    if (SameLetters(text, n, c.months[m])) return m + 1;
  return 0;
}

bool DayNameWord(const uint8_t* text, size_t n, const DateConventions& c) {
  if (n < 2) return false;
  for (int d = 0; d < 7; ++d)
    if (SameLetters(text, n, c.days[d])) return true;
  return false;
}

int MonthLength(long year, long month) {
  static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kLengths[month - 1];
}

// Two-digit years fall within 1920 ... 2019, as the Toolbox's parser places them.
long FullYear(long year, size_t digits) {
  if (digits > 2) return year;
  return year < 20 ? 2000 + year : 1900 + year;
}

}  // namespace

StringToDateStatus ParseDate(const uint8_t* text, long length, long* lengthUsed,
                             LongDateRec* date) {
  const DateConventions& c = State().conventions;
  StringToDateStatus status = 0;
  Field fields[kMaxFields];
  size_t digitCounts[kMaxFields] = {0, 0, 0};
  int count = 0;
  long i = 0, end = 0;
  char separator = 0;
  bool anyName = false;
  while (i < length && count < kMaxFields) {
    while (i < length && IsBlank(text[i])) ++i;
    if (i >= length) break;
    if (IsDigit(text[i])) {
      long value = 0;
      size_t digits = 0;
      while (i < length && IsDigit(text[i])) {
        if (value < 100000) value = value * 10 + (text[i] - '0');
        ++i;
        ++digits;
      }
      digitCounts[count] = digits;
      fields[count++].value = value;
    } else if (IsLetter(text[i])) {
      const long start = i;
      while (i < length && IsLetter(text[i])) ++i;
      const size_t n = static_cast<size_t>(i - start);
      if (const int month = MonthOfWord(text + start, n, c)) {
        fields[count].isMonthName = true;
        fields[count++].value = month;
        anyName = true;
      } else if (DayNameWord(text + start, n, c)) {
        status |= extraneousStrings;
      } else {
        i = start;
        break;
      }
    } else {
      break;
    }
    end = i;
    // A separator between fields: one character (blanks around it allowed).
    long j = i;
    while (j < length && IsBlank(text[j])) ++j;
    if (j < length && !IsDigit(text[j]) && !IsLetter(text[j])) {
      if (separator && text[j] != separator) status |= sepNotConsistent;
      if (!separator) separator = static_cast<char>(text[j]);
      if (text[j] != static_cast<uint8_t>(c.dateSeparator) && text[j] != ',') status |= sepNotIntlSep;
      i = j + 1;
    } else {
      i = j;
    }
  }
  if (lengthUsed) *lengthUsed = end;
  if (count == 0) return dateTimeNotFound;
  if (end < length) status |= leftOverChars;
  if (anyName) status |= longDateFound;

  // Fields in the conventions' order; a month name is the month wherever it stands.
  long year = -1, month = -1, day = -1;
  size_t yearDigits = 0;
  int nameAt = -1;
  for (int k = 0; k < count; ++k)
    if (fields[k].isMonthName) nameAt = k;
  if (nameAt >= 0) {
    month = fields[nameAt].value;
    int rest[2], r = 0;
    for (int k = 0; k < count && r < 2; ++k)
      if (k != nameAt) rest[r++] = k;
    if (r >= 1) day = fields[rest[0]].value;
    if (r >= 2) {
      year = fields[rest[1]].value;
      yearDigits = digitCounts[rest[1]];
    }
    if (c.dateOrder == 2 && r >= 2) {
      year = fields[rest[0]].value;
      yearDigits = digitCounts[rest[0]];
      day = fields[rest[1]].value;
    }
  } else {
    int yi = -1, mi = -1, di = -1;
    switch (c.dateOrder) {
      case 1: di = 0; mi = 1; yi = 2; break;
      case 2: yi = 0; mi = 1; di = 2; break;
      default: mi = 0; di = 1; yi = 2; break;
    }
    if (count == 2 && c.dateOrder == 2) { mi = 0; di = 1; yi = -1; }
    if (mi < count) month = fields[mi].value;
    if (di < count) day = fields[di].value;
    if (yi >= 0 && yi < count) {
      year = fields[yi].value;
      yearDigits = digitCounts[yi];
    }
  }
  LongDateRec result = date ? *date : LongDateRec{};
  if (year >= 0) result.ld.year = static_cast<short>(FullYear(year, yearDigits));
  if (month >= 0) result.ld.month = static_cast<short>(month);
  if (day >= 0) result.ld.day = static_cast<short>(day);
  if (result.ld.month < 1 || result.ld.month > 12 || result.ld.day < 1 ||
      result.ld.day > MonthLength(result.ld.year, result.ld.month))
    return static_cast<StringToDateStatus>(status | dateTimeInvalid);
  if (date) *date = result;
  return status;
}

StringToDateStatus ParseTime(const uint8_t* text, long length, long* lengthUsed,
                             LongDateRec* date) {
  const DateConventions& c = State().conventions;
  StringToDateStatus status = 0;
  long i = 0;
  while (i < length && IsBlank(text[i])) ++i;
  long values[3] = {0, 0, 0};
  int count = 0;
  long end = 0;
  while (i < length && count < 3 && IsDigit(text[i])) {
    long value = 0;
    while (i < length && IsDigit(text[i])) {
      if (value < 1000) value = value * 10 + (text[i] - '0');
      ++i;
    }
    values[count++] = value;
    end = i;
    if (i < length && !IsDigit(text[i]) && !IsBlank(text[i]) && !IsLetter(text[i]) &&
        i + 1 < length && IsDigit(text[i + 1])) {
      if (text[i] != static_cast<uint8_t>(c.timeSeparator)) status |= sepNotIntlSep;
      ++i;
    } else {
      break;
    }
  }
  if (lengthUsed) *lengthUsed = end;
  if (count == 0) return dateTimeNotFound;
  // An optional morning or evening suffix.
  long j = end;
  while (j < length && IsBlank(text[j])) ++j;
  int half = 0;  // 1 morning, 2 evening
  auto matches = [&](const std::string& suffix) {
    size_t k = 0;
    while (k < suffix.size() && suffix[k] == ' ') ++k;
    const std::string word = suffix.substr(k);
    if (word.empty() || j + static_cast<long>(word.size()) > length) return false;
    for (size_t n = 0; n < word.size(); ++n)
      if (CharacterInfo(text[j + n]).base != CharacterInfo(static_cast<uint8_t>(word[n])).base)
        return false;
    j += static_cast<long>(word.size());
    return true;
  };
  if (matches(c.morning)) half = 1;
  else if (matches(c.evening)) half = 2;
  if (half) end = j;
  if (lengthUsed) *lengthUsed = end;
  if (end < length) status |= leftOverChars;
  long hour = values[0];
  if (half) {
    if (hour < 1 || hour > 12) return static_cast<StringToDateStatus>(status | dateTimeInvalid);
    hour %= 12;
    if (half == 2) hour += 12;
  }
  if (hour > 23 || values[1] > 59 || values[2] > 59)
    return static_cast<StringToDateStatus>(status | dateTimeInvalid);
  if (date) {
    date->ld.hour = static_cast<short>(hour);
    date->ld.minute = static_cast<short>(values[1]);
    date->ld.second = static_cast<short>(values[2]);
    date->ld.pm = hour >= 12 ? 1 : 0;
  }
  return status;
}

}  // namespace zeb::intl

using namespace zeb::intl;

extern "C" {

OSErr ZEBAPI InitDateCache(DateCachePtr theCache) {
  // The parsers read the library's conventions directly; the cache only needs to exist.
  if (theCache) std::memset(theCache, 0, sizeof *theCache);
  return noErr;
}

StringToDateStatus ZEBAPI StringToDate(Ptr textPtr, long textLen, DateCachePtr, long* lengthUsed,
                                       LongDateRec* dateTime) {
  if (!textPtr || textLen <= 0) {
    if (lengthUsed) *lengthUsed = 0;
    return dateTimeNotFound;
  }
  return ParseDate(reinterpret_cast<const uint8_t*>(textPtr), textLen, lengthUsed, dateTime);
}

StringToDateStatus ZEBAPI StringToTime(Ptr textPtr, long textLen, DateCachePtr, long* lengthUsed,
                                       LongDateRec* dateTime) {
  if (!textPtr || textLen <= 0) {
    if (lengthUsed) *lengthUsed = 0;
    return dateTimeNotFound;
  }
  return ParseTime(reinterpret_cast<const uint8_t*>(textPtr), textLen, lengthUsed, dateTime);
}

void ZEBAPI LongDateToSeconds(const LongDateRec* lDate, LongDateTime* lSecs) {
  if (lDate && lSecs) *lSecs = SecondsOfLongDate(*lDate);
}

void ZEBAPI LongSecondsToDate(const LongDateTime* lSecs, LongDateRec* lDate) {
  if (lSecs && lDate) *lDate = LongDateOfSeconds(*lSecs);
}

short ZEBAPI ValidDate(const LongDateRec* date, long flags, LongDateRec* newDate) {
  (void)flags;  // no field is held fixed: every field is checked and normalised
  if (!date) return static_cast<short>(0xFFFF);
  const auto& d = date->ld;
  short bad = 0;
  if (d.month < 1 || d.month > 12) bad |= monthMask;
  if (d.day < 1 || (!(bad & monthMask) && d.day > MonthLength(d.year, d.month))) bad |= dayMask;
  if (d.hour < 0 || d.hour > 23) bad |= hourMask;
  if (d.minute < 0 || d.minute > 59) bad |= minuteMask;
  if (d.second < 0 || d.second > 59) bad |= secondMask;
  if (newDate) *newDate = LongDateOfSeconds(SecondsOfLongDate(*date));
  return bad;
}

}  // extern "C"
