# Runs window-picture on SCRIPT with ARGS and checks that it wrote a PNG of
# WIDTH x HEIGHT pixels: run by CTest as a script (cmake -P).
execute_process(COMMAND ${TOOL} ${ARGS} ${SCRIPT} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "window-picture exited with ${status}")
endif()
# A PNG: the signature, then the IHDR chunk with the width and height.
file(READ ${OUTPUT} head LIMIT 24 HEX)
string(SUBSTRING "${head}" 0 16 signature)
string(SUBSTRING "${head}" 32 8 width)
string(SUBSTRING "${head}" 40 8 height)
math(EXPR width "0x${width}")
math(EXPR height "0x${height}")
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL WIDTH OR NOT height EQUAL HEIGHT)
  message(FATAL_ERROR "${OUTPUT}: signature ${signature}, ${width} x ${height}; "
                      "expected a PNG of ${WIDTH} x ${HEIGHT}")
endif()
