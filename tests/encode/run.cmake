# The script runner, the run control and whole runs with the real tools.
tessaro_add_test(encode_run_process_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CRedirectTest.cpp
  LIBS tessaro_encode Threads::Threads
  LABELS thread)
target_include_directories(encode_run_process_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)

tessaro_add_test(encode_run_control_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/RunControlTest.cpp
  LIBS tessaro_encode
  LABELS thread)
target_include_directories(encode_run_control_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(encode_run_control_tests fastcopy)

tessaro_add_test(encode_run_end_to_end_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/RunEndToEndTest.cpp
  LIBS tessaro_encode
  LABELS thread
  FIXTURES media_corpus
  ROOT)
target_include_directories(encode_run_end_to_end_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# The script starts the project's own tools from the program folder.
add_dependencies(encode_run_end_to_end_tests fastcopy charshift avifinish)
