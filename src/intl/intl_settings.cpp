// Filling the international conventions from the "intl" settings.
#include "intl/intl_settings.h"

#include <cstdlib>
#include <cstring>

namespace zeb::intl {
namespace {

constexpr size_t kShortPictureLength = 16;
constexpr size_t kLongPictureLength = 32;
constexpr size_t kSuffixLength = 5;
constexpr size_t kNameLength = 15;
constexpr size_t kSeparatorLength = 4;
constexpr int kLongDateElements = 4;

const char* const kEnglishMonths[12] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
const char* const kEnglishDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

// Long-date element codes.
enum : uint8_t { kDay = 0, kDayOfWeek = 1, kMonth = 2, kYear = 3 };

bool IsDateLetter(char c) { return std::strchr("MmDdYy", c) != nullptr && c != 0; }

void CopyField(char* field, size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), text.size() < size ? text.size() : size);
}

void SetPascal(unsigned char* str, size_t capacity, const std::string& text) {
  const size_t n = text.size() < capacity ? text.size() : capacity;
  str[0] = static_cast<unsigned char>(n);
  std::memcpy(str + 1, text.data(), n);
}

bool Lookup(const SettingLookup& lookup, const char* key, std::string& value) {
  value.clear();
  return lookup && lookup(key, value);
}

bool LookupInt(const SettingLookup& lookup, const char* key, int& value) {
  std::string text;
  if (!Lookup(lookup, key, text) || text.empty()) return false;
  value = std::atoi(text.c_str());
  return true;
}

void SetBit(unsigned char& byte, unsigned char bit, bool on) {
  byte = static_cast<unsigned char>(on ? byte | bit : byte & ~bit);
}

size_t LongestRun(const std::string& picture, char lower, char upper) {
  size_t best = 0, run = 0;
  for (char c : picture) {
    run = (c == lower || c == upper) ? run + 1 : 0;
    if (run > best) best = run;
  }
  return best;
}

}  // namespace

InternationalState& State() {
  static InternationalState state = [] {
    InternationalState s;
    SetDefaults(s);
    return s;
  }();
  return state;
}

void SetDefaults(InternationalState& state) {
  DateConventions& c = state.conventions;
  c.shortPicture = "M/d/yy";
  c.longPicture = "dddd, MMMM d, yyyy";
  c.dateOrder = 0;
  c.dateSeparator = '/';
  c.timeSeparator = ':';
  c.hours24 = false;
  c.timeFormat = 0x60;
  c.morning = " AM";
  c.evening = " PM";
  c.suffix24.clear();
  c.abbreviationLength = 3;
  for (int i = 0; i < 12; ++i) c.months[i] = kEnglishMonths[i];
  for (int i = 0; i < 7; ++i) c.days[i] = kEnglishDays[i];

  Intl0Rec& i0 = state.intl0;
  std::memset(&i0, 0, sizeof i0);
  i0.decimalPt = '.';
  i0.thousSep = ',';
  i0.listSep = ';';
  i0.currSym1 = '$';
  i0.currFmt = currSymLead | currTrailingZ | currLeadingZ;
  i0.dateOrder = mdy;
  i0.dateSep = '/';
  i0.timeCycle = 0xFF;  // 12-hour clock
  i0.timeFmt = secLeadingZ | minLeadingZ;
  std::memcpy(i0.mornStr, "AM", 2);
  std::memcpy(i0.eveStr, "PM", 2);
  i0.timeSep = ':';

  Intl1Rec& i1 = state.intl1;
  std::memset(&i1, 0, sizeof i1);
  CopyNamesToIntl1(c, i1);
  i1.lngDateFmt = 0xFF;
  i1.abbrLen = 3;
  CopyField(i1.st1, sizeof i1.st1, ", ");
  CopyField(i1.st2, sizeof i1.st2, " ");
  CopyField(i1.st3, sizeof i1.st3, ", ");
}

void CopyNamesToIntl1(const DateConventions& conventions, Intl1Rec& intl1) {
  for (int i = 0; i < 7; ++i) SetPascal(intl1.days[i], kNameLength, conventions.days[i]);
  for (int i = 0; i < 12; ++i) SetPascal(intl1.months[i], kNameLength, conventions.months[i]);
}

uint8_t DateOrderOfPicture(const std::string& picture) {
  for (char c : picture) {
    if (c == 'y' || c == 'Y') return 2;
    if (c == 'd' || c == 'D') return 1;
    if (c == 'M' || c == 'm') return 0;
  }
  return 0;
}

char DateSeparatorOfPicture(const std::string& picture) {
  for (char c : picture)
    if (!IsDateLetter(c)) return c;
  return '/';
}

uint8_t ElementOrder(uint8_t lngDateFmt) {
  if (lngDateFmt == 0) return kEuropeanElementOrder;
  if (lngDateFmt == 0xFF) return kUsElementOrder;
  return lngDateFmt;
}

void ApplySettingsToConventions(const SettingLookup& lookup, DateConventions& c) {
  std::string value;
  if (Lookup(lookup, "sTime", value) && !value.empty()) c.timeSeparator = value[0];
  int number = 0;
  if (LookupInt(lookup, "iTime", number)) c.hours24 = number != 0;
  if (LookupInt(lookup, "iTLZero", number)) c.timeFormat = number ? 0xE0 : 0x60;
  if (Lookup(lookup, "s1159", value)) c.morning = value.substr(0, kSuffixLength);
  if (Lookup(lookup, "s2359", value)) c.evening = value.substr(0, kSuffixLength);
  if (Lookup(lookup, "sShortDate", value) && !value.empty())
    c.shortPicture = value.substr(0, kShortPictureLength);
  c.dateOrder = DateOrderOfPicture(c.shortPicture);
  c.dateSeparator = DateSeparatorOfPicture(c.shortPicture);
  if (Lookup(lookup, "sLongDate", value) && !value.empty())
    c.longPicture = value.substr(0, kLongPictureLength);
  c.abbreviationLength = 3;
}

void ApplySettingsToIntl0(const SettingLookup& lookup, Intl0Rec& r) {
  std::string value;
  if (Lookup(lookup, "s1159", value)) CopyField(r.mornStr, sizeof r.mornStr, value);
  if (Lookup(lookup, "s2359", value)) CopyField(r.eveStr, sizeof r.eveStr, value);
  char symbol[3] = {r.currSym1, r.currSym2, r.currSym3};
  if (Lookup(lookup, "sCurrency", value) && !value.empty()) CopyField(symbol, 3, value);
  int number = 0;
  if (LookupInt(lookup, "iCurrency", number)) {
    size_t used = 0;
    while (used < 3 && symbol[used]) ++used;
    switch (number) {
      case 0: SetBit(r.currFmt, currSymLead, true); break;
      case 1: SetBit(r.currFmt, currSymLead, false); break;
      case 2:
        if (used < 3) symbol[used] = ' ';
        SetBit(r.currFmt, currSymLead, true);
        break;
      case 3:
        symbol[2] = symbol[1];
        symbol[1] = symbol[0];
        symbol[0] = ' ';
        SetBit(r.currFmt, currSymLead, false);
        break;
      default: break;
    }
  }
  r.currSym1 = symbol[0];
  r.currSym2 = symbol[1];
  r.currSym3 = symbol[2];
  if (LookupInt(lookup, "iLZero", number)) SetBit(r.currFmt, currLeadingZ, number != 0);
  if (LookupInt(lookup, "iDigits", number)) SetBit(r.currFmt, currTrailingZ, number != 0);
  if (LookupInt(lookup, "iNegCurr", number))
    SetBit(r.currFmt, currNegSym, number != 0 && number != 4);
  if (Lookup(lookup, "sThousand", value) && !value.empty()) r.thousSep = value[0];
  if (Lookup(lookup, "sDecimal", value) && !value.empty()) r.decimalPt = value[0];
  if (Lookup(lookup, "sDate", value) && !value.empty()) r.dateSep = value[0];
  if (Lookup(lookup, "sTime", value) && !value.empty()) r.timeSep = value[0];
  if (Lookup(lookup, "sList", value) && !value.empty()) r.listSep = value[0];
  if (LookupInt(lookup, "iDate", number)) r.dateOrder = static_cast<unsigned char>(number);
  // The clock settings too, so that a time formatted from this record matches the system's.
  if (LookupInt(lookup, "iTime", number)) r.timeCycle = number ? 0 : 0xFF;
  if (LookupInt(lookup, "iTLZero", number)) SetBit(r.timeFmt, hrLeadingZ, number != 0);
  if (Lookup(lookup, "sShortDate", value) && !value.empty()) {
    r.dateOrder = DateOrderOfPicture(value);
    SetBit(r.shrtDateFmt, mntLdingZ, LongestRun(value, 'M', 'M') >= 2);
    SetBit(r.shrtDateFmt, dayLdingZ, LongestRun(value, 'd', 'd') >= 2);
    SetBit(r.shrtDateFmt, century, LongestRun(value, 'y', 'y') >= 3);
  }
}

void ApplyLongPictureToIntl1(const std::string& picture, Intl1Rec& r) {
  if (picture.empty()) return;
  uint8_t order = 0;
  bool present[4] = {false, false, false, false};
  std::string separators[5];
  int placed = 0;
  r.dayLeading0 = 0;
  size_t i = 0;
  char quote = 0;
  while (i < picture.size() && placed < kLongDateElements) {
    const char c = picture[i];
    const char lower = static_cast<char>(c | 0x20);
    if (c == '\'' || c == '"') {
      quote = quote == c ? 0 : quote ? quote : c;
      ++i;
      continue;
    }
    if (!quote && (lower == 'd' || lower == 'm' || lower == 'y' || lower == 'w')) {
      size_t run = 0;
      while (i < picture.size() && (picture[i] | 0x20) == lower) ++i, ++run;
      if (lower == 'w') continue;
      uint8_t code = kYear;
      if (lower == 'd') {
        code = run >= 3 ? kDayOfWeek : kDay;
        if (code == kDay) r.dayLeading0 = run == 2 ? 1 : 0;
      } else if (lower == 'm') {
        code = kMonth;
      }
      order = static_cast<uint8_t>(order | code << (2 * (3 - placed)));
      present[code] = true;
      ++placed;
      continue;
    }
    if (separators[placed].size() < kSeparatorLength) separators[placed] += c;
    ++i;
  }
  // The text after the last element, up to the next element or the end.
  for (; i < picture.size(); ++i) {
    const char c = picture[i];
    if (c != '\'' && c != '"' && separators[placed].size() < kSeparatorLength)
      separators[placed] += c;
  }
  // Elements the picture lacks fill the remaining pairs and are suppressed, so every pair names
  // a different element and only the absent ones are hidden.
  uint8_t suppress = 0;
  const uint8_t kFillOrder[4] = {kDayOfWeek, kDay, kMonth, kYear};
  for (uint8_t code : kFillOrder) {
    if (present[code]) continue;
    if (placed < kLongDateElements) {
      order = static_cast<uint8_t>(order | code << (2 * (3 - placed)));
      ++placed;
    }
    switch (code) {
      case kDayOfWeek: suppress |= supWeek; break;
      case kDay: if (!present[kDayOfWeek]) suppress |= supDay; break;
      case kMonth: suppress |= supMonth; break;
      default: suppress |= supYear; break;
    }
  }
  if (order == kEuropeanElementOrder) order = 0;
  else if (order == kUsElementOrder) order = 0xFF;
  r.suppressDay = suppress;
  r.lngDateFmt = order;
  char* fields[5] = {r.st0, r.st1, r.st2, r.st3, r.st4};
  for (int k = 0; k < 5; ++k) CopyField(fields[k], kSeparatorLength, separators[k]);
}

}  // namespace zeb::intl
