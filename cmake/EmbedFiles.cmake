# cmake -DOUTPUT=<file.cpp> -DINPUTS=<file;file...> -P EmbedFiles.cmake
# Writes a C++ source holding the bytes of each input under its file name: the declaration files
# the resource compiler carries inside itself.
set(arrays "")
set(table "")
set(index 0)
foreach(input ${INPUTS})
  get_filename_component(name ${input} NAME)
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "const unsigned char kFile${index}[] = {\n${bytes}0};\n")
  string(APPEND table "    {\"${name}\", kFile${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp
  "// Generated from the shipped declaration files; do not edit.\n"
  "#include \"rez/builtin_includes.h\"\n\n"
  "namespace zeb::rez {\nnamespace {\n${arrays}}  // namespace\n\n"
  "extern const BuiltinInclude kBuiltinIncludes[] = {\n${table}    {nullptr, nullptr, 0}};\n\n"
  "}  // namespace zeb::rez\n")
configure_file(${OUTPUT}.tmp ${OUTPUT} COPYONLY)
file(REMOVE ${OUTPUT}.tmp)
