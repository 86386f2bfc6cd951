// Text conversion between the Macintosh and Windows character sets.
#include "quickdraw/text_conversion.h"

#include "quickdraw/character_sets.h"

namespace zeb::quickdraw {
namespace {

constexpr uint8_t kEllipsis = 0xC9;
constexpr uint8_t kTradeMark = 0xAA;
constexpr uint8_t kLeftDoubleQuote = 0xD2;
constexpr uint8_t kRightDoubleQuote = 0xD3;
constexpr uint8_t kSpace = 0x20;
constexpr uint8_t kReturn = 13;
constexpr uint8_t kLineFeed = 10;
// The command-key sign (Macintosh 18) has no Windows character: the right guillemet stands in.
constexpr uint8_t kCommandKey = 18;
constexpr uint8_t kCommandKeyStandIn = 0xBB;

void MarkLeadRange(LeadByteTable* table, int first, int last) {
  for (int b = first; b <= last; ++b) table->lead[b] = true;
}

// a / b rounded to the nearest integer, halves away from zero; b > 0.
int64_t RoundedQuotient(int64_t a, int64_t b) {
  return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

// The running sum of Fixed widths and the device position it has reached.
class AdvanceSum {
 public:
  AdvanceSum(int32_t num, int32_t den) : num_(num), den_(den > 0 ? den : 1) {
    if (den <= 0) num_ = 1;
  }
  // Adds a width and returns the advance that brings the rounded position up to the new sum.
  int32_t Add(int64_t fixedWidth) {
    sum_ += fixedWidth;
    const int64_t position = RoundedQuotient(sum_ * num_, static_cast<int64_t>(den_) << 16);
    const int64_t advance = position - position_;
    position_ = position;
    return static_cast<int32_t>(advance);
  }
  int32_t Position() const { return static_cast<int32_t>(position_); }

 private:
  int64_t num_, den_;
  int64_t sum_ = 0;
  int64_t position_ = 0;
};

}  // namespace

bool LeadBytesForCountry(int country, LeadByteTable* table) {
  for (bool& b : table->lead) b = false;
  switch (country) {
    case 81:  // Japan: Shift-JIS (code page 932)
      MarkLeadRange(table, 0x81, 0x9F);
      MarkLeadRange(table, 0xE0, 0xFC);
      return true;
    case 82:  // Korea: code page 949
    case 86:  // China: code page 936
      MarkLeadRange(table, 0x81, 0xFE);
      return true;
    default:
      return false;
  }
}

MacToWindowsResult MacToWindowsText(const uint8_t* src, int32_t count, uint8_t* dst,
                                    int32_t* advances, const MacToWindowsOptions& options) {
  MacToWindowsResult result;
  if (count <= 0 || !src || !dst) return result;
  const uint16_t flags = options.flags;
  const bool raw = flags & kConvertRaw;
  const bool table = options.tableConversion && !(flags & kConvertDoubleByte);
  const bool withAdvances = (flags & kConvertAdvances) && advances && options.widths;
  AdvanceSum sum(options.scaleNum, options.scaleDen);
  int32_t out = 0;

  // Writes the n bytes one source character becomes, sharing its width among them.
  auto emit = [&](const uint8_t* bytes, int32_t n, uint8_t source, bool convert) {
    int64_t width = 0;
    if (withAdvances) {
      width = options.widths[source];
      if (source == kSpace) width += options.spaceExtra;
    }
    for (int32_t j = 0; j < n; ++j) {
      uint8_t c = bytes[j];
      if (options.passwordEcho)
        c = '*';
      else if (convert)
        c = MacToWindowsChar(c);
      dst[out] = c;
      if (withAdvances) advances[out] = sum.Add(width * (j + 1) / n - width * j / n);
      ++out;
    }
  };

  static const uint8_t kDots[] = {'.', '.', '.'};
  static const uint8_t kTm[] = {'(', 't', 'm', ')'};
  static const uint8_t kQuote[] = {'"'};
  const bool plainCopies = !withAdvances && !options.passwordEcho;
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t c = src[i];
    if (c == kSpace) ++result.spaces;
    // Printable ASCII is the same in both sets: most text takes only this test.
    if (plainCopies && c >= kSpace && c < 0x80) {
      dst[out++] = c;
      continue;
    }
    if (options.leadBytes && options.leadBytes->lead[c]) {
      // A lead byte and its trail byte are one character, taken as they are; a lead byte in
      // the last position has no trail byte to take and goes alone.
      const int32_t n = i + 1 < count ? 2 : 1;
      emit(src + i, n, c, false);
      i += n - 1;
      continue;
    }
    if ((flags & kConvertDropLineEnds) && (c == kReturn || c == kLineFeed)) continue;
    if (c == kCommandKey) {
      emit(&kCommandKeyStandIn, 1, c, false);
    } else if (!raw && c == kEllipsis) {
      emit(kDots, 3, c, false);
    } else if (!raw && c == kTradeMark) {
      emit(kTm, 4, c, false);
    } else if (!raw && (c == kLeftDoubleQuote || c == kRightDoubleQuote)) {
      emit(kQuote, 1, c, false);
    } else {
      emit(&c, 1, c, table);
    }
  }
  result.written = out;
  result.totalAdvance = withAdvances ? sum.Position() : 0;
  return result;
}

int32_t WindowsToMacText(const uint8_t* src, int32_t count, uint8_t* dst, bool tableConversion) {
  if (count <= 0 || !src || !dst) return 0;
  int32_t i = 0;
  for (; i < count && src[i] != 0; ++i) dst[i] = tableConversion ? WindowsToMacChar(src[i]) : src[i];
  return i;
}

}  // namespace zeb::quickdraw
