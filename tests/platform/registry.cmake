tessaro_add_test(registry_store_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/RegistryStoreTest.cpp
  LIBS tessaro_platform Threads::Threads
  LABELS thread)
