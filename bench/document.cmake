# The undo history's memory on a large skin, against one copy of its main image. The heap is
# measured with glibc's mallinfo2.
include(CheckSymbolExists)
check_symbol_exists(mallinfo2 "malloc.h" TAVELO_HAVE_MALLINFO2)
if(TARGET tavelo_document AND TAVELO_HAVE_MALLINFO2)
    add_executable(tavelo-bench-document ${CMAKE_CURRENT_LIST_DIR}/bench_document.cpp)
    target_link_libraries(tavelo-bench-document
        PRIVATE tavelo_document benchmark::benchmark tavelo_warnings
    )
elseif(NOT TAVELO_HAVE_MALLINFO2)
    message(STATUS "mallinfo2 not found: the document benchmark is not built")
endif()
