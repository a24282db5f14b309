# Tests of the script driver: in-process GoogleTest cases, and runs of the
# real executable on script files that check its exit status and output.
file(GLOB script_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/script/*.cpp)
add_executable(script_tests ${script_test_sources})
target_link_libraries(script_tests PRIVATE transistor_script test_session
  nlohmann_json::nlohmann_json GTest::gtest_main)
target_compile_definitions(script_tests PRIVATE
  TRANSISTOR_TRACES="${CMAKE_CURRENT_SOURCE_DIR}/script/traces"
  TRANSISTOR_FUZZ_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus")
gtest_discover_tests(script_tests TEST_PREFIX script. DISCOVERY_MODE PRE_TEST)

# The executable itself, on script files.
set(cli ${CMAKE_CURRENT_SOURCE_DIR}/script/cli)
function(add_cli_test name)
  cmake_parse_arguments(PARSE_ARGV 1 T "" "ARGS;INPUT;WORKDIR;EXIT;STDERR;DUMPS;CHECK" "")
  set(defs -DEXE=$<TARGET_FILE:transistor-script> -DEXIT=${T_EXIT})
  foreach(key ARGS INPUT WORKDIR STDERR DUMPS CHECK)
    if(DEFINED T_${key})
      list(APPEND defs "-D${key}=${T_${key}}")
    endif()
  endforeach()
  add_test(NAME script_cli.${name} COMMAND ${CMAKE_COMMAND} ${defs} -P ${cli}/run_cli.cmake)
endfunction()

add_cli_test(initial_dump ARGS ${cli}/initial.script EXIT 0 DUMPS 1
  CHECK timers.Timer2=ON)
add_cli_test(script_from_stdin_dash ARGS - INPUT ${cli}/initial.script EXIT 0 DUMPS 1)
add_cli_test(script_from_stdin_without_argument INPUT ${cli}/initial.script EXIT 0 DUMPS 1)
# The script comes on standard input, from an empty file, whatever ctest was
# started with.
add_cli_test(empty_script INPUT ${cli}/empty.script EXIT 0 DUMPS 0)
add_cli_test(crlf_script ARGS ${cli}/crlf.script EXIT 0 DUMPS 1 CHECK texts.Text2=0.8)
add_cli_test(random_file_relative_to_current_folder ARGS ${cli}/relative-random.script
  EXIT 0 DUMPS 1)
add_cli_test(random_file_missing_from_other_folder ARGS ${cli}/relative-random.script
  WORKDIR ${CMAKE_CURRENT_BINARY_DIR} EXIT 2 STDERR "^script line 2: cannot read random file values.txt")
add_cli_test(random_value_of_one ARGS ${cli}/bad-random.script
  EXIT 2 STDERR "^script line 1: random file one.txt line 1: 1.0 is not a number in \\[0, 1\\)\n$")
add_cli_test(unknown_box ARGS ${cli}/unknown-box.script
  EXIT 2 DUMPS 1 STDERR "^script line 3: unknown box Text14\n$")
add_cli_test(commands_after_close_are_ignored ARGS ${cli}/after-close.script
  EXIT 0 DUMPS 1 CHECK closed=ON)
add_cli_test(missing_script ARGS ${cli}/no-such.script EXIT 2 STDERR "cannot open script")
add_cli_test(folder_as_script ARGS ${cli} EXIT 2 STDERR "^script line 1: cannot read the script\n$")
add_cli_test(two_scripts ARGS ${cli}/initial.script|${cli}/initial.script EXIT 2 STDERR "usage")

# The scripts of the window's pictures run to their end (the traces in
# script/traces/ are compared with their stored output by script_tests).
file(GLOB picture_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/pictures/*.script)
foreach(script IN LISTS picture_scripts)
  get_filename_component(name ${script} NAME_WE)
  add_cli_test(picture_${name} ARGS ${script} EXIT 0 DUMPS 0)
endforeach()
