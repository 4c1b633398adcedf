# What `cmake --install` puts on the system, in two parts that become the two Debian packages
# (debian.cmake):
#   cli      zor-cli and zor-sim with their manual pages: nothing of a widget library;
#   fenetre  the window and, on Linux and the other freedesktop systems, its menu entry with
#            its icon and the file types it opens (the .axe type defined), the software-centre
#            metadata, its manual page, and the
#            system-information launcher with the registry file that leads the about box to it.
# Each part carries the copyright file and the changelog in its own documentation folder,
# named after its package. Every desktop file is named after the application's id,
# ZOR_ID_BUREAU. `cmake --install build --component cli` installs one part only.
include(GNUInstallDirs)

set(ZOR_PAQUET_CLI zor-cli)
set(ZOR_PAQUET_FENETRE zor)

# zor_installer_programme(CIBLE PARTIE): the program CIBLE in bin/, with PARTIE. A stripped
# installation (`cmake --install --strip`, the packages) also drops the compiler's notes
# (.comment, .note), as Debian strips its own programs.
function(zor_installer_programme cible partie)
  install(TARGETS ${cible} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${partie})
  if(CMAKE_STRIP)
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${cible}>\"
          COMMAND_ERROR_IS_FATAL ANY)
      endif()" COMPONENT ${partie})
  endif()
endfunction()

zor_installer_programme(zor fenetre)
zor_installer_programme(zor-cli cli)
if(TARGET zor-sim)
  zor_installer_programme(zor-sim cli)
endif()

if(UNIX AND NOT APPLE)
  # The system-information programs the launcher knows, in the order it tries them when the
  # desktop has none of its own.
  set(ZOR_INFOS_SYSTEME hardinfo kinfocenter gnome-system-monitor mate-system-monitor)
  list(JOIN ZOR_INFOS_SYSTEME " " ZOR_INFOS_SYSTEME_LISTE)
  set(ZOR_DOSSIER_LANCEUR ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zor)

  set(zor_genere ${CMAKE_BINARY_DIR}/paquet)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/zor.desktop.in ${zor_genere}/${ZOR_ID_BUREAU}.desktop @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/zor.metainfo.xml.in ${zor_genere}/${ZOR_ID_BUREAU}.metainfo.xml @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/registry.reg.in ${zor_genere}/registry.reg @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/infos-systeme.in ${zor_genere}/infos-systeme @ONLY)

  install(FILES ${zor_genere}/${ZOR_ID_BUREAU}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT fenetre)
  install(FILES ${zor_genere}/${ZOR_ID_BUREAU}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT fenetre)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/zor.mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${ZOR_ID_BUREAU}.xml COMPONENT fenetre)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/zor.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${ZOR_ID_BUREAU}.svg
          COMPONENT fenetre)
  install(FILES ${zor_genere}/registry.reg DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/zor COMPONENT fenetre)
  install(PROGRAMS ${zor_genere}/infos-systeme DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zor COMPONENT fenetre)

  # Manual pages, compressed as man expects them on Debian: English in man1, French in
  # fr/man1 (man picks by LANG, `man -L fr`). Each goes with its program's part.
  # zor_gzip(SOURCE SORTIE): SORTIE is SOURCE through `gzip -9n` (no name nor time inside, so
  # the same source gives the same bytes).
  function(zor_gzip source sortie)
    add_custom_command(OUTPUT ${sortie}
      COMMAND gzip -9n -c ${source} > ${sortie}
      DEPENDS ${source})
    set_property(DIRECTORY APPEND PROPERTY zor_compresses ${sortie})
  endfunction()

  foreach(page zor zor-cli zor-sim)
    if(page STREQUAL zor)
      set(partie fenetre)
    else()
      set(partie cli)
    endif()
    foreach(langue en fr)
      if(langue STREQUAL en)
        set(source ${CMAKE_CURRENT_LIST_DIR}/man/${page}.1.in)
        set(dossier ${CMAKE_INSTALL_MANDIR}/man1)
      else()
        set(source ${CMAKE_CURRENT_LIST_DIR}/man/${langue}/${page}.1.in)
        set(dossier ${CMAKE_INSTALL_MANDIR}/${langue}/man1)
      endif()
      configure_file(${source} ${zor_genere}/man/${langue}/${page}.1 @ONLY)
      zor_gzip(${zor_genere}/man/${langue}/${page}.1 ${zor_genere}/man/${langue}/${page}.1.gz)
      install(FILES ${zor_genere}/man/${langue}/${page}.1.gz DESTINATION ${dossier} COMPONENT ${partie})
    endforeach()
  endforeach()

  # The documentation folder of each package: the machine-readable copyright file and the
  # changelog, compressed as Debian's policy asks.
  zor_gzip(${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${zor_genere}/doc/changelog.gz)
  foreach(partie cli fenetre)
    string(TOUPPER ${partie} PARTIE)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${zor_genere}/doc/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${ZOR_PAQUET_${PARTIE}} COMPONENT ${partie})
  endforeach()

  file(MAKE_DIRECTORY ${zor_genere}/doc)
  get_property(zor_compresses DIRECTORY PROPERTY zor_compresses)
  add_custom_target(zor_fichiers_compresses ALL DEPENDS ${zor_compresses})
endif()
