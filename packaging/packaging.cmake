# The Debian package for the lab machines: scripts/package makes it with CPack from the install
# rules (the programs, the menu entry, the icons, the metainfo and the manual pages), with the
# copyright and changelog a Debian package carries; dpkg-shlibdeps finds the libraries it needs.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/enkin)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog VERBATIM)
add_custom_target(enkin_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/enkin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME enkin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Enkin developers <enkin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive simulator of enzyme kinetics for teaching")
# The synopsis comes from the summary; each line here becomes a line of the long description.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Enkin integrates the mass-action equations of E + S <=> ES -> E + P and plots\n"
    "[E], [ES] and [P] against time. Students read values off a run with a time\n"
    "slider, record readings, copy them into a spreadsheet and fit Km and Vmax by\n"
    "four methods.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
