# Writes a C++ source that holds a file's bytes, so that a program can carry
# a data file (the viewer page template) without finding it at run time.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAMESPACE=ns -DSYMBOL=name -P EmbedFile.cmake
# defines  std::string_view ns::name()  over the file's bytes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT} by EmbedFile.cmake; do not edit.
#include <cstddef>
#include <string_view>

namespace ${NAMESPACE} {
namespace {
const char kBytes[${size} + 1] = {${bytes}'\\0'};
}
std::string_view ${SYMBOL}() { return {kBytes, ${size}}; }
}  // namespace ${NAMESPACE}
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
