# Installs the desktop component into a scratch prefix and checks that the program, its
# desktop entry and its icon are in place and that the entry starts the program with the icon.
# Run with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                        --component desktop
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/torveld share/applications/torveld.desktop
             share/icons/hicolor/scalable/apps/torveld.svg)
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
message(STATUS "installed: program, desktop entry, icon")
