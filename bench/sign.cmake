# Signature checks of a 256 MiB update file in both minisign forms, against plain hashing
# of the same file and against b2sum and sha512sum; peak memory growth.
add_executable(update_sign_bench ${CMAKE_CURRENT_LIST_DIR}/SignatureBench.cpp)
target_link_libraries(update_sign_bench PRIVATE tessaro_update_sign tessaro_platform
                      benchmark::benchmark)
target_include_directories(update_sign_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/update)
set_target_properties(update_sign_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
