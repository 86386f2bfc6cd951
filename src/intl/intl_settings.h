// The international conventions: the date and time cache, the Intl0Rec and Intl1Rec images and
// how the "intl" settings fill them. Host-independent: the settings arrive through a lookup.
#ifndef ZEB_INTL_INTL_SETTINGS_H
#define ZEB_INTL_INTL_SETTINGS_H

#include <cstdint>
#include <functional>
#include <string>

#include "IntlResources.h"

namespace zeb::intl {

// The conventions that date and time formatting use.
struct DateConventions {
  std::string shortPicture;  // at most 16 bytes
  std::string longPicture;   // at most 32 bytes
  uint8_t dateOrder = 0;     // 0 month first, 1 day first, 2 year first
  char dateSeparator = '/';
  char timeSeparator = ':';
  bool hours24 = false;
  uint8_t timeFormat = 0;    // hrLeadingZ, minLeadingZ bits
  std::string morning;       // at most 5 bytes
  std::string evening;
  std::string suffix24;
  int abbreviationLength = 3;
  std::string months[12];    // each at most 15 bytes
  std::string days[7];       // Sunday first
};

// Looks a key of the "intl" section up: false when the key is absent.
using SettingLookup = std::function<bool(const char* key, std::string& value)>;

// The library's state: the cache and both images.
struct InternationalState {
  DateConventions conventions;
  Intl0Rec intl0;
  Intl1Rec intl1;
};
InternationalState& State();

// United States conventions with English names.
void SetDefaults(InternationalState& state);

// Date order and separator from a short-date picture.
uint8_t DateOrderOfPicture(const std::string& picture);
char DateSeparatorOfPicture(const std::string& picture);

// The loading steps, each on top of what the record holds (defaults or a resource's copy).
void ApplySettingsToConventions(const SettingLookup& lookup, DateConventions& conventions);
void ApplySettingsToIntl0(const SettingLookup& lookup, Intl0Rec& intl0);
// Parses a long-date picture into suppressDay, lngDateFmt, dayLeading0 and st0..st4.
void ApplyLongPictureToIntl1(const std::string& picture, Intl1Rec& intl1);
// Copies the month and weekday names into the record's Str15 tables.
void CopyNamesToIntl1(const DateConventions& conventions, Intl1Rec& intl1);

// The long-date element order: the first element sits in the most significant 2-bit pair.
// 0 stands for the European order (weekday, day, month, year), 0xFF for the US order (weekday,
// month, day, year).
constexpr uint8_t kEuropeanElementOrder = 0x4B;
constexpr uint8_t kUsElementOrder = 0x63;
uint8_t ElementOrder(uint8_t lngDateFmt);

}  // namespace zeb::intl

#endif  // ZEB_INTL_INTL_SETTINGS_H
