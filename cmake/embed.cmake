# Writes a C++ source that holds the bytes of INPUT as the array SYMBOL, so a resource travels
# inside the program rather than as a file the user can lose.
file(READ "${INPUT}" _hex HEX)
string(LENGTH "${_hex}" _len)
math(EXPR _size "${_len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," _bytes "${_hex}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){24})" "\\1\n    " _bytes "${_bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT_NAME} by cmake/embed.cmake; do not edit.\n"
  "#include <cstddef>\n"
  "namespace muwu::resources {\n"
  "extern const char ${SYMBOL}[];\n"
  "extern const std::size_t ${SYMBOL}Size;\n"
  "const char ${SYMBOL}[] = {\n    ${_bytes}'\\0'};\n"
  "const std::size_t ${SYMBOL}Size = ${_size};\n"
  "}  // namespace muwu::resources\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
