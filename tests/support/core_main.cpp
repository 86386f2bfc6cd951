// main of the host-independent test programs (native and under Wine).
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  // Unbuffered, so that whatever a test printed survives a crash.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
