# The data log (plain C++) and the Saved Data window.
target_sources(enkin_datalog PRIVATE
    datalog.cpp datalog.h
    dataform.cpp dataform.h
)
