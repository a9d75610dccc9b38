# Wage record editor: the record load/save without widgets, and its dialogs.
target_sources(quor_calc PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/detailrecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/detailrecord.h
)
target_sources(quor_calc_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmbmycalcedit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmbmycalcedit.h
  ${CMAKE_CURRENT_LIST_DIR}/frmgzdetailedit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmgzdetailedit.h
)
