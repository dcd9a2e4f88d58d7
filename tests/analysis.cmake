# The fits behind the Analysis window, and the window itself.
enkin_add_test(tst_analysis SOURCES tst_analysis.cpp LIBS enkin_datalog)
