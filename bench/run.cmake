add_executable(marker_clock ${CMAKE_CURRENT_LIST_DIR}/MarkerClock.cpp)
set_target_properties(marker_clock PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

add_executable(runner_bench ${CMAKE_CURRENT_LIST_DIR}/RunnerBench.cpp)
target_link_libraries(runner_bench PRIVATE tessaro_encode benchmark::benchmark)
target_compile_definitions(runner_bench PRIVATE
  TESSARO_MARKER_CLOCK="$<TARGET_FILE:marker_clock>"
  TESSARO_AVIFINISH="$<TARGET_FILE:avifinish>")
add_dependencies(runner_bench marker_clock avifinish)
set_target_properties(runner_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# How close the whole-list ETA comes to the time a run of four equal clips takes.
add_executable(eta_bench ${CMAKE_CURRENT_LIST_DIR}/EtaBench.cpp)
target_link_libraries(eta_bench PRIVATE tessaro_encode benchmark::benchmark)
target_include_directories(eta_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/encode ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(eta_bench PRIVATE TESSARO_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
add_dependencies(eta_bench avifinish fastcopy charshift)
set_target_properties(eta_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
