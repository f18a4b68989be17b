# Runs a table generator into an empty folder and fails unless every file it writes is byte for
# byte the committed one, and every committed file of its own (by default the limit-table files
# and the manifest of cell sources) was written by it.
# Arguments: PYTHON, SOURCE_DIR, WORK_DIR; optional GENERATOR (the script, relative to SOURCE_DIR;
# tools/limits/generate.py by default) and OWN_FILES (the file patterns in src/data/generated
# that are the generator's, separated by '|').
if(NOT GENERATOR)
    set(GENERATOR "tools/limits/generate.py")
endif()
if(NOT OWN_FILES)
    set(OWN_FILES "limit_tables_*.cpp|limit_cell_sources.csv")
endif()
string(REPLACE "|" ";" own_patterns "${OWN_FILES}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(
    COMMAND "${PYTHON}" "${SOURCE_DIR}/${GENERATOR}" --out "${WORK_DIR}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "generator failed (${result}):\n${output}${errors}")
endif()

file(GLOB generated RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
set(committed)
foreach(pattern IN LISTS own_patterns)
    file(GLOB matching RELATIVE "${SOURCE_DIR}/src/data/generated"
         "${SOURCE_DIR}/src/data/generated/${pattern}")
    list(APPEND committed ${matching})
endforeach()
if(NOT generated)
    message(FATAL_ERROR "generator wrote no files")
endif()
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
    message(FATAL_ERROR "generated files (${generated}) differ from the committed ones (${committed})")
endif()
foreach(name IN LISTS generated)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E compare_files
            "${WORK_DIR}/${name}" "${SOURCE_DIR}/src/data/generated/${name}"
        RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
        message(FATAL_ERROR "src/data/generated/${name} is not what ${GENERATOR} "
                            "produces; run python3 ${GENERATOR}")
    endif()
endforeach()
list(LENGTH generated count)
message(STATUS "${count} generated files match the committed data")
