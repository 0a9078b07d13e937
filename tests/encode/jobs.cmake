# How many jobs of a list run side by side.
tessaro_add_test(jobs_at_once_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/JobsAtOnceTest.cpp
  LIBS tessaro_encode
  LABELS encode)
