/* Hello's resources, written as a Macintosh application's are. */
#include "Types.r"

resource 'STR ' (128, "Greeting") {
	"Hello from Hello.RSR"
};

resource 'WIND' (128, "Document") {
	{60, 40, 260, 340},
	documentProc,
	visible,
	goAway,
	0x0,
	"Hello",
	noAutoCenter
};
