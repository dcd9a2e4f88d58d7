# The main window: controls, menus, plot image, time slider and Quit, driven offscreen.
enkin_add_test(tst_mainwindow SOURCES tst_mainwindow.cpp LIBS enkin_app)
