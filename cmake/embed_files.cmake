# Writes a C++ file that holds the given files' bytes, so that the Linux
# program carries its pictures inside it, as the .scr carries its resources.
#   cmake -DOUTPUT=out.cpp -DFILES="a.bmp;b.bmp" -P embed_files.cmake
set(arrays "")
set(entries "")
set(index 0)
foreach(path IN LISTS FILES)
    if(path STREQUAL "")
        continue()
    endif()
    get_filename_component(name ${path} NAME)
    file(READ ${path} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REPEAT "0x..," 16 row)
    string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
    string(APPEND arrays "const unsigned char file${index}[] = {\n    ${bytes}\n};\n")
    string(APPEND entries "    {\"${name}\", file${index}, sizeof file${index}},\n")
    math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Made by cmake/embed_files.cmake from resources/bitmaps; do not edit.
#include \"gl/embedded_files.h\"

namespace {
${arrays}
} // namespace

const EmbeddedFile embeddedFiles[] = {
${entries}};
const int embeddedFileCount = ${index};
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
