# The upgrade engine against real transfers on loopback (nginx and the test
# server), with scripted dialogs.
tessaro_add_test(update_renovator_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ThreadTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorBoundsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorDownloadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorQueryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorReleaseTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorSignatureTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorHTTPSTest.cpp
  LIBS tessaro_update_renovator
  LABELS thread update renovator)
