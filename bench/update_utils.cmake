# Base64 of an 8 MiB upload and URL escaping of 1 MiB of query text (MB/s).
add_executable(update_utils_bench ${CMAKE_CURRENT_LIST_DIR}/UpdateUtilsBench.cpp)
target_link_libraries(update_utils_bench PRIVATE tessaro_update_utils tessaro_update_http
                      benchmark::benchmark)
set_target_properties(update_utils_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
