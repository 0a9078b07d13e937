# The media probe, its library binding and the add routine, against the real
# media library and the ffmpeg-made corpus.
tessaro_add_test(encode_probe_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProbeTest.cpp
  LIBS tessaro_encode
  LABELS encode thread
  FIXTURES media_corpus)
target_include_directories(encode_probe_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)

tessaro_add_test(encode_mediainfo_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MediaInfoTest.cpp
  LIBS tessaro_encode Threads::Threads
  LABELS encode thread
  FIXTURES media_corpus)

# A library file lacking one entry point, for the loader's refusal.
add_library(tessaro_incomplete_mediainfo SHARED ${CMAKE_CURRENT_LIST_DIR}/IncompleteMediaInfoLibrary.cpp)
set_target_properties(tessaro_incomplete_mediainfo PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

tessaro_add_test(encode_mediainfo_unavailable_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MediaInfoUnavailableTest.cpp
  LIBS tessaro_encode
  LABELS encode
  FIXTURES media_corpus)
target_include_directories(encode_mediainfo_unavailable_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(encode_mediainfo_unavailable_tests PRIVATE
  INCOMPLETE_MEDIAINFO_LIBRARY="$<TARGET_FILE:tessaro_incomplete_mediainfo>")
add_dependencies(encode_mediainfo_unavailable_tests tessaro_incomplete_mediainfo)
