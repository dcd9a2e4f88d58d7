enkin_add_test(tst_views SOURCES tst_views.cpp LIBS enkin_views)
