tessaro_add_test(update_thread_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ThreadTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuThreadLifecycleTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuThreadWaitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuThreadSyncTest.cpp
  LIBS tessaro_update_thread
  LABELS thread update)
