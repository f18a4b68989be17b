# Installs the desktop component stripped into a scratch prefix, as the README's install line
# does, and checks that the programs, the desktop entry and AppStream metadata, the manual
# pages, the Python module, the icon and the copyright file are in place, that the entry starts
# the program with the icon and that the program carries no symbol table or debugging
# information.
# Run with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --strip
                        --component desktop
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/torveld bin/torveld-query share/applications/io.github.torveld.Torveld.desktop
             share/metainfo/io.github.torveld.Torveld.metainfo.xml
             share/man/man1/torveld.1.gz share/man/man1/torveld-query.1.gz
             share/icons/hicolor/scalable/apps/torveld.svg share/doc/torveld/copyright)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(GLOB module ${PREFIX}/lib/python3/dist-packages/torveld.cpython-*.so)
if(NOT module)
    message(FATAL_ERROR "not installed: the Python module in lib/python3/dist-packages")
endif()
file(STRINGS ${PREFIX}/share/applications/io.github.torveld.Torveld.desktop entry)
foreach(line "[Desktop Entry]" "Type=Application" "Exec=torveld" "Icon=torveld")
    list(FIND entry "${line}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "desktop entry lacks '${line}'")
    endif()
endforeach()
find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${READELF} --section-headers ${PREFIX}/bin/torveld
                OUTPUT_VARIABLE sections RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT sections MATCHES "\\.text")
    message(FATAL_ERROR "readelf cannot read the installed program")
endif()
if(sections MATCHES "\\.symtab|\\.debug_")
    message(FATAL_ERROR "the installed program is not stripped")
endif()
message(STATUS "installed stripped: program, desktop entry, icon, copyright")
