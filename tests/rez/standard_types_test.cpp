// The shipped declarations of the standard types give the bytes the Toolbox reads: each
// expected resource is built here field by field from the type's documented layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/byte_order.h"
#include "resources/window_template.h"
#include "rez_fixture.h"

namespace zeb::rez::testing {
namespace {

struct StandardCase {
  const char* what;
  char type[5];
  int id;
  std::string source;
  std::vector<uint8_t> expected;
};

std::string Repeat(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

std::vector<StandardCase> StandardCases() {
  std::vector<StandardCase> cases;
  // Menu: ID, width, height, 'MDEF' ID and a filler word, enable flags (bit 0 the menu, bit n
  // item n), title, then per item text, icon, key, mark, style; a zero byte ends the items.
  cases.push_back({"MenuWithItemsAndAStyle", "MENU", 128,
                   "resource 'MENU' (128) { 128, textMenuProc, 0x7FFFFFFD, enabled, apple,"
                   " { \"About\", noIcon, noKey, noMark, plain; \"-\", noIcon, noKey, noMark, plain;"
                   "   \"Save\", 1, \"S\", check, bold; \"Fonts\", noIcon, hierarchicalMenu, \"\\0x81\", italic } };",
                   Bytes().W(128).W(0).W(0).W(0).W(0).L(0xFFFFFFFB).P("\x14")
                       .P("About").B(0).B(0).B(0).B(0)
                       .P("-").B(0).B(0).B(0).B(0)
                       .P("Save").B(1).B('S').B(0x12).B(1)
                       .P("Fonts").B(0).B(0x1B).B(0x81).B(2)
                       .B(0)});
  cases.push_back({"DisabledMenuWithAllItems", "MENU", 129,
                   "resource 'MENU' (129) { 129, 0, allItems, disabled, \"Edit\", {} };",
                   Bytes().W(129).W(0).W(0).W(0).W(0).L(0xFFFFFFFE).P("Edit").B(0)});
  cases.push_back({"MenuBar", "MBAR", 128, "resource 'MBAR' (128) { { 128; 129; 130 } };",
                   Bytes().W(3).W(128).W(129).W(130)});
  // Window template: bounds, definition ID, visible, filler, go-away, filler, reference constant
  // at 14, title at 18, and after aligning to a word the positioning word.
  cases.push_back({"WindowWithPositioning", "WIND", 128,
                   "resource 'WIND' (128) { {40, 20, 340, 520}, zoomDocProc, visible, goAway,"
                   " 0x12345678, \"Doc\", centerMainScreen };",
                   Bytes().R(40, 20, 340, 520).W(8).B(1).B(0).B(1).B(0).L(0x12345678).P("Doc").Even().W(0x280A)});
  cases.push_back({"WindowWithOddTitleAligned", "WIND", 130,
                   "resource 'WIND' (130) { {0, 0, 10, 10}, documentProc, visible, noGoAway, 0, \"Untitled\","
                   " staggerParentWindowScreen };",
                   Bytes().R(0, 0, 10, 10).W(0).B(1).B(0).B(0).B(0).L(0).P("Untitled").Even().W(0x780A)});
  cases.push_back({"WindowOfOlderSystemsWithoutPositioning", "WIND", 129,
                   "resource 'WIND' (129) { {1, 2, 3, 4}, rDocProc, invisible, noGoAway, -1, Untitled };",
                   Bytes().R(1, 2, 3, 4).W(16).B(0).B(0).B(0).B(0).L(0xFFFFFFFF).P("Untitled")});
  // Dialog template: as a window's, with the item list's ID at 18 and the title at 20.
  cases.push_back({"DialogWithPositioning", "DLOG", 128,
                   "resource 'DLOG' (128) { {50, 50, 150, 350}, dBoxProc, visible, noGoAway, 0x0, 128, \"\","
                   " alertPositionMainScreen };",
                   Bytes().R(50, 50, 150, 350).W(1).B(1).B(0).B(0).B(0).L(0).W(128).P("").Even().W(0x300A)});
  cases.push_back({"DialogWithoutPositioning", "DLOG", 129,
                   "resource 'DLOG' (129) { {0, 0, 100, 200}, movableDBoxProc, invisible, goAway, 7, 129, \"Find\" };",
                   Bytes().R(0, 0, 100, 200).W(5).B(0).B(0).B(1).B(0).L(7).W(129).P("Find")});
  // Alert: bounds, item list, then four bits per stage, stage 4 in the high bits: bold item
  // (OK 0, Cancel 1), drawn, two bits of sound.
  cases.push_back({"AlertStagesHighStageFirst", "ALRT", 128,
                   "resource 'ALRT' (128) { {40, 40, 140, 340}, 128, { Cancel, visible, sound2;"
                   " OK, visible, sound1; OK, invisible, silent; OK, visible, sound3 },"
                   " alertPositionParentWindow };",
                   Bytes().R(40, 40, 140, 340).W(128).W(0xE507).W(0xB00A)});
  // Item list: count - 1, then per item a handle placeholder, rectangle, type byte (0x80
  // disabled), data length and data padded to an even length.
  cases.push_back({"ItemListOfEveryKind", "DITL", 128,
                   "resource 'DITL' (128) { {"
                   " {70, 230, 90, 290}, Button { enabled, \"OK\" };"
                   " {10, 60, 60, 290}, StaticText { disabled, \"Hi!\" };"
                   " {1, 2, 3, 4}, CheckBox { enabled, \"C\" };"
                   " {1, 2, 3, 4}, RadioButton { enabled, \"R\" };"
                   " {1, 2, 3, 4}, Control { enabled, 300 };"
                   " {1, 2, 3, 4}, EditText { enabled, \"\" };"
                   " {10, 10, 42, 42}, Icon { disabled, 1 };"
                   " {1, 2, 3, 4}, Picture { disabled, 128 };"
                   " {70, 10, 90, 100}, UserItem { disabled };"
                   " {0, 0, 0, 0}, HelpItem { enabled, HMScanhdlg { 200 } };"
                   " {0, 0, 0, 0}, HelpItem { disabled, HMScanAppendhdlg { 201, 3 } }"
                   " } };",
                   Bytes().W(10)
                       .L(0).R(70, 230, 90, 290).B(4).P("OK")
                       .L(0).R(10, 60, 60, 290).B(0x88).P("Hi!").Even()
                       .L(0).R(1, 2, 3, 4).B(5).P("C").Even()
                       .L(0).R(1, 2, 3, 4).B(6).P("R").Even()
                       .L(0).R(1, 2, 3, 4).B(7).B(2).W(300)
                       .L(0).R(1, 2, 3, 4).B(16).B(0)
                       .L(0).R(10, 10, 42, 42).B(0xA0).B(2).W(1)
                       .L(0).R(1, 2, 3, 4).B(0xC0).B(2).W(128)
                       .L(0).R(70, 10, 90, 100).B(0x80).B(0)
                       .L(0).R(0, 0, 0, 0).B(1).B(4).W(1).W(200)
                       .L(0).R(0, 0, 0, 0).B(0x81).B(6).W(8).W(201).W(3)});
  // Control template: bounds, value, visible, filler, maximum, minimum, definition ID, reference
  // constant, title.
  cases.push_back({"ControlTemplate", "CNTL", 128,
                   "resource 'CNTL' (128) { {10, 10, 30, 100}, 1, visible, 1, 0, checkBoxProc, 99, \"Check\" };",
                   Bytes().R(10, 10, 30, 100).W(1).B(1).B(0).W(1).W(0).W(1).L(99).P("Check")});
  cases.push_back({"PopupControl", "CNTL", 129,
                   "resource 'CNTL' (129) { {0, 0, 20, 120}, 0, invisible, 0, 128, popupMenuProc + 1, 0, \"Size:\" };",
                   Bytes().R(0, 0, 20, 120).W(0).B(0).B(0).W(0).W(128).W(1009).L(0).P("Size:")});
  cases.push_back({"String", "STR ", 128, "resource 'STR ' (128) { \"A string\" };", Bytes().P("A string")});
  cases.push_back({"StringList", "STR#", 128, "resource 'STR#' (128) { { \"one\"; \"two\", \"\" } };",
                   Bytes().W(3).P("one").P("two").P("")});
  // Process flags (bit 15 first), preferred and minimum sizes.
  cases.push_back({"SizeOfAThirtyTwoBitApplication", "SIZE", -1,
                   "resource 'SIZE' (-1) { reserved, acceptSuspendResumeEvents, reserved, canBackground,"
                   " multiFinderAware, backgroundAndForeground, dontGetFrontClicks, ignoreChildDiedEvents,"
                   " is32BitCompatible, isHighLevelEventAware, onlyLocalHLEvents, notStationeryAware,"
                   " dontUseTextEditServices, reserved, reserved, reserved, 512 * 1024, 384 * 1024 };",
                   Bytes().W(0x58C0).L(512 * 1024).L(384 * 1024)});
  cases.push_back({"SizeOfAnOlderApplication", "SIZE", 0,
                   "resource 'SIZE' (0) { saveScreen, ignoreSuspendResumeEvents, enableOptionSwitch,"
                   " cannotBackground, needsActivateOnFGSwitch, onlyBackground, getFrontClicks,"
                   " acceptAppDiedEvents, not32BitCompatible, reserved, reserved, reserved, reserved,"
                   " reserved, reserved, reserved, 100000, 90000 };",
                   Bytes().W(0xA700).L(100000).L(90000)});
  // Version: BCD major, minor and bug-fix digits, stage, release, region, short and long text.
  cases.push_back({"Version", "vers", 1,
                   "resource 'vers' (1) { 0x01, 0x20, beta, 0x03, verFrance, \"1.2b3\", \"1.2b3, by the porters\" };",
                   Bytes().B(1).B(0x20).B(0x60).B(3).W(1).P("1.2b3").P("1.2b3, by the porters")});
  cases.push_back({"IconPaddedToItsSize", "ICON", 128, "resource 'ICON' (128) { $\"0001 0203\" };",
                   Bytes().B(0).B(1).B(2).B(3).Z(124)});
  cases.push_back({"IconWithMask", "ICN#", 128,
                   "resource 'ICN#' (128) { { $\"" + Repeat("AA", 128) + "\"; $\"" + Repeat("FF", 128) + "\" } };",
                   Bytes().Hex(Repeat("AA", 128)).Hex(Repeat("FF", 128))});
  cases.push_back({"SmallIcons", "SICN", 128, "resource 'SICN' (128) { { $\"01\"; $\"02\" } };",
                   Bytes().B(1).Z(31).B(2).Z(31)});
  cases.push_back({"SmallIconWithMask", "ics#", 128, "resource 'ics#' (128) { { $\"80\"; $\"C0\" } };",
                   Bytes().B(0x80).Z(31).B(0xC0).Z(31)});
  // Cursor: image, mask, hot spot (v, h).
  cases.push_back({"Cursor", "CURS", 128, "resource 'CURS' (128) { $\"0180\", $\"03C0\", {7, 8} };",
                   Bytes().B(1).B(0x80).Z(30).B(3).B(0xC0).Z(30).W(7).W(8)});
  cases.push_back({"Pattern", "PAT ", 128, "resource 'PAT ' (128) { $\"AA55 AA55 AA55 AA55\" };",
                   Bytes().Hex("AA55AA55AA55AA55")});
  cases.push_back({"PatternList", "PAT#", 128,
                   "resource 'PAT#' (128) { { $\"AA55AA55AA55AA55\"; $\"FFFFFFFFFFFFFFFF\" } };",
                   Bytes().W(2).Hex("AA55AA55AA55AA55").Hex("FFFFFFFFFFFFFFFF")});
  // Bundle: signature, its ID, types - 1, per type its code, mappings - 1 and (local, resource) pairs.
  cases.push_back({"Bundle", "BNDL", 128,
                   "resource 'BNDL' (128) { 'ZEBA', 0, { 'ICN#', { 0, 128; 1, 129 }; 'FREF', { 0, 128 } } };",
                   Bytes().T("ZEBA").W(0).W(1).T("ICN#").W(1).W(0).W(128).W(1).W(129).T("FREF").W(0).W(0).W(128)});
  cases.push_back({"FileReference", "FREF", 128, "resource 'FREF' (128) { 'APPL', 0, \"\" };",
                   Bytes().T("APPL").W(0).P("")});
  cases.push_back({"TextWithReturns", "TEXT", 128, "resource 'TEXT' (128) { \"Line one\\nLine two\" };",
                   Bytes().S("Line one\rLine two")});
  cases.push_back({"PictureAsItStands", "PICT", 128,
                   "resource 'PICT' (128) { $\"000C 0000 0000 0010 0010 1101 FF00\" };",
                   Bytes().Hex("000C 0000 0000 0010 0010 1101 FF00")});
  // Colour table: seed, flags, entries - 1, per entry its value and red, green, blue.
  cases.push_back({"ColourTable", "clut", 128, "resource 'clut' (128) { { 65535, 65535, 65535; 0, 0, 0x8000 } };",
                   Bytes().L(0).W(0).W(1).W(0).W(0xFFFF).W(0xFFFF).W(0xFFFF).W(1).W(0).W(0).W(0x8000)});
  // Colour icon: pixel map (50 bytes, row bytes with the pixel-map flag), mask and icon bit
  // maps, the data handle, mask and icon images, colour table, pixel image.
  cases.push_back({"ColourIcon", "cicn", 128,
                   "resource 'cicn' (128) { 2, {0, 0, 2, 16}, 0, unpacked, 0x00480000, 0x00480000, chunky,"
                   " 1, 1, 1, 2, {0, 0, 2, 16}, 2, {0, 0, 2, 16}, $\"FFFF FFFF\", $\"8001 8001\", 0, 0,"
                   " { 0, 65535, 65535, 65535; 1, 0, 0, 0 }, $\"8001 7FFE\" };",
                   Bytes().L(0).W(0x8002).R(0, 0, 2, 16).W(0).W(0).L(0).L(0x480000).L(0x480000)
                       .W(0).W(1).W(1).W(1).L(0).L(0).L(0)
                       .L(0).W(2).R(0, 0, 2, 16)
                       .L(0).W(2).R(0, 0, 2, 16)
                       .L(0)
                       .Hex("FFFFFFFF").Hex("80018001")
                       .L(0).W(0).W(1).W(0).W(0xFFFF).W(0xFFFF).W(0xFFFF).W(1).W(0).W(0).W(0)
                       .Hex("80017FFE")});
  // Animated cursor: frames, a counter word, per frame a 'CURS' ID and a filler word.
  cases.push_back({"AnimatedCursor", "acur", 128, "resource 'acur' (128) { { 128; 129; 130 } };",
                   Bytes().W(3).W(0).W(128).W(0).W(129).W(0).W(130).W(0)});
  // The library's dialog-item table: caption band, flags, entries, each first and second item,
  // mnemonic, and flags (radio group in the high four bits).
  cases.push_back({"DialogItemTable", "ZEBD", 128,
                   "resource 'ZEBD' (128) { 12, dialogFont, tableOrder, keepDefault, whiteBackground,"
                   " { 1, 1, \"O\", noGroup, tabStop, singleLine, plainItem;"
                   "   2, 3, noMnemonic, 1, noTabStop, multiLine, comboBox } };",
                   Bytes().B(12).B(0xD0).W(2).B(1).B(1).B('O').B(0).B(2).B(3).B(0).B(0x17)});
  return cases;
}

class StandardTypes : public ::testing::TestWithParam<StandardCase> {};

TEST_P(StandardTypes, CompileToTheDocumentedLayout) {
  const StandardCase& c = GetParam();
  const Compiled compiled = CompileWithTypes(c.source);
  ASSERT_TRUE(compiled.ok) << compiled.error;
  EXPECT_EQ(compiled.Data(c.type, c.id), c.expected);
}

TEST_P(StandardTypes, DecompileToResourceStatementsThatCompileBackTheSame) {
  const StandardCase& c = GetParam();
  const Compiled compiled = CompileWithTypes(c.source);
  ASSERT_TRUE(compiled.ok) << compiled.error;
  const std::string source = Decompile(compiled.image);
  EXPECT_NE(source.find(std::string("resource '") + c.type + "'"), std::string::npos) << source;
  EXPECT_EQ(source.find("\ndata "), std::string::npos) << source;
  const Compiled again = Compile(source);
  ASSERT_TRUE(again.ok) << again.error << "\n" << source;
  EXPECT_EQ(again.Data(c.type, c.id), c.expected) << source;
}

INSTANTIATE_TEST_SUITE_P(Rez, StandardTypes, ::testing::ValuesIn(StandardCases()),
                         [](const ::testing::TestParamInfo<StandardCase>& info) { return info.param.what; });

TEST(StandardTypeFile, EveryStandardTypeRoundTripsThroughOneFile) {
  std::string source;
  for (const StandardCase& c : StandardCases()) source += c.source + "\n";
  const Compiled first = CompileWithTypes(source);
  ASSERT_TRUE(first.ok) << first.error;
  const std::vector<uint8_t> file = ResourceFile(first.image.resources);
  resfmt::ResourceImage read;
  std::string error;
  ASSERT_TRUE(resfmt::ReadImage(file, &read, &error)) << error;
  const std::string decompiled = Decompile(read);
  const Compiled second = Compile(decompiled);
  ASSERT_TRUE(second.ok) << second.error;
  EXPECT_EQ(ResourceFile(second.image.resources), file);
}

TEST(StandardTypeFile, WindowTemplatesReadAsTheMacintoshLayoutByTheLibrary) {
  const Compiled c = CompileWithTypes(
      "resource 'WIND' (1) { {0, 0, 10, 10}, documentProc, visible, goAway, 0x01020304, \"Doc\", centerMainScreen };"
      "resource 'WIND' (2) { {0, 0, 10, 10}, documentProc, visible, goAway, 0x01020304, \"Untitled\" };");
  ASSERT_TRUE(c.ok) << c.error;
  for (int id : {1, 2}) {
    const std::vector<uint8_t> data = c.Data("WIND", id);
    const resources::WindowTemplateFields f =
        resources::LocateWindowTemplate(data.data(), static_cast<uint32_t>(data.size()));
    EXPECT_EQ(f.layout, resources::WindowTemplateLayout::kMacintosh) << id;
    EXPECT_EQ(f.refConOffset, 14);
    EXPECT_EQ(f.titleOffset, 18);
    EXPECT_EQ(f.positioningOffset, id == 1 ? 22 : -1);
  }
}

TEST(StandardTypeFile, ColourIconTableStandsWhereTheByteOrderEngineLooks) {
  // The conversion finds the colour table at 82 + height * (mask row bytes + icon row bytes).
  const Compiled c = CompileWithTypes(
      "resource 'cicn' (1) { 4, {0, 0, 3, 32}, 0, unpacked, 0, 0, chunky, 1, 1, 1, 4, {0, 0, 3, 32},"
      " 4, {0, 0, 3, 32}, $\"\", $\"\", 0x12345678, 0, { 0, 1, 2, 3 }, $\"\" };");
  ASSERT_TRUE(c.ok) << c.error;
  const std::vector<uint8_t> data = c.Data("cicn", 1);
  const size_t table = 82 + 3 * (4 + 4);
  ASSERT_EQ(data.size(), table + 8 + 8 + 3 * 4);
  EXPECT_EQ(byteorder::GetBig32(data.data() + table), 0x12345678u);
}

// Written the way a Macintosh application's resource source is: constants from a shared header,
// the Apple menu, the process flags, Finder resources and icons in several hexadecimal lines.
TEST(ClassicSource, CompilesUnmodified) {
  MemoryHost host;
  host.Add("Sample.h", "#define rMenuBar 128\n#define mApple 128\n#define mFile 129\n#define rAboutAlert 128\n"
                       "#define kPreferredSize 384\n#define kMinimumSize 256\n");
  const Compiled c = Compile(R"(
#define SystemSevenOrLater 1
#include "Types.r"
#include "SysTypes.r"
#include "Sample.h"

resource 'vers' (1) {
	0x1, 0x10, release, 0x0, verUS,
	"1.1",
	"1.1, Copyright \0xA9 The Porters"
};

resource 'MBAR' (rMenuBar, preload) {
	{ mApple, mFile };
};

resource 'MENU' (mApple, preload) {
	mApple, textMenuProc,
	0b1111111111111111111111111111101,
	enabled, apple,
	{
		"About Sample\0xC9",
			noicon, nokey, nomark, plain;
		"-",
			noicon, nokey, nomark, plain
	}
};

resource 'MENU' (mFile, preload) {
	mFile, textMenuProc,
	allEnabled,
	enabled, "File",
	{
		"Quit",
			noicon, "Q", nomark, plain
	}
};

resource 'ALRT' (rAboutAlert, purgeable) {
	{40, 20, 160, 290},
	rAboutAlert,
	{ /* array: 4 elements */
		/* [1] */ OK, visible, silent,
		/* [2] */ OK, visible, silent,
		/* [3] */ OK, visible, silent,
		/* [4] */ OK, visible, silent
	},
	alertPositionMainScreen
};

resource 'DITL' (rAboutAlert, purgeable) {
	{ /* array DITLarray: 2 elements */
		/* [1] */
		{88, 180, 108, 260},
		Button {
			enabled,
			"OK"
		},
		/* [2] */
		{8, 8, 72, 260},
		StaticText {
			disabled,
			"Sample ^0 by the porters."
		}
	}
};

resource 'SIZE' (-1) {
	reserved,
	acceptSuspendResumeEvents,
	reserved,
	canBackground,
	multiFinderAware,
	backgroundAndForeground,
	dontGetFrontClicks,
	ignoreChildDiedEvents,
	is32BitCompatible,
	isHighLevelEventAware,
	localAndRemoteHLEvents,
	notStationeryAware,
	dontUseTextEditServices,
	reserved,
	reserved,
	reserved,
	kPreferredSize * 1024,
	kMinimumSize * 1024
};

resource 'BNDL' (128) {
	'SAMP', 0,
	{
		'ICN#', { 0, 128 },
		'FREF', { 0, 128 }
	}
};

resource 'FREF' (128) { 'APPL', 0, "" };

data 'SAMP' (0, "Owner resource") { $"00" };

resource 'ICN#' (128) {
	{ /* array: 2 elements */
		/* [1] */
		$"0000 0000 7FFF FFFE 4000 0002 4000 0002"
		$"4000 0002 4000 0002 4000 0002 4000 0002",
		/* [2] */
		$"FFFF FFFF FFFF FFFF FFFF FFFF FFFF FFFF"
	}
};
)", &host);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.image.resources.size(), 11u);
  EXPECT_EQ(c.Data("MENU", 128), std::vector<uint8_t>(Bytes().W(128).Z(8).L(0xFFFFFFFB).P("\x14")
                                                          .P("About Sample\xC9").Z(4).P("-").Z(4).B(0)));
  EXPECT_EQ(c.Data("SIZE", -1), std::vector<uint8_t>(Bytes().W(0x58E0).L(384 * 1024).L(256 * 1024)));
  EXPECT_EQ(c.Data("ALRT", 128), std::vector<uint8_t>(Bytes().R(40, 20, 160, 290).W(128).W(0x4444).W(0x300A)));
  EXPECT_EQ(c.Data("ICN#", 128).size(), 256u);
  EXPECT_EQ(c.Find("MBAR", 128)->attributes, 0x04);
}

}  // namespace
}  // namespace zeb::rez::testing
