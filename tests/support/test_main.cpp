#include <gtest/gtest.h>

#include <cstdio>

#include "debug_capture.h"

int main(int argc, char** argv) {
  // Unbuffered, so that whatever a test printed survives a crash.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  testing::InitGoogleTest(&argc, argv);
  zebtest::InstallDebugCapture();
  return RUN_ALL_TESTS();
}
