tessaro_add_test(platform_process_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProcessGroupTest.cpp
  LIBS tessaro_platform
  LABELS thread)

add_executable(fake_logind ${CMAKE_CURRENT_LIST_DIR}/FakeLogind.cpp)
target_link_libraries(fake_logind PRIVATE Qt6::DBus)
set_target_properties(fake_logind PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

add_executable(fake_notifications ${CMAKE_CURRENT_LIST_DIR}/FakeNotifications.cpp)
target_link_libraries(fake_notifications PRIVATE Qt6::DBus)
set_target_properties(fake_notifications PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

tessaro_add_test(platform_power_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PowerManagerTest.cpp
  LIBS tessaro_platform_dbus
  LABELS dbus)
target_compile_definitions(platform_power_tests PRIVATE
  TESSARO_FAKE_LOGIND="$<TARGET_FILE:fake_logind>"
  TESSARO_FAKE_NOTIFICATIONS="$<TARGET_FILE:fake_notifications>")
add_dependencies(platform_power_tests fake_logind fake_notifications)
