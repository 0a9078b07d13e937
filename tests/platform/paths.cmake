tessaro_add_test(platform_paths_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PathsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FoldersTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AtomicFileTest.cpp
  LIBS tessaro_platform)
