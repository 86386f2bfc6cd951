// The demo's utilities piece: today's date and time in the system's conventions, a decimal
// conversion and Fixed-point results.
#include <cstdio>
#include <string>

#include "FixMath.h"
#include "OSUtils.h"
#include "Packages.h"
#include "SANE.h"
#include "ToolUtils.h"
#include "demo.h"

namespace {

std::string Text(const Str255 s) { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }

}  // namespace

void ShowUtilities() {
  Heading("International Utilities, decimal conversion, Fixed arithmetic");
  unsigned long now = 0;
  GetDateTime(&now);
  Str255 shortText, longText, timeText;
  IUDateString(static_cast<long>(now), shortDate, shortText);
  IUDateString(static_cast<long>(now), longDate, longText);
  IUTimeString(static_cast<long>(now), true, timeText);
  Say("Now: %s  |  %s  |  %s", Text(shortText).c_str(), Text(longText).c_str(),
      Text(timeText).c_str());

  const unsigned char input[] = "\x0E  -0012.3400e2";
  short index = 1;
  decimal d;
  Boolean valid = 0;
  Str2Dec(input, &index, &d, &valid);
  const decform twoPlaces = {FIXEDDECIMAL, 0, 2};
  const decform floating = {FLOATDECIMAL, 0, 0};
  char fixedText[DECSTROUTLEN], floatText[DECSTROUTLEN];
  dec2str(&twoPlaces, &d, fixedText);
  dec2str(&floating, &d, floatText);
  Say("Str2Dec(\"  -0012.3400e2\"): fixed %s, floating %s, %s prefix", fixedText, floatText,
      valid == 2 ? "a valid" : "no valid");

  Say("FixMul(1.5, 2.0) = %.4f   FixDiv(1.0, 3.0) = 0x%04lX   FixRatio(22, 7) = %.5f   "
      "FracSqrt(2.0) = %.6f",
      Fix2X(FixMul(0x18000, 0x20000)), static_cast<unsigned long>(FixDiv(0x10000, 0x30000)),
      Fix2X(FixRatio(22, 7)), Frac2X(FracSqrt(static_cast<long>(0x80000000u))));
}
