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

resource 'TEXT' (200, purgeable) {
	"Built with zebres."
};
