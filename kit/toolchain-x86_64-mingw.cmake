# 64-bit Windows, the test flavour that runs under 64-bit Wine, with the x86_64 MinGW-w64
# cross compiler (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(ZEB_DLLTOOL x86_64-w64-mingw32-dlltool)
set(ZEB_OBJDUMP x86_64-w64-mingw32-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages (find_package(ZEB)) are also looked for under the prefixes the caller names.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
