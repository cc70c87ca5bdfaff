# cmake -DIN=file -DOUT=file.cpp -DNAME=symbol -P EmbedText.cmake
# Turns a text file into a C++ source defining skin::art::<NAME>Text and <NAME>Size, byte for byte.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
file(WRITE ${OUT}.tmp "// Generated from ${IN}; do not edit.\nnamespace skin::art {\n"
     "extern const unsigned char ${NAME}Text[];\nextern const unsigned ${NAME}Size;\n"
     "const unsigned char ${NAME}Text[] = {\n${bytes}0};\nconst unsigned ${NAME}Size = ${size};\n}\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
