// Process attach: the library records its module instance and nothing else.
#include "frame/frame_internal.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) zeb::frame::Session().libraryInstance = instance;
  return TRUE;
}
