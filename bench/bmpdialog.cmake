# Stepping through large bitmaps in the bitmap open dialog, against one read of one of them.
if(TARGET tavelo_controls)
    add_executable(tavelo-bench-bmpdialog ${CMAKE_CURRENT_LIST_DIR}/bench_bmpdialog.cpp)
    target_link_libraries(tavelo-bench-bmpdialog
        PRIVATE tavelo_controls benchmark::benchmark tavelo_warnings Qt6::Widgets
    )
endif()
