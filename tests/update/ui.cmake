# The update dialogs as real widgets under the offscreen platform, answered
# from their own event loops.
tessaro_add_test(update_ui_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UiTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorWizardTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorModalFormsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuRenovatorWidgetDialogsTest.cpp
  LIBS tessaro_update_ui Qt6::Test
  LABELS update ui)

# The dialogs with sample texts, for scripts/screenshot.sh.
add_executable(renovator_dialog_gallery ${CMAKE_CURRENT_LIST_DIR}/DialogGallery.cpp)
target_link_libraries(renovator_dialog_gallery PRIVATE tessaro_update_ui
  tessaro_update_publisher_key)
set_target_properties(renovator_dialog_gallery PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
