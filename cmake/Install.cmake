# Install rules: the program and the scripting tool, the desktop entry, the icon in the hicolor
# theme, AppStream data, the manual pages (English, and Japanese in man/ja), the help pages, the change log and the copyright.
set(RUMO_RES ${PROJECT_SOURCE_DIR}/resources)
set(RUMO_APPSTREAM_ID jp.zelkar.rumo)

install(TARGETS rumo rumo-settings RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${RUMO_RES}/help/Rumo.html ${RUMO_RES}/help/Rumo.en.html
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${RUMO_RES}/desktop/rumo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${RUMO_RES}/desktop/rumo.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${RUMO_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${RUMO_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the change log are installed compressed, as the desktop's tools expect them;
# gzip -n keeps the archives the same from one build to the next.
execute_process(COMMAND date -u -R -d ${RUMO_RELEASE_DATE} OUTPUT_VARIABLE RUMO_CHANGELOG_DATE
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(RUMO_GZIPPED)
function(rumo_gzipped template name)
  configure_file(${template} ${CMAKE_BINARY_DIR}/gz/${name} @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/gz/${name}.gz
                     COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/gz/${name}
                     DEPENDS ${CMAKE_BINARY_DIR}/gz/${name} ${template})
  set(RUMO_GZIPPED ${RUMO_GZIPPED} ${CMAKE_BINARY_DIR}/gz/${name}.gz PARENT_SCOPE)
endfunction()
rumo_gzipped(${RUMO_RES}/man/rumo.1.in rumo.1)
rumo_gzipped(${RUMO_RES}/man/rumo-settings.1.in rumo-settings.1)
# The Japanese pages, given the break points groff cannot find in Japanese text by itself.
foreach(page rumo.1 rumo-settings.1)
  configure_file(${RUMO_RES}/man/ja/${page}.in ${CMAKE_BINARY_DIR}/gz/ja/${page}.in @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/gz/ja/${page}.gz
                     COMMAND perl -CSD ${PROJECT_SOURCE_DIR}/cmake/man-ja.pl
                             < ${CMAKE_BINARY_DIR}/gz/ja/${page}.in > ${CMAKE_BINARY_DIR}/gz/ja/${page}
                     COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/gz/ja/${page}
                     DEPENDS ${CMAKE_BINARY_DIR}/gz/ja/${page}.in ${PROJECT_SOURCE_DIR}/cmake/man-ja.pl)
  list(APPEND RUMO_GZIPPED ${CMAKE_BINARY_DIR}/gz/ja/${page}.gz)
endforeach()
rumo_gzipped(${RUMO_RES}/debian/changelog.in changelog)
add_custom_target(rumo_gzipped ALL DEPENDS ${RUMO_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/gz/rumo.1.gz ${CMAKE_BINARY_DIR}/gz/rumo-settings.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/gz/ja/rumo.1.gz ${CMAKE_BINARY_DIR}/gz/ja/rumo-settings.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
install(FILES ${CMAKE_BINARY_DIR}/gz/changelog.gz ${RUMO_RES}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

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
