# Probe throughput against bare library calls; needs the corpus
# (scripts/make-corpus.sh <build>/corpus, or any test run that made it).
add_executable(probe_bench ${CMAKE_CURRENT_LIST_DIR}/ProbeBench.cpp)
target_link_libraries(probe_bench PRIVATE tessaro_encode benchmark::benchmark)
target_compile_definitions(probe_bench PRIVATE TESSARO_CORPUS_DIR="${CMAKE_BINARY_DIR}/corpus")
set_target_properties(probe_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# tessaro-cli probe against one mediainfo process on the corpus videos.
add_executable(probe_process_bench ${CMAKE_CURRENT_LIST_DIR}/ProbeProcessBench.cpp)
target_link_libraries(probe_process_bench PRIVATE tessaro_encode benchmark::benchmark)
target_compile_definitions(probe_process_bench PRIVATE
  TESSARO_CORPUS_DIR="${CMAKE_BINARY_DIR}/corpus"
  TESSARO_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
set_target_properties(probe_process_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(probe_process_bench tessaro-cli)
