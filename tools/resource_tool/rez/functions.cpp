// The $$ functions that need no resource under construction, and the printf-like formatting
// of $$Format and #printf.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/fork_containers.h"
#include "resources/resource_image.h"
#include "rez/expressions.h"

namespace zeb::rez {

namespace {

constexpr size_t kMaxFieldWidth = 1024;

const char* const kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                               "August", "September", "October", "November", "December"};

bool StringArg(Session& session, const Expr& call, const std::vector<Value>& args, size_t i) {
  if (args[i].isString) return true;
  return session.Fail(call.operands[i]->at, std::string("argument ") + std::to_string(i + 1) +
                                                " of $$" + FunctionName(call.function) +
                                                " must be a string");
}

Eval Failed() { return Eval::kFailed; }

// The resource a $$Resource call names, read from a resource file in any of the forms in which
// resource forks travel.
Eval ResourceFromFile(Session& session, const Expr& call, const std::vector<Value>& args, Value* out) {
  if (!StringArg(session, call, args, 0)) return Failed();
  if (args[1].isString)
    return session.Fail(call.operands[1]->at, "the resource type of $$Resource must be a number"), Failed();
  std::string path;
  std::vector<uint8_t> bytes, fork;
  if (!session.ReadSourceFile(call.at, args[0].bytes, true, &path, &bytes)) return Failed();
  resfmt::Container kind;
  std::string problem;
  resfmt::ResourceImage image;
  if (!resfmt::ExtractResourceFork(bytes, &fork, &kind, &problem) ||
      !resfmt::ReadImage(fork, &image, &problem))
    return session.Fail(call.at, path + ": " + problem), Failed();
  const uint32_t type = static_cast<uint32_t>(args[1].number);
  for (const resfmt::ImageResource& r : image.resources) {
    if (r.type != type) continue;
    const bool match = args[2].isString ? (r.named && r.name == args[2].bytes) : r.id == args[2].number;
    if (match) {
      *out = Value::String(std::string(r.data.begin(), r.data.end()));
      return Eval::kOk;
    }
  }
  return session.Fail(call.at, path + " holds no such resource"), Failed();
}

std::string TwoDigits(int v) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", v);
  return text;
}

}  // namespace

bool FormatText(Session& session, const Location& at, const std::string& format,
                const std::vector<Value>& args, std::string* out) {
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%') {
      out->push_back(c);
      continue;
    }
    if (++i >= format.size()) return session.Fail(at, "format ends inside a conversion");
    if (format[i] == '%') {
      out->push_back('%');
      continue;
    }
    std::string flags;
    while (i < format.size() && std::string("-+ #0").find(format[i]) != std::string::npos)
      flags.push_back(format[i++]);
    size_t width = 0, precision = 0;
    bool hasPrecision = false;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
      width = width * 10 + (format[i++] - '0');
    if (i < format.size() && format[i] == '.') {
      hasPrecision = true;
      ++i;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9')
        precision = precision * 10 + (format[i++] - '0');
    }
    if (width > kMaxFieldWidth || precision > kMaxFieldWidth)
      return session.Fail(at, "field width or precision in the format is too large");
    while (i < format.size() && (format[i] == 'l' || format[i] == 'h')) ++i;
    if (i >= format.size()) return session.Fail(at, "format ends inside a conversion");
    const char conversion = format[i];
    if (std::string("diuxXoc").find(conversion) == std::string::npos && conversion != 's')
      return session.Fail(at, std::string("unknown conversion %") + conversion + " in the format");
    if (next >= args.size()) return session.Fail(at, "the format has more conversions than arguments");
    const Value& arg = args[next++];
    const bool left = flags.find('-') != std::string::npos;
    std::string piece;
    if (conversion == 's' || conversion == 'c') {
      if ((conversion == 's') != arg.isString)
        return session.Fail(at, std::string("%") + conversion + " needs " +
                                    (conversion == 's' ? "a string" : "a number"));
      piece = conversion == 's' ? arg.bytes : std::string(1, static_cast<char>(arg.number));
      if (conversion == 's' && hasPrecision && piece.size() > precision) piece.resize(precision);
      if (piece.size() < width) {
        const std::string pad(width - piece.size(), ' ');
        piece = left ? piece + pad : pad + piece;
      }
    } else {
      if (arg.isString) return session.Fail(at, std::string("%") + conversion + " needs a number");
      // The alternate form has no meaning for decimal conversions.
      if (conversion == 'd' || conversion == 'i' || conversion == 'u')
        flags.erase(std::remove(flags.begin(), flags.end(), '#'), flags.end());
      std::string pattern = "%" + flags;
      if (width) pattern += std::to_string(width);
      if (hasPrecision) pattern += "." + std::to_string(precision);
      char buffer[2 * kMaxFieldWidth + 64];
      if (conversion == 'd' || conversion == 'i') {
        std::snprintf(buffer, sizeof buffer, (pattern + "ld").c_str(), static_cast<long>(arg.number));
      } else {
        std::snprintf(buffer, sizeof buffer, (pattern + "l" + conversion).c_str(),
                      static_cast<unsigned long>(static_cast<uint32_t>(arg.number)));
      }
      piece = buffer;
    }
    *out += piece;
    if (out->size() > session.limits().maxResourceBytes)
      return session.Fail(at, "formatted text longer than a resource can be");
  }
  if (next < args.size()) return session.Fail(at, "the format has fewer conversions than arguments");
  return true;
}

Eval CallGlobalFunction(Session& session, const Expr& call, const std::vector<Value>& args, Value* out) {
  const std::tm now = (call.function == Function::kDate || call.function == Function::kTime ||
                       call.function == Function::kYear || call.function == Function::kMonth ||
                       call.function == Function::kDay || call.function == Function::kHour ||
                       call.function == Function::kMinute || call.function == Function::kSecond ||
                       call.function == Function::kWeekday)
                          ? session.host().LocalTime()
                          : std::tm{};
  switch (call.function) {
    case Function::kDate: {
      const int wday = now.tm_wday >= 0 && now.tm_wday < 7 ? now.tm_wday : 0;
      const int mon = now.tm_mon >= 0 && now.tm_mon < 12 ? now.tm_mon : 0;
      *out = Value::String(std::string(kWeekdays[wday]) + ", " + kMonths[mon] + " " +
                           std::to_string(now.tm_mday) + ", " + std::to_string(now.tm_year + 1900));
      return Eval::kOk;
    }
    case Function::kTime: {
      const int hour12 = now.tm_hour % 12 == 0 ? 12 : now.tm_hour % 12;
      *out = Value::String(std::to_string(hour12) + ":" + TwoDigits(now.tm_min) + ":" +
                           TwoDigits(now.tm_sec) + (now.tm_hour < 12 ? " AM" : " PM"));
      return Eval::kOk;
    }
    case Function::kYear: *out = Value::Number(now.tm_year + 1900); return Eval::kOk;
    case Function::kMonth: *out = Value::Number(now.tm_mon + 1); return Eval::kOk;
    case Function::kDay: *out = Value::Number(now.tm_mday); return Eval::kOk;
    case Function::kHour: *out = Value::Number(now.tm_hour); return Eval::kOk;
    case Function::kMinute: *out = Value::Number(now.tm_min); return Eval::kOk;
    case Function::kSecond: *out = Value::Number(now.tm_sec); return Eval::kOk;
    // The Macintosh numbers the days of the week from Sunday = 1.
    case Function::kWeekday: *out = Value::Number(now.tm_wday + 1); return Eval::kOk;
    case Function::kVersion: *out = Value::String("V1.0"); return Eval::kOk;
    case Function::kFormat: {
      if (!StringArg(session, call, args, 0)) return Failed();
      std::string text;
      if (!FormatText(session, call.at, args[0].bytes,
                      std::vector<Value>(args.begin() + 1, args.end()), &text))
        return Failed();
      *out = Value::String(std::move(text));
      return Eval::kOk;
    }
    case Function::kShell: {
      if (!StringArg(session, call, args, 0)) return Failed();
      std::string value;
      if (!session.host().Environment(args[0].bytes, &value)) value.clear();
      *out = Value::String(std::move(value));
      return Eval::kOk;
    }
    case Function::kRead: {
      if (!StringArg(session, call, args, 0)) return Failed();
      std::string path;
      std::vector<uint8_t> bytes;
      if (!session.ReadSourceFile(call.at, args[0].bytes, true, &path, &bytes)) return Failed();
      if (bytes.size() > session.limits().maxResourceBytes)
        return session.Fail(call.at, path + " is larger than a resource can be"), Failed();
      *out = Value::String(std::string(bytes.begin(), bytes.end()));
      return Eval::kOk;
    }
    case Function::kResource:
      return ResourceFromFile(session, call, args, out);
    default:
      break;
  }
  session.Fail(call.at, std::string("$$") + FunctionName(call.function) + " is not available here");
  return Eval::kFailed;
}

}  // namespace zeb::rez
