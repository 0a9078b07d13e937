# tessaro-cli encode, run as a real program with the real tools.
tessaro_add_test(cli_encode_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/EncodeCommandTest.cpp
  LIBS tessaro_platform
  LABELS cli thread
  FIXTURES media_corpus
  ROOT)
target_include_directories(cli_encode_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(cli_encode_tests tessaro-cli fastcopy charshift)

tessaro_add_test(cli_terminal_status_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TerminalStatusBarTest.cpp
    ${CMAKE_SOURCE_DIR}/src/cli/TerminalStatusBar.cpp
  LIBS tessaro_encode)
