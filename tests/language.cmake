# The window in the user's language: the translations are complete, and the
# window speaks the language that the locale asks for. Included from
# tests/CMakeLists.txt.
if(TARGET transistor_view)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Core LinguistTools)
  include(${PROJECT_SOURCE_DIR}/translations/translations.cmake)

  # lupdate, run as `update_translations` runs it, into copies of the .ts
  # files: every text must already be there, translated, and none left over.
  # `update_translations` passes the view's include folders to lupdate; the
  # test names the one that matters, so that lupdate finds the headers of
  # the view's classes and a tr() in transistor::ClassroomActions gets that
  # context, the one Qt looks up at run time.
  add_executable(translations_test ${CMAKE_CURRENT_LIST_DIR}/translations_test.cpp)
  target_link_libraries(translations_test PRIVATE Qt6::Core)
  add_test(NAME translations_complete
    COMMAND translations_test $<TARGET_FILE:Qt6::lupdate> ${transistor_translated_sources_list}
            ${transistor_ts_files} -- ${transistor_lupdate_options} -I ${PROJECT_SOURCE_DIR})

  # One run of the window test's language check per locale, told the
  # language the window must show. Variables left empty count as unset, so
  # the machine's own locale does not leak in.
  foreach(run
      "en|en|LANG=en_US.UTF-8"
      "ja|ja|LANG=ja_JP.UTF-8"
      "C|designed|LANG=C"
      "POSIX|designed|LANG=POSIX"
      "fr|en|LANG=fr_FR.UTF-8"
      "LANGUAGE|ja|LANG=fr_FR.UTF-8;LANGUAGE=ja:fr"
      "LANGUAGE_in_C|designed|LANG=C;LANGUAGE=ja"
      "LC_ALL_over_LANG|en|LANG=ja_JP.UTF-8;LC_ALL=en_GB.UTF-8")
    string(REPLACE "|" ";" run "${run}")
    list(GET run 0 name)
    list(GET run 1 language)
    list(SUBLIST run 2 -1 locale)
    add_test(NAME window_language_${name} COMMAND window_test theWindowInTheLanguageOfTheLocale)
    set_tests_properties(window_language_${name} PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;LANG=;LC_ALL=;LC_MESSAGES=;LANGUAGE=;TRANSISTOR_LANGUAGE=${language};${locale}")
  endforeach()
endif()
