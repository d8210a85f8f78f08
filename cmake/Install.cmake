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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${TOLMO_AUTHOR}")
set(CPACK_PACKAGE_CONTACT "${TOLMO_AUTHOR} <tolmo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Memo editor for Japanese plain text")
# One string: a list here would put its semicolons into the package's description.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tolmo keeps many memo pages open as tabs, one text file each (Shift-JIS, UTF-8, UTF-16,\n"
    "EUC-JP or ISO-2022-JP, kept byte for byte), and reopens them where you left them, with\n"
    "date insertion from a month calendar, search and replace with full-width and half-width\n"
    "matching, and printing.")
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
