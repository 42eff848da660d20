# The Windows installer, norwyn-<version>-setup.exe in the build tree, made
# by NSIS from resources/windows/norwyn.nsi over a copy of norwyn.scr without
# its symbols. Included from the top-level CMakeLists.txt once the target
# norwyn exists; scripts/package ships what it makes, tests/e2e installs it.

find_program(NORWYN_MAKENSIS makensis REQUIRED)

cmake_path(SET norwyn_windows_resources NORMALIZE "${CMAKE_CURRENT_LIST_DIR}/../resources/windows")
set(NORWYN_SETUP ${CMAKE_BINARY_DIR}/norwyn-${PROJECT_VERSION}-setup.exe)
set(norwyn_setup_scr ${CMAKE_BINARY_DIR}/installer/norwyn.scr)

# -WX: a warning of makensis (a missing string, a page with no text) fails
# the build rather than shipping.
add_custom_command(
    OUTPUT ${NORWYN_SETUP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installer
    COMMAND ${CMAKE_STRIP} --strip-all -o ${norwyn_setup_scr} $<TARGET_FILE:norwyn>
    COMMAND ${NORWYN_MAKENSIS} -V2 -WX -DVERSION=${PROJECT_VERSION} -DSCR=${norwyn_setup_scr}
            -DOUTFILE=${NORWYN_SETUP} ${norwyn_windows_resources}/norwyn.nsi
    DEPENDS norwyn ${norwyn_windows_resources}/norwyn.nsi ${CMAKE_SOURCE_DIR}/resources/norwyn.ico
    COMMENT "Making the installer norwyn-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
add_custom_target(norwyn_setup ALL DEPENDS ${NORWYN_SETUP})
