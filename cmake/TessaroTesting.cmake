# tessaro_add_test(NAME SOURCES a.cpp ... LIBS lib ... [LABELS l ...] [FIXTURES f ...] [ROOT])
# One executable per group of related tests, registered with CTest as one test.
# With ROOT, its tests named *AsRoot* (those that must act as another user)
# are registered apart as NAME_as_root, labelled "root" and nothing else, so
# that they run in the suite's pass as root only.
# Under ThreadSanitizer the tests and the programs they start skip the
# libraries that were not built with it.
if(TESSARO_SANITIZE MATCHES "thread")
  set(TESSARO_TEST_SANITIZER_OPTIONS
      "TSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/tsan-suppressions.txt")
endif()

function(tessaro_add_test name)
  cmake_parse_arguments(T "ROOT" "" "SOURCES;LIBS;LABELS;FIXTURES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TESSARO_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    TESSARO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TESSARO_CORPUS_DIR="${CMAKE_BINARY_DIR}/corpus"
    TESSARO_TEST_KEY_DIR="${TESSARO_TEST_KEY_DIR}"
    TESSARO_EXPECTED_VERSION="${TESSARO_VERSION}")
  set(environment QT_QPA_PLATFORM=offscreen ${TESSARO_TEST_SANITIZER_OPTIONS})
  if(T_ROOT)
    add_test(NAME ${name} COMMAND ${name} --gtest_filter=-*AsRoot*)
    add_test(NAME ${name}_as_root COMMAND ${name} --gtest_filter=*AsRoot*)
    set_tests_properties(${name}_as_root PROPERTIES
      ENVIRONMENT "${environment}"
      LABELS root
      FIXTURES_REQUIRED "${T_FIXTURES}")
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${environment}"
    LABELS "${T_LABELS}"
    FIXTURES_REQUIRED "${T_FIXTURES}")
endfunction()
