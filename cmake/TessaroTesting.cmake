include(GoogleTest)

# tessaro_add_test(NAME SOURCES a.cpp ... LIBS lib ... [LABELS l ...] [FIXTURES f ...])
# One executable per test file group; every case is registered with CTest.
function(tessaro_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;FIXTURES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TESSARO_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    TESSARO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TESSARO_CORPUS_DIR="${CMAKE_BINARY_DIR}/corpus")
  set(props ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  if(T_FIXTURES)
    list(APPEND props FIXTURES_REQUIRED "${T_FIXTURES}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
endfunction()
