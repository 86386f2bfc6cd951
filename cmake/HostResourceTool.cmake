# The resource tool for the cross builds: compiled with the host's own compiler, so that the
# demo and the tests can build their resource files while the Windows programs are built.
# Sets ZEB_RESOURCE_TOOL to the program and adds the target zeb_resource_tool.
set(ZEB_HOST_CXX c++ CACHE STRING "The host's C++ compiler, for the resource tool")
set(ZEB_RESOURCE_TOOL ${CMAKE_BINARY_DIR}/host/zebres)
set(tool_sources
  ${PROJECT_SOURCE_DIR}/tools/resource_tool/zebres.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/byte_order.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/resource_map.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/resource_image.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/fork_containers.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/resource_description.cpp
  ${PROJECT_SOURCE_DIR}/src/resources/window_template.cpp)
add_custom_command(OUTPUT ${ZEB_RESOURCE_TOOL}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
  COMMAND ${ZEB_HOST_CXX} -std=c++17 -O1 -I${PROJECT_SOURCE_DIR}/src ${tool_sources}
          -o ${ZEB_RESOURCE_TOOL}
  DEPENDS ${tool_sources}
  COMMENT "Resource tool for the host")
add_custom_target(zeb_resource_tool DEPENDS ${ZEB_RESOURCE_TOOL})
