tessaro_add_test(platform_paths_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FoldersTest.cpp
  LIBS tessaro_platform
  ROOT)
