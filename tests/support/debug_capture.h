// Collects what a test makes the library write to the debugger output (OutputDebugString) and
// the breakpoints (DebugBreak) it hits, which are stepped over.
#ifndef ZEB_TESTS_DEBUG_CAPTURE_H
#define ZEB_TESTS_DEBUG_CAPTURE_H

#include <string>

namespace zebtest {

class DebugCapture {
 public:
  DebugCapture();
  ~DebugCapture();
  DebugCapture(const DebugCapture&) = delete;
  DebugCapture& operator=(const DebugCapture&) = delete;

  std::string Text() const;
  int Breakpoints() const;
  void Clear();
};

// Installed once by the test programs' main.
void InstallDebugCapture();

}  // namespace zebtest

#endif  // ZEB_TESTS_DEBUG_CAPTURE_H
