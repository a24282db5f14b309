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
