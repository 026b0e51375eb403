# Installing the game as a Linux game is laid out (cmake --install, or the
# Debian package from cpack): the launcher in games/, the game itself and
# its data out of the PATH, a menu entry, icons, a man page and AppStream
# metadata. Paths are relative to the prefix, so an unpacked package runs
# from wherever it lies.
set(QVL_VERSION 1.0.0)
set(QVL_RELEASE_DATE 2026-12-07)
set(QVL_CHANGELOG_DATE "Mon, 07 Dec 2026 00:00:00 +0000")
set(QVL_SCREENSHOT_URL "https://quorvale.org/screens" CACHE STRING "Where the README's screenshots are published")
set(QVL_MAINTAINER "The Quorvale developers <developers@quorvale.org>" CACHE STRING "The package's maintainer")

# The icon at every size, drawn by the art tool when the game is built.
file(GLOB ICON_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/icons/*.cpp ${CMAKE_SOURCE_DIR}/tools/art/*.cpp)
add_executable(iconbuild ${ICON_SOURCES} ${CMAKE_SOURCE_DIR}/tools/datbuild/writer.cpp
                         ${CMAKE_SOURCE_DIR}/tools/datbuild/entries.cpp ${CMAKE_SOURCE_DIR}/shell/entries.cpp)
target_include_directories(iconbuild PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR})
target_link_libraries(iconbuild PRIVATE PNG::PNG)
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(OUTPUT ${ICON_DIR}/256x256/apps/quorvale.png
  COMMAND iconbuild ${ICON_DIR}
  DEPENDS iconbuild
  COMMENT "Drawing the desktop icon")

# Man page and changelog compressed as Debian wants them: no name or time.
set(PKG_DIR ${CMAKE_BINARY_DIR}/package)
configure_file(${CMAKE_SOURCE_DIR}/package/org.quorvale.SportsDay.metainfo.xml.in
               ${PKG_DIR}/org.quorvale.SportsDay.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/package/changelog.in ${PKG_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${PKG_DIR}/quorvale.6.gz ${PKG_DIR}/changelog.gz
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/package/quorvale.6 > ${PKG_DIR}/quorvale.6.gz
  COMMAND gzip -9nc ${PKG_DIR}/changelog > ${PKG_DIR}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/package/quorvale.6 ${PKG_DIR}/changelog)
add_custom_target(package_files ALL DEPENDS ${ICON_DIR}/256x256/apps/quorvale.png ${PKG_DIR}/quorvale.6.gz)

install(PROGRAMS ${CMAKE_SOURCE_DIR}/package/quorvale DESTINATION games)
install(TARGETS qvlgam DESTINATION lib/games/quorvale)
install(FILES ${RUN_DIR}/qvlgam.dat ${RUN_DIR}/qvlgam2.dat ${CMAKE_SOURCE_DIR}/qvlgam.cfg
        DESTINATION share/games/quorvale)
install(FILES ${CMAKE_SOURCE_DIR}/package/quorvale.desktop DESTINATION share/applications)
install(DIRECTORY ${ICON_DIR}/ DESTINATION share/icons/hicolor)
install(FILES ${PKG_DIR}/org.quorvale.SportsDay.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PKG_DIR}/quorvale.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_SOURCE_DIR}/package/copyright ${PKG_DIR}/changelog.gz DESTINATION share/doc/quorvale)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvale)
set(CPACK_PACKAGE_VERSION ${QVL_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QVL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorvale.org")
# Dependencies from the shared libraries the game really links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xmessage shows a failure to start to a player who started from the menu.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS x11-utils)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "school sports day arcade game")
set(CPACK_PACKAGE_DESCRIPTION "Quorvale - Sports Day is a single-player arcade game of four events: the
100 metre sprint, catapulting at rising balloons, the 50 metre swim and the
tennis ball throw. Hammer left and right to run and swim, time the fire
button to shoot and throw, reach each event's qualifying mark on one of
three difficulties, and beat your personal bests, which are kept in your
home folder.")
include(CPack)
