# The skin checker on a large skin, against one load of the same skin.
add_executable(tavelo-bench-skincheck ${CMAKE_CURRENT_LIST_DIR}/bench_skincheck.cpp)
target_link_libraries(tavelo-bench-skincheck
    PRIVATE tavelo_skin benchmark::benchmark tavelo_warnings
)
