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
