// The international records on Windows: filled from the application's 'INTL' resources, the
// "intl" section of the Windows settings and the locale's names, and the formatting calls.
#include <windows.h>

#include <cstring>
#include <string>

#include "MacMemory.h"
#include "Packages.h"
#include "intl/date_format.h"
#include "intl/intl_internal.h"
#include "intl/intl_settings.h"
#include "intl/long_dates.h"
#include "memory/memory_internal.h"
#include "resources/resources_internal.h"

namespace zeb::intl {
namespace {

constexpr ResType kIntlType = ZEB_FOURCC('I', 'N', 'T', 'L');
constexpr size_t kNameLength = 15;
constexpr size_t kResultLength = 255;

bool loaded = false;
// The library's own copies handed out by GetIntlResource(0) and (1): made once and reused.
Handle ownIntl0 = nullptr;
Handle ownIntl1 = nullptr;

// A profile value, or false when the key is absent. The default is a text no setting holds.
bool ReadProfile(const char* key, std::string& value) {
  static const char kAbsent[] = "\x01\x02";
  char buffer[256];
  GetProfileStringA("intl", key, kAbsent, buffer, sizeof buffer);
  if (std::strcmp(buffer, kAbsent) == 0) return false;
  value = buffer;
  return true;
}

bool LocaleText(LCTYPE type, std::string& value) {
  char buffer[80];
  if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, type, buffer, sizeof buffer) <= 1) return false;
  value.assign(buffer, std::strlen(buffer) < kNameLength ? std::strlen(buffer) : kNameLength);
  return true;
}

void ReadLocaleNames(DateConventions& c) {
  std::string name;
  for (int m = 0; m < 12; ++m)
    if (LocaleText(LOCALE_SMONTHNAME1 + m, name)) c.months[m] = name;
  // The Toolbox's weeks begin on Sunday, the locale's on Monday.
  if (LocaleText(LOCALE_SDAYNAME7, name)) c.days[0] = name;
  for (int d = 0; d < 6; ++d)
    if (LocaleText(LOCALE_SDAYNAME1 + d, name)) c.days[d + 1] = name;
}

// The application's 'INTL' resource over the record, as far as the resource reaches.
bool CopyIntlResource(short id, void* record, size_t size) {
  Handle h = resources::GetResourceForManager(kIntlType, id);
  const long available = memory::LiveHandleSize(h);
  if (available <= 0 || !*h) return false;
  std::memcpy(record, *h, static_cast<size_t>(available) < size ? available : size);
  return true;
}

void RefreshOwnCopy(Handle h, const void* record, size_t size) {
  if (memory::LiveHandleSize(h) == static_cast<long>(size) && *h) std::memcpy(*h, record, size);
}

Handle OwnCopy(Handle& h, const void* record, size_t size) {
  if (memory::LiveHandleSize(h) != static_cast<long>(size)) {
    h = nullptr;
    if (PtrToHand(record, &h, static_cast<long>(size)) != noErr) h = nullptr;
  }
  return h;
}

void Load() {
  InternationalState& state = State();
  // Every load starts from the built-in values, so that a reload does not apply a setting
  // (a currency blank, say) on top of its own earlier result.
  SetDefaults(state);
  const SettingLookup lookup = ReadProfile;
  ApplySettingsToConventions(lookup, state.conventions);
  ReadLocaleNames(state.conventions);
  CopyIntlResource(0, &state.intl0, sizeof state.intl0);
  ApplySettingsToIntl0(lookup, state.intl0);
  if (!CopyIntlResource(1, &state.intl1, sizeof state.intl1))
    CopyNamesToIntl1(state.conventions, state.intl1);
  std::string longPicture;
  if (ReadProfile("sLongDate", longPicture) && !longPicture.empty())
    ApplyLongPictureToIntl1(longPicture, state.intl1);
  RefreshOwnCopy(ownIntl0, &state.intl0, sizeof state.intl0);
  RefreshOwnCopy(ownIntl1, &state.intl1, sizeof state.intl1);
  loaded = true;
}

InternationalState& Loaded() {
  if (!loaded) Load();
  return State();
}

void ToResult(const std::string& text, Str255 result) {
  if (!result) return;
  const size_t n = text.size() < kResultLength ? text.size() : kResultLength;
  result[0] = static_cast<unsigned char>(n);
  std::memcpy(result + 1, text.data(), n);
}

const Intl1Rec* OwnIntl1() {
  if (memory::LiveHandleSize(ownIntl1) != static_cast<long>(sizeof(Intl1Rec)) || !*ownIntl1)
    return nullptr;
  return reinterpret_cast<const Intl1Rec*>(*ownIntl1);
}

DateTimeRec ShortRecord(const LongDateRec& l) {
  DateTimeRec d{};
  d.year = l.ld.year;
  d.month = l.ld.month;
  d.day = l.ld.day;
  d.hour = l.ld.hour;
  d.minute = l.ld.minute;
  d.second = l.ld.second;
  d.dayOfWeek = l.ld.dayOfWeek;
  return d;
}

DateTimeRec DateOfToolboxSeconds(long seconds) {
  return ShortRecord(LongDateOfSeconds(static_cast<int64_t>(static_cast<uint32_t>(seconds))));
}

template <typename Record>
const Record* RecordIn(Handle h) {
  if (memory::LiveHandleSize(h) < static_cast<long>(sizeof(Record)) || !*h) return nullptr;
  return reinterpret_cast<const Record*>(*h);
}

}  // namespace

void SetUpInternationalResources() { Load(); }

// The reload follows a Windows settings message, between two of the application's own calls:
// reading 'INTL' through the chain must not change the ResError those calls left.
void ReloadInternationalSettings() {
  const OSErr kept = resources::CurrentResError();
  Load();
  resources::RestoreResError(kept);
}

}  // namespace zeb::intl

using namespace zeb::intl;

extern "C" {

Handle ZEBAPI GetIntlResource(short theID) {
  InternationalState& state = Loaded();
  if (Handle h = zeb::resources::GetResourceForManager(kIntlType, theID)) return h;
  if (theID == 0) return OwnCopy(ownIntl0, &state.intl0, sizeof state.intl0);
  if (theID == 1) return OwnCopy(ownIntl1, &state.intl1, sizeof state.intl1);
  return nullptr;
}

Handle ZEBAPI IUGetIntl(short theID) { return GetIntlResource(theID); }

void ZEBAPI IUDateString(long dateTime, DateForm longFlag, Str255 result) {
  const InternationalState& state = Loaded();
  // One text kept between calls (the library runs on one thread): formatting a date allocates
  // nothing once it has grown to the longest date.
  static std::string text;
  text.clear();
  AppendDate(text, DateOfToolboxSeconds(dateTime), longFlag, state.conventions, OwnIntl1());
  ToResult(text, result);
}

void ZEBAPI IUDatePString(long dateTime, DateForm longFlag, Str255 result, Handle) {
  IUDateString(dateTime, longFlag, result);
}

void ZEBAPI IUTimeString(long dateTime, Boolean wantSeconds, Str255 result) {
  const InternationalState& state = Loaded();
  const DateTimeRec d = DateOfToolboxSeconds(dateTime);
  ToResult(FormatTime(d.hour, d.minute, d.second, wantSeconds != 0,
                      TimeStyleOf(state.conventions)),
           result);
}

void ZEBAPI IUTimePString(long dateTime, Boolean wantSeconds, Str255 result, Handle) {
  IUTimeString(dateTime, wantSeconds, result);
}

void ZEBAPI IULDateString(const LongDateTime* dateTime, DateForm longFlag, Str255 result,
                          Handle intlHandle) {
  if (!dateTime) return;
  const InternationalState& state = Loaded();
  const DateTimeRec d = ShortRecord(LongDateOfSeconds(*dateTime));
  const Intl1Rec* record = RecordIn<Intl1Rec>(intlHandle);
  ToResult(record ? FormatDateWithIntl1(d, longFlag, state.conventions, *record)
                  : FormatDate(d, longFlag, state.conventions, nullptr),
           result);
}

void ZEBAPI IULTimeString(const LongDateTime* dateTime, Boolean wantSeconds, Str255 result,
                          Handle intlHandle) {
  if (!dateTime) return;
  const InternationalState& state = Loaded();
  const DateTimeRec d = ShortRecord(LongDateOfSeconds(*dateTime));
  const Intl0Rec* record = RecordIn<Intl0Rec>(intlHandle);
  ToResult(FormatTime(d.hour, d.minute, d.second, wantSeconds != 0,
                      record ? TimeStyleOf(*record) : TimeStyleOf(state.conventions)),
           result);
}

}  // extern "C"
