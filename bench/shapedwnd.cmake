# The mouse-over swap of a shaped close button, against a plain repaint of the same image.
if(TARGET tavelo_shapedwnd)
    add_executable(tavelo-bench-shapedwnd ${CMAKE_CURRENT_LIST_DIR}/bench_shapedwnd.cpp)
    target_link_libraries(tavelo-bench-shapedwnd
        PRIVATE tavelo_shapedwnd benchmark::benchmark tavelo_warnings Qt6::Widgets
    )
endif()
