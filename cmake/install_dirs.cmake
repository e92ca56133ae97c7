# Where an installation puts the program's files: the programs in bin/, the Help documents in
# share/doc/velmar-userapp, world.bmp and the examples in share/velmar-userapp. The program finds
# its installed copies from its own folder, through the relative folders written here.
# Qt's package files have included GNUInstallDirs already, with the project's name in DOCDIR.
if(NOT "$CACHE{CMAKE_INSTALL_DOCDIR}")
  set(CMAKE_INSTALL_DOCDIR share/doc/velmar-userapp)
endif()
include(GNUInstallDirs)
set(VELMAR_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/velmar-userapp)
file(RELATIVE_PATH VELMAR_INSTALL_ROOT_FROM_BINDIR /root/${CMAKE_INSTALL_BINDIR} /root)
configure_file(${CMAKE_CURRENT_LIST_DIR}/install_dirs.h.in ${PROJECT_BINARY_DIR}/generated/install_dirs.h @ONLY)
# The program's name on the desktop: its desktop entry, AppStream component and icon.
set(VELMAR_APP_ID org.example.velmar.userapp)
