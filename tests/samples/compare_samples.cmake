# cmake -DGENERATOR=... -DCOMMITTED_DIR=... -DOUTPUT_DIR=... -P compare_samples.cmake
foreach(var GENERATOR COMMITTED_DIR OUTPUT_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

# A stale file left by an earlier run must not stand in for one the generator stopped writing.
file(REMOVE_RECURSE "${OUTPUT_DIR}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the generator failed: ${result}")
endif()

file(GLOB committed RELATIVE "${COMMITTED_DIR}" "${COMMITTED_DIR}/*.skn")
file(GLOB generated RELATIVE "${OUTPUT_DIR}" "${OUTPUT_DIR}/*.skn")
list(SORT committed)
list(SORT generated)
if(NOT committed STREQUAL generated)
    message(FATAL_ERROR "committed samples [${committed}] differ from generated [${generated}]")
endif()
if(committed STREQUAL "")
    message(FATAL_ERROR "no sample skins found in ${COMMITTED_DIR}")
endif()

set(stale "")
foreach(name IN LISTS committed)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E compare_files "${COMMITTED_DIR}/${name}" "${OUTPUT_DIR}/${name}"
        RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        list(APPEND stale "${name}")
    endif()
endforeach()
if(stale)
    message(FATAL_ERROR "samples no longer match their generator: ${stale}; "
                        "regenerate with: tavelo-samplegen ${COMMITTED_DIR}")
endif()
