# format-check: every tracked C++ source must already be as clang-format (the committed
# .clang-format, clang-format 14) writes it. The generated data tables are left out: their
# generators lay them out and a test proves they are what the generators write.
find_program(TORVELD_CLANG_FORMAT NAMES clang-format-14 clang-format)
if(TORVELD_CLANG_FORMAT)
    add_custom_target(format-check
        COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${TORVELD_CLANG_FORMAT}
                -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/run_format_check.cmake
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "clang-format --dry-run -Werror over the tracked sources"
        VERBATIM)
else()
    add_custom_target(format-check
        COMMAND ${CMAKE_COMMAND} -E echo "format-check: clang-format not found"
        COMMAND ${CMAKE_COMMAND} -E false
        VERBATIM)
endif()
