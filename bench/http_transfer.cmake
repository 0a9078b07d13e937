# Downloads from nginx on loopback into a file (against the curl program on the same
# URL) and into memory, and how fast a stalled transfer pauses.
add_executable(http_transfer_bench ${CMAKE_CURRENT_LIST_DIR}/HTTPTransferBench.cpp)
target_link_libraries(http_transfer_bench PRIVATE tessaro_update_http benchmark::benchmark)
target_compile_definitions(http_transfer_bench PRIVATE TESSARO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
set_target_properties(http_transfer_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
