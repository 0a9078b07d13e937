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

# The keyed front end as the release before this build's, compiled with the earlier
# version: a program folder holding it is one the build's own release updates.
function(tessaro_add_earlier_cli)
  string(REPLACE "." ";" parts "${TESSARO_VERSION}")
  list(POP_BACK parts build_number)
  if(build_number GREATER 0)
    math(EXPR build_number "${build_number} - 1")
    list(JOIN parts "." TESSARO_VERSION)
    string(APPEND TESSARO_VERSION ".${build_number}")
  else()
    set(TESSARO_VERSION 0.0.0.0)
  endif()
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/earlier-version)
  configure_file(${CMAKE_SOURCE_DIR}/src/settings/TessaroVersion.h.in
                 ${generated}/settings/TessaroVersion.h @ONLY)
  add_library(tessaro_earlier_version OBJECT ${CMAKE_SOURCE_DIR}/src/settings/ProgramVersion.cpp)
  target_include_directories(tessaro_earlier_version PRIVATE ${generated} ${CMAKE_SOURCE_DIR}/src)
  add_executable(tessaro-cli-earlier)
  # The earlier version's object comes first, so the settings library's is never linked.
  target_link_libraries(tessaro-cli-earlier PRIVATE tessaro_earlier_version tessaro_cli_objects
    tessaro_update_test_key)
  set_target_properties(tessaro-cli-earlier PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(cli_update_test tessaro-cli-earlier programs)
  target_compile_definitions(cli_update_test PRIVATE TESSARO_EARLIER_VERSION="${TESSARO_VERSION}")
endfunction()
tessaro_add_earlier_cli()
