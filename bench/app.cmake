# The window's add and start-up times; needs the corpus
# (scripts/make-corpus.sh <build>/corpus, or any test run that made it).
add_executable(app_bench ${CMAKE_CURRENT_LIST_DIR}/AppBench.cpp)
target_link_libraries(app_bench PRIVATE tessaro_app tessaro_update_publisher_key Qt6::Test
  benchmark::benchmark)
target_compile_definitions(app_bench PRIVATE
  TESSARO_CORPUS_DIR="${CMAKE_BINARY_DIR}/corpus"
  TESSARO_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
set_target_properties(app_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(app_bench tessaro-cli)
