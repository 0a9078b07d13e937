tessaro_add_test(settings_profile_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProfileFileTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ProfileSettingsTest.cpp
  LIBS tessaro_settings
  LABELS settings)

tessaro_add_test(settings_install_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/InstallMarkersTest.cpp
  LIBS tessaro_settings
  LABELS settings)

tessaro_add_test(settings_language_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LanguageFileTest.cpp
  LIBS tessaro_settings Threads::Threads
  LABELS settings)
