# Installs the desktop component stripped into a scratch prefix, as the README's install line
# does, and checks that the program, its desktop entry, its icon and its copyright file are in
# place, that the entry starts the program with the icon and that the program carries no
# symbol table or debugging information.
# Run with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --strip
                        --component desktop
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/torveld share/applications/torveld.desktop
             share/icons/hicolor/scalable/apps/torveld.svg share/doc/torveld/copyright)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(STRINGS ${PREFIX}/share/applications/torveld.desktop entry)
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
