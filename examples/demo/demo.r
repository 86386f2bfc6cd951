/* The demo's own resource file (demo.RSR beside demo.exe), compiled at build time with the
   resource tool from this source, written as a Macintosh application's resources are. */

#include "Types.r"

resource 'STR ' (1, "Greeting") {
	"Hello from demo.RSR"
};

resource 'STR#' (128, "Menu words") {
	{
		"File";
		"Edit";
		"Resources";
		"Window"
	}
};

resource 'WIND' (128, "Document") {
	{40, 20, 340, 520},
	documentProc,
	visible,
	goAway,
	0x12345678,
	"Untitled",
	staggerMainScreen
};

resource 'MBAR' (128) {
	{ 128, 129, 130 }
};

resource 'MENU' (128, "File") {
	128, textMenuProc, allEnabled, enabled, "File",
	{
		"Show Log", noIcon, "L", noMark, plain;
		"-", noIcon, noKey, noMark, plain;
		"Quit", noIcon, "Q", noMark, plain
	}
};

/* Undo (item 1) is disabled. */
resource 'MENU' (129, "Edit") {
	129, textMenuProc, 0x7FFFFFFC, enabled, "Edit",
	{
		"Undo", noIcon, "Z", noMark, plain;
		"-", noIcon, noKey, noMark, plain;
		"Cut", noIcon, "X", noMark, plain;
		"Copy", noIcon, "C", noMark, plain;
		"Paste", noIcon, "V", noMark, plain
	}
};

/* A checked item, a styled item and a submenu (131). */
resource 'MENU' (130, "View") {
	130, textMenuProc, allEnabled, enabled, "View",
	{
		"Log Events", noIcon, noKey, check, plain;
		"Bold Choice", noIcon, noKey, noMark, bold;
		"Shapes", noIcon, hierarchicalMenu, "\0x83", plain
	}
};

resource 'MENU' (131, "Shapes") {
	131, textMenuProc, allEnabled, enabled, "Shapes",
	{
		"Oval", noIcon, noKey, noMark, plain;
		"Rectangle", noIcon, noKey, noMark, italic
	}
};

resource 'TEXT' (200, purgeable) {
	"Built with zebres."
};

/* The Dialog Manager's page: a modeless dialog with every kind of item, its 'ZEBD' table
   (mnemonics, a radio group, a group box, a combo box) and an alert its filter answers. */

resource 'DLOG' (300, "Every item") {
	{70, 150, 330, 550},
	noGrowDocProc,
	visible,
	goAway,
	0x0,
	300,
	"Dialog Manager"
};

resource 'DITL' (300, "Every item") {
	{
		{224, 310, 244, 380}, Button { enabled, "OK" };
		{224, 220, 244, 290}, Button { enabled, "Cancel" };
		{14, 14, 30, 64}, StaticText { disabled, "Name:" };
		{12, 70, 28, 230}, EditText { enabled, "Toolbox" };
		{40, 14, 58, 170}, CheckBox { enabled, "Keep a copy" };
		{80, 24, 98, 120}, RadioButton { enabled, "Small" };
		{100, 24, 118, 120}, RadioButton { enabled, "Large" };
		{70, 14, 86, 80}, StaticText { disabled, "Size" };
		{70, 14, 124, 170}, UserItem { disabled };
		{12, 300, 44, 332}, Icon { disabled, 300 };
		{50, 250, 100, 380}, Picture { disabled, 300 };
		{130, 14, 140, 380}, UserItem { disabled };
		{148, 14, 168, 230}, Control { enabled, 300 };
		{148, 250, 168, 380}, UserItem { enabled };
		{176, 14, 214, 380}, StaticText { disabled, "^0 ^1" }
	}
};

resource 'ZEBD' (300, "Every item") {
	noCaption, dialogFont, itemOrder, keepDefault, greyBackground,
	{
		3, 4, "N", noGroup, tabStop, singleLine, plainItem;
		5, 5, "K", noGroup, tabStop, singleLine, plainItem;
		6, 6, "S", 1, tabStop, singleLine, plainItem;
		7, 7, "L", 1, tabStop, singleLine, plainItem;
		8, 9, noMnemonic, noGroup, noTabStop, singleLine, plainItem;
		14, 14, noMnemonic, noGroup, tabStop, singleLine, comboBox
	}
};

resource 'CNTL' (300, "Paper pop-up") {
	{148, 14, 168, 230},
	0,					/* title style: plain */
	visible,
	50,					/* title width */
	300,				/* 'MENU' of the choices */
	popupMenuProc,
	0,
	"Paper:"
};

resource 'MENU' (300, "Paper") {
	300, textMenuProc, allEnabled, enabled, "Paper",
	{
		"Letter", noIcon, noKey, noMark, plain;
		"Legal", noIcon, noKey, noMark, plain;
		"A4", noIcon, noKey, noMark, plain;
		"A5", noIcon, noKey, noMark, plain
	}
};

resource 'MENU' (301, "Colours") {
	301, textMenuProc, allEnabled, enabled, "Colour",
	{
		"Red", noIcon, noKey, noMark, plain;
		"Green", noIcon, noKey, noMark, plain;
		"Blue", noIcon, noKey, noMark, plain
	}
};

resource 'ICON' (300, "Crossed box") {
	$"FFFFFFFFC0000003A0000005900000098800001184000021820000418100008180800101804002018020040180100801800FF001800FF001800FF001800FF001800FF001800FF001800FF001800FF001801008018020040180400201808001018100008182000041840000218800001190000009A0000005C0000003FFFFFFFF"
};

/* A version 1 picture: a framed rectangle and a painted oval. */
resource 'PICT' (300, "Frame and oval") {
	$"0000 0000 0000 0032 0082 1101 3000 0000 0000 3200 8251 0006 0008 002C 007A FF"
};

resource 'ALRT' (301, "Answered") {
	{120, 200, 240, 500},
	301,
	{
		OK, visible, silent;
		OK, visible, silent;
		OK, visible, silent;
		OK, visible, silent
	}
};

resource 'DITL' (301, "Answered") {
	{
		{88, 210, 108, 280}, Button { enabled, "OK" };
		{10, 60, 70, 290}, StaticText { disabled, "An alert that its filter answers at once." }
	}
};
