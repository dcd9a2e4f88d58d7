# The Tutorial and Guide windows, the About box and the program's icon, and the installing of the
# interface's catalogue, whose language picks the documents' (docs/de/ for German). The documents,
# their pictures and the icon are compiled in as resources under :/docs/ (docs/guide.html is
# :/docs/guide.html, docs/de/guide.html :/docs/de/guide.html; the documents reference the pictures
# as qrc:/docs/...).
add_library(enkin_help STATIC
    appicon.cpp appicon.h
    helpwindows.cpp helpwindows.h
    aboutenkin.cpp aboutenkin.h
    language.cpp language.h
    showwindow.h
)
target_include_directories(enkin_help PUBLIC ${PROJECT_SOURCE_DIR})
# Qt6::Svg brings the SVG image plugin the document views need for their pictures.
target_link_libraries(enkin_help PUBLIC enkin_widgets Qt6::Widgets Qt6::Svg)

# Globbed so that a new or renamed document, picture or icon size needs no change here.
file(GLOB enkin_help_docs RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
    docs/*.html docs/de/*.html docs/*.svg docs/icons/*.png)
qt_add_resources(enkin_help "docs" PREFIX "/docs" BASE docs FILES ${enkin_help_docs})
