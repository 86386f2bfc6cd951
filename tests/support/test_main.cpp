#include <gtest/gtest.h>

#include "debug_capture.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  zebtest::InstallDebugCapture();
  return RUN_ALL_TESTS();
}
