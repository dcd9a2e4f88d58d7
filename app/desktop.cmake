# What an installed Enkin gives the desktop and the shell: the menu entry, the icon in the
# freedesktop hicolor theme, the AppStream metainfo for software centres, and the man pages.
include(GNUInstallDirs)

# One identity for the desktop: the desktop file's installed name, the AppStream component and
# the name the program gives the window system. Reverse DNS, in lower case as AppStream asks.
set(ENKIN_APP_ID io.github.enkin.enkin)
# The date of release PROJECT_VERSION, for the metainfo: a new version needs a new date here.
set(ENKIN_RELEASE_DATE 2026-12-07)
set(ENKIN_SCREENSHOT_URL "https://enkin.github.io/enkin/screenshot.png" CACHE STRING
    "Where software centres fetch the README's screenshot.png from")

set(ENKIN_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/${ENKIN_APP_ID}.metainfo.xml)
configure_file(enkin.metainfo.xml.in ${ENKIN_METAINFO} @ONLY)
# For the tests, which validate what is installed.
set(ENKIN_APP_ID ${ENKIN_APP_ID} PARENT_SCOPE)
set(ENKIN_METAINFO ${ENKIN_METAINFO} PARENT_SCOPE)

install(FILES enkin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    RENAME ${ENKIN_APP_ID}.desktop)
install(FILES ${ENKIN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The manual pages compressed, as Debian installs them.
foreach(page enkin.1 enkin-run.1)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz
        COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/${page} > ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz
        DEPENDS ${page} VERBATIM)
    list(APPEND enkin_manpages ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz)
endforeach()
add_custom_target(enkin_manpages ALL DEPENDS ${enkin_manpages})
install(FILES ${enkin_manpages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

file(GLOB enkin_icon_sizes CONFIGURE_DEPENDS docs/icons/enkin-*.png)
foreach(icon IN LISTS enkin_icon_sizes)
    string(REGEX MATCH "enkin-([0-9]+)\\.png$" matched "${icon}")
    if(matched)
        set(size ${CMAKE_MATCH_1})
        install(FILES ${icon} RENAME enkin.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endif()
endforeach()
install(FILES docs/enkin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
