# The publisher key of the tests: test programs that build the window or the
# update check link it instead of the program's own key.
find_program(MINISIGN_EXECUTABLE minisign REQUIRED)
set(TESSARO_TEST_KEY_DIR ${CMAKE_BINARY_DIR}/test-publisher-key)
set(test_key_source ${TESSARO_TEST_KEY_DIR}/TestPublisherKey.cpp)
add_custom_command(OUTPUT ${test_key_source}
  COMMAND ${CMAKE_COMMAND} -DDIR=${TESSARO_TEST_KEY_DIR} -DMINISIGN=${MINISIGN_EXECUTABLE}
          -DOUTPUT=${test_key_source} -P ${CMAKE_SOURCE_DIR}/cmake/MakeTestPublisherKey.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/MakeTestPublisherKey.cmake
  COMMENT "Test publisher key")
add_library(tessaro_update_test_key OBJECT ${test_key_source})
target_include_directories(tessaro_update_test_key PRIVATE ${CMAKE_SOURCE_DIR}/src)
