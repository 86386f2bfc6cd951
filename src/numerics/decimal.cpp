// Decimal records: scanning text into them, printing them, and converting to and from the
// host's double.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SANE.h"

namespace zeb::numerics {
namespace {

constexpr int kMaxDigits = SIGDIGLEN;
// The exponent field is 16 bits: values beyond these already overflow or underflow every
// floating format, so holding them here loses nothing and keeps the field from wrapping.
constexpr int kLargestExponent = 32767;
// The exponent part of the text stops before the digit that would reach this value.
constexpr int kExponentTextLimit = 32768;
// dec2str writes fixed notation only below 21 integral digits and above this exponent.
constexpr int kFixedIntegralDigits = 21;
constexpr int kFixedLowestExponent = -19;
// Fixed notation pads with zeros up to this many characters.
constexpr size_t kPaddedLength = 20;

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

short ClampExponent(long e) {
  if (e > kLargestExponent) return kLargestExponent;
  if (e < -kLargestExponent) return -kLargestExponent;
  return static_cast<short>(e);
}

void SetDigits(decimal* d, const char* text, size_t n) {
  if (n > kMaxDigits) n = kMaxDigits;
  d->sig.length = static_cast<unsigned char>(n);
  std::memcpy(d->sig.text, text, n);
}

// Carries one into the text's last digit, over '.' and '-', inserting a 1 when the carry
// leaves the first digit.
void RoundUp(std::string& text) {
  for (size_t i = text.size(); i-- > 0;) {
    if (text[i] == '.' || text[i] == '-') continue;
    if (text[i] != '9') {
      ++text[i];
      return;
    }
    text[i] = '0';
  }
  text.insert(text[0] == '-' ? 1 : 0, 1, '1');
}

}  // namespace

short ScanDecimal(ConstStr255Param s, short* index, decimal* d, Boolean* validPrefix) {
  decimal result{};
  result.sig.length = 1;
  result.sig.text[0] = '0';
  const int length = s ? s[0] : 0;
  const int start = index ? *index : 1;
  int pos = start < 1 ? 1 : start;
  auto at = [&](int p) { return p <= length ? s[p] : 0; };

  while (pos <= length && at(pos) <= ' ') ++pos;
  if (at(pos) == '-') {
    result.sgn = 1;
    ++pos;
  } else if (at(pos) == '+') {
    ++pos;
  }

  char digits[kMaxDigits];
  int stored = 0;
  long exponent = 0;
  bool anyDigit = false, afterPoint = false, ignoreRest = false;
  for (; pos <= length; ++pos) {
    const int c = at(pos);
    if (c == '.' && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (!IsDigit(c)) break;
    anyDigit = true;
    if (ignoreRest) continue;
    if (c == '0' && stored == 0) {
      if (afterPoint) --exponent;
      continue;
    }
    if (stored < kMaxDigits) {
      digits[stored++] = static_cast<char>(c);
      if (afterPoint) --exponent;
    } else if (!afterPoint) {
      ++exponent;
    } else {
      ignoreRest = true;
    }
  }

  Boolean prefix = 0;
  if (anyDigit) prefix = stored > 0 ? 2 : 1;
  if (!anyDigit) {
    // Nothing numeric: no character is taken.
    if (d) *d = result;
    if (validPrefix) *validPrefix = 0;
    if (index) *index = static_cast<short>(start);
    return static_cast<short>(start);
  }
  while (stored > 1 && digits[stored - 1] == '0') {
    --stored;
    ++exponent;
  }
  if (stored > 0) SetDigits(&result, digits, static_cast<size_t>(stored));

  if (at(pos) == 'e' || at(pos) == 'E') {
    int p = pos + 1;
    bool negative = false;
    if (at(p) == '-' || at(p) == '+') negative = at(p++) == '-';
    long value = 0;
    int count = 0;
    while (p <= length && IsDigit(at(p)) && value * 10 + (at(p) - '0') < kExponentTextLimit) {
      value = value * 10 + (at(p) - '0');
      ++p;
      ++count;
    }
    if (count > 0) {
      exponent += negative ? -value : value;
      pos = p;
    }
  }
  result.exp = ClampExponent(exponent);
  if (d) *d = result;
  if (validPrefix) *validPrefix = prefix;
  if (index) *index = static_cast<short>(pos);
  return static_cast<short>(pos);
}

std::string FormatDecimal(const decform* f, const decimal& d) {
  std::string text;
  if (d.sgn) text += '-';
  // A record holds at most SIGDIGLEN digits, whatever its length byte says.
  size_t len = d.sig.length > kMaxDigits ? kMaxDigits : d.sig.length;
  std::string sig(reinterpret_cast<const char*>(d.sig.text), len);
  if (sig.empty()) sig = "0";
  if (sig[0] == 'I') return text + "INF";
  if (sig[0] == 'N') return text + "NAN";
  // Zero is zero whatever its exponent: 0 x 10^3 prints as 0 (and its requested fractional
  // digits), never as a row of zeros before the point.
  long exp = d.exp;
  if (sig.find_first_not_of('0') == std::string::npos) {
    sig = "0";
    exp = 0;
  }

  const long n = static_cast<long>(sig.size()) + exp;
  const bool fixed = n < kFixedIntegralDigits && exp >= kFixedLowestExponent &&
                     (!f || f->style == FIXEDDECIMAL);
  if (!fixed) {
    text += sig[0];
    if (sig.size() > 1) text += '.' + sig.substr(1);
    text += 'e';
    if (n - 1 >= 0) text += '+';
    text += std::to_string(n - 1);
    return text;
  }

  if (n > 0) {
    const size_t whole = static_cast<size_t>(n);
    text += sig.substr(0, whole);
    if (sig.size() < whole) text.append(whole - sig.size(), '0');
    text += '.';
    if (sig.size() > whole) text += sig.substr(whole);
  } else {
    text += "0.";
    text.append(static_cast<size_t>(-n), '0');
    text += sig;
  }
  const size_t point = text.find('.');
  if (f) {
    const size_t wanted = f->digits > 0 ? static_cast<size_t>(f->digits) : 0;
    size_t fraction = text.size() - point - 1;
    while (fraction < wanted && text.size() < kPaddedLength) {
      text += '0';
      ++fraction;
    }
    if (fraction > wanted) {
      const char dropped = text[point + 1 + wanted];
      text.resize(point + 1 + wanted);
      if (dropped >= '5') RoundUp(text);
    }
  } else {
    while (text.back() == '0' && text.size() > point + 1) text.pop_back();
  }
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace zeb::numerics

using namespace zeb::numerics;

extern "C" {

short ZEBAPI Str2Dec(ConstStr255Param s, short* index, decimal* d, Boolean* validPrefix) {
  return ScanDecimal(s, index, d, validPrefix);
}

short ZEBAPI str2dec(ConstStr255Param s, short* index, decimal* d, Boolean* validPrefix) {
  return ScanDecimal(s, index, d, validPrefix);
}

short ZEBAPI dec2str(const decform* f, const decimal* d, char* s) {
  if (!d || !s) return 0;
  std::string text = FormatDecimal(f, *d);
  if (text.size() > DECSTROUTLEN - 1) text.resize(DECSTROUTLEN - 1);
  std::memcpy(s, text.c_str(), text.size() + 1);
  return static_cast<short>(text.size());
}

void ZEBAPI num2dec(const decform* f, double x, decimal* d) {
  if (!d) return;
  decimal result{};
  result.sgn = std::signbit(x) ? 1 : 0;
  if (std::isnan(x)) {
    SetDigits(&result, "N", 1);
  } else if (std::isinf(x)) {
    SetDigits(&result, "I", 1);
  } else if (x == 0) {
    SetDigits(&result, "0", 1);
  } else {
    // Significant digits wanted: the format's count in floating style; in fixed style those
    // that reach `digits` places after the point.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kMaxDigits - 1, std::fabs(x));
    const int magnitude = std::atoi(std::strchr(buffer, 'e') + 1);
    int wanted = kMaxDigits;
    if (f && f->style == FIXEDDECIMAL)
      wanted = magnitude + 1 + f->digits;
    else if (f)
      wanted = f->digits;
    if (wanted < 1) wanted = 1;
    if (wanted > kMaxDigits) wanted = kMaxDigits;
    std::snprintf(buffer, sizeof buffer, "%.*e", wanted - 1, std::fabs(x));
    std::string digits;
    for (const char* p = buffer; *p && *p != 'e'; ++p)
      if (IsDigit(*p)) digits += *p;
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    long exp = exponent - static_cast<long>(digits.size()) + 1;
    while (digits.size() > 1 && digits.back() == '0') {
      digits.pop_back();
      ++exp;
    }
    SetDigits(&result, digits.data(), digits.size());
    result.exp = static_cast<short>(exp);
  }
  *d = result;
}

double ZEBAPI dec2num(const decimal* d) {
  if (!d) return 0;
  const size_t len = d->sig.length > SIGDIGLEN ? SIGDIGLEN : d->sig.length;
  const double sign = d->sgn ? -1.0 : 1.0;
  if (len > 0 && d->sig.text[0] == 'I') return sign * HUGE_VAL;
  if (len > 0 && d->sig.text[0] == 'N') return std::copysign(std::nan(""), sign);
  std::string text(reinterpret_cast<const char*>(d->sig.text), len);
  for (char c : text)
    if (!IsDigit(c)) return std::nan("");
  if (text.empty()) text = "0";
  text += 'e' + std::to_string(d->exp);
  return sign * std::strtod(text.c_str(), nullptr);
}

}  // extern "C"
