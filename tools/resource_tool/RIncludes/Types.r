/*
	Types.r: declarations of the Toolbox's standard resource types, for resource sources that
	#include "Types.r". Every type is laid out as the Toolbox reads it from a resource file,
	fields in order, numbers big-endian.

	The window, dialog and alert templates end with the positioning word that System 7 added.
	Sources written for earlier systems stop before it, and the word is then not written: the
	fields in an optional block may be left off at the end of a resource.
*/

#ifndef __TYPES_R__
#define __TYPES_R__

/*----------------------------------------------------------------------------- 'MENU' -------*/
type 'MENU' {
		integer;											/* menu ID */
		fill word[2];										/* width and height, set by the menu definition */
		integer		textMenuProc = 0;						/* 'MDEF' resource ID */
		fill word;											/* the definition handle's low word */
		unsigned hex bitstring[31]
					allEnabled = 0x7FFFFFFF,				/* items 1 to 31 enabled */
					allItems = 0x7FFFFFFF;
		boolean		disabled, enabled;						/* the menu itself */
		pstring		apple = "\0x14";						/* title; the Apple symbol */
		wide array {
				pstring;									/* item text */
				byte		noIcon;							/* icon number - 256, or 0 */
				char		noKey = "\0x00",				/* key equivalent, or */
							hierarchicalMenu = "\0x1B";		/* the submenu marker */
				char		noMark = "\0x00",				/* mark character, or submenu ID */
							check = "\0x12";
				fill bit;
				unsigned bitstring[7]
							plain, bold, italic, underline = 4,
							outline = 8, shadow = 16, condense = 32, extend = 64;
		};
		byte = 0;											/* end of the items */
};

/*----------------------------------------------------------------------------- 'MBAR' -------*/
type 'MBAR' {
		integer = $$CountOf(MenuArray);
		array MenuArray {
				integer;									/* 'MENU' resource ID */
		};
};

/*------------------------------------------------ definition IDs of windows and dialogs -----*/
#define __WindowProcIDs__														\
		documentProc, dBoxProc, plainDBox, altDBoxProc, noGrowDocProc,			\
		movableDBoxProc, zoomDocProc = 8, zoomNoGrow = 12, rDocProc = 16,		\
		floatProc = 1985, floatGrowProc = 1987, floatZoomProc = 1989,			\
		floatZoomGrowProc = 1991, floatSideProc = 1993, floatSideGrowProc = 1995,	\
		floatSideZoomProc = 1997, floatSideZoomGrowProc = 1999

#define __WindowPositions__													\
		noAutoCenter = 0x0000,													\
		centerMainScreen = 0x280A, alertPositionMainScreen = 0x300A,			\
		staggerMainScreen = 0x380A,												\
		centerParentWindow = 0xA80A, alertPositionParentWindow = 0xB00A,		\
		staggerParentWindow = 0xB80A,											\
		centerParentWindowScreen = 0x680A,										\
		alertPositionParentWindowScreen = 0x700A,								\
		staggerParentWindowScreen = 0x780A

/*----------------------------------------------------------------------------- 'WIND' -------*/
type 'WIND' {
		rect;												/* bounds */
		integer		__WindowProcIDs__;						/* definition ID */
		byte		invisible, visible;
		fill byte;
		byte		noGoAway, goAway;
		fill byte;
		unsigned hex longint;								/* reference constant */
		pstring		Untitled = "Untitled";					/* title */
		optional {
				align word;
				unsigned hex integer __WindowPositions__;	/* where the window opens */
		};
};

/*----------------------------------------------------------------------------- 'DLOG' -------*/
type 'DLOG' {
		rect;												/* bounds */
		integer		__WindowProcIDs__;						/* definition ID */
		byte		invisible, visible;
		fill byte;
		byte		noGoAway, goAway;
		fill byte;
		unsigned hex longint;								/* reference constant */
		integer;											/* 'DITL' resource ID */
		pstring;											/* title */
		optional {
				align word;
				unsigned hex integer __WindowPositions__;
		};
};

/*----------------------------------------------------------------------------- 'ALRT' -------*/
type 'ALRT' {
		rect;												/* bounds */
		integer;											/* 'DITL' resource ID */
		/* One group of four bits for each stage, the fourth stage first. */
		wide array [4] {
				boolean		OK, Cancel;						/* the item drawn as default */
				boolean		invisible, visible;				/* the alert is shown */
				unsigned bitstring[2]
							silent = 0, sound1, sound2, sound3;	/* beeps */
		};
		optional {
				unsigned hex integer __WindowPositions__;
		};
};

/*----------------------------------------------------------------------------- 'DITL' -------*/
type 'DITL' {
		integer = $$CountOf(DITLarray) - 1;					/* items - 1 */
		array DITLarray {
				fill long;									/* handle placeholder */
				rect;										/* display rectangle */
				switch {
				case Button:
						boolean enabled, disabled;
						key bitstring[7] = 4;
						pstring;							/* title */
				case CheckBox:
						boolean enabled, disabled;
						key bitstring[7] = 5;
						pstring;
				case RadioButton:
						boolean enabled, disabled;
						key bitstring[7] = 6;
						pstring;
				case Control:
						boolean enabled, disabled;
						key bitstring[7] = 7;
						byte = 2;
						integer;							/* 'CNTL' resource ID */
				case StaticText:
						boolean enabled, disabled;
						key bitstring[7] = 8;
						pstring;							/* text */
				case EditText:
						boolean enabled, disabled;
						key bitstring[7] = 16;
						pstring;							/* initial text */
				case Icon:
						boolean enabled, disabled;
						key bitstring[7] = 32;
						byte = 2;
						integer;							/* 'ICON' or 'cicn' resource ID */
				case Picture:
						boolean enabled, disabled;
						key bitstring[7] = 64;
						byte = 2;
						integer;							/* 'PICT' resource ID */
				case UserItem:
						boolean enabled, disabled;
						key bitstring[7] = 0;
						fill byte;
				case HelpItem:
						boolean enabled, disabled;
						key bitstring[7] = 1;
						switch {
						case HMScanhdlg:
								byte = 4;
								key integer = 1;
								integer;					/* 'hdlg' resource ID */
						case HMScanhrct:
								byte = 4;
								key integer = 2;
								integer;					/* 'hrct' resource ID */
						case HMScanAppendhdlg:
								byte = 6;
								key integer = 8;
								integer;					/* 'hdlg' resource ID */
								integer;					/* item number to add after */
						};
				};
				align word;
		};
};

/*----------------------------------------------------------------------------- 'CNTL' -------*/
type 'CNTL' {
		rect;												/* bounds */
		integer;											/* value */
		byte		invisible, visible;
		fill byte;
		integer;											/* maximum */
		integer;											/* minimum */
		integer		pushButProc, checkBoxProc, radioButProc,	/* definition ID */
					pushButProcUseWFont = 8, checkBoxProcUseWFont, radioButProcUseWFont,
					scrollBarProc = 16, popupMenuProc = 1008, popupMenuProcUseWFont = 1016;
		longint;											/* reference constant */
		pstring;											/* title */
};

/*----------------------------------------------------------------------------- 'STR ' -------*/
type 'STR ' {
		pstring;
};

/*----------------------------------------------------------------------------- 'STR#' -------*/
type 'STR#' {
		integer = $$CountOf(StringArray);
		array StringArray {
				pstring;
		};
};

/*----------------------------------------------------------------------------- 'SIZE' -------*/
/* Bit 15 first. Every flag also takes "reserved" (clear), as sources for older systems wrote
   the flags later systems gave a meaning. */
type 'SIZE' {
		boolean		reserved, dontSaveScreen = 0, saveScreen = 1;
		boolean		ignoreSuspendResumeEvents, acceptSuspendResumeEvents, reserved = 0;
		boolean		reserved, disableOptionSwitch = 0, enableOptionSwitch = 1;
		boolean		cannotBackground, canBackground, reserved = 0;
		boolean		needsActivateOnFGSwitch, doesActivateOnFGSwitch,
					multiFinderAware = 1, reserved = 0;
		boolean		backgroundAndForeground, onlyBackground, reserved = 0;
		boolean		dontGetFrontClicks, getFrontClicks, reserved = 0;
		boolean		ignoreAppDiedEvents, acceptAppDiedEvents,
					ignoreChildDiedEvents = 0, acceptChildDiedEvents = 1, reserved = 0;
		boolean		not32BitCompatible, is32BitCompatible, reserved = 0;
		boolean		notHighLevelEventAware, isHighLevelEventAware, reserved = 0;
		boolean		onlyLocalHLEvents, localAndRemoteHLEvents, reserved = 0;
		boolean		notStationeryAware, isStationeryAware, reserved = 0;
		boolean		dontUseTextEditServices, useTextEditServices, reserved = 0;
		boolean		notDisplayManagerAware, isDisplayManagerAware, reserved = 0;
		boolean		reserved;
		boolean		reserved;
		unsigned longint;									/* preferred memory size */
		unsigned longint;									/* minimum memory size */
};

/*------------------------------------------------------------------ black-and-white icons ---*/
type 'ICON' {
		hex string[128];									/* 32 by 32 bits */
};

type 'ICN#' {
		array {
				hex string[128];							/* the icon, then its mask */
		};
};

type 'SICN' {
		array {
				hex string[32];								/* 16 by 16 bits each */
		};
};

type 'ics#' {
		array [2] {
				hex string[32];								/* the small icon, then its mask */
		};
};

type 'icl4' { hex string[512]; };							/* 32 by 32, 4 bits a pixel */
type 'icl8' { hex string[1024]; };							/* 32 by 32, 8 bits a pixel */
type 'ics4' { hex string[128]; };							/* 16 by 16, 4 bits a pixel */
type 'ics8' { hex string[256]; };							/* 16 by 16, 8 bits a pixel */

/*----------------------------------------------------------------------------- 'CURS' -------*/
type 'CURS' {
		hex string[32];										/* image */
		hex string[32];										/* mask */
		point;												/* hot spot */
};

/*---------------------------------------------------------------------- 'PAT ' and 'PAT#' ---*/
type 'PAT ' {
		hex string[8];
};

type 'PAT#' {
		integer = $$CountOf(PatArray);
		array PatArray {
				hex string[8];
		};
};

/*---------------------------------------------------------------------- 'BNDL' and 'FREF' ---*/
type 'BNDL' {
		literal longint;									/* the application's signature */
		integer;											/* its 'SIGN' resource ID */
		integer = $$CountOf(TypeArray) - 1;
		array TypeArray {
				literal longint;							/* 'ICN#' or 'FREF' */
				integer = $$CountOf(IDArray) - 1;
				wide array IDArray {
						integer;							/* local ID */
						integer;							/* resource ID */
				};
		};
};

type 'FREF' {
		literal longint;									/* file type */
		integer;											/* local ID of its icon */
		pstring;											/* file name for the Finder */
};

/*---------------------------------------------------------------------- 'TEXT' and 'PICT' ---*/
type 'TEXT' {
		string;
};

/* A picture is taken as it stands: its size, frame and opcodes. */
type 'PICT' {
		hex string;
};

/*----------------------------------------------------------------------------- 'clut' -------*/
type 'clut' {
		unsigned hex longint = 0;							/* seed */
		integer = 0;										/* flags */
		integer = $$CountOf(ColorSpec) - 1;					/* entries - 1 */
		wide array ColorSpec {
				integer = $$ArrayIndex(ColorSpec) - 1;		/* pixel value */
				unsigned integer;							/* red */
				unsigned integer;							/* green */
				unsigned integer;							/* blue */
		};
};

/*----------------------------------------------------------------------------- 'cicn' -------*/
type 'cicn' {
		/* The pixel map. */
		fill long;											/* base address */
		unsigned bitstring[1] = 1;							/* a pixel map, not a bit map */
		unsigned bitstring[2] = 0;
pMapRowBytes:
		unsigned bitstring[13];								/* row bytes */
Bounds:
		rect;												/* bounds */
		integer;											/* version */
		integer		unpacked;								/* packing */
		fill long;											/* packed size */
		unsigned hex longint;								/* horizontal resolution, fixed point */
		unsigned hex longint;								/* vertical resolution, fixed point */
		integer		chunky, chunkyPlanar, planar;			/* pixel type */
		integer;											/* bits a pixel */
		integer;											/* components a pixel */
		integer;											/* bits a component */
		fill long;											/* offset to the next plane */
		fill long;											/* colour table, a handle once loaded */
		fill long;											/* reserved */

		/* The mask's bit map. */
		fill long;
maskRowBytes:
		integer;
		rect;

		/* The icon's bit map, for screens of one bit a pixel. */
		fill long;
iconBMapRowBytes:
		integer;
		rect;

		fill long;											/* icon data handle */

		/* Each image is as high as the pixel map's bounds. */
		hex string [$$Word(maskRowBytes) * ($$BitField(Bounds, 32, 16) - $$BitField(Bounds, 0, 16))];
		hex string [$$Word(iconBMapRowBytes) * ($$BitField(Bounds, 32, 16) - $$BitField(Bounds, 0, 16))];

		/* The colour table. */
		unsigned hex longint;								/* seed */
		integer;											/* flags */
		integer = $$CountOf(ColorSpec) - 1;
		wide array ColorSpec {
				integer;									/* pixel value */
				unsigned integer;							/* red */
				unsigned integer;							/* green */
				unsigned integer;							/* blue */
		};

		/* The pixel image. */
		hex string [($$BitField(Bounds, 32, 16) - $$BitField(Bounds, 0, 16)) * $$BitField(pMapRowBytes, 0, 13)];
};

/*----------------------------------------------------------------------------- 'acur' -------*/
type 'acur' {
		integer = $$CountOf(CursIdArray);					/* frames */
		fill word;											/* frame counter, used while running */
		array CursIdArray {
				integer;									/* 'CURS' resource ID */
				fill word;
		};
};

/*----------------------------------------------------------------------------- 'ZEBD' -------*/
/* The library's table of dialog items (same ID as the 'DITL'): keyboard order, radio groups,
   mnemonics, combo boxes and group boxes, and a caption band. */
type 'ZEBD' {
		unsigned byte	noCaption = 0;						/* caption band height in pixels */
		boolean		systemFont, dialogFont;					/* font of the items */
		boolean		itemOrder, tableOrder;					/* Tab moves in table order */
		boolean		keepDefault, swapDefault;				/* items 1 and 2 exchange rectangles */
		boolean		greyBackground, whiteBackground;
		fill bit[4];
		integer = $$CountOf(ZEBDItems);
		wide array ZEBDItems {
				unsigned byte;								/* first item: a label, or the item */
				unsigned byte;								/* the item the flags describe */
				char		noMnemonic = "\0x00";			/* mnemonic letter */
				unsigned bitstring[4]	noGroup = 0;		/* radio group */
				fill bit;
				boolean		tabStop, noTabStop;				/* also: a user item becomes a group box */
				boolean		singleLine, multiLine;			/* an edit item */
				boolean		plainItem, comboBox;			/* a user item becomes a combo box */
		};
};

#endif /* __TYPES_R__ */
