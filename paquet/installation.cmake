# What `cmake --install` puts on the system: the three programs and, on Linux and the other
# freedesktop systems, the menu entry with its icon, the software-centre metadata, the manual
# pages, and the system-information launcher with the registry file that leads the about box
# to it. Every desktop file is named after the application's id, ZOR_ID_BUREAU.
include(GNUInstallDirs)

install(TARGETS zor zor-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zor-sim)
  install(TARGETS zor-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
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

  install(FILES ${zor_genere}/${ZOR_ID_BUREAU}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${zor_genere}/${ZOR_ID_BUREAU}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/zor.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${ZOR_ID_BUREAU}.svg)
  install(FILES ${zor_genere}/registry.reg DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/zor)
  install(PROGRAMS ${zor_genere}/infos-systeme DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zor)

  # Manual pages are installed compressed, as man expects them on Debian.
  set(zor_pages)
  foreach(page zor zor-cli zor-sim)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/man/${page}.1.in ${zor_genere}/man/${page}.1 @ONLY)
    add_custom_command(OUTPUT ${zor_genere}/man/${page}.1.gz
      COMMAND gzip -9nkf ${zor_genere}/man/${page}.1
      DEPENDS ${zor_genere}/man/${page}.1
      VERBATIM)
    list(APPEND zor_pages ${zor_genere}/man/${page}.1.gz)
  endforeach()
  add_custom_target(zor_pages_man ALL DEPENDS ${zor_pages})
  install(FILES ${zor_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
