# The resource tool for the cross builds: compiled with the host's own compiler, so that the
# demo and the tests can build their resource files while the Windows programs are built.
# Sets ZEB_RESOURCE_TOOL to the program and adds the target zeb_resource_tool.
set(ZEB_HOST_CXX c++ CACHE STRING "The host's C++ compiler, for the resource tool")
set(ZEB_RESOURCE_TOOL ${CMAKE_BINARY_DIR}/host/zebres)
set(ZEB_RESOURCE_TOOL_TARGET zeb_resource_tool)
file(GLOB rez_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/resource_tool/rez/*.cpp)
file(GLOB rez_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/resource_tool/rez/*.h
                                        ${PROJECT_SOURCE_DIR}/tools/resource_tool/*.h)
set(tool_sources
  ${PROJECT_SOURCE_DIR}/tools/resource_tool/zebres.cpp
  ${PROJECT_SOURCE_DIR}/tools/resource_tool/rez_commands.cpp
  ${rez_sources}
  ${PROJECT_SOURCE_DIR}/src/resources/byte_order.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/resource_map.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/resource_image.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/fork_containers.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/resource_description.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/window_template.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/pack_bits.cpp)
set(embedded ${CMAKE_BINARY_DIR}/host/embedded_includes.cpp)
add_custom_command(OUTPUT ${ZEB_RESOURCE_TOOL}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${embedded} "-DINPUTS=${ZEB_REZ_INCLUDES}"
          -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
  COMMAND ${ZEB_HOST_CXX} -std=c++17 -O1 -DZEB_BUILDING_LIBRARY -I${PROJECT_SOURCE_DIR}/include
          -I${PROJECT_SOURCE_DIR}/src
          -I${PROJECT_SOURCE_DIR}/tools/resource_tool ${tool_sources} ${embedded}
          -o ${ZEB_RESOURCE_TOOL}
  DEPENDS ${tool_sources} ${rez_headers} ${ZEB_REZ_INCLUDES} ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
  COMMENT "Resource tool for the host"
  VERBATIM)
add_custom_target(zeb_resource_tool DEPENDS ${ZEB_RESOURCE_TOOL})
