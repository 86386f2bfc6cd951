# The test build: the same sources for 64-bit Windows, run under wine64 inside Xvfb, with the
# toolchain the porters' kit installs.
include(${CMAKE_CURRENT_LIST_DIR}/../kit/toolchain-x86_64-mingw.cmake)
# Every test program runs through the Wine wrapper, which brings up Xvfb and a persistent
# wineserver on first use.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
