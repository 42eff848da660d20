# Where the Linux build installs norwyn, and its Debian package. Included from
# the top-level CMakeLists.txt once the target norwyn exists.
#
# The program goes where XScreenSaver keeps its hacks, the only directory
# MATE's and Xfce's savers accept commands from, with a link to it on the
# PATH; beside it go its settings dialog for xscreensaver-settings and Xfce,
# its desktop entry for the lists of MATE and Xfce, its manual page and its
# Debian changelog, both gzipped at build time, and its copyright file.
#
#   cmake --build . && cpack     # norwyn_<version>-<revision>_<arch>.deb

include(GNUInstallDirs)

cmake_path(SET norwyn_linux_resources NORMALIZE "${CMAKE_CURRENT_LIST_DIR}/../resources/linux")

install(TARGETS norwyn RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
# A stripped install (CPack's) leaves out the compiler's .comment and .note
# sections as well, as dh_strip does.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver/norwyn\"
        COMMAND_ERROR_IS_FATAL ANY)
endif()")

# /usr/bin/norwyn, a relative link to the one program, so that norwyn
# --save and friends need no full path. install(FILES) installs a link as a
# link.
cmake_path(RELATIVE_PATH CMAKE_INSTALL_LIBEXECDIR BASE_DIRECTORY ${CMAKE_INSTALL_BINDIR} OUTPUT_VARIABLE norwyn_libexec_from_bin)
set(norwyn_path_link ${CMAKE_CURRENT_BINARY_DIR}/path-link/norwyn)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/path-link)
file(CREATE_LINK ${norwyn_libexec_from_bin}/xscreensaver/norwyn ${norwyn_path_link} SYMBOLIC)
install(FILES ${norwyn_path_link} DESTINATION ${CMAKE_INSTALL_BINDIR})
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

# The Debian changelog, and the copyright file Debian wants beside it.
set(norwyn_doc_dir ${CMAKE_CURRENT_BINARY_DIR}/doc)
add_custom_command(
    OUTPUT ${norwyn_doc_dir}/changelog.Debian.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${norwyn_doc_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${norwyn_linux_resources}/changelog ${norwyn_doc_dir}/changelog.Debian
    COMMAND ${NORWYN_GZIP} -9nf ${norwyn_doc_dir}/changelog.Debian
    DEPENDS ${norwyn_linux_resources}/changelog
    COMMENT "Compressing the Debian changelog"
    VERBATIM)
add_custom_target(norwyn_changelog ALL DEPENDS ${norwyn_doc_dir}/changelog.Debian.gz)
install(FILES ${norwyn_doc_dir}/changelog.Debian.gz ${norwyn_linux_resources}/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
# What lintian should not hold against a package that lives outside Debian.
install(FILES ${norwyn_linux_resources}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME norwyn)

# The Debian package. dpkg-shlibdeps (dpkg-dev) works out the libraries it
# depends on, which needs the file command as well.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME norwyn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The Debian revision, from the newest entry of the changelog:
# "norwyn (0.1.0-1) ..." gives 1 and the package's version 0.1.0-1.
file(STRINGS ${norwyn_linux_resources}/changelog norwyn_changelog_head LIMIT_COUNT 1)
string(REGEX REPLACE "^norwyn \\([^)]*-([^)-]+)\\).*" "\\1" CPACK_DEBIAN_PACKAGE_RELEASE "${norwyn_changelog_head}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${norwyn_linux_resources}/changelog)
set(CPACK_PACKAGE_VENDOR Halvoren)
set(CPACK_PACKAGE_CONTACT "Halvoren <norwyn@halvoren.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OpenGL screen saver: a barbarian over a warped picture")
set(CPACK_PACKAGE_DESCRIPTION
"Norwyn draws a background picture warped by one of seven effects, a
barbarian who keeps still or moves in one of three ways (in one of them
chased by a knight of chaos), a small logo, and drops of blood that spurt
from his head, fall and splash. Its settings dialog speaks Spanish.

It runs under XScreenSaver, MATE's screen saver and Xfce's screen saver
(xfce4-screensaver, which Debian ships from Debian 13 on, not in Debian 12),
or on its own in a window. Each user adds it to XScreenSaver's list once;
see norwyn(6x).")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Halvoren <norwyn@halvoren.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xscreensaver-gl brings xscreensaver-gl-visual, with which the daemon and its
# preview give a GL: program a window OpenGL can draw on with a depth buffer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver | mate-screensaver | xfce4-screensaver, xscreensaver-gl")
# norwyn_0.1.0-1_amd64.deb: name, version and architecture, as Debian names them.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian ships programs without their symbols.
set(CPACK_STRIP_FILES ON)
include(CPack)
