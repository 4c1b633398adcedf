# The registry (advapi32 on Windows, the stand-in store elsewhere), the file-exists test and
# the program launch of the about box's system-information button.
add_library(zor_platform_registre STATIC
  ${CMAKE_CURRENT_LIST_DIR}/registre.h
  ${CMAKE_CURRENT_LIST_DIR}/registre.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registre_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registre_magasin.h
  ${CMAKE_CURRENT_LIST_DIR}/registre_magasin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lancement.h
  ${CMAKE_CURRENT_LIST_DIR}/lancement.cpp
)
target_link_libraries(zor_platform_registre PUBLIC zor_platform_core Qt6::Core)
if(WIN32)
  target_link_libraries(zor_platform_registre PRIVATE advapi32)
endif()
