# Builds the Debian package into a scratch folder and checks what a user of it sees: a
# Maintainer field with a name and an address (not on localhost), the copyright file in
# /usr/share/doc/torveld, a stripped program, a desktop entry that desktop-file-validate passes
# without a word, AppStream metadata that appstreamcli validates, both manual pages and the
# Python module; and that lintian reports no error and no warning.
# Run with -DBUILD_DIR=... -DOUT=... -DCPACK=<cpack> -DVALIDATE=<desktop-file-validate>
#          -DAPPSTREAMCLI=<appstreamcli> -DLINTIAN=<lintian>
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
set(id io.github.torveld.Torveld)
foreach(path ./usr/bin/torveld ./usr/bin/torveld-query ./usr/share/applications/${id}.desktop
             ./usr/share/metainfo/${id}.metainfo.xml ./usr/share/torveld/screenshots/main_window.png
             ./usr/share/man/man1/torveld.1.gz ./usr/share/man/man1/torveld-query.1.gz
             ./usr/share/icons/hicolor/scalable/apps/torveld.svg
             ./usr/share/doc/torveld/copyright ./usr/share/doc/torveld/changelog.gz)
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
if(NOT contents MATCHES " ./usr/lib/python3/dist-packages/torveld\\.cpython-[0-9]+-[^ ]*\\.so\n")
    message(FATAL_ERROR "the package lacks the Python module:\n${contents}")
endif()
execute_process(COMMAND ${VALIDATE} ${root}/usr/share/applications/${id}.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT result EQUAL 0 OR NOT said STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate (${result}):\n${said}")
endif()
file(READ ${root}/usr/share/metainfo/${id}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${id}.desktop</launchable>")
    message(FATAL_ERROR "the metadata does not name the desktop entry ${id}.desktop")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                        ${root}/usr/share/metainfo/${id}.metainfo.xml
                RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate --no-net (${result}):\n${said}")
endif()

# lintian: no error, no warning. A tag accepted with a reason would be listed here and in the
# README; there is none.
set(accepted "")
execute_process(COMMAND ${LINTIAN} --info ${packages}
                OUTPUT_VARIABLE said ERROR_VARIABLE ignored RESULT_VARIABLE result)
string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" faults "${said}")
set(unaccepted "")
foreach(fault ${faults})
    string(REGEX REPLACE "^\n?[EW]: torveld[^:]*: ([^ ]+).*" "\\1" tag "${fault}")
    if(NOT tag IN_LIST accepted)
        string(APPEND unaccepted "${fault}\n")
    endif()
endforeach()
if(NOT unaccepted STREQUAL "")
    message(FATAL_ERROR "lintian:\n${unaccepted}")
endif()
message(STATUS "package: ${maintainer}; copyright, stripped program, valid desktop entry and "
               "metadata, manual pages, Python module; lintian clean")
