# A Debian package of the installed tree: cpack -G DEB in the build folder.
# The dependencies are worked out from the binaries (dpkg-shlibdeps).
set(QUORVANE_PACKAGE_CONTACT "Quorvane 开发组 <quorvane@example.org>"
    CACHE STRING "Maintainer named in the packages")

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane 开发组")
set(CPACK_PACKAGE_CONTACT "${QUORVANE_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn LRC lyric files into plain-text lyric sheets")
set(CPACK_PACKAGE_DESCRIPTION [[Quorvane reads a lyric file with time tags (LRC) and turns it into a
plain-text lyric sheet: title, artist and album first, then the lyric lines
in the order of their time tags. The window (quorvane) shows the file and its
sheet and writes the sheet as a TXT file. The command quorvane-convert converts
whole folders from a terminal, byte for byte as the window writes them.]])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
# The build keeps debugging information; the package does not.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window sets its Chinese captions in these faces where the Windows ones
# are missing, and shows Qt's own texts (menus, file dialogs) in Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-ukai, fonts-wqy-zenhei, qt6-translations-l10n")
include(CPack)
