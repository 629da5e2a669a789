# `cmake --build BUILD --target package` leaves BUILD/vantrel_VERSION_ARCH.deb: what
# `cmake --install` puts in a prefix, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quorvane)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# Debian installs programs without their debugging information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTREL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends follows from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ...and from what the libraries load at run time: libout123's output modules (the sound
# server's among them) come in Debian's mpg123 package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS mpg123)
# The desktop's system-information tools the About box starts are a nicety, not a need.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "hardinfo")
# The summary, then the long description (CPack indents it as Debian wants).
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "MP3 player and ID3v1 tag editor")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vantrel plays MP3 files from a playlist in a multi-column list, through the
desktop's sound server, with pause, shuttle, tempo, volume, fades, loop and
random order, or decodes them to wave files. It edits the ID3v1 tags of one
file or many, renames files from their tags, searches folders for MP3 files
and reads and writes M3U, CSV and HTML playlists.

vantrel-cli does the same tag, search, rename, decode and playlist work from
scripts.")
include(CPack)
