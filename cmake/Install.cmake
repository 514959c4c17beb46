# Install rules: the program and the scripting tool, the desktop entry, the icon in the hicolor
# theme, AppStream data, the manual page and the help page.
set(RUMO_RES ${PROJECT_SOURCE_DIR}/resources)
set(RUMO_APPSTREAM_ID jp.zelkar.rumo)

install(TARGETS rumo rumo-settings RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${RUMO_RES}/help/Rumo.html DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${RUMO_RES}/desktop/rumo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${RUMO_RES}/desktop/rumo.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${RUMO_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${RUMO_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

configure_file(${RUMO_RES}/man/rumo.1.in ${CMAKE_BINARY_DIR}/man/rumo.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/man/rumo.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The theme's sizes are rendered at build time from the same drawing the program shows.
set(RUMO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(RUMO_ICON_ROOT ${CMAKE_BINARY_DIR}/icons/hicolor)
set(RUMO_ICON_PNGS)
foreach(size IN LISTS RUMO_ICON_SIZES)
  list(APPEND RUMO_ICON_PNGS ${RUMO_ICON_ROOT}/${size}x${size}/apps/rumo.png)
endforeach()
add_custom_command(OUTPUT ${RUMO_ICON_PNGS}
                   COMMAND rumo-icon-render ${RUMO_ICON_ROOT} ${RUMO_ICON_SIZES}
                   DEPENDS rumo-icon-render ${RUMO_RES}/icons/rumo.svg
                   COMMENT "Rendering the icon's theme sizes")
add_custom_target(rumo_icons ALL DEPENDS ${RUMO_ICON_PNGS})
install(DIRECTORY ${RUMO_ICON_ROOT} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${RUMO_RES}/icons/rumo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
