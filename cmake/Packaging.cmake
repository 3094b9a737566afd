# The Debian package, built from the build folder with `cpack -G DEB`:
# vantreo_VERSION_ARCH.deb installing under /usr. dpkg-shlibdeps finds the
# libraries the program links; Depends adds what it loads or starts at run
# time: the SVG icon plugin, and Qt Assistant with the SQLite driver its help
# collection needs.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantreo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantreo)
set(CPACK_PACKAGE_VENDOR Vantreo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "address book with phone lists, labels and a pocket phone book")
set(CPACK_PACKAGE_DESCRIPTION [[
Vantreo keeps one address book in one file and shows one record at a time:
name, company, address, four phone numbers, groups and notes. It searches
and sorts the records, prints phone lists, address labels and a two-sided
pocket phone book (or writes them as PDF files), exports delimited text and
hands phone numbers to the desktop's telephone application.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantreo <packages@vantreo.com>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.vantreo.com)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs the xcb platform plugin, which libqt6gui6 only recommends.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, assistant-qt6, libqt6sql6-sqlite")
# xdg-open opens the maker's web site; xdg-mime and gio (libglib2.0-bin) find and start the
# desktop's application for tel: links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libglib2.0-bin")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
