# Builds the Debian package into a scratch folder and checks what a user of it sees: a
# Maintainer field with a name and an address (not on localhost), the copyright file in
# /usr/share/doc/torveld, a stripped program, and a desktop entry that desktop-file-validate
# passes without a word.
# Run with -DBUILD_DIR=... -DOUT=... -DCPACK=<cpack> -DVALIDATE=<desktop-file-validate>
file(REMOVE_RECURSE ${OUT})
find_program(DPKG_DEB dpkg-deb REQUIRED)
find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB packages ${OUT}/torveld_*.deb)
list(LENGTH packages count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made no package (${result}):\n${log}")
endif()

execute_process(COMMAND ${DPKG_DEB} --field ${packages} Maintainer
                OUTPUT_VARIABLE maintainer OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT maintainer MATCHES "^[A-Za-z][^<>@]* <[^<>@ ]+@[^<>@ ]+\\.[A-Za-z]+>$"
   OR maintainer MATCHES "localhost|localdomain|example\\.(com|org|net)")
    message(FATAL_ERROR "Maintainer is not a name and an address: '${maintainer}'")
endif()

execute_process(COMMAND ${DPKG_DEB} --contents ${packages} OUTPUT_VARIABLE contents)
foreach(path ./usr/bin/torveld ./usr/share/applications/torveld.desktop
             ./usr/share/icons/hicolor/scalable/apps/torveld.svg
             ./usr/share/doc/torveld/copyright)
    string(FIND "${contents}" " ${path}\n" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "the package lacks ${path}:\n${contents}")
    endif()
endforeach()

set(root ${OUT}/root)
execute_process(COMMAND ${DPKG_DEB} --extract ${packages} ${root} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb cannot extract the package")
endif()
file(STRINGS ${root}/usr/share/doc/torveld/copyright copyright LIMIT_COUNT 1)
if(NOT copyright STREQUAL
   "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
    message(FATAL_ERROR "the copyright file is not in the machine-readable format")
endif()
execute_process(COMMAND ${READELF} --section-headers ${root}/usr/bin/torveld
                OUTPUT_VARIABLE sections)
if(NOT sections MATCHES "\\.text" OR sections MATCHES "\\.symtab|\\.debug_")
    message(FATAL_ERROR "the packaged program is not stripped")
endif()
execute_process(COMMAND ${VALIDATE} ${root}/usr/share/applications/torveld.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT result EQUAL 0 OR NOT said STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate (${result}):\n${said}")
endif()
message(STATUS "package: ${maintainer}; copyright, stripped program, valid desktop entry")
