# The Windows setup program, build-windows/zor-VERSION-setup.exe, made with Debian's makensis
# from paquet/windows/zor.nsi: zor.exe (the window, target zor) and zor-cli.exe, both linked
# statically (platform/mingw-w64.cmake), so they need no DLL beside them.
find_program(ZOR_MAKENSIS makensis)
if(NOT ZOR_MAKENSIS)
  message(WARNING "makensis est introuvable (paquet nsis) : pas de programme d'installation")
  return()
endif()
set(zor_setup ${CMAKE_BINARY_DIR}/zor-${PROJECT_VERSION}-setup.exe)
set(zor_setup_options -DVERSION=${PROJECT_VERSION} -DSORTIE=${zor_setup} -DZOR_CLI=$<TARGET_FILE:zor-cli>)
set(zor_setup_programmes zor-cli)
if(TARGET zor)
  list(APPEND zor_setup_options -DZOR_EXE=$<TARGET_FILE:zor>)
  list(APPEND zor_setup_programmes zor)
else()
  message(WARNING "La cible zor (la fenêtre, win32/) n'existe pas : le programme d'installation ne contient "
                  "que zor-cli.exe, sans entrée dans le menu Démarrer")
endif()
add_custom_command(
  OUTPUT ${zor_setup}
  COMMAND ${ZOR_MAKENSIS} -V2 -INPUTCHARSET UTF8 ${zor_setup_options} ${CMAKE_CURRENT_LIST_DIR}/zor.nsi
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/zor.nsi ${zor_setup_programmes}
  COMMENT "Programme d'installation ${zor_setup}"
  VERBATIM)
add_custom_target(installateur ALL DEPENDS ${zor_setup})
