# Compiles the decimal-comma locales the suite runs under into OUT (pointed at by LOCPATH), so
# that no test depends on the locales a machine happens to have installed.
#   cmake -DOUT=<folder> -P make_locales.cmake
find_program(LOCALEDEF localedef REQUIRED)
foreach(name de_DE fr_FR)
    set(target "${OUT}/${name}.UTF-8")
    if(EXISTS "${target}/LC_NUMERIC")
        continue()
    endif()
    file(MAKE_DIRECTORY "${OUT}")
    # localedef warns (and exits 1) about harmless details of some sources; what counts is
    # whether the locale was written.
    execute_process(COMMAND ${LOCALEDEF} -i ${name} -f UTF-8 "${target}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT EXISTS "${target}/LC_NUMERIC")
        message(FATAL_ERROR "localedef could not make ${name}.UTF-8 (status ${status}): ${err}\n"
                            "The locale sources come with Debian's package locales.")
    endif()
endforeach()
