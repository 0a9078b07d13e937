# The window under QT_QPA_PLATFORM=offscreen, with real media from the corpus.
# Each program brings its own main: widgets need one application object.
function(tessaro_add_window_test name)
  cmake_parse_arguments(W "" "" "SOURCES;FIXTURES;LABELS" ${ARGN})
  tessaro_add_test(${name}
    SOURCES ${W_SOURCES} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/AppTestMain.cpp
    LIBS tessaro_app Qt6::Test
    LABELS app ${W_LABELS}
    FIXTURES ${W_FIXTURES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endfunction()

tessaro_add_window_test(app_window_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowTest.cpp
  FIXTURES media_corpus)

tessaro_add_window_test(app_startup_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StartupCloseTest.cpp)

tessaro_add_window_test(app_language_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LanguageWindowTest.cpp)
add_dependencies(app_language_tests tessaro_language_file)

# Real runs: mencoder from the system, the project's tools beside the program.
tessaro_add_window_test(app_encode_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/EncodeWindowTest.cpp
  FIXTURES media_corpus)
tessaro_add_window_test(app_shutdown_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ShutdownWindowTest.cpp
  FIXTURES media_corpus)
add_dependencies(app_encode_tests fastcopy charshift)
add_dependencies(app_shutdown_tests fastcopy charshift)

tessaro_add_window_test(app_drop_list_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DropListTest.cpp)

# Runs the built program itself as the other instance.
tessaro_add_window_test(app_single_instance_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SingleInstanceTest.cpp
  FIXTURES media_corpus)
add_dependencies(app_single_instance_tests tessaro)

tessaro_add_window_test(app_details_without_library_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DetailsWithoutLibraryTest.cpp
  FIXTURES media_corpus)
