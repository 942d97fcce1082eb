# The editor window with large skins: switching, picking, opening, editing and its memory, each
# against its floor; the memory is measured in a helper process of its own.
if(TARGET tavelo_editor)
    add_executable(tavelo-editor-memory ${CMAKE_CURRENT_LIST_DIR}/editor_memory.cpp)
    target_link_libraries(tavelo-editor-memory
        PRIVATE tavelo_editor tavelo_warnings Qt6::Widgets Qt6::Test
    )

    add_executable(tavelo-bench-editor ${CMAKE_CURRENT_LIST_DIR}/bench_editor.cpp)
    target_link_libraries(tavelo-bench-editor
        PRIVATE tavelo_editor benchmark::benchmark tavelo_warnings Qt6::Widgets Qt6::Test
    )
    target_compile_definitions(tavelo-bench-editor PRIVATE
        TAVELO_EDITOR_MEMORY_PROGRAM="$<TARGET_FILE:tavelo-editor-memory>")
    add_dependencies(tavelo-bench-editor tavelo-editor-memory)
endif()
