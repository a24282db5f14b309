# Writes the menu entry and the metainfo from their templates, each
# translated text followed by its translations from the window's .ts files
# (Name[ja]=..., <name xml:lang="ja">...). Run at build time by
# data/CMakeLists.txt:
#
#   cmake -D ENTRY_IN=... -D METAINFO_IN=... -D "TS_FILES=a.ts;b.ts" \
#         -D PICTURE_URL=... -D ENTRY_OUT=... -D METAINFO_OUT=... -P localize.cmake
#
# A text without a finished translation stays in English only, as in the
# window, and the build says so. A translation that is the text itself (the
# English .ts file) adds nothing. The metainfo's screenshot is left out when
# PICTURE_URL is empty.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/desktop_texts.cmake)

file(READ ${ENTRY_IN} entry)
file(READ ${METAINFO_IN} metainfo)
set(entry_out "${entry}")
set(metainfo_out "${metainfo}")

# The language of each .ts file, from its root element.
set(languages)
foreach(ts_file IN LISTS TS_FILES)
  file(READ ${ts_file} ts)
  if(NOT ts MATCHES "<TS [^>]*language=\"([^\"]+)\"")
    message(FATAL_ERROR "${ts_file} names no language.")
  endif()
  list(APPEND languages ${CMAKE_MATCH_1})
  set(ts_${CMAKE_MATCH_1} "${ts}")
  set(ts_file_${CMAKE_MATCH_1} ${ts_file})
endforeach()

# translate(CONTEXT SOURCE LANGUAGE OUT): the translation of SOURCE (escaped
# as XML), escaped; empty when there is none to add.
function(translate context source language out)
  transistor_translation("${ts_${language}}" ${context} "${source}" translated)
  if(translated STREQUAL "")
    message(WARNING "${ts_file_${language}} has no finished translation of \"${source}\" "
      "(context ${context}); the menu entry and the metainfo keep the English text. "
      "Refresh the .ts files (cmake --build build --target update_translations) and "
      "translate it.")
  elseif(translated STREQUAL source)
    set(translated "")
  endif()
  set(${out} "${translated}" PARENT_SCOPE)
endfunction()

# The desktop entry: KEY[LANGUAGE]=... lines after KEY=..., in the order of
# TS_FILES.
foreach(pair IN LISTS transistor_desktop_keys)
  string(REPLACE "=" ";" pair ${pair})
  list(GET pair 0 key)
  list(GET pair 1 context)
  transistor_desktop_value("${entry}" ${key} text)
  transistor_xml_escape("${text}" source)
  set(added "")
  foreach(language IN LISTS languages)
    translate(${context} "${source}" ${language} translated)
    if(NOT translated STREQUAL "")
      transistor_xml_unescape("${translated}" translated)
      string(APPEND added "${key}[${language}]=${translated}\n")
    endif()
  endforeach()
  string(REPLACE "\n${key}=${text}\n" "\n${key}=${text}\n${added}" entry_out "${entry_out}")
endforeach()

# The metainfo: <ELEMENT xml:lang="LANGUAGE"> after <ELEMENT>, indented alike.
foreach(pair IN LISTS transistor_metainfo_elements)
  string(REPLACE "=" ";" pair ${pair})
  list(GET pair 0 element)
  list(GET pair 1 context)
  transistor_metainfo_text("${metainfo}" ${element} source)
  string(REGEX MATCH "\n *<${element}>" line "${metainfo}")
  string(REGEX REPLACE "[^ ]" "" indent "${line}")
  set(added "")
  foreach(language IN LISTS languages)
    translate(${context} "${source}" ${language} translated)
    if(NOT translated STREQUAL "")
      string(APPEND added
        "${indent}<${element} xml:lang=\"${language}\">${translated}</${element}>\n")
    endif()
  endforeach()
  set(original "<${element}>${source}</${element}>\n")
  string(REPLACE "${original}" "${original}${added}" metainfo_out "${metainfo_out}")
endforeach()

# AppStream wants a screenshot's address to be a real https one: without
# one, no screenshot.
if(PICTURE_URL STREQUAL "")
  string(REGEX REPLACE "\n *<screenshots>.*</screenshots>" "" metainfo_out "${metainfo_out}")
else()
  string(REPLACE "@TRANSISTOR_PICTURE_URL@" "${PICTURE_URL}" metainfo_out "${metainfo_out}")
endif()

file(WRITE ${ENTRY_OUT} "${entry_out}")
file(WRITE ${METAINFO_OUT} "${metainfo_out}")
