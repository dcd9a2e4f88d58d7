# The Analysis window: Km and Vmax fitted to the logged readings, with Qt Charts plots. The
# non-linear least-squares fit uses GSL's trust-region Levenberg-Marquardt solver.
find_package(Qt6 REQUIRED COMPONENTS Charts)
find_package(GSL REQUIRED)
target_sources(enkin_datalog PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/analysis.cpp ${CMAKE_CURRENT_LIST_DIR}/analysis.h
    ${CMAKE_CURRENT_LIST_DIR}/analysiswindow.cpp ${CMAKE_CURRENT_LIST_DIR}/analysiswindow.h
)
target_link_libraries(enkin_datalog PUBLIC Qt6::Charts PRIVATE GSL::gsl)
