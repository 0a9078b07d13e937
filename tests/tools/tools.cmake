# These tests run the real tools, so they are built first.
tessaro_add_test(charshift_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CharshiftTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ToolRun.cpp
  LABELS tools)
add_dependencies(charshift_test charshift)

tessaro_add_test(fastcopy_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FastcopyTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ToolRun.cpp
  LABELS tools)
add_dependencies(fastcopy_test fastcopy)
