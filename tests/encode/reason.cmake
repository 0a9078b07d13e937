# The sentence that tells why a job is converted as it is, in both shipped languages.
tessaro_add_test(encode_reason_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/JobReasonTest.cpp
  LIBS tessaro_encode tessaro_settings
  LABELS encode)
target_include_directories(encode_reason_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(encode_reason_test tessaro_language_file)
