// Messages for the usual mistakes name the file, line and column and say what was expected;
// nothing is made from a source with a mistake.
#include <gtest/gtest.h>

#include <string>

#include "rez_fixture.h"

namespace zeb::rez::testing {
namespace {

struct MistakeCase {
  const char* what;
  std::string source;
  std::string message;  // the whole first line of the error, or its start when it ends in "..."
};

class Mistakes : public ::testing::TestWithParam<MistakeCase> {};

TEST_P(Mistakes, AreReportedWhereTheyStand) {
  const MistakeCase& c = GetParam();
  const Compiled compiled = CompileWithTypes(c.source);
  EXPECT_FALSE(compiled.ok);
  const bool prefix = c.message.size() > 3 && c.message.compare(c.message.size() - 3, 3, "...") == 0;
  if (prefix)
    EXPECT_EQ(compiled.error.substr(0, c.message.size() - 3), c.message.substr(0, c.message.size() - 3));
  else
    EXPECT_EQ(compiled.error, c.message);
}

// The sources follow two #include lines: their first line is line 3.
const MistakeCase kMistakes[] = {
    {"MissingSemicolon", "resource 'STR ' (1) { \"a\" }\nresource 'STR ' (2) { \"b\" };",
     "test.r:4:1: expected ';' after the resource statement, found 'resource'"},
    {"MissingSemicolonAtTheEnd", "resource 'STR ' (1) { \"a\" }",
     "test.r:3:27: expected ';' after the resource statement, found the end of the file"},
    {"UndeclaredType", "resource 'XYZW' (1) { };",
     "test.r:3:10: no declaration of the type 'XYZW' (is #include \"Types.r\" missing?)"},
    {"ValueMissing", "resource 'WIND' (1) { {1, 2, 3, 4}, documentProc };",
     "test.r:3:21: expected a value for the byte field declared at Types.r:..."},
    {"ValueLeftOver", "resource 'STR ' (1) { \"a\", \"b\" };",
     "test.r:3:28: more values than the type's fields take (the type is declared at Types.r:..."},
    {"UnknownName", "resource 'WIND' (1) { {1, 2, 3, 4}, bogusProc, visible, goAway, 0, \"\" };",
     "test.r:3:37: unknown name 'bogusProc'"},
    {"NameOfAnotherField", "resource 'WIND' (1) { {1, 2, 3, 4}, visible, visible, goAway, 0, \"\" };",
     "test.r:3:37: unknown name 'visible'"},
    {"ValueTooLarge", "resource 'MBAR' (1) { { 70000 } };",
     "test.r:3:25: the value 70000 does not fit the integer field (-32768 to 65535)"},
    {"NegativeUnsigned", "resource 'WIND' (1) { {1, 2, 3, 4}, 0, visible, goAway, 0, \"\", -1 };",
     "test.r:3:64: the value -1 does not fit the unsigned hex integer field (0 to 65535)"},
    {"StringTooLong", "resource 'STR ' (1) { \"" + std::string(256, 'x') + "\" };",
     "test.r:3:23: the string has 256 bytes; the pstring field holds 255"},
    {"StringForANumber", "resource 'MBAR' (1) { { \"128\" } };",
     "test.r:3:25: expected a number for the integer field, found a string"},
    {"NumberForAString", "resource 'STR ' (1) { 5 };", "test.r:3:23: expected a string for the pstring field, found a number"},
    {"BracesForANumber", "resource 'MBAR' (1) { { {1} } };",
     "test.r:3:25: expected a number for the integer field declared at Types.r:..."},
    {"RectWithThreeCoordinates", "resource 'CURS' (1) { $\"\", $\"\", {1, 2, 3} };",
     "test.r:3:33: expected a point, {v, h}, for the point field declared at Types.r:..."},
    {"UnknownCase", "resource 'DITL' (1) { { {1, 2, 3, 4}, Buton { enabled, \"OK\" } } };",
     "test.r:3:39: Buton is not a case of the switch declared at Types.r:..."},
    {"ArrayWithoutBraces", "resource 'STR#' (1) { \"a\" };",
     "test.r:3:23: expected '{' with the elements of the array StringArray declared at Types.r:..."},
    {"FixedArrayCount", "resource 'ALRT' (1) { {1, 2, 3, 4}, 1, { OK, visible, silent } };",
     "test.r:3:40: expected a value for the boolean field declared at Types.r:..."},
    {"DefinedTwice", "resource 'STR ' (1) { \"a\" };\nresource 'STR ' (1) { \"b\" };",
     "test.r:4:10: resource 'STR ' (1) is defined twice; it was first made at test.r:3:10"},
    {"IdOutOfRange", "resource 'STR ' (40000) { \"a\" };", "test.r:3:18: a resource ID lies between -32768 and 32767"},
    {"TypeOfThreeCharacters", "data \"STR\" (1) { };", "test.r:3:6: a resource type has four characters"},
    {"MisspelledStatement", "resorce 'STR ' (1) { \"a\" };",
     "test.r:3:1: expected a statement (type, resource, data, read, include, change or delete), found 'resorce'"},
    {"DivisionByZero", "resource 'MBAR' (1) { { 1 / 0 } };", "test.r:3:27: division by zero"},
    {"UnclosedString", "resource 'STR ' (1) { \"abc };", "test.r:3:23: string without its closing \" on its line"},
    {"UnclosedComment", "/* no end", "test.r:3:1: comment without its closing */"},
    {"UnknownEscape", "resource 'STR ' (1) { \"\\q\" };", "test.r:3:24: unknown escape \\q"},
    {"OddHexString", "resource 'PAT ' (1) { $\"ABC\" };", "test.r:3:23: hexadecimal string with an odd number of digits"},
    {"MalformedNumber", "resource 'MBAR' (1) { { 12ab } };", "test.r:3:25: malformed number"},
    {"StrayCharacter", "resource 'MBAR' (1) { { 1 @ 2 } };", "test.r:3:27: unexpected character '@'"},
    {"MissingFile", "read 'DATA' (1) \"nowhere.bin\";", "test.r:3:17: cannot find the file \"nowhere.bin\""},
    {"IncludeOfAFileThatIsNoResourceFile", "include \"Types.r\";",
     "test.r:3:9: Types.r: neither a resource file, AppleDouble, AppleSingle nor MacBinary"},
    {"ElseWithoutIf", "#else", "test.r:3:1: #else without #if"},
    {"IfWithoutEndif", "#if 1", "test.r:3:1: #if without its #endif"},
    {"ElifAfterElse", "#if 0\n#else\n#elif 1\n#endif", "test.r:5:1: #elif after #else"},
    {"UnknownDirective", "#import \"x\"", "test.r:3:2: unknown directive #import"},
    {"MacroArgumentCount", "#define F(a, b) a\nF(1)", "test.r:4:1: F takes 2 arguments, not 1"},
    {"MacroArgumentsUnclosed", "#define F(a) a\nF(1", "test.r:4:1: the arguments of F are not closed"},
    {"MissingInclude", "#include \"Missing.r\"", "test.r:3:1: cannot find the file \"Missing.r\""},
    {"BadFormat", "#printf(\"%d %d\", 1)", "test.r:3:1: the format has more conversions than arguments"},
    {"TypeFieldMisspelled", "type 'TEST' { interger; };",
     "test.r:3:15: expected a field (boolean, byte, integer, longint, bitstring, char, string, pstring, "
     "wstring, cstring, point, rect, fill, align, array, switch) or a label, found 'interger'"},
    {"KeyWithoutValue", "type 'TEST' { switch { case A: key byte; }; };",
     "test.r:3:32: a key field needs its value, as in key integer = 4"},
    {"BitstringTooWide", "type 'TEST' { bitstring[33]; };", "test.r:3:25: a bitstring has 1 to 32 bits"},
    {"CountOfAnUnknownArray", "type 'TEST' { integer = $$CountOf(Nothing); };\nresource 'TEST' (1) { };",
     "test.r:3:25: no array Nothing encloses or stands beside this field"},
    {"LabelThatNeedsASubscript", "type 'TEST' { array { l: byte; }; integer = l; };\nresource 'TEST' (1) { { 1 } };",
     "test.r:3:45: the label l lies inside an array: give its element number, as in l[1]"},
    {"ForwardSizeExpression", "type 'TEST' { string[$$Byte(later)]; later: byte; };\nresource 'TEST' (1) { \"a\", 1 };",
     "test.r:3:22: a string's length must be known here, before the parts of the resource that follow"},
    {"UnknownFunction", "resource 'STR ' (1) { $$Dated };", "test.r:3:23: unknown function $$Dated"},
    {"FunctionArguments", "resource 'STR ' (1) { $$Shell() };", "test.r:3:23: $$Shell takes 1 argument"},
};

INSTANTIATE_TEST_SUITE_P(Rez, Mistakes, ::testing::ValuesIn(kMistakes),
                         [](const ::testing::TestParamInfo<MistakeCase>& info) { return info.param.what; });

TEST(MistakesInIncludedFiles, NameTheIncludedFile) {
  MemoryHost host;
  host.Add("part.r", "#include \"Types.r\"\n\n  resource 'STR ' (1) { 5 };\n");
  const Compiled c = Compile("#include \"part.r\"\n", &host);
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.error, "part.r:3:25: expected a string for the pstring field, found a number");
}

TEST(MistakesInMacros, PointAtTheMacrosUse) {
  const Compiled c = CompileWithTypes("#define BAD 1 / 0\n\nresource 'MBAR' (1) { {    BAD } };");
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.error, "test.r:5:28: division by zero");
}

}  // namespace
}  // namespace zeb::rez::testing
