# The product: 32-bit Windows, with the toolchain the porters' kit installs.
include(${CMAKE_CURRENT_LIST_DIR}/../kit/toolchain-i686-mingw.cmake)
