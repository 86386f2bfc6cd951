// Each feature of the resource language on its own: field types and modifiers, strings and
// their escapes, fills and alignment, named values, constants, switches, arrays, labels and the
// $$ functions, expressions, attributes and the statements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/byte_order.h"
#include "resources/resource_description.h"
#include "rez_fixture.h"

namespace zeb::rez::testing {
namespace {

struct FieldCase {
  const char* what;
  std::string fields;  // the body of type 'TEST'
  std::string values;  // the body of resource 'TEST' (1)
  std::vector<uint8_t> expected;
};

Compiled CompileTest(const std::string& fields, const std::string& values, MemoryHost* host = nullptr) {
  return Compile("type 'TEST' { " + fields + " };\nresource 'TEST' (1) { " + values + " };\n", host);
}

class Fields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(Fields, LayOutTheirValues) {
  const FieldCase& c = GetParam();
  const Compiled compiled = CompileTest(c.fields, c.values);
  ASSERT_TRUE(compiled.ok) << compiled.error;
  EXPECT_EQ(compiled.Data("TEST", 1), c.expected);
}

const FieldCase kFieldCases[] = {
    {"NumbersAreBigEndian", "byte; integer; longint;", "1, 0x0203, 0x04050607", Bytes().B(1).W(0x203).L(0x4050607)},
    {"NegativeNumbersInTwosComplement", "byte; integer; longint;", "-1, -2, -3",
     Bytes().B(0xFF).W(0xFFFE).L(0xFFFFFFFD)},
    {"SignedFieldsTakeTheirUnsignedReading", "byte; integer;", "255, 65535", Bytes().B(0xFF).W(0xFFFF)},
    {"BitsPackFromTheHighBit", "boolean; boolean; bitstring[3]; bitstring[11]; bitstring[1];", "1, 0, 5, 0x7FF, 1",
     Bytes().W(0xAFFF).B(0x80)},
    {"UnalignedWordsStraddleBytes", "bitstring[4]; integer; bitstring[4];", "0xA, 0x1234, 0xB",
     Bytes().B(0xA1).B(0x23).B(0x4B)},
    {"EveryRadixReadsTheSame", "hex byte; decimal byte; octal byte; binary byte; literal byte; byte;",
     "0x1F, 31, 037, 0b11111, $1F, '\\0x1F'", Bytes().B(31).B(31).B(31).B(31).B(31).B(31)},
    {"LiteralsAreBigEndianCharacters", "literal longint; integer; longint;", "'MENU', 'ab', \"APPL\"",
     Bytes().T("MENU").W(0x6162).T("APPL")},
    {"PointsAndRectangles", "point; rect;", "{1, -2}, {3, 4, 5, 6}", Bytes().W(1).W(0xFFFE).R(3, 4, 5, 6)},
    {"PlainStringHasNoLength", "string;", "\"abc\"", Bytes().S("abc")},
    {"FixedStringPaddedWithZeros", "string[5]; hex string[3];", "\"ab\", $\"01\"", Bytes().S("ab").Z(3).B(1).Z(2)},
    {"PascalString", "pstring; pstring[4];", "\"abc\", \"xy\"", Bytes().P("abc").P("xy").Z(2)},
    {"WordString", "wstring; wstring[3];", "\"abc\", \"z\"", Bytes().W(3).S("abc").W(1).S("z").Z(2)},
    {"CString", "cstring; cstring[4];", "\"abc\", \"x\"", Bytes().S("abc").B(0).S("x").Z(3)},
    {"Characters", "char; char;", "\"a\", \"\"", Bytes().B('a').B(0)},
    {"EscapesOfTheMacintosh", "string;", "\"\\n\\r\\t\\b\\f\\v\\?\\\\\\'\\\"\"",
     Bytes().B(0x0D).B(0x0A).B(9).B(8).B(0x0C).B(0x0B).B(0x7F).B('\\').B('\'').B('"')},
    {"NumericEscapes", "string;", "\"\\0xFF\\$41\\101\\0d066\\0b01000011\\0\"",
     Bytes().B(0xFF).B('A').B('A').B('B').B('C').B(0)},
    {"StringsJoin", "pstring;", "\"ab\" $\"00 01\" \"c\"", Bytes().B(5).S("ab").B(0).B(1).S("c")},
    {"HexStringIgnoresBlanks", "hex string;", "$\"0A0B 0C  0D\"", Bytes().Hex("0A0B0C0D")},
    {"FillsOfEveryUnit", "byte; fill bit; fill nibble; fill bit[3]; byte; fill byte[2]; fill word; fill long; byte;",
     "1, 0xFF, 2", Bytes().B(1).B(0).B(0xFF).Z(2).Z(2).Z(4).B(2)},
    {"AlignCountsFromTheResourceStart", "byte; align word; byte; align long; boolean; align nibble; byte; align byte;",
     "1, 2, 1, 3", Bytes().B(1).B(0).B(2).Z(1).B(0x80).B(0x30)},
    {"AlignAtABoundaryAddsNothing", "integer; align word; align long;", "7", Bytes().W(7).Z(2)},
    {"NamedValuesCountOn", "integer zero, one, ten = 10, eleven, twenty = 20; integer a, b, twenty = 20; integer;",
     "ELEVEN, Twenty, 1", Bytes().W(11).W(20).W(1)},
    {"NamedStrings", "pstring none = \"\", dash = \"-\";", "dash", Bytes().P("-")},
    {"ConstantsTakeNoValue", "integer = 5; byte; longint = 'ABCD'; pstring = \"k\";", "9",
     Bytes().W(5).B(9).T("ABCD").P("k")},
    {"ExpressionsInValues", "integer; integer; integer;", "2 + 3 * 4, (2 + 3) * 4, 1 << 4 | 1",
     Bytes().W(14).W(20).W(17)},
    {"TrueAndFalse", "boolean; boolean; fill bit[6];", "true, FALSE", Bytes().B(0x80)},
    {"OptionalTailGiven", "integer; optional { align long; integer; };", "1, 2", Bytes().W(1).Z(2).W(2)},
    {"OptionalTailLeftOff", "integer; optional { align long; integer; };", "1", Bytes().W(1)},
};

INSTANTIATE_TEST_SUITE_P(Rez, Fields, ::testing::ValuesIn(kFieldCases),
                         [](const ::testing::TestParamInfo<FieldCase>& info) { return info.param.what; });

struct ExpressionCase {
  const char* expression;
  int32_t value;
};

TEST(Expressions, FollowCsOperatorsAndPrecedence) {
  const ExpressionCase cases[] = {
      {"2 + 3 * 4", 14}, {"20 / 3 * 3", 18}, {"-7 / 2", -3}, {"-7 % 3", -1}, {"10 / -3", -3},
      {"1 + 2 << 3", 24}, {"1 << 2 + 1", 8}, {"-16 >> 2", -4}, {"1 << 31 >> 31", -1},
      {"3 < 4 == 1", 1}, {"2 >= 3", 0}, {"5 != 5", 0}, {"6 & 3 ^ 1", 3}, {"6 & 3 | 8", 10},
      {"1 | 2 ^ 3", 1}, {"1 && 0 || 1", 1}, {"0 || 0 && 1", 0}, {"!0 + !5", 1}, {"~0", -1},
      {"-(-3)", 3}, {"+4", 4}, {"0x7FFFFFFF + 1", static_cast<int32_t>(0x80000000u)},
      {"0xFFFFFFFF", -1}, {"'AB' + 1", 0x4143}, {"\"ab\" == \"ab\"", 1}, {"\"ab\" != \"ab\"", 0},
      {"1 << 40", 0}, {"(-2147483647 - 1) / -1", static_cast<int32_t>(0x80000000u)},
  };
  for (const ExpressionCase& c : cases) {
    const Compiled compiled = CompileTest("longint;", c.expression);
    ASSERT_TRUE(compiled.ok) << c.expression << ": " << compiled.error;
    EXPECT_EQ(compiled.Data("TEST", 1), std::vector<uint8_t>(Bytes().L(static_cast<uint32_t>(c.value))))
        << c.expression;
  }
}

TEST(Switches, ChooseTheCaseByNameAndWriteItsKey) {
  const std::string fields =
      "switch { case Small: key byte = 1; byte; case Large: key byte = 2; integer; integer; "
      "case Named: key bitstring[4] = 15; bitstring[4] on = 9; };";
  const Compiled c = Compile("type 'TEST' { array { " + fields + " }; };\n"
                             "resource 'TEST' (1) { { Small { 7 }, large { 1, 2 }; NAMED { on } } };");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), std::vector<uint8_t>(Bytes().B(1).B(7).B(2).W(1).W(2).B(0xF9)));
}

TEST(Arrays, CountsIndexesAndNesting) {
  const Compiled c = Compile(
      "type 'TEST' {"
      "  integer = $$CountOf(Outer);"
      "  array Outer {"
      "    byte = $$ArrayIndex(Outer);"
      "    byte = $$CountOf(Inner) - 1;"
      "    wide array Inner { byte = $$ArrayIndex(Outer) * 16 + $$ArrayIndex(Inner); byte; };"
      "  };"
      "  array [2] { integer; };"
      "};"
      "resource 'TEST' (1) { { { 9, 8 }; { }; { 7 } }, { 100, 200 } };");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), std::vector<uint8_t>(Bytes()
                                                        .W(3)
                                                        .B(1).B(1).B(0x11).B(9).B(0x12).B(8)
                                                        .B(2).B(0xFF)
                                                        .B(3).B(0).B(0x31).B(7)
                                                        .W(100).W(200)));
}

TEST(Labels, GiveBitPositionsAndReadBackWhatWasLaidOut) {
  const Compiled c = Compile(
      "type 'TEST' {"
      "  unsigned integer = (theEnd - start) / 8;"  // a label further on
      "start:"
      "  byte;"
      "  fill bit[3];"
      "odd:"
      "  bitstring[5];"
      "  integer = odd;"
      "  array Items { item: integer; };"
      "  integer = $$Word(item[2]) + $$Byte(start) + $$BitField(odd, 1, 4);"
      "  hex string[$$Byte(start)];"
      "  longint = $$Long(item[1] - 16);"
      "theEnd:"
      "  integer = $$ResourceSize;"
      "};"
      "resource 'TEST' (1) { 2, 0x1B, { 0x100; 0x200 }, $\"ABCD\" };");
  ASSERT_TRUE(c.ok) << c.error;
  // The odd field holds 1 1011: bits 1 to 4 from it read 1011 = 11.
  EXPECT_EQ(c.Data("TEST", 1),
            std::vector<uint8_t>(Bytes().W(16).B(2).B(0x1B).W(27).W(0x100).W(0x200).W(0x200 + 2 + 11).Hex("ABCD")
                                     .L(0x001B0100).W(20)));
}

TEST(Labels, InsideAnArrayTakeTheCurrentElement) {
  const Compiled c = Compile(
      "type 'TEST' { array Items { mark: byte; byte = $$Byte(mark) * 2; }; };"
      "resource 'TEST' (1) { { 1; 5; 7 } };");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), std::vector<uint8_t>(Bytes().B(1).B(2).B(5).B(10).B(7).B(14)));
}

TEST(Functions, PackedSizeMeasuresPackBitsRows) {
  // Two rows of four bytes: a run (0xFD 0xAA) and a literal piece (0x03 then four bytes).
  const Compiled c = Compile(
      "type 'TEST' { integer = $$PackedSize(data, 4, 2); data: hex string; };"
      "resource 'TEST' (1) { $\"FDAA 0301 0203 04\" };");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), std::vector<uint8_t>(Bytes().W(7).Hex("FDAA0301020304")));
}

TEST(Functions, DatesFormatsShellAndTheResourceAtHand) {
  MemoryHost host;
  host.environment["Project"] = "Zeb";
  const Compiled c = Compile(
      "type 'TEST' { pstring; pstring; pstring; pstring; byte; byte; byte; byte; byte; byte; byte; integer; "
      "integer; pstring; literal longint; byte; };"
      "resource 'TEST' (42, \"Answer\", purgeable) { $$Date, $$Time, $$Format(\"%s-%04d-%x-%c|%-3s|%5.2s\", "
      "$$Shell(\"Project\"), 7, 255, 65, \"a\", \"xyz\"), $$Shell(\"Nothing\"), $$Month, $$Day, $$Hour, $$Minute,"
      " $$Second, $$Weekday, $$Year - 2000, $$Year, $$ID, $$Name, $$Type, $$Attributes };",
      &host);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 42), std::vector<uint8_t>(Bytes()
                                                         .P("Wednesday, December 9, 2026")
                                                         .P("1:05:09 PM")
                                                         .P("Zeb-0007-ff-A|a  |   xy")
                                                         .P("")
                                                         .B(12).B(9).B(13).B(5).B(9).B(4).B(26)
                                                         .W(2026).W(42).P("Answer").T("TEST").B(0x20)));
}

TEST(Functions, ReadAndResourceTakeFilesBesideTheSource) {
  MemoryHost host;
  host.Add("blob.bin", std::string("\x01\x02\x03", 3));
  resfmt::ImageResource stored{byteorder::FourCC("DATA"), 5, 0, true, "five", {9, 8, 7}};
  host.Add("other.rsrc", ResourceFile({stored}));
  const Compiled c = Compile(
      "type 'TEST' { hex string; hex string; hex string; };"
      "resource 'TEST' (1) { $$Read(\"blob.bin\"), $$Resource(\"other.rsrc\", 'DATA', 5),"
      " $$Resource(\"other.rsrc\", 'DATA', \"five\") };",
      &host);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), std::vector<uint8_t>(Bytes().B(1).B(2).B(3).B(9).B(8).B(7).B(9).B(8).B(7)));
}

TEST(Attributes, WordsSetAndClearTheirBitsAndNumbersSetAll) {
  struct AttributeCase {
    const char* attributes;
    uint8_t expected;
  } cases[] = {{"sysheap", 0x40}, {"purgeable", 0x20}, {"locked", 0x10}, {"protected", 0x08},
               {"preload", 0x04}, {"changed", 0x02}, {"preload, locked, PURGEABLE", 0x34},
               {"0x7E, appheap, nonpurgeable, unlocked", 0x0E}, {"0x3E, unprotected, nonpreload, unchanged", 0x30},
               {"\"Named\", 0x20 | 0x04", 0x24}};
  for (const AttributeCase& a : cases) {
    const Compiled c = Compile(std::string("type 'TEST' { byte; }; resource 'TEST' (7, ") + a.attributes + ") { 1 };");
    ASSERT_TRUE(c.ok) << a.attributes << ": " << c.error;
    ASSERT_TRUE(c.Find("TEST", 7));
    EXPECT_EQ(c.Find("TEST", 7)->attributes, a.expected) << a.attributes;
  }
}

TEST(Statements, DataReadAndNames) {
  MemoryHost host;
  host.Add("sub/bytes.bin", std::string("xyz"));
  const Compiled c = Compile(
      "data 'RAW ' (-5, \"raw \\\"one\\\"\") { $\"0102\" \"ab\" };\n"
      "data 'RAW ' (6) { };\n"
      "read 'RAW ' (7, preload) \":sub:bytes.bin\";\n",
      &host);
  ASSERT_TRUE(c.ok) << c.error;
  ASSERT_TRUE(c.Find("RAW ", -5));
  EXPECT_EQ(c.Find("RAW ", -5)->name, "raw \"one\"");
  EXPECT_EQ(c.Data("RAW ", -5), std::vector<uint8_t>(Bytes().B(1).B(2).S("ab")));
  EXPECT_TRUE(c.Data("RAW ", 6).empty());
  EXPECT_EQ(c.Data("RAW ", 7), std::vector<uint8_t>(Bytes().S("xyz")));
  EXPECT_EQ(c.Find("RAW ", 7)->attributes, 0x04);
}

TEST(Statements, IncludeTakesAResourceFileWholeOrInPart) {
  MemoryHost host;
  host.Add("lib.rsrc", ResourceFile({{byteorder::FourCC("ICON"), 1, 0x20, false, "", {1}},
                                     {byteorder::FourCC("ICON"), 2, 0, true, "two", {2}},
                                     {byteorder::FourCC("ICON"), 9, 0, false, "", {9}},
                                     {byteorder::FourCC("STR "), 1, 0, false, "", {0}}}));
  struct IncludeCase {
    const char* statement;
    std::vector<std::pair<std::string, int>> expected;
  } cases[] = {
      {"include \"lib.rsrc\";", {{"ICON", 1}, {"ICON", 2}, {"ICON", 9}, {"STR ", 1}}},
      {"include \"lib.rsrc\" 'ICON';", {{"ICON", 1}, {"ICON", 2}, {"ICON", 9}}},
      {"include \"lib.rsrc\" 'ICON' (1:2);", {{"ICON", 1}, {"ICON", 2}}},
      {"include \"lib.rsrc\" 'ICON' (\"two\");", {{"ICON", 2}}},
      {"include \"lib.rsrc\" not 'ICON';", {{"STR ", 1}}},
      {"include \"lib.rsrc\" 'ICON' as 'ICNX';", {{"ICNX", 1}, {"ICNX", 2}, {"ICNX", 9}}},
      {"include \"lib.rsrc\" 'ICON' (9) as 'ICON' ($$ID + 100, $$Name, $$Attributes | 4);", {{"ICON", 109}}},
  };
  for (const IncludeCase& ic : cases) {
    const Compiled c = Compile(ic.statement, &host);
    ASSERT_TRUE(c.ok) << ic.statement << ": " << c.error;
    std::vector<std::pair<std::string, int>> got;
    for (const resfmt::ImageResource& r : c.image.resources) got.emplace_back(resfmt::TypeText(r.type), r.id);
    EXPECT_EQ(got, ic.expected) << ic.statement;
  }
  const Compiled renamed = Compile("include \"lib.rsrc\" 'ICON' (1) as 'ICON' (5, \"five\", preload);", &host);
  ASSERT_TRUE(renamed.ok) << renamed.error;
  const resfmt::ImageResource* r = renamed.Find("ICON", 5);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->name, "five");
  EXPECT_EQ(r->attributes, 0x24);  // the included purgeable bit, and preload
  EXPECT_EQ(r->data, std::vector<uint8_t>{1});
}

TEST(Statements, ChangeAndDeleteActOnWhatWasMade) {
  const Compiled c = Compile(
      "data 'AAAA' (1) { $\"01\" }; data 'AAAA' (2) { $\"02\" }; data 'AAAA' (3, \"x\") { $\"03\" };"
      "data 'BBBB' (1) { $\"04\" };"
      "change 'AAAA' (2) to 'CCCC';"
      "change 'AAAA' (\"x\") to 'AAAA' ($$ID + 10, \"renamed\", locked);"
      "delete 'BBBB';"
      "delete 'AAAA' (1:1);");
  ASSERT_TRUE(c.ok) << c.error;
  ASSERT_EQ(c.image.resources.size(), 2u);
  EXPECT_EQ(c.Data("CCCC", 2), std::vector<uint8_t>{2});
  ASSERT_TRUE(c.Find("AAAA", 13));
  EXPECT_EQ(c.Find("AAAA", 13)->name, "renamed");
  EXPECT_EQ(c.Find("AAAA", 13)->attributes, 0x10);
}

TEST(Statements, TypeDeclarationsForRangesAndBorrowedDeclarations) {
  const Compiled c = Compile(
      "type 'TEST' { byte; };"
      "type 'TEST' (100:199) { integer; };"
      "type 'COPY' as 'TEST';"
      "type 'WIDE' as 'TEST' (150);"
      "resource 'TEST' (1) { 1 }; resource 'TEST' (150) { 2 };"
      "resource 'COPY' (1) { 3 }; resource 'WIDE' (1) { 4 };");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), std::vector<uint8_t>{1});
  EXPECT_EQ(c.Data("TEST", 150), std::vector<uint8_t>(Bytes().W(2)));
  EXPECT_EQ(c.Data("COPY", 1), std::vector<uint8_t>{3});
  EXPECT_EQ(c.Data("WIDE", 1), std::vector<uint8_t>(Bytes().W(4)));
}

TEST(Language, KeywordsAndNamesIgnoreCase) {
  const Compiled c = Compile(
      "TYPE 'TEST' { UNSIGNED HEX Integer Red, GREEN; Wide Array Things { BYTE; }; ALIGN LONG; };"
      "RESOURCE 'TEST' (1, PURGEABLE) { green, { 1; 2 } };");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), std::vector<uint8_t>(Bytes().W(1).B(1).B(2)));
}

TEST(Language, MacintoshLineEndsAndCommentsAreWhiteSpace) {
  const Compiled c = Compile("/* a\rcomment */ type 'TEST' { byte; // to the end\r byte; };\r"
                             "resource 'TEST' (1) {\r\n 1, /* two */ 2\n};\r");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.Data("TEST", 1), std::vector<uint8_t>(Bytes().B(1).B(2)));
}

TEST(Language, ResourcesKeepTheirOrderGroupedByTypeInTheFile) {
  const Compiled c = Compile("data 'BBBB' (2) {}; data 'AAAA' (1) {}; data 'BBBB' (1) {};");
  ASSERT_TRUE(c.ok) << c.error;
  resfmt::ResourceImage read;
  std::string error;
  ASSERT_TRUE(resfmt::ReadImage(ResourceFile(c.image.resources), &read, &error)) << error;
  ASSERT_EQ(read.resources.size(), 3u);
  EXPECT_EQ(resfmt::TypeText(read.resources[0].type) + std::to_string(read.resources[0].id), "BBBB2");
  EXPECT_EQ(resfmt::TypeText(read.resources[1].type) + std::to_string(read.resources[1].id), "BBBB1");
  EXPECT_EQ(resfmt::TypeText(read.resources[2].type) + std::to_string(read.resources[2].id), "AAAA1");
}

}  // namespace
}  // namespace zeb::rez::testing
