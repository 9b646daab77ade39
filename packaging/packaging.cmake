# Installing the game (cmake --install) and packing it for Debian (cpack -G DEB).
#
# Layout under the prefix, by GNUInstallDirs: the game and the replay tool in bin/, the images in
# share/games/glimmerwake/Data (found by the game from its own folder, see
# shell/common/data_directory.h), the menu entry, AppStream file, hicolor icons and the manual page in
# their usual places.

set(GLIMMERWAKE_HOMEPAGE "https://example.org/glimmerwake/"
    CACHE STRING "The game's home page, named in its AppStream file")
set(GLIMMERWAKE_SCREENSHOT_URL "https://example.org/glimmerwake/screenshots"
    CACHE STRING "Where the AppStream file's screenshots (docs/screenshots/*.png) are published")
set(GLIMMERWAKE_RELEASE_DATE "2026-12-08" CACHE STRING "The date of this version's release")
set(GLIMMERWAKE_APP_ID org.glimmerwake.Glimmerwake)

install(TARGETS glimmerwake RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET glimmerwake-replay)
    install(TARGETS glimmerwake-replay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Data DESTINATION ${GLIMMERWAKE_INSTALL_DATA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${GLIMMERWAKE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${CMAKE_SOURCE_DIR}/packaging/${GLIMMERWAKE_APP_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/${GLIMMERWAKE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${GLIMMERWAKE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

configure_file(${CMAKE_SOURCE_DIR}/packaging/glimmerwake.6.in
    ${CMAKE_BINARY_DIR}/packaging/glimmerwake.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/glimmerwake.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# Painted by the art tool (art/rebuild.sh) and committed, like Data/.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/packaging/icons/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The score board, when it is built (-DGLIMMERWAKE_BOARD=ON): the program, its systemd unit
# (installed, not enabled), the sysusers.d line of its own user, which the package's postinst
# makes, and its operators' guide.
if(TARGET glimmerwake-board)
    install(TARGETS glimmerwake-board RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    set(GLIMMERWAKE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/glimmerwake)
    set(GLIMMERWAKE_BOARD_GUIDE ${CMAKE_INSTALL_PREFIX}/${GLIMMERWAKE_DOC_DIR}/board.md)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/board/glimmerwake-board.service.in
        ${CMAKE_BINARY_DIR}/packaging/glimmerwake-board.service @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/glimmerwake-board.service
        DESTINATION lib/systemd/system)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/board/glimmerwake-board.sysusers
        DESTINATION lib/sysusers.d RENAME glimmerwake-board.conf)
    install(FILES ${CMAKE_SOURCE_DIR}/docs/board.md DESTINATION ${GLIMMERWAKE_DOC_DIR})
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/board/postinst)
endif()

# cpack -G DEB (in the build directory) makes glimmerwake_VERSION_ARCH.deb, which installs with
# `apt install ./glimmerwake_*.deb`.
set(CPACK_PACKAGE_NAME glimmerwake)
set(CPACK_PACKAGE_VENDOR "The Glimmerwake developers")
set(CPACK_PACKAGE_CONTACT "The Glimmerwake developers <glimmerwake@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3-D arcade shooter down a tunnel")
set(CPACK_PACKAGE_DESCRIPTION
    "Your ship slides around a tunnel's wall while enemies come out of its depth, up to a boss\n\
that splits into a swarm of sixteen. Played with the keyboard or a gamepad.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${GLIMMERWAKE_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, worked out by dpkg-shlibdeps (SDL2, GL, GLU, EGL, libpng,
# FreeType, fontconfig, X11), and what they load or use without linking: the OpenGL library SDL
# opens at run time, Mesa's drivers, the typewriter face the game prints in, and the core X fonts
# SDL's message boxes draw their text in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libgl1, libgl1-mesa-dri, libglx-mesa0, libegl-mesa0, fonts-liberation2, xfonts-base")
include(CPack)
