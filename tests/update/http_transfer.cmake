# Real transfers against a test server of our own and against nginx, on loopback.
tessaro_add_test(update_http_transfer_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ThreadTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuHTTPDownloadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuHTTPAbortTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuHTTPBoundsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuHTTPNginxTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuHTTPSTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuHTTPSettingsTest.cpp
  LIBS tessaro_update_http
  LABELS thread update http)
