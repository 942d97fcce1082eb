# tavelo-skn render of the worst shape beside ImageMagick converting the same bitmap to PNG, both
# run as processes. The versioned name comes first: a plain "convert" may be a wrapper.
find_program(TAVELO_IMAGEMAGICK_CONVERT NAMES convert-im6.q16 magick convert)
if(TARGET tavelo-skn AND TAVELO_IMAGEMAGICK_CONVERT)
    add_executable(tavelo-bench-render ${CMAKE_CURRENT_LIST_DIR}/bench_render.cpp)
    target_link_libraries(tavelo-bench-render
        PRIVATE tavelo_skin benchmark::benchmark tavelo_warnings
    )
    target_compile_definitions(tavelo-bench-render PRIVATE
        TAVELO_SKN_PROGRAM="$<TARGET_FILE:tavelo-skn>"
        TAVELO_CONVERT_PROGRAM="${TAVELO_IMAGEMAGICK_CONVERT}")
    add_dependencies(tavelo-bench-render tavelo-skn)
elseif(NOT TAVELO_IMAGEMAGICK_CONVERT)
    message(STATUS "ImageMagick not found: the render benchmark is not built")
endif()
