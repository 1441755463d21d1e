# `cpack` in the build folder makes a .deb of what `cmake --install` installs, below /usr. Its
# dependencies are the runtime packages of the shared libraries the programs link, as
# dpkg-shlibdeps (package dpkg-dev) finds them: no -dev package, no library listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvexa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "from a user or workstation name to a remote-management session")
# Lines of the long description within 80 characters, as Debian's checker wants them.
set(CPACK_PACKAGE_DESCRIPTION
    "Corvexa finds a user or workstation in a directory tree, works out the
workstation meant (for a user, from the user's current logins and a
workstation database it builds from the directory) and starts the chosen
remote-management program on it with an exact command line. It comes with
a demo directory and stand-ins for the remote-management programs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Corvexa developers <corvexa@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin comes with Qt's GUI library; a Wayland session without XWayland needs
# Qt's Wayland plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# The maintainer scripts make the shared database folder /var/lib/corvexa and its group; addgroup
# comes with adduser.
set(CPACK_DEBIAN_PACKAGE_DEPENDS adduser)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/postinst ${CMAKE_CURRENT_LIST_DIR}/postrm)
include(CPack)
