# Self-update through the real window: a release on nginx on loopback, an install
# folder holding a copy of this test program as the installed program, and the
# update helper replacing its files and starting it again.
tessaro_add_test(app_update_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AppTestMain.cpp ${CMAKE_CURRENT_LIST_DIR}/UpdateEndToEndTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/StartArgumentsTest.cpp
  LIBS tessaro_app tessaro_update_test_key Qt6::Test
  LABELS app update)
target_include_directories(app_update_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(app_update_tests tessaro tessaro_language_file fastcopy charshift avifinish)
