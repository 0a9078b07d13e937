tessaro_add_test(update_utils_text_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/kuTextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuURLTest.cpp
  LIBS tessaro_update_utils
  LABELS update utils)

tessaro_add_test(update_utils_files_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/kuFilesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuFilesTest.qrc
    ${CMAKE_CURRENT_LIST_DIR}/kuStringListTest.cpp
  LIBS tessaro_update_utils
  LABELS update utils)

tessaro_add_test(update_utils_desktop_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UtilsGuiTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuDesktopTest.cpp
  LIBS tessaro_update_utils Qt6::Gui
  LABELS update utils)

# Waiting and StopWait cross threads: these also run in the ThreadSanitizer build.
tessaro_add_test(update_utils_wait_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ThreadTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuWaitTest.cpp
  LIBS tessaro_update_utils
  LABELS update utils thread)
tessaro_add_test(update_utils_wait_plain_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/kuWaitWithoutApplicationTest.cpp
  LIBS tessaro_update_utils
  LABELS update utils thread)

# Date conversions depend on the zone: the suite runs in the machine's zone and
# again in two fixed ones, one of them with daylight saving time.
tessaro_add_test(update_utils_datetime_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/kuDateTimeTest.cpp
  LIBS tessaro_update_utils
  LABELS update utils)
foreach(zone IN ITEMS UTC Asia/Tokyo America/New_York)
  string(REPLACE "/" "_" zone_suffix "${zone}")
  add_test(NAME update_utils_datetime_tests_${zone_suffix} COMMAND update_utils_datetime_tests)
  set_tests_properties(update_utils_datetime_tests_${zone_suffix} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=${zone}"
    LABELS "update;utils")
endforeach()
