# The editor's start to first paint, against a minimal dialog program started the same way.
if(TARGET tavelo)
    qt_add_executable(tavelo-startup-floor ${CMAKE_CURRENT_LIST_DIR}/startup_floor.cpp)
    target_link_libraries(tavelo-startup-floor PRIVATE Qt6::Widgets tavelo_warnings)

    add_executable(tavelo-bench-startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
    target_link_libraries(tavelo-bench-startup PRIVATE tavelo_skin benchmark::benchmark tavelo_warnings)
    target_compile_definitions(tavelo-bench-startup PRIVATE
        TAVELO_FLOOR_PROGRAM="$<TARGET_FILE:tavelo-startup-floor>"
        TAVELO_EDITOR_PROGRAM="$<TARGET_FILE:tavelo>"
        TAVELO_SAMPLE_SKIN="${PROJECT_SOURCE_DIR}/samples/yellow-note.skn")
    add_dependencies(tavelo-bench-startup tavelo tavelo-startup-floor)
endif()
