# The Debian package, made by CPack from the install rules: `cpack -G DEB` in the build folder
# (scripts/dev.sh package). Libraries come from dpkg-shlibdeps; what the binary loads at run
# time without linking it (QML modules, image and icon plugins) is listed by hand.

set(CPACK_PACKAGE_NAME varu)
set(CPACK_PACKAGE_VENDOR "Teko")
set(CPACK_PACKAGE_CONTACT "${VARU_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clipboard history with a strip of cards and a hotkey")
set(CPACK_PACKAGE_DESCRIPTION [[
Varu keeps every copy you make, whether text, rich text, links, images,
PDF documents, files or colours, in a local database, and brings it back
with a hotkey: Super+Shift+V slides up a strip of cards along the bottom of
the screen; search, filter, pick a card, and Return pastes it into the
application you were working in.

Tabs keep pinned cards forever, and backups (.varu files) move the history
and the tabs between machines. Copies from password managers and text that
looks like a password are not kept, and nothing leaves your machine.]])
set(CPACK_PACKAGE_INSTALL_DIRECTORY varu)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VARU_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS [[
qml6-module-qtqml, qml6-module-qtqml-workerscript, qml6-module-qtquick,
qml6-module-qtquick-controls, qml6-module-qtquick-layouts, qml6-module-qtquick-shapes,
qml6-module-qtquick-templates, qml6-module-qtquick-window,
libqt6svg6, qt6-image-formats-plugins]])
string(REGEX REPLACE "[ \n]+" " " CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}")
string(STRIP "${CPACK_DEBIAN_PACKAGE_DEPENDS}" CPACK_DEBIAN_PACKAGE_DEPENDS)
# The media plugins the sounds may play through, and the Portuguese of Qt's own dialogs;
# Varu runs without either.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, qt6-translations-l10n, qt6-wayland")

include(CPack)
