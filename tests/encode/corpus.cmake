# Media and subtitle files made by ffmpeg before the tests that probe them.
add_test(NAME media_corpus COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-corpus.sh ${CMAKE_BINARY_DIR}/corpus)
set_tests_properties(media_corpus PROPERTIES FIXTURES_SETUP media_corpus LABELS corpus)
