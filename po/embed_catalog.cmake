# SPDX-License-Identifier: MIT
# Writes the file IN as the bytes of kTurkishCatalog into the C++ source OUT.
#   cmake -DIN=vornelik.mo -DOUT=turkish_catalog.cpp -P embed_catalog.cmake
file(READ "${IN}" bytes HEX)
file(SIZE "${IN}" size)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
# Lines of 16 bytes, so that the source stays readable in an editor.
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUT}" "// Generated from ${IN} by po/embed_catalog.cmake.\n"
    "#include \"po/turkish_catalog.h\"\n\n"
    "namespace vornelik {\n\n"
    "const unsigned char kTurkishCatalog[] = {\n    ${bytes}\n};\n"
    "const std::size_t kTurkishCatalogSize = ${size};\n\n"
    "}  // namespace vornelik\n")
