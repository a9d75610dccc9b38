# Tests of the wage item definition dialogs
quor_add_test(tst_itemdefs tst_itemdefs.cpp LIBS quor_calc_ui)
