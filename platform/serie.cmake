# The serial control's own platform piece: waiting for a device's output queue to empty.
target_sources(zor_platform_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/vidange_serie.h
  ${CMAKE_CURRENT_LIST_DIR}/vidange_serie.cpp)
