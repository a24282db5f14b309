# Tests of the Qt window, run offscreen: included from tests/CMakeLists.txt.
if(TARGET transistor_view)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  add_executable(window_test ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp)
  set_target_properties(window_test PROPERTIES AUTOMOC ON)
  target_link_libraries(window_test PRIVATE transistor_view Qt6::Test)
  add_test(NAME window_test COMMAND window_test)
  set_tests_properties(window_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()

# Names, roles, buddies and the keyboard path of the window (offscreen).
if(TARGET transistor_view)
  add_executable(window_a11y_test ${CMAKE_CURRENT_LIST_DIR}/window_a11y_test.cpp)
  set_target_properties(window_a11y_test PROPERTIES AUTOMOC ON)
  target_link_libraries(window_a11y_test PRIVATE transistor_view Qt6::Test)
  add_test(NAME window_a11y_test COMMAND window_a11y_test)
  set_tests_properties(window_a11y_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
