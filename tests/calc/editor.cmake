# Tests of the wage record editor
quor_add_test(tst_detailrecord tst_detailrecord.cpp LIBS quor_calc)
quor_add_test(tst_detailedit tst_detailedit.cpp LIBS quor_calc_ui)
