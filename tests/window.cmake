# Tests of the Qt window, run offscreen: included from tests/CMakeLists.txt.
if(TARGET transistor_view)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)

  # tests/NAME.cpp built against the view: a QtTest run offscreen as the test
  # NAME.
  function(transistor_window_test name)
    add_executable(${name} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${name}.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE transistor_view Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endfunction()

  # The window: sessions at it (window_sessions.txt), drawing, names and
  # keys, the Readouts view; tests/language.cmake runs its language check
  # once per locale.
  transistor_window_test(window_test)
endif()

# The tool that draws the pictures in docs/: the window as it opens, and the
# strip below it at twice the scale.
if(TARGET window-picture)
  foreach(row "window;1;661;510" "strip;2;1322;262")
    list(GET row 0 area)
    list(GET row 1 scale)
    list(GET row 2 width)
    list(GET row 3 height)
    add_test(NAME window_picture.${area}
      COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:window-picture>
        "-DARGS=--area;${area};--scale;${scale}"
        -DSCRIPT=${PROJECT_SOURCE_DIR}/docs/pictures/window.script
        -DOUTPUT=${CMAKE_CURRENT_BINARY_DIR}/picture-${area}.png
        -DWIDTH=${width} -DHEIGHT=${height}
        -P ${CMAKE_CURRENT_LIST_DIR}/window_picture.cmake)
  endforeach()
endif()
