# These tests run the real tools, so they are built first.
foreach(tool IN ITEMS Charshift Fastcopy Avifinish)
  string(TOLOWER ${tool} name)
  tessaro_add_test(${name}_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/${tool}Test.cpp LABELS tools)
  target_include_directories(${name}_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_dependencies(${name}_test ${name})
endforeach()
# The completeness check reads a real encoder's file from the corpus.
set_tests_properties(avifinish_test PROPERTIES FIXTURES_REQUIRED media_corpus)
