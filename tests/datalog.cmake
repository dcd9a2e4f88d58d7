enkin_add_test(tst_datalog SOURCES tst_datalog.cpp LIBS enkin_datalog)
