# The serial control's own platform pieces: the device of a port, what a refusal or a cut
# means, waiting for a device's output queue to empty.
target_sources(zor_platform_systeme PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/vidange_serie.h
  ${CMAKE_CURRENT_LIST_DIR}/vidange_serie_${zor_systeme}.cpp
  ${CMAKE_CURRENT_LIST_DIR}/peripherique_serie.h
  ${CMAKE_CURRENT_LIST_DIR}/peripherique_serie_${zor_systeme}.cpp)
