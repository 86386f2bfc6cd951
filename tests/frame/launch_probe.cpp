// Started by the LaunchApplication tests: leaves launched.txt beside itself, so the test knows
// that Windows ran this program from the path it was given.
#include <windows.h>

#include <cstring>

int main() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return 1;
  char* slash = std::strrchr(path, '\\');
  if (!slash) return 1;
  std::strcpy(slash + 1, "launched.txt");
  HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written;
  WriteFile(f, "ran", 3, &written, nullptr);
  CloseHandle(f);
  return 0;
}
