# Build helpers shared by the subsystem lists.

# zeb_sources(CORE <files...> WIN32 <files...>)
# CORE files are host-independent (no windows.h): they go into every flavour, including the
# native one. WIN32 files make up the rest of the DLL.
function(zeb_sources)
  cmake_parse_arguments(Z "" "" "CORE;WIN32" ${ARGN})
  foreach(f ${Z_CORE})
    set_property(GLOBAL APPEND PROPERTY ZEB_CORE_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
  foreach(f ${Z_WIN32})
    set_property(GLOBAL APPEND PROPERTY ZEB_WIN32_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

# Low, fixed image bases keep the 64-bit test programs' globals below 4 GiB, so that their
# addresses fit the 32-bit fields in which the Toolbox keeps addresses.
function(zeb_low_image_base target base)
  if(ZEB_FLAVOUR STREQUAL "x64")
    target_link_options(${target} PRIVATE -Wl,--image-base,${base}
      -Wl,--disable-high-entropy-va -Wl,--disable-dynamicbase)
  endif()
endfunction()

# Reads every exports.txt under src/ (lines "Name ArgumentBytes", '#' comments) and writes the
# module definition file for this flavour and the sorted list of exported names.
function(zeb_generate_exports def_out names_out)
  file(GLOB lists CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*/exports.txt)
  list(SORT lists)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${lists})
  set(def "LIBRARY ZEB32_10.dll\nEXPORTS\n")
  set(names "")
  set(seen "")
  foreach(l ${lists})
    file(STRINGS ${l} lines)
    foreach(line ${lines})
      string(REGEX REPLACE "#.*" "" line "${line}")
      string(STRIP "${line}" line)
      if(line STREQUAL "")
        continue()
      endif()
      if(NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)[ \t]+([0-9]+)$")
        message(FATAL_ERROR "${l}: malformed export line '${line}'")
      endif()
      set(name ${CMAKE_MATCH_1})
      set(bytes ${CMAKE_MATCH_2})
      if(name IN_LIST seen)
        message(FATAL_ERROR "${l}: ${name} is exported twice")
      endif()
      list(APPEND seen ${name})
      if(ZEB_FLAVOUR STREQUAL "i686")
        # Decorated form: the linker then checks each entry's argument size against the
        # stdcall definition (_Name@N), and --kill-at exports the plain name.
        string(APPEND def "  ${name}@${bytes}\n")
      else()
        string(APPEND def "  ${name}\n")
      endif()
    endforeach()
  endforeach()
  list(SORT seen)
  list(JOIN seen "\n" names)
  file(WRITE ${def_out}.tmp "${def}")
  configure_file(${def_out}.tmp ${def_out} COPYONLY)
  file(WRITE ${names_out}.tmp "${names}\n")
  configure_file(${names_out}.tmp ${names_out} COPYONLY)
  list(LENGTH seen count)
  message(STATUS "ZEB32 exports: ${count}")
endfunction()

# The declaration files shipped with the resource compiler (compiled into it).
set(ZEB_REZ_INCLUDES ${PROJECT_SOURCE_DIR}/tools/resource_tool/RIncludes/Types.r
                     ${PROJECT_SOURCE_DIR}/tools/resource_tool/RIncludes/SysTypes.r)

# zeb_rez_resources(<output> SOURCES <file.r...> [INCLUDES <dir...>] [DEFINES <name=value...>])
# Compiles resource sources into a resource file at build time with the resource tool
# (ZEB_RESOURCE_TOOL, built by ZEB_RESOURCE_TOOL_TARGET). Files the sources include are watched
# through the depfile the tool writes.
function(zeb_rez_resources output)
  cmake_parse_arguments(Z "" "" "SOURCES;INCLUDES;DEFINES" ${ARGN})
  set(options)
  foreach(dir ${Z_INCLUDES})
    list(APPEND options -I ${dir})
  endforeach()
  foreach(define ${Z_DEFINES})
    list(APPEND options -D ${define})
  endforeach()
  get_filename_component(name ${output} NAME)
  set(depfile ${CMAKE_CURRENT_BINARY_DIR}/${name}.d)
  add_custom_command(OUTPUT ${output}
    COMMAND ${ZEB_RESOURCE_TOOL} rez ${options} -o ${output} --depfile ${depfile} ${Z_SOURCES}
    DEPENDS ${ZEB_RESOURCE_TOOL_TARGET} ${ZEB_RESOURCE_TOOL} ${Z_SOURCES}
    DEPFILE ${depfile}
    COMMENT "Resource file ${name}"
    VERBATIM)
endfunction()
