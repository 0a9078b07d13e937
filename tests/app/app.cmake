# The window under QT_QPA_PLATFORM=offscreen, with real media from the corpus, the real
# mencoder, the project's tools beside the program and the built program as a second instance.
tessaro_add_test(app_window_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AppTestMain.cpp ${CMAKE_CURRENT_LIST_DIR}/WindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/SettingsWindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/EncodeWindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/SingleInstanceTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/SessionEndTest.cpp
  LIBS tessaro_app tessaro_update_test_key Qt6::Test
  LABELS app
  FIXTURES media_corpus)
target_include_directories(app_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(app_window_tests tessaro tessaro_language_file fastcopy charshift)

# Tests that need a process of their own: one more run of the same program each.
foreach(solo IN ITEMS EncodeWindowTest.SoloShutdownAfterACompletedRunSavesTheSettingsFirst
                      SoloDetailsTest.PaneShowsTheBindingsFallbackLine)
  string(REGEX REPLACE ".*\\." "" name ${solo})
  add_test(NAME app_solo_${name} COMMAND app_window_tests --gtest_filter=${solo})
  set_tests_properties(app_solo_${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TESSARO_SOLO_PROCESS=1"
    LABELS app
    FIXTURES_REQUIRED media_corpus)
endforeach()

# The context menu's state as data, without a window.
tessaro_add_test(app_popup_menu_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PopupMenuStateTest.cpp
  LIBS tessaro_app
  LABELS app)
