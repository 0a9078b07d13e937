# Reading the entries of an info file that lists 500 to 8,000 files (ms, and its growth).
add_executable(info_file_bench ${CMAKE_CURRENT_LIST_DIR}/InfoFileBench.cpp)
target_link_libraries(info_file_bench PRIVATE tessaro_update_info benchmark::benchmark)
set_target_properties(info_file_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
