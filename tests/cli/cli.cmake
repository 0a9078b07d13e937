# The command-line front end, run as a real program on the probe corpus.
tessaro_add_test(cli_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliTest.cpp
  LABELS cli
  FIXTURES media_corpus)
target_include_directories(cli_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(cli_test tessaro-cli)
