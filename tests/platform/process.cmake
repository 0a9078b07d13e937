tessaro_add_test(platform_process_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProcessGroupTest.cpp
  LIBS tessaro_platform
  LABELS thread)

add_executable(fake_desktop_services ${CMAKE_CURRENT_LIST_DIR}/FakeDesktopServices.cpp)
target_link_libraries(fake_desktop_services PRIVATE Qt6::DBus)
set_target_properties(fake_desktop_services PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

tessaro_add_test(platform_power_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PowerManagerTest.cpp
  LIBS tessaro_platform_dbus
  LABELS dbus)
target_compile_definitions(platform_power_tests PRIVATE
  TESSARO_FAKE_DESKTOP="$<TARGET_FILE:fake_desktop_services>")
add_dependencies(platform_power_tests fake_desktop_services)
