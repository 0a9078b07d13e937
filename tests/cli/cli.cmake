# The command-line front end, run as a real program on the probe corpus.
tessaro_add_test(cli_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliTest.cpp
  LABELS cli
  FIXTURES media_corpus)
target_include_directories(cli_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(cli_test tessaro-cli)

# The update check against nginx on loopback.
tessaro_add_test(cli_update_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/UpdateCommandTest.cpp
  LIBS tessaro_platform Qt6::Core
  LABELS cli update
  ROOT)
target_include_directories(cli_update_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# Sanitizers reserve more address space than a limit allows; those runs bound memory otherwise.
if(TESSARO_SANITIZE)
  target_compile_definitions(cli_update_test PRIVATE TESSARO_SANITIZED=true)
else()
  target_compile_definitions(cli_update_test PRIVATE TESSARO_SANITIZED=false)
endif()
add_dependencies(cli_update_test tessaro-cli)

# The same front end trusting the tests' publisher key, for signed releases.
add_executable(tessaro-cli-test-key)
target_link_libraries(tessaro-cli-test-key PRIVATE tessaro_cli_objects tessaro_update_test_key)
set_target_properties(tessaro-cli-test-key PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(cli_update_test tessaro-cli-test-key)

# The release the test lays out and installs is the whole build's.
add_dependencies(cli_update_test programs)
