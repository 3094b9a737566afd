# The Debian package, built from the build folder with `cpack -G DEB`:
# vantreo_VERSION_ARCH.deb installing under /usr. dpkg-shlibdeps finds the
# libraries the program links; Depends adds what it loads or starts at run
# time: the SVG icon plugin, and Qt Assistant with the SQLite driver its help
# collection needs.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantreo)

# The manual page and the changelog are installed compressed, as Debian's
# policy asks; gzip -n keeps the package reproducible.
set(compressed_docs "")
function(install_compressed source name destination)
  set(copy ${PROJECT_BINARY_DIR}/compressed/${name})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                     COMMAND gzip -9nf ${copy}
                     DEPENDS ${source})
  install(FILES ${copy}.gz DESTINATION ${destination})
  set(compressed_docs ${compressed_docs} ${copy}.gz PARENT_SCOPE)
endfunction()
configure_file(${PROJECT_SOURCE_DIR}/docs/vantreo.1.in ${PROJECT_BINARY_DIR}/vantreo.1 @ONLY)
install_compressed(${PROJECT_BINARY_DIR}/vantreo.1 vantreo.1 ${CMAKE_INSTALL_MANDIR}/man1)
install_compressed(${PROJECT_SOURCE_DIR}/cmake/changelog changelog ${CMAKE_INSTALL_DATADIR}/doc/vantreo)
add_custom_target(vantreo_package_docs ALL DEPENDS ${compressed_docs})

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
