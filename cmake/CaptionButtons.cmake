# The caption-button bitmaps of the library's own resources: drawn at build time by a host
# program, which also writes the resource script naming them. Sets ZEB_CAPTION_BUTTONS_RC.
set(ZEB_HOST_CXX c++ CACHE STRING "The host's C++ compiler, for the build-time tools")
set(caption_dir ${CMAKE_BINARY_DIR}/caption_buttons)
set(caption_tool ${caption_dir}/caption_buttons)
set(caption_source ${PROJECT_SOURCE_DIR}/tools/caption_buttons/caption_buttons.cpp)
set(ZEB_CAPTION_BUTTONS_RC ${caption_dir}/caption_buttons.rc)
add_custom_command(OUTPUT ${ZEB_CAPTION_BUTTONS_RC}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${caption_dir}
  COMMAND ${ZEB_HOST_CXX} -std=c++17 -O1 ${caption_source} -o ${caption_tool}
  COMMAND ${caption_tool} ${caption_dir}
  DEPENDS ${caption_source}
  COMMENT "Caption-button bitmaps")
