# Tests of the Qt window, run offscreen: included from tests/CMakeLists.txt.
if(TARGET transistor_view)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  add_executable(window_test ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp)
  set_target_properties(window_test PROPERTIES AUTOMOC ON)
  target_link_libraries(window_test PRIVATE transistor_view Qt6::Test)
  add_test(NAME window_test COMMAND window_test)
  set_tests_properties(window_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()

# Pause, step, zoom, the copy of the picture and the context menu.
if(TARGET transistor_view)
  add_executable(window_classroom_test ${CMAKE_CURRENT_LIST_DIR}/window_classroom_test.cpp)
  set_target_properties(window_classroom_test PROPERTIES AUTOMOC ON)
  target_link_libraries(window_classroom_test PRIVATE transistor_view Qt6::Test)
  add_test(NAME window_classroom_test COMMAND window_classroom_test)
  set_tests_properties(window_classroom_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
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

# Names, roles, buddies and the keyboard path of the window (offscreen).
if(TARGET transistor_view)
  add_executable(window_a11y_test ${CMAKE_CURRENT_LIST_DIR}/window_a11y_test.cpp)
  set_target_properties(window_a11y_test PROPERTIES AUTOMOC ON)
  target_link_libraries(window_a11y_test PRIVATE transistor_view Qt6::Test)
  add_test(NAME window_a11y_test COMMAND window_a11y_test)
  set_tests_properties(window_a11y_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
