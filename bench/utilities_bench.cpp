// Toolbox utilities: unpacking run-length data against copying it, date text against the
// host's date formatting, and ordering strings against the host's case-blind comparison.
#include <cstring>
#include <vector>

#include "Packages.h"
#include "TextUtils.h"
#include "ToolUtils.h"
#include "bench.h"

namespace zebbench {
namespace {

volatile char g_sink;

}  // namespace

void RunUtilitiesBenchmarks() {
  // A 1 KB scan line of runs and literals, packed once.
  std::vector<unsigned char> line(1024);
  for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<unsigned char>((i / 37) % 3 ? i : 0);
  std::vector<unsigned char> packed(line.size() * 2);
  Ptr src = reinterpret_cast<Ptr>(line.data());
  Ptr dst = reinterpret_cast<Ptr>(packed.data());
  PackBits(&src, &dst, static_cast<short>(line.size()));
  std::vector<unsigned char> out(line.size());
  const double unpack = NanosecondsPerOp(20000, [&](long n) {
    for (long i = 0; i < n; ++i) {
      Ptr s = reinterpret_cast<Ptr>(packed.data());
      Ptr d = reinterpret_cast<Ptr>(out.data());
      UnpackBits(&s, &d, static_cast<short>(out.size()));
      g_sink = out[i & 1023];
    }
  });
  const double copy = NanosecondsPerOp(20000, [&](long n) {
    for (long i = 0; i < n; ++i) {
      std::memcpy(out.data(), line.data(), line.size());
      g_sink = out[i & 1023];
    }
  });
  Report("UnpackBits 1 KB line vs memcpy", unpack, copy);

  Str255 text;
  const double date = NanosecondsPerOp(20000, [&](long n) {
    for (long i = 0; i < n; ++i) {
      IUDateString(3029529600L + i * 86400L, shortDate, text);
      g_sink = static_cast<char>(text[1]);
    }
  });
  SYSTEMTIME when{};
  when.wYear = 2000;
  when.wMonth = 1;
  when.wDay = 1;
  char hostText[64];
  const double hostDate = NanosecondsPerOp(20000, [&](long n) {
    for (long i = 0; i < n; ++i) {
      GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, hostText,
                     sizeof hostText);
      g_sink = hostText[0];
    }
  });
  Report("IUDateString short vs GetDateFormatA", date, hostDate);

  const unsigned char a[] = "\x16The quick brown fox ju";
  const unsigned char b[] = "\x16THE QUICK BROWN FOX JU";
  const double rel = NanosecondsPerOp(200000, [&](long n) {
    for (long i = 0; i < n; ++i) g_sink = static_cast<char>(RelString(a, b, false, false));
  });
  const double host = NanosecondsPerOp(200000, [&](long n) {
    for (long i = 0; i < n; ++i)
      g_sink = static_cast<char>(lstrcmpiA("The quick brown fox ju", "THE QUICK BROWN FOX JU"));
  });
  Report("RelString (case blind) vs lstrcmpiA", rel, host);
}

}  // namespace zebbench
