enkin_add_test(tst_help SOURCES tst_help.cpp LIBS enkin_help)
target_compile_definitions(tst_help PRIVATE ENKIN_VERSION="${PROJECT_VERSION}")
