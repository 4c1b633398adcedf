# The two Debian packages, made by `cpack -G DEB` in the build tree (./zor.sh paquet), one per
# part of installation.cmake, under the installation prefix the build tree was configured with
# (/usr for the packages):
#   build/zor-cli_VERSION_ARCH.deb  zor-cli and zor-sim: the C/C++ runtime and expat, nothing
#                                   of Qt or of a widget library, for servers and scripts;
#   build/zor_VERSION_ARCH.deb      the window, which depends on zor-cli of the same version.
# The version has no Debian revision: the packages are made here, from this tree (a native
# package in Debian's terms, hence /usr/share/doc/PKG/changelog.gz).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PACKAGE_CONTACT "Équipe ZOR <zor@example.org>")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli fenetre)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME ${ZOR_PAQUET_CLI})
set(CPACK_DEBIAN_FENETRE_PACKAGE_NAME ${ZOR_PAQUET_FENETRE})
set(CPACK_DEBIAN_PACKAGE_SOURCE zor)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# The control file's descriptions are in English, as Debian's are; the French texts live where
# a package can carry translations: the menu entry and the software-centre metadata.
# The first line of each is the summary; lines stay within 80 columns.
set(CPACK_DEBIAN_CLI_DESCRIPTION "convert and transfer ZOR FX312 4X4 GPS waypoints, without a window
ZOR converts waypoint files (the receiver's own text, the text export of
G7towin, the .axe files of Autoroute Express 2001) into checksummed NMEA
$GPWPL sentences, uploads them to the ZOR FX312 4X4 hand-held GPS receiver over
an RS-232 serial port and downloads the receiver's waypoints into a text file.
.
This package holds the programs without a window, for scripts and machines
without a desktop: zor-cli, which converts (GPX routes and tracks too, fitted
to the few hundred points the receiver holds), uploads and downloads, and
zor-sim, a simulated receiver on a pseudo-terminal for trying ZOR without a
GPS. Their messages are in French. The window is in the package zor.")
set(CPACK_DEBIAN_FENETRE_DESCRIPTION "convert and exchange waypoints with the ZOR FX312 4X4 GPS (window)
ZOR converts waypoint files (the receiver's own text, the text export of
G7towin, the .axe files of Autoroute Express 2001) into checksummed NMEA
$GPWPL sentences, uploads them to the ZOR FX312 4X4 hand-held GPS receiver over
an RS-232 serial port and downloads the receiver's waypoints into a text file.
.
This package holds the window, whose interface is in French, with its menu
entry. The programs without a window come with it, from the package zor-cli.")

# The libraries the programs link come from dpkg-shlibdeps; zor also needs zor-cli of the same
# version (CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS). Qt loads the display plugins at run time, so
# they are named here. Qt's own French texts and the fonts the window falls back on improve it
# but are not needed to run it; gpsbabel reads many more waypoint, route and track formats than
# ZOR and writes them as GPX, which `zor-cli convert` reads; hardinfo is what « Infos système... »
# opens.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_FENETRE_DEPENDS cli)
set(CPACK_DEBIAN_FENETRE_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_FENETRE_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_CLI_PACKAGE_SUGGESTS "gpsbabel")
set(CPACK_DEBIAN_FENETRE_PACKAGE_SUGGESTS "gpsbabel, hardinfo")

if(UNIX AND NOT APPLE)
  # The maintainer scripts keep the system-information link (see postinst); the triggers run
  # them again whenever a package installs or removes one of the programs the launcher knows.
  set(zor_debian ${CMAKE_BINARY_DIR}/paquet/debian)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/postinst.in ${zor_debian}/postinst @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/prerm.in ${zor_debian}/prerm @ONLY)
  set(zor_triggers "")
  foreach(programme ${ZOR_INFOS_SYSTEME})
    string(APPEND zor_triggers "interest-noawait /usr/bin/${programme}\n")
  endforeach()
  file(CONFIGURE OUTPUT ${zor_debian}/triggers CONTENT "${zor_triggers}")
  file(CONFIGURE OUTPUT ${zor_debian}/conffiles CONTENT "${CMAKE_INSTALL_FULL_SYSCONFDIR}/zor/registry.reg\n")
  set(CPACK_DEBIAN_FENETRE_PACKAGE_CONTROL_EXTRA
    ${zor_debian}/postinst ${zor_debian}/prerm ${zor_debian}/triggers ${zor_debian}/conffiles)
  set(CPACK_DEBIAN_FENETRE_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
