# Starts the desktop program with a display that cannot be opened, with the Qt platform left to
# its default and set to xcb, and checks that it says so in one line on standard error (with
# how to run it under Xvfb) and ends with status 2 instead of Qt's abort.
# Run with -DPROGRAM=<path of the program>.
set(number 99)
while(EXISTS /tmp/.X11-unix/X${number})
    math(EXPR number "${number} + 1")
endwhile()
foreach(platform default xcb)
    if(platform STREQUAL "default")
        set(choice --unset=QT_QPA_PLATFORM)
    else()
        set(choice QT_QPA_PLATFORM=${platform})
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=WAYLAND_DISPLAY --unset=XDG_SESSION_TYPE
                ${choice} DISPLAY=:${number} ${PROGRAM}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
    if(NOT result STREQUAL "2")
        message(FATAL_ERROR "platform ${platform}: status '${result}' instead of 2; said:\n${err}")
    endif()
    string(REGEX MATCHALL "\n" lines "${err}")
    list(LENGTH lines count)
    if(NOT count EQUAL 1 OR NOT err MATCHES "\n$")
        message(FATAL_ERROR "platform ${platform}: not one line:\n${err}")
    endif()
    if(NOT err MATCHES "^torveld: cannot open the display :${number}; .*xvfb-run -a .*torveld\n$")
        message(FATAL_ERROR "platform ${platform}: the line does not say what to do:\n${err}")
    endif()
    if(NOT out STREQUAL "")
        message(FATAL_ERROR "platform ${platform}: wrote to standard output:\n${out}")
    endif()
endforeach()
message(STATUS "display :${number}: one line, status 2")
