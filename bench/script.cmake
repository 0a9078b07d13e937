# The conversion script's text for a full job list, in both dialects.
add_executable(script_writer_bench ${CMAKE_CURRENT_LIST_DIR}/ScriptWriterBench.cpp)
target_link_libraries(script_writer_bench PRIVATE tessaro_encode benchmark::benchmark)
set_target_properties(script_writer_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
