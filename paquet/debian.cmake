# The Debian package, made by `cpack -G DEB` in the build tree (./zor.sh paquet):
# build/zor_VERSION_ARCH.deb. Its files are those of installation.cmake, under the
# installation prefix the build tree was configured with (/usr for the package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PACKAGE_CONTACT "Équipe ZOR <zor@example.org>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "conversion et transfert des waypoints du GPS ZOR FX312 4X4")
# The first line of the control file's description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "ZOR convertit des fichiers de waypoints (le texte du GPS lui-même, l'export
texte de G7towin, les fichiers .axe d'Autoroute Express 2001) en phrases NMEA
$GPWPL avec leur somme de contrôle, les envoie au GPS de poche ZOR FX312 4X4
par un port série RS-232 et récupère les waypoints du GPS dans un fichier texte.
.
Le paquet contient la fenêtre (zor), le compagnon sans fenêtre (zor-cli) et un
GPS simulé sur un pseudo-terminal (zor-sim).")
# The libraries the programs link come from dpkg-shlibdeps. Qt loads the display plugins at run
# time, so they are named here, with Qt's own French texts and the fonts the window falls back
# on.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")

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
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${zor_debian}/postinst ${zor_debian}/prerm ${zor_debian}/triggers ${zor_debian}/conffiles)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
