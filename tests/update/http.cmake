tessaro_add_test(update_http_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/kuHTTPTest.cpp
  LIBS tessaro_update_http
  LABELS update http)
