# The texts of the menu entry and of the metainfo that are translated, and
# where their translations live. They are translated in the same .ts files
# as the window: the name is the window's caption (context Form1), the rest
# have a context of their own (Desktop). Included by
# translations/translations.cmake, which shows the texts to lupdate, and by
# data/localize.cmake, which writes the translated files at build time.
# Plain CMake, so that neither needs a Qt tool.

# KEY=CONTEXT for the desktop entry, ELEMENT=CONTEXT for the metainfo.
set(transistor_desktop_keys Name=Form1 GenericName=Desktop Comment=Desktop Keywords=Desktop)
set(transistor_metainfo_elements name=Form1 summary=Desktop)

# transistor_desktop_value(ENTRY KEY OUT): the value of KEY in the text of a
# desktop entry (semicolons and all).
function(transistor_desktop_value entry key out)
  if(NOT entry MATCHES "\n${key}=([^\n]*)")
    message(FATAL_ERROR "The menu entry has no ${key}= line.")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# transistor_metainfo_text(METAINFO ELEMENT OUT): the text of the untranslated
# <ELEMENT> of a metainfo, still escaped as XML.
function(transistor_metainfo_text metainfo element out)
  if(NOT metainfo MATCHES "<${element}>([^<]*)</${element}>")
    message(FATAL_ERROR "The metainfo has no <${element}> element.")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

function(transistor_xml_escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  string(REPLACE "'" "&apos;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(transistor_xml_unescape text out)
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&quot;" "\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Appends QT_TRANSLATE_NOOP("CONTEXT", "TEXT"); to the variable named VAR,
# unless it is there already (the metainfo repeats texts of the entry).
function(_transistor_noop var context text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(line "QT_TRANSLATE_NOOP(\"${context}\", \"${text}\");\n")
  string(FIND "${${var}}" "${line}" seen)
  if(seen LESS 0)
    set(${var} "${${var}}${line}" PARENT_SCOPE)
  endif()
endfunction()

# transistor_write_desktop_texts(ENTRY_FILE METAINFO_FILE OUT_FILE): writes a
# C++ file that marks each translated text with QT_TRANSLATE_NOOP, for
# lupdate to read among the sources (it is never compiled). So lupdate keeps
# these texts in the .ts files, and a new or changed one shows up there
# unfinished. The file is rewritten only when its content changes.
function(transistor_write_desktop_texts entry_file metainfo_file out_file)
  file(READ ${entry_file} entry)
  file(READ ${metainfo_file} metainfo)
  set(code "// The texts of the menu entry and the metainfo, for lupdate. Written by\n")
  string(APPEND code "// data/desktop_texts.cmake from data/*.in; not compiled.\n")
  foreach(pair IN LISTS transistor_desktop_keys)
    string(REPLACE "=" ";" pair ${pair})
    list(GET pair 0 key)
    list(GET pair 1 context)
    transistor_desktop_value("${entry}" ${key} text)
    if(key STREQUAL "Keywords")
      string(APPEND code "//: Search words of the menu entry; each one ends with a semicolon.\n")
    endif()
    _transistor_noop(code ${context} "${text}")
  endforeach()
  foreach(pair IN LISTS transistor_metainfo_elements)
    string(REPLACE "=" ";" pair ${pair})
    list(GET pair 0 element)
    list(GET pair 1 context)
    transistor_metainfo_text("${metainfo}" ${element} text)
    transistor_xml_unescape("${text}" text)
    _transistor_noop(code ${context} "${text}")
  endforeach()
  set(old "")
  if(EXISTS ${out_file})
    file(READ ${out_file} old)
  endif()
  if(NOT old STREQUAL code)
    file(WRITE ${out_file} "${code}")
  endif()
endfunction()

# transistor_translation(TS_TEXT CONTEXT SOURCE OUT): the finished
# translation of SOURCE (escaped as XML, as in the .ts file) in CONTEXT of
# the .ts file's text, still escaped; empty when there is none or it is
# unfinished or vanished.
function(transistor_translation ts context source out)
  set(${out} "" PARENT_SCOPE)
  string(FIND "${ts}" "<name>${context}</name>" at)
  if(at LESS 0)
    return()
  endif()
  string(SUBSTRING "${ts}" ${at} -1 ts)
  string(FIND "${ts}" "</context>" end)
  string(SUBSTRING "${ts}" 0 ${end} ts)
  string(FIND "${ts}" "<source>${source}</source>" at)
  if(at LESS 0)
    return()
  endif()
  string(SUBSTRING "${ts}" ${at} -1 ts)
  string(FIND "${ts}" "</message>" end)
  string(SUBSTRING "${ts}" 0 ${end} found)
  # A finished translation has no type (unfinished, vanished, obsolete).
  if(found MATCHES "<translation>([^<]+)</translation>")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  endif()
endfunction()
