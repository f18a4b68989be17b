# Script of the format-check target: -DCLANG_FORMAT=... -DSOURCE_DIR=...
# The files are those git tracks (every .cpp and .h below the source folder when it is not a git
# checkout), without src/data/generated/.
find_program(GIT git)
set(files "")
if(GIT)
    execute_process(COMMAND ${GIT} ls-files -- "*.cpp" "*.h"
        WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_VARIABLE listed RESULT_VARIABLE status
        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(status EQUAL 0)
        string(REPLACE "\n" ";" files "${listed}")
    endif()
endif()
if(NOT files)
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
        ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/tests/*.cpp
        ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
endif()
list(FILTER files EXCLUDE REGEX "^src/data/generated/")
list(LENGTH files count)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${files}
    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "format-check: run clang-format -i on the files named above")
endif()
message(STATUS "format-check: ${count} files as clang-format writes them")
