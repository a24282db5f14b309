# Runs transistor-script once and checks its exit status, its standard error
# and that every line of its standard output is a JSON object.
#   -DEXE=…          the executable
#   -DARGS=a|b       its arguments, separated by '|'
#   -DINPUT=file     standard input (default: empty)
#   -DWORKDIR=dir    the folder to run it in
#   -DEXIT=n         the expected exit status
#   -DSTDERR=regex   what standard error must match (default: empty)
#   -DDUMPS=n        the expected number of lines on standard output
#   -DCHECK=path=value  a value that the last dump must hold ("texts.Text2=0.8")
# With TRANSISTOR_OTHER_DRIVER set in the environment ("node bin/transistor-script.js",
# the browser build), that command runs too, the same way, and must exit,
# write and complain exactly as the executable does.
if(DEFINED ARGS)
  string(REPLACE "|" ";" args "${ARGS}")
endif()
if(NOT DEFINED INPUT)
  set(INPUT /dev/null)
endif()
if(NOT DEFINED WORKDIR)
  set(WORKDIR ${CMAKE_CURRENT_LIST_DIR})
endif()
execute_process(COMMAND ${EXE} ${args}
  INPUT_FILE ${INPUT}
  WORKING_DIRECTORY ${WORKDIR}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)

if(DEFINED ENV{TRANSISTOR_OTHER_DRIVER})
  separate_arguments(other UNIX_COMMAND "$ENV{TRANSISTOR_OTHER_DRIVER}")
  execute_process(COMMAND ${other} ${args}
    INPUT_FILE ${INPUT}
    WORKING_DIRECTORY ${WORKDIR}
    RESULT_VARIABLE other_rc
    OUTPUT_VARIABLE other_out
    ERROR_VARIABLE other_err)
  set(differences "")
  if(NOT other_rc STREQUAL rc)
    string(APPEND differences "exit status ${other_rc}, not ${rc}\n")
  endif()
  if(NOT other_out STREQUAL out)
    # The first line that differs.
    set(line 1)
    set(rest "${out}")
    set(other_rest "${other_out}")
    while(1)
      string(FIND "${rest}" "\n" end)
      string(FIND "${other_rest}" "\n" other_end)
      string(SUBSTRING "${rest}" 0 ${end} text)
      string(SUBSTRING "${other_rest}" 0 ${other_end} other_text)
      if(NOT text STREQUAL other_text OR end EQUAL -1 OR other_end EQUAL -1)
        break()
      endif()
      math(EXPR line "${line} + 1")
      math(EXPR end "${end} + 1")
      math(EXPR other_end "${other_end} + 1")
      string(SUBSTRING "${rest}" ${end} -1 rest)
      string(SUBSTRING "${other_rest}" ${other_end} -1 other_rest)
    endwhile()
    string(APPEND differences "standard output differs from line ${line} on\n")
  endif()
  if(NOT other_err STREQUAL err)
    string(APPEND differences "standard error:\n${other_err}\nnot:\n${err}\n")
  endif()
  if(differences)
    message(FATAL_ERROR "$ENV{TRANSISTOR_OTHER_DRIVER} differs from ${EXE} on ${args}:\n"
      "${differences}")
  endif()
endif()

if(NOT "${rc}" STREQUAL "${EXIT}")
  message(FATAL_ERROR "exit status ${rc}, expected ${EXIT}\nstandard error: ${err}")
endif()
if(DEFINED STDERR)
  if(NOT err MATCHES "${STDERR}")
    message(FATAL_ERROR "standard error does not match '${STDERR}':\n${err}")
  endif()
elseif(NOT err STREQUAL "")
  message(FATAL_ERROR "unexpected standard error:\n${err}")
endif()

set(count 0)
set(last "")
while(NOT out STREQUAL "")
  string(FIND "${out}" "\n" end)
  if(end EQUAL -1)
    message(FATAL_ERROR "the output does not end with a line break")
  endif()
  string(SUBSTRING "${out}" 0 ${end} line)
  math(EXPR next "${end} + 1")
  string(SUBSTRING "${out}" ${next} -1 out)
  string(JSON type ERROR_VARIABLE json_error TYPE "${line}")
  if(json_error OR NOT type STREQUAL "OBJECT")
    message(FATAL_ERROR "line ${count} is not a JSON object: ${json_error}")
  endif()
  math(EXPR count "${count} + 1")
  set(last "${line}")
endwhile()
if(DEFINED DUMPS AND NOT count EQUAL DUMPS)
  message(FATAL_ERROR "${count} dumps, expected ${DUMPS}")
endif()

if(DEFINED CHECK)
  string(REGEX MATCH "^([^=]*)=(.*)$" _ "${CHECK}")
  set(value "${CMAKE_MATCH_2}")
  string(REPLACE "." ";" path "${CMAKE_MATCH_1}")
  string(JSON actual GET "${last}" ${path})
  if(NOT actual STREQUAL value)
    message(FATAL_ERROR "${CMAKE_MATCH_1} is '${actual}', expected '${value}'")
  endif()
endif()
