# A small real program stands in for the installed one: only a running ELF
# executable is refused for writing, which is what the helper waits on.
add_executable(renovator_stand_in ${CMAKE_CURRENT_LIST_DIR}/RenovatorStandIn.cpp)
set_target_properties(renovator_stand_in PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests AUTOMOC OFF AUTORCC OFF)

tessaro_add_test(update_helper_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RenovatorCommandLineTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RenovatorTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuUpdateHelperTest.cpp
  LIBS tessaro_update_helper_core tessaro_update_helper_image
  LABELS update helper)
add_dependencies(update_helper_tests Renovator4 renovator_stand_in)
target_compile_definitions(update_helper_tests PRIVATE
  RENOVATOR_STAND_IN="$<TARGET_FILE:renovator_stand_in>")
