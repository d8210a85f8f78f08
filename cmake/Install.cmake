# Installation where a Linux desktop expects things (`make install PREFIX=...`), and a Debian
# package of the same files (`make package`, CPack with dependencies computed from the binary).
include(GNUInstallDirs)

# The desktop-file and AppStream id of the program.
set(TOLMO_APP_ID "org.example.Tolmo" CACHE STRING "Desktop-file and AppStream id")

install(TARGETS tolmo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The companion files (holiday list, read-me) in the share folder, where the program looks for
# them when they are not beside it.
install(FILES ${TOLMO_DATA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tolmo)

configure_file(${CMAKE_SOURCE_DIR}/dist/tolmo.desktop.in
               ${CMAKE_BINARY_DIR}/dist/${TOLMO_APP_ID}.desktop COPYONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/tolmo.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${TOLMO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/${TOLMO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/dist/${TOLMO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/tolmo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/tolmo-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tolmo.png)
endforeach()

# The manual page, and the copyright and change log a Debian package carries, compressed the
# way Debian's tools expect (gzip -9n: no name or time stamp inside, so builds are reproducible).
set(TOLMO_GZIPPED_DOCS)
foreach(doc tolmo.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/${doc}.gz
    COMMAND sh -c "gzip -9n -c '${CMAKE_SOURCE_DIR}/dist/${doc}' > '${CMAKE_BINARY_DIR}/dist/${doc}.gz'"
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/${doc} VERBATIM)
  list(APPEND TOLMO_GZIPPED_DOCS ${CMAKE_BINARY_DIR}/dist/${doc}.gz)
endforeach()
add_custom_target(tolmo_docs ALL DEPENDS ${TOLMO_GZIPPED_DOCS})
install(FILES ${CMAKE_BINARY_DIR}/dist/tolmo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolmo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${TOLMO_AUTHOR}")
set(CPACK_PACKAGE_CONTACT "${TOLMO_AUTHOR} <tolmo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Memo editor for Japanese plain text")
# One string: a list here would put its semicolons into the package's description.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tolmo keeps many memo pages open as tabs, one text file each, and\n"
    "reopens them where you left them. Shift-JIS, UTF-8, UTF-16, EUC-JP and\n"
    "ISO-2022-JP files are kept byte for byte. It offers date insertion from a\n"
    "month calendar with holidays, search and replace with full-width and\n"
    "half-width matching, and printing.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TOLMO_WEB_ADDRESS}")
# The libraries the binary links, as dpkg-shlibdeps finds them; Qt's X11 platform plugin comes
# with libqt6gui6, which the binary needs anyway. Japanese fonts are recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic, xdg-utils")
include(CPack)
