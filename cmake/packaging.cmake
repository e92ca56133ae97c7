# What an installation holds, and the Debian package CPack makes of it:
#   cmake --build build --target package   ->   build/velmar-userapp_<version>_<arch>.deb
# The package is lintian-clean: stripped programs, compressed manual pages and changelog, a
# copyright file, a long description, and dependencies found by dpkg-shlibdeps.

set(VELMAR_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(VELMAR_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
file(RELATIVE_PATH VELMAR_DATA_FROM_BINDIR /root/${CMAKE_INSTALL_BINDIR} /root/${VELMAR_INSTALL_DATADIR})

# The programs, and the desktop entry's launcher beside them.
install(TARGETS velmar-userapp du2ro-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(${VELMAR_PACKAGING}/velmar-userapp-desktop.in ${VELMAR_PACKAGING_OUT}/velmar-userapp-desktop @ONLY)
install(PROGRAMS ${VELMAR_PACKAGING_OUT}/velmar-userapp-desktop DESTINATION ${CMAKE_INSTALL_BINDIR})

# Help documents and the manual as web pages, found by the program when the current directory
# has none; world.bmp, the demo recording and the example configuration.
install(FILES "${VELMAR_HELP_DIR}/Velmar UAS User Manual.pdf" "${VELMAR_HELP_DIR}/Velmar UAS Disclaimer.pdf"
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${VELMAR_HELP_DIR}/html/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/html)
install(FILES ${PROJECT_BINARY_DIR}/world.bmp ${PROJECT_SOURCE_DIR}/data/demo-recording.txt
              ${PROJECT_SOURCE_DIR}/data/userapp.cfg.example
        DESTINATION ${VELMAR_INSTALL_DATADIR})

# The desktop: menu entry, AppStream metadata, icons.
install(FILES ${VELMAR_PACKAGING}/${VELMAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMAR_PACKAGING}/${VELMAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELMAR_PACKAGING}/icons/${VELMAR_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${VELMAR_PACKAGING}/icons/${VELMAR_APP_ID}-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${VELMAR_APP_ID}.png)
endforeach()

# Manual pages and the changelog, compressed as Debian wants them (best compression, no name or
# time stamp in the gzip header, so the package is the same from one build to the next).
find_program(GZIP gzip REQUIRED)
set(VELMAR_COMPRESSED)
foreach(page velmar-userapp.1 velmar-userapp-desktop.1 du2ro-server.1 changelog)
  if(page STREQUAL "changelog")
    set(source ${VELMAR_PACKAGING}/changelog)
  else()
    set(source ${VELMAR_PACKAGING}/man/${page})
  endif()
  add_custom_command(OUTPUT ${VELMAR_PACKAGING_OUT}/${page}.gz
                     COMMAND ${GZIP} -9nc ${source} > ${VELMAR_PACKAGING_OUT}/${page}.gz
                     DEPENDS ${source} VERBATIM)
  list(APPEND VELMAR_COMPRESSED ${VELMAR_PACKAGING_OUT}/${page}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${VELMAR_COMPRESSED})
install(FILES ${VELMAR_PACKAGING_OUT}/velmar-userapp.1.gz ${VELMAR_PACKAGING_OUT}/velmar-userapp-desktop.1.gz
              ${VELMAR_PACKAGING_OUT}/du2ro-server.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VELMAR_PACKAGING_OUT}/changelog.gz ${VELMAR_PACKAGING}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmar-userapp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VELMAR User Application developers")
set(CPACK_PACKAGE_CONTACT "The VELMAR User Application developers <velmar-userapp@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer of the SBAS messages a Velmar Data Server relays")
# Lines of the long description stay under 80 characters, as Debian's tools want them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "The VELMAR User Application connects to a Velmar Data Server over one TCP"
       "connection (the DU2RO line protocol), receives the messages of a"
       "satellite-based augmentation system (SBAS, RTCA DO-229) that the server"
       "relays, and shows every handled message type decoded in a window of its"
       "own, the ionospheric grid on a world map among them. It judges the"
       "broadcast status of the signal, logs connection events and can write every"
       "received message to a log file."
       ""
       "The package also holds du2ro-server, a DU2RO server replaying a recording"
       "of messages, with a demo recording.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the opener of the Help documents and web pages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "evince | pdf-viewer, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
