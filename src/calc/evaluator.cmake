target_sources(quor_calc PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calcexpress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calcexpress.h
)
