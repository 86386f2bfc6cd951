// The shipped declarations are compiled once per process and used again by later runs: every
// later run must give exactly what carrying the files out again would, whatever came before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rez_fixture.h"

namespace zeb::rez::testing {
namespace {

const char kString[] = "resource 'STR ' (1) { \"Hi\" };\n";

std::vector<uint8_t> HiString() { return Bytes().P("Hi"); }

TEST(ShippedDeclarations, GiveTheSameResourcesRunAfterRun) {
  for (int run = 0; run < 3; ++run) {
    const Compiled c = CompileWithTypes(kString);
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.Data("STR ", 1), HiString());
  }
}

TEST(ShippedDeclarations, MacrosDefinedFirstStillChangeWhatTheyRead) {
  // The files guard themselves: with the guard already defined they declare nothing, and the
  // run that follows, without it, declares everything again.
  for (int run = 0; run < 2; ++run) {
    const Compiled guarded = Compile("#define __TYPES_R__\n#include \"Types.r\"\n" + std::string(kString));
    EXPECT_FALSE(guarded.ok);
    EXPECT_NE(guarded.error.find("test.r:3:"), std::string::npos) << guarded.error;
    const Compiled plain = CompileWithTypes(kString);
    ASSERT_TRUE(plain.ok) << plain.error;
    EXPECT_EQ(plain.Data("STR ", 1), HiString());
  }
  // A macro that renames a field kind inside them breaks them, at the same place each time.
  const Compiled first = Compile("#define pstring nonsense\n#include \"Types.r\"\n");
  const Compiled second = Compile("#define pstring nonsense\n#include \"Types.r\"\n");
  EXPECT_FALSE(first.ok);
  EXPECT_EQ(first.error.rfind("Types.r:", 0), 0u) << first.error;
  EXPECT_EQ(second.error, first.error);
  // And the declarations read without the macro are whole again.
  const Compiled after = CompileWithTypes(kString);
  ASSERT_TRUE(after.ok) << after.error;
  EXPECT_EQ(after.Data("STR ", 1), HiString());
}

TEST(ShippedDeclarations, TokenBudgetIsCountedWhenTheyAreUsedAgain) {
  ASSERT_TRUE(CompileWithTypes(kString).ok);  // kept from here on
  RezOptions small;
  small.limits.maxTokens = 100;
  for (int run = 0; run < 2; ++run) {
    const Compiled c = Compile("#include \"Types.r\"\n" + std::string(kString), nullptr, small);
    EXPECT_FALSE(c.ok);
    EXPECT_NE(c.error.find("more tokens than one run allows"), std::string::npos) << c.error;
    EXPECT_EQ(c.error.rfind("Types.r:", 0), 0u) << c.error;
  }
}

TEST(ShippedDeclarations, AFileOfTheSameNameTakesTheirPlaceEvenOnceKept) {
  ASSERT_TRUE(CompileWithTypes(kString).ok);
  MemoryHost host;
  host.Add("Types.r", "type 'STR ' { cstring; };\n");
  const Compiled own = Compile("#include \"Types.r\"\n" + std::string(kString), &host);
  ASSERT_TRUE(own.ok) << own.error;
  EXPECT_EQ(own.Data("STR ", 1), std::vector<uint8_t>(Bytes().S("Hi").B(0)));
  EXPECT_EQ(CompileWithTypes(kString).Data("STR ", 1), HiString());
}

TEST(ShippedDeclarations, MistakesInResourcesOfTheirTypesNameTheSourceEachRun) {
  for (int run = 0; run < 2; ++run) {
    const Compiled c = CompileWithTypes("resource 'STR ' (1) { 5 };\n");
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.error, "test.r:3:23: expected a string for the pstring field, found a number");
  }
}

TEST(ShippedDeclarations, DecompilingUsesThemAgainAndStillRoundTrips) {
  resfmt::ImageResource r;
  r.type = 0x53545220;  // 'STR '
  r.id = 1;
  r.data = HiString();
  const std::string first = Decompile(r);
  const std::string second = Decompile(r);
  EXPECT_EQ(first, second);
  EXPECT_NE(first.find("resource 'STR ' (1)"), std::string::npos) << first;
}

}  // namespace
}  // namespace zeb::rez::testing
