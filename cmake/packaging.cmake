# Installation layout and packages: a Debian package for the Linux program. The Windows zip,
# holding both .exe files, is made by scripts/package-windows.sh from the two cross builds.
if(NOT WIN32)
    install(FILES packaging/ontopview.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 16 32 48 64 128 256)
        install(FILES packaging/icons/ontopview-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ontopview.png)
    endforeach()
    install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ontopview RENAME copyright)
    # Scintilla is linked into the program: its licence goes with it.
    install(FILES ${CMAKE_BINARY_DIR}/scintilla/License.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ontopview RENAME Scintilla-License.txt)
endif()

set(CPACK_PACKAGE_NAME ontopview)
set(CPACK_PACKAGE_VENDOR "The ontopview developers")
set(CPACK_PACKAGE_CONTACT "The ontopview developers <ontopview@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Always-on-top text viewer")
set(CPACK_PACKAGE_DESCRIPTION "A small window that stays above all others and shows a text \
file (UTF-8, UTF-16 or Shift_JIS). Every command sits in one popup menu opened by Shift + \
right-click.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ontopview)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Japanese texts and a font with Japanese glyphs make the program speak and show Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
# Japanese input reaches a Qt 6 program only through fcitx5 (with its Qt 6 front end) or ibus
# (whose front end Qt 6 brings): Qt 6 has neither XIM nor a uim module.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fcitx5-frontend-qt6 | ibus")
# Only the program and its desktop files: no headers, tests or static libraries exist to ship.
set(CPACK_COMPONENTS_ALL Unspecified)
include(CPack)
