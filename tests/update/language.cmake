tessaro_add_test(update_language_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorLanguageTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/kuFormatTest.cpp
  LIBS tessaro_update_language
  LABELS update language)
