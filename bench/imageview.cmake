# Painting the image view, against a single blit of the same image.
if(TARGET tavelo_imageview)
    add_executable(tavelo-bench-imageview ${CMAKE_CURRENT_LIST_DIR}/bench_imageview.cpp)
    target_link_libraries(tavelo-bench-imageview
        PRIVATE tavelo_imageview benchmark::benchmark tavelo_warnings Qt6::Widgets
    )
endif()
