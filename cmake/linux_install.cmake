# Where the Linux build installs norwyn, and its Debian package. Included from
# the top-level CMakeLists.txt once the target norwyn exists.
#
# The program goes where XScreenSaver keeps its hacks, the only directory
# MATE's and Xfce's savers accept commands from; beside it go its settings
# dialog for xscreensaver-settings and Xfce, its desktop entry for the lists
# of MATE and Xfce, and its manual page, gzipped at build time.
#
#   cmake --build . && cpack     # norwyn_<version>_<arch>.deb

include(GNUInstallDirs)

cmake_path(SET norwyn_linux_resources NORMALIZE "${CMAKE_CURRENT_LIST_DIR}/../resources/linux")

install(TARGETS norwyn RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${norwyn_linux_resources}/norwyn.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${norwyn_linux_resources}/norwyn.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)

# gzip -n leaves out the file's name and time, so that the same page always
# gives the same bytes.
find_program(NORWYN_GZIP gzip REQUIRED)
set(norwyn_man_dir ${CMAKE_CURRENT_BINARY_DIR}/man)
add_custom_command(
    OUTPUT ${norwyn_man_dir}/norwyn.6x.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${norwyn_man_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${norwyn_linux_resources}/norwyn.6x ${norwyn_man_dir}/norwyn.6x
    COMMAND ${NORWYN_GZIP} -9nf ${norwyn_man_dir}/norwyn.6x
    DEPENDS ${norwyn_linux_resources}/norwyn.6x
    COMMENT "Compressing the manual page norwyn.6x"
    VERBATIM)
add_custom_target(norwyn_man ALL DEPENDS ${norwyn_man_dir}/norwyn.6x.gz)
install(FILES ${norwyn_man_dir}/norwyn.6x.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package. dpkg-shlibdeps (dpkg-dev) works out the libraries it
# depends on, which needs the file command as well.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME norwyn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Halvoren)
set(CPACK_PACKAGE_CONTACT "Halvoren <norwyn@halvoren.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OpenGL screen saver: a barbarian over a warped picture")
set(CPACK_PACKAGE_DESCRIPTION
"Norwyn draws a background picture warped by one of seven effects, a
barbarian who keeps still or moves in one of three ways (in one of them
chased by a knight of chaos), a small logo, and drops of blood that spurt
from his head, fall and splash. Its settings dialog speaks Spanish.

It runs under XScreenSaver, MATE's screen saver and Xfce's screen saver, or
on its own in a window. Each user adds it to XScreenSaver's list once; see
norwyn(6x).")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Halvoren <norwyn@halvoren.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver | mate-screensaver | xfce4-screensaver")
# norwyn_0.1.0_amd64.deb: name, version and architecture, as Debian names them.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian ships programs without their symbols.
set(CPACK_STRIP_FILES ON)
include(CPack)
