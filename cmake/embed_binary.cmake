# Turns a binary file into a C++ source that defines a byte array and its size.
# Usage: cmake -DINPUT=file -DOUTPUT=file.cpp -DARRAY=Name -DHEADER=app/header.h -P embed_binary.cmake
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
# Sixteen bytes to a line, each as 0xNN.
string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
  "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT}
  "// Generated from ${INPUT} at build time.\n"
  "#include \"${HEADER}\"\n\n"
  "extern const unsigned char ${ARRAY}[] = {\n${bytes}\n};\n"
  "extern const size_t ${ARRAY}Size = ${size};\n")
