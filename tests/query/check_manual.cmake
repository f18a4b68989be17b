# The manual page of torveld-query agrees with its --help: every option the help names is in
# the page, and the page names no option the help lacks (help2man makes the page from --help at
# build time; this catches a stale page or a help text help2man cannot read).
# Run with -DPROGRAM=<torveld-query> -DPAGE=<torveld-query.1>
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "torveld-query --help failed: ${result}")
endif()
file(READ ${PAGE} page)
string(REGEX MATCHALL "--[a-z][a-z-]*" in_help "${help}")
# roff writes a hyphen as \-
string(REPLACE "\\-" "-" page_text "${page}")
string(REGEX MATCHALL "--[a-z][a-z-]*" in_page "${page_text}")
list(REMOVE_DUPLICATES in_help)
list(REMOVE_DUPLICATES in_page)
list(SORT in_help)
list(SORT in_page)
if(NOT in_help STREQUAL in_page)
    message(FATAL_ERROR "--help names ${in_help}\nthe manual page names ${in_page}")
endif()
list(LENGTH in_help count)
message(STATUS "the manual page names the ${count} options of --help")
