# Device profiles, the encode decision and the conversion script in both dialects.
tessaro_add_test(device_profile_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DeviceProfileTest.cpp
  LIBS tessaro_encode
  LABELS encode)
tessaro_add_test(script_writer_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScriptWriterTest.cpp
  LIBS tessaro_encode
  LABELS encode)
tessaro_add_test(sh_script_run_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ShScriptRunTest.cpp
  LIBS tessaro_encode
  LABELS encode)
target_include_directories(sh_script_run_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
tessaro_add_test(progress_tracker_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProgressTrackerTest.cpp
  LIBS tessaro_encode
  LABELS encode)
