// The preprocessor: macros with and without arguments, conditionals, includes, #printf and the
// limits that keep hostile sources from expanding without end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rez_fixture.h"

namespace zeb::rez::testing {
namespace {

// The bytes of 'TEST' 1 made of one longint per value given.
Compiled Longs(const std::string& prelude, const std::string& values, MemoryHost* host = nullptr,
               RezOptions options = RezOptions()) {
  return Compile(prelude + "\ntype 'TEST' { array { longint; }; };\nresource 'TEST' (1) { { " + values + " } };\n",
                 host, options);
}

std::vector<uint8_t> LongBytes(std::initializer_list<uint32_t> values) {
  Bytes b;
  for (uint32_t v : values) b.L(v);
  return b;
}

struct MacroCase {
  const char* what;
  std::string prelude;
  std::string values;
  std::vector<uint32_t> expected;
};

class Macros : public ::testing::TestWithParam<MacroCase> {};

TEST_P(Macros, ExpandAsInC) {
  const MacroCase& c = GetParam();
  const Compiled compiled = Longs(c.prelude, c.values);
  ASSERT_TRUE(compiled.ok) << compiled.error;
  Bytes b;
  for (uint32_t v : c.expected) b.L(v);
  EXPECT_EQ(compiled.Data("TEST", 1), std::vector<uint8_t>(b));
}

const MacroCase kMacroCases[] = {
    {"ObjectLike", "#define kSize 512 * 1024", "kSize, kSize + 1", {512 * 1024, 512 * 1024 + 1}},
    {"NestedAndDefinedAfterUse", "#define A B + 1\n#define B 10", "A", {11}},
    {"WithArguments", "#define K(a, b) ((a) * 1024 + (b))", "K(1, 2), K(K(0, 1), 3)", {1026, 1027}},
    {"ArgumentsWithParenthesesAndCommas", "#define FIRST(x, y) x\n#define PAIR(a, b) a + b", "FIRST(PAIR(1, 2), 3)", {3}},
    {"NoArgumentsTakeEmptyParentheses", "#define ZERO() 0", "ZERO() + 5", {5}},
    {"NameWithoutParenthesesStaysAName", "#define f(x) x\n#define g 3", "g", {3}},
    {"Undefine", "#define N 1\n#undef N\n#define N 2", "N", {2}},
    {"ContinuedLines", "#define LONG 1 + \\\n 2 + \\\r\n 3", "LONG", {6}},
    {"CaseMattersForMacros", "#define up 1\n#define UP 2", "up, UP", {1, 2}},
    {"PredefinedForTheCompiler", "", "Rez", {1}},
    {"StringsAndTypes", "#define kType 'ABCD'", "kType, kType == 'ABCD'", {0x41424344, 1}},
};

INSTANTIATE_TEST_SUITE_P(Rez, Macros, ::testing::ValuesIn(kMacroCases),
                         [](const ::testing::TestParamInfo<MacroCase>& info) { return info.param.what; });

struct ConditionCase {
  const char* what;
  std::string text;
  uint32_t expected;
};

TEST(Conditionals, ChooseOneBranch) {
  const ConditionCase cases[] = {
      {"IfTrue", "#if 1\n#define V 1\n#else\n#define V 2\n#endif", 1},
      {"IfFalse", "#if 2 > 3\n#define V 1\n#else\n#define V 2\n#endif", 2},
      {"ElifChain", "#if 0\n#define V 1\n#elif 0\n#define V 2\n#elif 1\n#define V 3\n#elif 1\n#define V 4\n#endif", 3},
      {"Ifdef", "#define Y\n#ifdef Y\n#define V 5\n#endif", 5},
      {"Ifndef", "#ifndef Y\n#define V 6\n#endif", 6},
      {"DefinedBothWays", "#define Y\n#if defined(Y) && defined Y && !defined(Z)\n#define V 7\n#endif", 7},
      {"UnknownNamesAreZero", "#if SystemSevenOrLater\n#define V 1\n#else\n#define V 8\n#endif", 8},
      {"MacrosInConditions", "#define LEVEL 3\n#if LEVEL * 2 == 6\n#define V 9\n#endif", 9},
      {"NestedSkippedBranchesAreNotEvaluated",
       "#if 0\n#if 1 / 0\n#error never\n#endif\n#define V 1\n#else\n#define V 10\n#endif", 10},
      {"ElseAfterTakenBranch", "#if 1\n#define V 11\n#elif 1 / 0\n#define V 0\n#else\n#define V 12\n#endif", 11},
      {"StringComparison", "#if \"a\" == \"a\"\n#define V 13\n#endif", 13},
      {"CaseOfDirectivesIsFree", "#IFDEF Rez\n#Define V 14\n#EndIf", 14},
  };
  for (const ConditionCase& c : cases) {
    const Compiled compiled = Longs(c.text, "V");
    ASSERT_TRUE(compiled.ok) << c.what << ": " << compiled.error;
    EXPECT_EQ(compiled.Data("TEST", 1), LongBytes({c.expected})) << c.what;
  }
}

TEST(Includes, SearchBesideTheSourceThenTheIncludeDirectories) {
  MemoryHost host;
  host.Add("src/app.r", "#include \"part.r\"\n#include <shared.r>\ntype 'TEST' { longint; longint; };\n"
                        "resource 'TEST' (1) { PART, SHARED };\n");
  host.Add("src/part.r", "#define PART 1\n");
  host.Add("inc/part.r", "#define PART 99\n");
  host.Add("inc/shared.r", "#define SHARED 2\n");
  host.Add("src/shared.r", "#define SHARED 98\n");
  RezOptions options;
  options.includeDirs = {"inc"};
  resfmt::ResourceImage image;
  std::string error;
  ASSERT_TRUE(CompileRez(host, options, {"src/app.r"}, &image, &error)) << error;
  ASSERT_EQ(image.resources.size(), 1u);
  EXPECT_EQ(image.resources[0].data, LongBytes({1, 2}));
}

TEST(Includes, ShippedDeclarationsAreFoundByNameInAnyCase) {
  const Compiled c = Compile("#include \"types.R\"\n#include \":RIncludes:SysTypes.r\"\n"
                             "resource 'STR ' (1) { \"x\" };\nresource 'vers' (1) { 1, 0, final, 0, verUS, \"1\", \"1\" };");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("STR ", 1), std::vector<uint8_t>(Bytes().P("x")));
}

TEST(Includes, AFileOfTheSameNameTakesThePlaceOfTheShippedOne) {
  MemoryHost host;
  host.Add("Types.r", "type 'STR ' { cstring; };");
  const Compiled c = Compile("#include \"Types.r\"\nresource 'STR ' (1) { \"x\" };", &host);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("STR ", 1), std::vector<uint8_t>(Bytes().S("x").B(0)));
}

TEST(Includes, GuardedFilesIncludeTwiceWithoutHarm) {
  const Compiled c = Compile("#include \"Types.r\"\n#include \"Types.r\"\nresource 'STR ' (1) { \"x\" };");
  ASSERT_TRUE(c.ok) << c.error;
}

TEST(Printf, WritesFormattedTextThroughTheHost) {
  MemoryHost host;
  const Compiled c = Compile("#define N 3\n#printf(\"%d resources, %s\\n\", N, \"done\")\n", &host);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(host.printed, "3 resources, done\r");
}

TEST(CommandLine, DefinitionsComeBeforeTheSource) {
  RezOptions options;
  options.defines = {{"kVersion", "0x0120"}, {"kFlag", ""}};
  const Compiled c = Longs("", "kVersion, kFlag", nullptr, options);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), LongBytes({0x120, 1}));
}

struct LimitCase {
  const char* what;
  std::string source;
  const char* message;
};

TEST(Limits, RunawaySourcesStopWithAMessage) {
  const LimitCase cases[] = {
      {"SelfReferenceStops", "#define A A\ntype 'TEST' { longint; }; resource 'TEST' (1) { A };",
       "unknown name 'A'"},
      {"MutualRecursionStops", "#define A B\n#define B A\ntype 'TEST' { longint; }; resource 'TEST' (1) { A };",
       "unknown name 'A'"},
      {"SelfInclusion", "#include \"test.r\"", "#include nested too deeply"},
      {"ExponentialMacros",
       "#define A(x) x x x x x x x x\n#define B A(A(A(A(A(A(A(A(1))))))))\nB", "more tokens than one run allows"},
      {"DeepParentheses", "type 'TEST' { longint; }; resource 'TEST' (1) { " + std::string(5000, '(') + "1 };",
       "nested too deeply"},
      {"LongOperatorChain", "type 'TEST' { longint; }; resource 'TEST' (1) { 1" + [] {
         std::string chain;
         for (int i = 0; i < 5000; ++i) chain += " + 1";
         return chain;
       }() + " };",
       "expression too long"},
      {"HugeFill", "type 'TEST' { fill byte[0x7FFFFFFF]; }; resource 'TEST' (1) { };", "grows past"},
  };
  for (const LimitCase& c : cases) {
    RezOptions options;
    options.limits.maxTokens = 100000;
    const Compiled compiled = Compile(c.source, nullptr, options);
    EXPECT_FALSE(compiled.ok) << c.what;
    EXPECT_NE(compiled.error.find(c.message), std::string::npos) << c.what << ": " << compiled.error;
  }
}

}  // namespace
}  // namespace zeb::rez::testing
