# The registry, the file-exists test and the program launch of the about box's
# system-information button. On Windows they are the system's own calls (advapi32, kernel32),
# without the toolkit; elsewhere the stand-in store and the launch use Qt.
if(WIN32)
  target_sources(zor_platform_systeme PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/registre.h
    ${CMAKE_CURRENT_LIST_DIR}/registre_windows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lancement.h
    ${CMAKE_CURRENT_LIST_DIR}/lancement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lancement_windows.cpp)
  target_link_libraries(zor_platform_systeme PRIVATE advapi32)
  add_library(zor_platform_registre INTERFACE)
  target_link_libraries(zor_platform_registre INTERFACE zor_platform_systeme)
else()
  add_library(zor_platform_registre STATIC
    ${CMAKE_CURRENT_LIST_DIR}/registre.h
    ${CMAKE_CURRENT_LIST_DIR}/registre.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registre_magasin.h
    ${CMAKE_CURRENT_LIST_DIR}/registre_magasin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lancement.h
    ${CMAKE_CURRENT_LIST_DIR}/lancement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lancement_posix.cpp
  )
  target_link_libraries(zor_platform_registre PUBLIC zor_platform_core Qt6::Core)
endif()
