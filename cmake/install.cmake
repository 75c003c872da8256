# What `cmake --install` puts where (GNUInstallDirs), and the Debian package of it (CPack).
include(GNUInstallDirs)

install(TARGETS parlumo parlumo-send parlumo-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/net.parlumo.Parlumo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/net.parlumo.Parlumo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The files every program folder starts with; the program copies what a folder lacks at start.
install(FILES ${PROJECT_SOURCE_DIR}/resources/loginbg.bmp ${PROJECT_SOURCE_DIR}/resources/keyword.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/parlumo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/彩信示例文件 ${PROJECT_SOURCE_DIR}/resources/声音文件
        DESTINATION ${CMAKE_INSTALL_DATADIR}/parlumo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME parlumo)
set(CPACK_PACKAGE_VENDOR "Parlumo")
set(CPACK_PACKAGE_CONTACT "Parlumo <support@parlumo.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop client of the Parlumo messaging service (SMS, MMS, voice, fax)")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY parlumo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SQLite driver and the window system plugin are loaded at run time: no linked library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.parlumo.net")
include(CPack)
