// No title of the application's (ZEB_MAIN_FRAME_TITLE): the frame takes the program's name.
// Alone in its file: the linker takes it only when the application defines no title.
extern "C" const char* const zebMainFrameTitle = nullptr;
