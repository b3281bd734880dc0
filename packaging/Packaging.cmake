# Installation and the Debian package.
#
# `cmake --install` lays out one self-contained program folder (<prefix>/lib/sifton): the
# executable and the command-line sifton-report with the table files, the help document and the
# example data beside them, because both look for their files in their own folder. Launchers on
# the PATH, a desktop entry and an icon make the program appear in the desktop's application
# menu.
include(GNUInstallDirs)
# A fixed lib/sifton (not the multiarch libdir): the launcher finds it relative to bin/.
set(SIFTON_INSTALL_DIR lib/sifton)

install(TARGETS sifton sifton-report RUNTIME DESTINATION ${SIFTON_INSTALL_DIR})
install(FILES
        ${PROJECT_SOURCE_DIR}/data/grubbs.dat
        ${PROJECT_SOURCE_DIR}/data/dixon.dat
        ${PROJECT_SOURCE_DIR}/data/gauss-g.dat
        ${PROJECT_SOURCE_DIR}/data/dixon-p.dat
        ${SIFTON_APP_DIR}/Sifton-help.pdf
        DESTINATION ${SIFTON_INSTALL_DIR})
file(GLOB sifton_examples CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.csv)
install(FILES ${sifton_examples} DESTINATION ${SIFTON_INSTALL_DIR})

install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/sifton.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME sifton)
install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/sifton-report.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME sifton-report)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/sifton.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/sifton.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME sifton)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Sifton contributors")
set(CPACK_PACKAGE_CONTACT "Sifton contributors <sifton@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Outlier tests for small data sets (Grubbs, Dixon, IQR, Gauss g)")
set(CPACK_PACKAGE_DESCRIPTION
    "Sifton tests a data set of 3 to 300 values, such as fission-track grain ages, for outliers\nwith four tests at once, lets the user reject extremes one at a time and copies a\ntab-separated report for a spreadsheet.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The Qt 6 runtime: the widgets library and the platform plugins that let it open a window, and
# Qt SVG for saving the data plot as a drawing. Liberation Sans and Serif stand in, metric for
# metric, for the Arial and Times New Roman that the windows' layouts were measured with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libqt6svg6 (>= 6.4), qt6-qpa-plugins, libstdc++6, libc6, fonts-dejavu-core, fonts-liberation2")
include(CPack)
