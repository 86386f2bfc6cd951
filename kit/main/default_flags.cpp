// The session flags when the application sets none (ZEB_MAIN_SESSION_FLAGS). Alone in its file:
// the linker takes it only when no object of the application defines the flags.
extern "C" const unsigned long zebMainSessionFlags = 0;
