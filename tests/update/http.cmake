tessaro_add_test(update_http_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/kuURLEncodingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuHTTPUploadStreamTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuLoginComponentTest.cpp
  LIBS tessaro_update_http
  LABELS update http)
