# `make package`: a Debian package, build/rumo_<version>_<arch>.deb, its dependencies computed
# from the installed binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rumo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zelkar)
set(CPACK_PACKAGE_CONTACT "RUMO? maintainers <maintainers@users.noreply.c-seed-3288e957.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "away-from-desk notice with a resident destination bar")
set(CPACK_PACKAGE_DESCRIPTION
    "While you are away, the screen shows where you went in large moving\n"
    "letters, your name, about how many minutes ago you left, the date and\n"
    "time, memos and pictures. A tiny destination bar and a notification-area\n"
    "icon pick the destination and start the notice. The interface is Japanese.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the libraries' dependencies cannot name them: the X11 platform plugin,
# the Japanese faces the notice draws with, the icon theme the icon is installed in; Qt's Japanese
# texts for its own dialogs are recommended.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic, fonts-ipafont-mincho, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver-data")
include(CPack)
