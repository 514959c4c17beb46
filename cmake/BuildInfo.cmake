# What the program learns from the build: its version (written once, in project()) and where the
# installed help page lies relative to the installed program, so an installed tree can be moved.
file(RELATIVE_PATH RUMO_DOC_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DOCDIR}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/rumo_build_info.h.in
               ${CMAKE_BINARY_DIR}/generated/rumo_build_info.h @ONLY)
