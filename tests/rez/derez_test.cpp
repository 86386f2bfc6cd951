// Decompiling: resource statements where a declaration reads the data exactly, data statements
// otherwise, and always a source that compiles back to the same resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/byte_order.h"
#include "rez/source_compiler.h"
#include "rez_fixture.h"

namespace zeb::rez::testing {
namespace {

using byteorder::FourCC;

resfmt::ImageResource Resource(const char (&type)[5], int id, std::vector<uint8_t> data) {
  resfmt::ImageResource r;
  r.type = FourCC(type);
  r.id = static_cast<int16_t>(id);
  r.data = std::move(data);
  return r;
}

// Decompiles and compiles again; the resources must come back byte for byte.
std::string RoundTrip(const resfmt::ResourceImage& image, MemoryHost* host = nullptr,
                      DerezOptions options = DerezOptions()) {
  const std::string source = Decompile(image, host, options);
  const Compiled again = Compile(source, host);
  EXPECT_TRUE(again.ok) << again.error << "\n" << source;
  EXPECT_EQ(ResourceFile(again.image.resources), ResourceFile(image.resources)) << source;
  return source;
}

TEST(Derez, TypesWithoutDeclarationsBecomeDataStatements) {
  resfmt::ResourceImage image;
  resfmt::ImageResource r = Resource("ABCD", 5, Bytes().S("Hello, */ world!").B(0).B(0xFF).B(0x0D));
  r.named = true;
  r.name = "a \"name\"";
  r.attributes = 0x24;
  image.resources.push_back(r);
  image.resources.push_back(Resource("EMPT", -1, {}));
  image.resources.back().attributes = 0x81;  // a system reference, compressed: no words for those
  const std::string source = RoundTrip(image);
  // Sixteen bytes a line, and what they read as beside them; "*/" would end the comment early.
  EXPECT_NE(source.find("data 'ABCD' (5, \"a \\\"name\\\"\", purgeable, preload) {\n"
                        "\t$\"4865 6C6C 6F2C 202A 2F20 776F 726C 6421\"" + std::string(14, ' ') +
                        "/* Hello, *. world! */\n"
                        "\t$\"00FF 0D\"" + std::string(46, ' ') + "/* ... */\n"
                        "};\n"),
            std::string::npos)
      << source;
  EXPECT_NE(source.find("data 'EMPT' (-1, 129) {\n};\n"), std::string::npos) << source;
}

TEST(Derez, DataTheDeclarationCannotReadBecomesADataStatement) {
  struct MisfitCase {
    const char* what;
    resfmt::ImageResource resource;
  } cases[] = {
      {"StringWithBytesAfterIt", Resource("STR ", 1, Bytes().P("ab").B(7))},
      {"StringCutShort", Resource("STR ", 2, Bytes().B(5).S("ab"))},
      {"WindowCutShort", Resource("WIND", 3, Bytes().R(0, 0, 1, 1).W(0))},
      {"ItemOfUnknownKind", Resource("DITL", 4, Bytes().W(0).L(0).R(0, 0, 1, 1).B(3).B(0))},
      {"CountLargerThanTheData", Resource("STR#", 5, Bytes().W(9).P("a"))},
      {"ColourTableWithASeed", Resource("clut", 6, Bytes().L(77).W(0).W(0).W(0).W(1).W(2).W(3))},
      {"IconWithPaddingThatIsNotZero", Resource("ICON", 7, Bytes().Z(127).B(1).B(2))},
  };
  for (const MisfitCase& c : cases) {
    resfmt::ImageResource r = c.resource;
    resfmt::ResourceImage image;
    image.resources.push_back(r);
    const std::string source = RoundTrip(image);
    EXPECT_NE(source.find("data " + TypeLiteral(r.type)), std::string::npos) << c.what << "\n" << source;
  }
}

TEST(Derez, EveryByteOfATextRoundTrips) {
  std::vector<uint8_t> all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<uint8_t>(i));
  resfmt::ResourceImage image;
  image.resources.push_back(Resource("TEXT", 1, all));
  image.resources.push_back(Resource("STR ", 2, Bytes().P("quote \" backslash \\ tab \t return \r end")));
  const std::string source = RoundTrip(image);
  EXPECT_NE(source.find("resource 'TEXT' (1)"), std::string::npos) << source;
  // A line ends after each return.
  EXPECT_NE(source.find("\t\"quote \\\" backslash \\\\ tab \\t return \\n\"\n\t\t\" end\"\n"), std::string::npos)
      << source;
}

TEST(Derez, WritesNamedValuesArraysAndCases) {
  const Compiled c = CompileWithTypes(
      "resource 'DITL' (1) { { {1, 2, 3, 4}, Button { enabled, \"OK\" }; {5, 6, 7, 8}, UserItem { disabled } } };");
  ASSERT_TRUE(c.ok) << c.error;
  const std::string source = Decompile(c.image);
  EXPECT_NE(source.find("resource 'DITL' (1) {\n"
                        "\t{\t/* array DITLarray: 2 elements */\n"
                        "\t\t/* [1] */\n"
                        "\t\t{1, 2, 3, 4},\n"
                        "\t\tButton {\n"
                        "\t\t\tenabled,\n"
                        "\t\t\t\"OK\"\n"
                        "\t\t},\n"
                        "\t\t/* [2] */\n"
                        "\t\t{5, 6, 7, 8},\n"
                        "\t\tUserItem {\n"
                        "\t\t\tdisabled\n"
                        "\t\t}\n"
                        "\t}\n"
                        "};\n"),
            std::string::npos)
      << source;
}

TEST(Derez, WritesNumbersInTheirFieldsRadix) {
  MemoryHost host;
  host.Add("decl.r",
           "type 'NUMS' { hex integer; octal byte; binary byte; literal longint; literal longint; integer;"
           " unsigned integer; bitstring[4] seven = 7; bitstring[4]; boolean; fill bit[7]; };");
  resfmt::ResourceImage image;
  image.resources.push_back(Resource("NUMS", 1, Bytes().W(0xBEEF).B(8).B(5).T("APPL").L(0x00010203).W(0xFFFF)
                                                    .W(0xFFFF).B(0x7F).B(0x80)));
  DerezOptions options;
  options.declarationFiles = {"decl.r"};
  const std::string source = RoundTrip(image, &host, options);
  EXPECT_NE(source.find("#include \"decl.r\"\n"), std::string::npos) << source;
  EXPECT_NE(source.find("\t0xBEEF,\n\t010,\n\t0b101,\n\t'APPL',\n\t0x10203,\n\t-1,\n\t65535,\n\tseven,\n\t-1,\n\t1\n"),
            std::string::npos)
      << source;
}

TEST(Derez, SelectorsPickTypesIdsAndNames) {
  struct SelectorCase {
    const char* text;
    bool ok;
    uint32_t type;
    bool anyId, byName;
    int low, high;
    const char* name;
  } cases[] = {
      {"MENU", true, FourCC("MENU"), true, false, 0, 0, ""},
      {"'STR '", true, FourCC("STR "), true, false, 0, 0, ""},
      {"STR", true, FourCC("STR "), true, false, 0, 0, ""},
      {"STR#(128)", true, FourCC("STR#"), false, false, 128, 128, ""},
      {"'ICN#'(-5:0x10)", true, FourCC("ICN#"), false, false, -5, 16, ""},
      {"WIND(\"Main\")", true, FourCC("WIND"), false, true, 0, 0, "Main"},
      {"TOOLONG", false, 0, true, false, 0, 0, ""},
      {"MENU(9:1)", false, 0, true, false, 0, 0, ""},
      {"MENU(x)", false, 0, true, false, 0, 0, ""},
      {"MENU(1", false, 0, true, false, 0, 0, ""},
      {"'MENU", false, 0, true, false, 0, 0, ""},
  };
  for (const SelectorCase& c : cases) {
    ResourceSelector s;
    ASSERT_EQ(ParseSelector(c.text, &s), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(s.type, c.type) << c.text;
    EXPECT_EQ(s.anyId, c.anyId) << c.text;
    EXPECT_EQ(s.byName, c.byName) << c.text;
    EXPECT_EQ(s.low, c.low) << c.text;
    EXPECT_EQ(s.high, c.high) << c.text;
    EXPECT_EQ(s.name, c.name) << c.text;
  }

  resfmt::ResourceImage image;
  for (int id : {1, 2, 3}) image.resources.push_back(Resource("DATA", id, {static_cast<uint8_t>(id)}));
  image.resources[2].named = true;
  image.resources[2].name = "three";
  image.resources.push_back(Resource("MORE", 1, {9}));
  DerezOptions options;
  ResourceSelector range, name;
  ASSERT_TRUE(ParseSelector("DATA(1:2)", &range));
  ASSERT_TRUE(ParseSelector("DATA(\"three\")", &name));
  options.selectors = {range};
  const std::string twoOnly = Decompile(image, nullptr, options);
  EXPECT_NE(twoOnly.find("data 'DATA' (2)"), std::string::npos);
  EXPECT_EQ(twoOnly.find("data 'DATA' (3"), std::string::npos);
  EXPECT_EQ(twoOnly.find("'MORE'"), std::string::npos);
  options.selectors = {name};
  const std::string named = Decompile(image, nullptr, options);
  EXPECT_NE(named.find("data 'DATA' (3, \"three\")"), std::string::npos);
  EXPECT_EQ(named.find("data 'DATA' (1)"), std::string::npos);
}

TEST(Derez, MissingDeclarationFileIsAnError) {
  MemoryHost host;
  DerezOptions options;
  options.declarationFiles = {"absent.r"};
  std::string source, error;
  EXPECT_FALSE(DecompileRez(host, options, resfmt::ResourceImage(), &source, &error));
  EXPECT_EQ(error, "<command line>: cannot find the file \"absent.r\"");
}

TEST(Derez, DeclarationsMayTestWhoReadsThem) {
  MemoryHost host;
  host.Add("decl.r", "#ifdef DeRez\ntype 'ONLY' { byte; };\n#endif\n");
  resfmt::ResourceImage image;
  image.resources.push_back(Resource("ONLY", 1, {4}));
  DerezOptions options;
  options.declarationFiles = {"decl.r"};
  EXPECT_NE(Decompile(image, &host, options).find("resource 'ONLY' (1) {\n\t4\n};"), std::string::npos);
}

}  // namespace
}  // namespace zeb::rez::testing
