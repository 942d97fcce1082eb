# Pixels to window region: the region builder beside Qt's exact-key mask route and a memcpy of the
# same pixels.
if(TARGET tavelo_shapedwnd)
    add_executable(tavelo-bench-region ${CMAKE_CURRENT_LIST_DIR}/bench_region.cpp)
    target_link_libraries(tavelo-bench-region
        PRIVATE tavelo_shapedwnd benchmark::benchmark tavelo_warnings
    )
endif()
