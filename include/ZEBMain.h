/* The ready-made Windows side of a ported application (the static library ZEB::Main).
 *
 * An application with no Windows code of its own links ZEB::Main and keeps its classic
 * `main()`: ZEB::Main's start-up registers the frame and Toolbox window classes, creates the
 * frame window, starts the library (ZEB_InitSession, ZEB_InitGlobals with the application's
 * `QDGlobals qd`), then calls the application's `main()`. Its window procedures forward every
 * message to the library's glue calls. Returning from `main()`, or ExitToShell, ends the session.
 *
 * Settings, each written once at file scope in any one source file of the application:
 *   ZEB_MAIN_SESSION_FLAGS(ZEB_SF_SMALLBLOCKS | ZEB_SF_3DLOOK);   the session flags (ZEB.h)
 *   ZEB_MAIN_FRAME_TITLE("My Application");                     the frame window's title
 * Without them the flags are 0 and the title is the program's file name.
 *
 * `zeb_add_application` (the CMake package) links ZEB::Main and routes the C runtime's call of
 * `main` through ZEB::Main's start-up, so the application's `main()` needs no change. */
#ifndef ZEB_MAIN_H
#define ZEB_MAIN_H

#ifdef __cplusplus
#define ZEB_MAIN_EXTERN extern "C"
#else
#define ZEB_MAIN_EXTERN
#endif

#define ZEB_MAIN_SESSION_FLAGS(flags) \
  ZEB_MAIN_EXTERN const unsigned long zebMainSessionFlags = (flags)
#define ZEB_MAIN_FRAME_TITLE(title) ZEB_MAIN_EXTERN const char* const zebMainFrameTitle = (title)

#include "ZEB.h"

#ifdef __cplusplus
extern "C" {
#endif
/* The frame window that ZEB::Main created (null before start-up). */
HWND ZEB_MainFrameWindow(void);
#ifdef __cplusplus
}
#endif

#endif /* ZEB_MAIN_H */
