# Installs the program into its own folder (lib/timer555) with the display
# font and its licence beside it, a bin/timer555 link, a desktop entry, an
# icon and the MIME type of design files; CPack turns the same layout into a
# Debian package.
#
# The folder is a fixed "lib/timer555" rather than CMAKE_INSTALL_LIBDIR: on
# Debian that would become lib/<multiarch> for the /usr prefix, while a
# program's private folder belongs in /usr/lib/<package>.
include(GNUInstallDirs)
set(TIMER555_INSTALL_DIR lib/timer555)

install(TARGETS timer555 RUNTIME DESTINATION ${TIMER555_INSTALL_DIR})
install(FILES ${TIMER555_BIN_DIR}/appfont.dat ${TIMER555_BIN_DIR}/appfont-LICENSE.txt
        DESTINATION ${TIMER555_INSTALL_DIR})
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK \"../${TIMER555_INSTALL_DIR}/timer555\"
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/timer555\" SYMBOLIC)
")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/timer555.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The MIME type application/x-timer555 (*.t555). Debian's shared-mime-info
# rebuilds its database through a trigger on this folder; after an install
# into a prefix, update-mime-database PREFIX/share/mime does it.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/timer555.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/timer555.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The README and the licence, where the help page says they are.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME timer555)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "timer555 developers <support@timer555.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design calculator for 555-timer circuits")
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; CPack
# indents these lines by one space for the control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Computes the timing resistors and capacitor of three astable designs and\nthe monostable one-shot from a frequency and duty cycle or pulse length,\ndraws the schematic with the values and the output waveform, and shows\nfourteen typical application circuits and a table of timer data.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A release package carries no debugging symbols.
set(CPACK_STRIP_FILES ON)
# The Qt libraries come from the shared-library scan (libqt6gui6 carries the
# X11 platform plugin); the font behind the name "Arial" is named here, and
# ngspice's shared library, which the program loads at run time (dlopen)
# where the scan cannot see it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libngspice0")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
