# Installs the build BUILD into WORK/prefix, then configures and builds the porter's project
# SOURCE against it with the installed TOOLCHAIN, in WORK/porter; OBJDUMP reads the program's
# imports. Exits 77 when BUILD holds no build.
if(NOT EXISTS ${BUILD}/CMakeCache.txt)
  message("no build in ${BUILD}: skipped")
  cmake_language(EXIT 77)
endif()
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix)
foreach(f bin/ZEB32_10.dll bin/ZEBPORT.RSR bin/zebres lib/libZEB32_10.dll.a lib/libzeb_main.a
          include/Quickdraw.h include/ZEBMain.h lib/cmake/ZEB/ZEBConfig.cmake
          lib/cmake/ZEB/ZEBConfigVersion.cmake lib/cmake/ZEB/${TOOLCHAIN})
  if(NOT EXISTS ${WORK}/prefix/${f})
    message(FATAL_ERROR "the installed prefix lacks ${f}")
  endif()
endforeach()
run(${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/porter -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${WORK}/prefix/lib/cmake/ZEB/${TOOLCHAIN}
    -DCMAKE_PREFIX_PATH=${WORK}/prefix)
run(${CMAKE_COMMAND} --build ${WORK}/porter)
foreach(f Hello.exe Hello.RSR ZEB32_10.dll ZEBPORT.RSR)
  if(NOT EXISTS ${WORK}/porter/${f})
    message(FATAL_ERROR "the porter's build left no ${f} beside the program")
  endif()
endforeach()
# The program imports the library and system DLLs only: nothing of the compiler's runtime.
execute_process(COMMAND ${OBJDUMP} -p ${WORK}/porter/Hello.exe OUTPUT_VARIABLE dump
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read Hello.exe")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(i ${imports})
  string(TOLOWER "${i}" i)
  if(i MATCHES "libgcc|libstdc|libwinpthread")
    message(FATAL_ERROR "Hello.exe imports a compiler runtime: ${i}")
  endif()
endforeach()
if(NOT "${imports}" MATCHES "ZEB32_10.dll")
  message(FATAL_ERROR "Hello.exe does not import ZEB32_10.dll: ${imports}")
endif()
