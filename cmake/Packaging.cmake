# Installation layout of the desktop program and the Debian package built by CPack.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME torveld)
set(CPACK_PACKAGE_VENDOR "Torveld")
# The package's Maintainer field. The project has no mail domain of its own: the default names
# the developers at an address of the reserved .invalid domain, which says plainly that it
# takes no mail; whoever publishes a package sets a real one.
set(TORVELD_PACKAGE_MAINTAINER "Torveld developers <developers@torveld.invalid>"
    CACHE STRING "Maintainer field of the Debian package: Name <address>")
set(CPACK_PACKAGE_CONTACT "${TORVELD_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Screw thread reference calculator")
# Lines of at most 80 characters, as Debian's description field wants them.
set(CPACK_PACKAGE_DESCRIPTION
    "Limits of size, thread geometry, over-wire values, pipe-thread gauge values\n\
and tap drills for 23 screw thread series, in inches or millimetres, with a\n\
printable data sheet; torveld-query answers the same on the command line and\n\
writes thread files for CAD programs, and the Python module torveld gives them\n\
to scripts.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt platform plugins and the faces the windows and the sheet are drawn in.
# And the python3 the module is built for (src/app/python).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-dejavu-core, ${TORVELD_PYTHON_DEPENDS}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, libqt6svg6")
# Only the programs, the Python module and the files of packaging/ go into the package.
set(CPACK_COMPONENTS_ALL desktop)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};desktop;/")
include(CPack)
