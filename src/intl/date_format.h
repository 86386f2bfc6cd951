// Date and time text from the international conventions. Host-independent.
#ifndef ZEB_INTL_DATE_FORMAT_H
#define ZEB_INTL_DATE_FORMAT_H

#include <cstdint>
#include <string>

#include "IntlResources.h"
#include "OSUtils.h"
#include "intl/intl_settings.h"

namespace zeb::intl {

enum DateFormKind { kShortForm = 0, kLongForm = 1, kAbbreviatedForm = 2 };

struct NameTables {
  std::string months[12];
  std::string days[7];
};
NameTables NamesOf(const DateConventions& conventions);
NameTables NamesOf(const Intl1Rec& record);
// The twelve month and seven day names where they already stand.
struct NameView {
  const std::string* months;
  const std::string* days;
};

// Expands a Windows date picture: MMMM, MMM, MM, M; dddd, ddd, dd, d; yyyy, yy; quoted text.
std::string ExpandDatePicture(const std::string& picture, const DateTimeRec& date,
                              const NameTables& names, int abbreviationLength);
// Shortens runs of four month or day letters to three, for the abbreviated form.
std::string AbbreviatePicture(const std::string& picture);
// Removes from a long picture the elements that suppressDay names, each with the text that
// follows it up to the next element.
std::string SuppressElements(const std::string& picture, uint8_t suppressDay);

// IUDateString: the short or long picture of the conventions; `ownIntl1` is the library's copy
// of its Intl1Rec when the application has fetched one (its suppressDay applies to long forms).
std::string FormatDate(const DateTimeRec& date, int form, const DateConventions& conventions,
                       const Intl1Rec* ownIntl1);
// The same, appended to out: a caller that keeps out between calls allocates nothing.
void AppendDate(std::string& out, const DateTimeRec& date, int form,
                const DateConventions& conventions, const Intl1Rec* ownIntl1);
// IULDateString with an Intl1Rec: the long picture built from the record's elements.
std::string LongPictureOfIntl1(const Intl1Rec& record);
std::string FormatDateWithIntl1(const DateTimeRec& date, int form,
                                const DateConventions& conventions, const Intl1Rec& record);

struct TimeStyle {
  char separator = ':';
  uint8_t format = 0;  // hrLeadingZ (0x80), minLeadingZ (0x40)
  bool hours24 = false;
  std::string morning, evening, suffix24;
};
TimeStyle TimeStyleOf(const DateConventions& conventions);
TimeStyle TimeStyleOf(const Intl0Rec& record);
std::string FormatTime(int hour, int minute, int second, bool wantSeconds, const TimeStyle& style);

}  // namespace zeb::intl

#endif  // ZEB_INTL_DATE_FORMAT_H
