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
