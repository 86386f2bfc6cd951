# The ZEB package: a ported Macintosh application's CMake project says
#
#   find_package(ZEB REQUIRED)
#   zeb_add_application(MyApp SOURCES main.c windows.c RESOURCES MyApp.r)
#
# configured with one of the two toolchain files installed beside this file
# (toolchain-i686-mingw.cmake for the 32-bit product, toolchain-x86_64-mingw.cmake for the
# 64-bit flavour that runs under Wine) and CMAKE_PREFIX_PATH naming the installed prefix.
#
# Targets:
#   ZEB::ZEB   the library: the Toolbox headers, ZEB32_10.dll and its import library.
#   ZEB::Main  the ready-made Windows side (ZEBMain.h): start-up, frame and window procedures.
# Variables:
#   ZEB_RESOURCE_TOOL          zebres, the resource tool (a program of the build host)
#   ZEB_LIBRARY_RESOURCE_FILE  ZEBPORT.RSR, the library's own resource file
get_filename_component(_zeb_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(NOT WIN32)
  set(ZEB_FOUND FALSE)
  set(ZEB_NOT_FOUND_MESSAGE
      "ZEB builds Windows programs: configure with -DCMAKE_TOOLCHAIN_FILE=${CMAKE_CURRENT_LIST_DIR}/toolchain-i686-mingw.cmake")
  return()
endif()

set(ZEB_RESOURCE_TOOL ${_zeb_prefix}/bin/zebres)
set(ZEB_LIBRARY_RESOURCE_FILE ${_zeb_prefix}/bin/ZEBPORT.RSR)
set(ZEB_LIBRARY_DLL ${_zeb_prefix}/bin/ZEB32_10.dll)

if(NOT TARGET ZEB::ZEB)
  add_library(ZEB::ZEB SHARED IMPORTED)
  set_target_properties(ZEB::ZEB PROPERTIES
    IMPORTED_LOCATION ${ZEB_LIBRARY_DLL}
    IMPORTED_IMPLIB ${_zeb_prefix}/lib/libZEB32_10.dll.a
    INTERFACE_INCLUDE_DIRECTORIES ${_zeb_prefix}/include
    INTERFACE_LINK_LIBRARIES "user32;gdi32")

  # The C runtime's call of main() is routed through ZEB::Main's start-up, which then calls the
  # application's own main().
  add_library(ZEB::Main STATIC IMPORTED)
  set_target_properties(ZEB::Main PROPERTIES
    IMPORTED_LOCATION ${_zeb_prefix}/lib/libzeb_main.a
    INTERFACE_LINK_LIBRARIES ZEB::ZEB
    INTERFACE_LINK_OPTIONS "-Wl,--wrap=main")
endif()

# zeb_add_application(<name> SOURCES <files...> [RESOURCES <file.r...>]
#                     [RESOURCE_INCLUDES <dirs...>] [RESOURCE_DEFINES <name=value...>]
#                     [OWN_WINMAIN])
# A Windows program <name>.exe from the application's sources. Its resource sources are
# compiled with zebres into <name>.RSR beside the program, where the Resource Manager looks for
# the application's file; ZEB32_10.dll and ZEBPORT.RSR are copied there too. Without OWN_WINMAIN
# the program takes ZEB::Main's Windows side and keeps its classic main(); with it the
# application's own WinMain starts the library through the glue calls.
function(zeb_add_application name)
  cmake_parse_arguments(Z "OWN_WINMAIN" "" "SOURCES;RESOURCES;RESOURCE_INCLUDES;RESOURCE_DEFINES"
                        ${ARGN})
  if(NOT Z_SOURCES)
    message(FATAL_ERROR "zeb_add_application(${name}): no SOURCES")
  endif()
  if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
    set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  else()
    set(out ${CMAKE_CURRENT_BINARY_DIR})
  endif()

  add_executable(${name} WIN32 ${Z_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${out})
  if(Z_OWN_WINMAIN)
    target_link_libraries(${name} PRIVATE ZEB::ZEB)
  else()
    target_link_libraries(${name} PRIVATE ZEB::Main)
  endif()
  # Only system DLLs and ZEB32_10.dll beside the program: the compiler's runtime is linked in.
  target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # The 64-bit flavour: a low, fixed image base keeps the program's globals below 4 GiB, so
    # that their addresses fit the 32-bit fields in which the Toolbox keeps addresses.
    target_link_options(${name} PRIVATE -Wl,--image-base,0x10000000
                        -Wl,--disable-high-entropy-va -Wl,--disable-dynamicbase)
  endif()

  set(beside ${out}/ZEB32_10.dll ${out}/ZEBPORT.RSR)
  add_custom_command(OUTPUT ${beside}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZEB_LIBRARY_DLL} ${ZEB_LIBRARY_RESOURCE_FILE}
            ${out}
    DEPENDS ${ZEB_LIBRARY_DLL} ${ZEB_LIBRARY_RESOURCE_FILE}
    COMMENT "ZEB32_10.dll and ZEBPORT.RSR beside ${name}"
    VERBATIM)
  set(outputs ${beside})
  if(Z_RESOURCES)
    set(options)
    foreach(dir ${Z_RESOURCE_INCLUDES})
      list(APPEND options -I ${dir})
    endforeach()
    foreach(define ${Z_RESOURCE_DEFINES})
      list(APPEND options -D ${define})
    endforeach()
    set(sources)
    foreach(source ${Z_RESOURCES})
      get_filename_component(source ${source} ABSOLUTE)
      list(APPEND sources ${source})
    endforeach()
    set(rsr ${out}/${name}.RSR)
    set(depfile ${CMAKE_CURRENT_BINARY_DIR}/${name}.RSR.d)
    add_custom_command(OUTPUT ${rsr}
      COMMAND ${ZEB_RESOURCE_TOOL} rez ${options} -o ${rsr} --depfile ${depfile} ${sources}
      DEPENDS ${ZEB_RESOURCE_TOOL} ${sources}
      DEPFILE ${depfile}
      COMMENT "Resource file ${name}.RSR"
      VERBATIM)
    list(APPEND outputs ${rsr})
  endif()
  add_custom_target(${name}_zeb_files ALL DEPENDS ${outputs})
  add_dependencies(${name} ${name}_zeb_files)
endfunction()

unset(_zeb_prefix)
