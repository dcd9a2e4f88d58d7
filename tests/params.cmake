# The [S]0 and k2 choice lists and the Initial Parameters dialog, driven through the main window.
enkin_add_test(tst_parameters SOURCES tst_parameters.cpp LIBS enkin_app)
