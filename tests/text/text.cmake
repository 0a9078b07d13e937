tessaro_add_test(text_encoding_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Zutf8_16Test.cpp
  LIBS tessaro_text
  LABELS text)
