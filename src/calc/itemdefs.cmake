# Wage item definitions: target_sources(quor_calc ...) and target_sources(quor_calc_ui ...)
target_sources(quor_calc PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/itemset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/itemset.h
)
target_sources(quor_calc_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmgzbaseset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmgzbaseset.h
)
