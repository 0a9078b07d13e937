tessaro_add_test(update_info_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/kuInfoFileTest.cpp
  LIBS tessaro_update_info
  LABELS update info)
