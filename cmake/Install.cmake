# cmake --install and the Debian package (cpack -G DEB).
#
# Layout under the prefix: bin/handbook and bin/handbook-calc; share/orvane-handbook/, the data
# directory (found by the programs relative to their own location); the desktop file, the icon
# and the AppStream metainfo where desktops look for them.

# The shipped data directory is built from content/ into a folder of its own: the build folder's
# data directory holds the history, bookmarks and results log of whoever ran the build, and a
# package ships the pristine ones.
set(HANDBOOK_SHIPPED_DATA ${CMAKE_BINARY_DIR}/shipped-data)
add_custom_target(shipped-data ALL
  COMMAND mkcontent -platform offscreen ${PROJECT_SOURCE_DIR}/content ${HANDBOOK_SHIPPED_DATA}
  DEPENDS mkcontent
  COMMENT "Building the data directory to install from content/"
  VERBATIM)

install(TARGETS handbook handbook-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${HANDBOOK_SHIPPED_DATA}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/${HANDBOOK_DATA_NAME}
  PATTERN "*-wal" EXCLUDE PATTERN "*-shm" EXCLUDE)
install(FILES packaging/${HANDBOOK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${HANDBOOK_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/${HANDBOOK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${HANDBOOK_DATA_NAME})
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_CONTACT "Orvane handbook maintainers <handbook@orvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mechanical design handbook (机械设计手册)")
set(CPACK_PACKAGE_DESCRIPTION "A desktop reference handbook for mechanical design engineers, with a \
Simplified-Chinese interface: standard data tables to filter, search, capture and print, a \
limits-and-fits calculator (ISO 286) and geometric tolerance values by grade (GB/T 1184).")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries come from dpkg-shlibdeps; the glyphs and Qt's own dialogs in Chinese from:
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
# Reports line up their columns best in a CJK face whose Latin letters are exactly half wide.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk | fonts-wqy-zenhei")
include(CPack)
