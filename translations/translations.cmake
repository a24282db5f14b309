# The window's translations: which sources lupdate reads, with which options,
# into which .ts files. Included by view/ (which builds the .qm files into the
# program) and by tests/ (which checks that the .ts files are complete).
#
# Every text that the window may show is in the core (app/, model/, engine/,
# display/) or in view/, and the page's own in web/api.cpp; the script driver
# speaks only the source language.
# The menu entry and the metainfo (data/) are translated in the same files:
# their texts reach lupdate through a file written here from the templates
# (data/desktop_texts.cmake), and data/localize.cmake puts the translations
# into the installed files.
file(GLOB_RECURSE transistor_translated_sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/app/*.cpp ${PROJECT_SOURCE_DIR}/app/*.h
  ${PROJECT_SOURCE_DIR}/model/*.cpp ${PROJECT_SOURCE_DIR}/model/*.h
  ${PROJECT_SOURCE_DIR}/engine/*.cpp ${PROJECT_SOURCE_DIR}/engine/*.h
  ${PROJECT_SOURCE_DIR}/display/*.cpp ${PROJECT_SOURCE_DIR}/display/*.h
  ${PROJECT_SOURCE_DIR}/view/*.cpp ${PROJECT_SOURCE_DIR}/view/*.h)
# The page's own texts (web/node_modules is no source).
list(APPEND transistor_translated_sources ${PROJECT_SOURCE_DIR}/web/api.cpp)
list(SORT transistor_translated_sources)
include(${PROJECT_SOURCE_DIR}/data/desktop_texts.cmake)
set(_templates
  ${PROJECT_SOURCE_DIR}/data/${TRANSISTOR_APP_ID}.desktop.in
  ${PROJECT_SOURCE_DIR}/data/${TRANSISTOR_APP_ID}.metainfo.xml.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_templates})
transistor_write_desktop_texts(${_templates}
  ${CMAKE_BINARY_DIR}/translations/desktop_texts.cpp)
list(APPEND transistor_translated_sources ${CMAKE_BINARY_DIR}/translations/desktop_texts.cpp)

set(transistor_ts_files
  ${PROJECT_SOURCE_DIR}/translations/transistor_en.ts
  ${PROJECT_SOURCE_DIR}/translations/transistor_ja.ts)

# The core marks its texts with TRANSLATABLE("Form1", "...")
# (model/translatable.h), which lupdate reads as QT_TRANSLATE_NOOP; the view
# uses tr(). No line numbers in the .ts files, so that editing a source
# moves nothing there.
set(transistor_lupdate_options
  -tr-function-alias QT_TRANSLATE_NOOP+=TRANSLATABLE
  -locations none)

# The same list for the completeness test, which runs lupdate itself.
set(transistor_translated_sources_list ${CMAKE_BINARY_DIR}/translations/sources.lst)
string(REPLACE ";" "\n" _lines "${transistor_translated_sources}")
file(CONFIGURE OUTPUT ${transistor_translated_sources_list} CONTENT "${_lines}\n")
