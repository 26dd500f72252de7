# make package: a Debian package of what `cmake --install` installs, by CPack.
# The libraries it links are found by dpkg-shlibdeps. Qt loads the WebP and
# TIFF readers and writers as plugins at run time, which no link shows, so that
# package is named; the Chinese face and Qt's Chinese texts are data, so they
# are recommended by name.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvo)
set(CPACK_PACKAGE_CONTACT "${KALVO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "paint program for bitmap pictures, in Chinese")
# Lines as the control file shows them: CPack keeps the breaks.
set(CPACK_PACKAGE_DESCRIPTION "\
Kalvo is a raster paint program with a Chinese user interface: one window,
one picture, 22 drawing tools, a colour palette, one level of undo and redo,
an in-program clipboard, zoom and whole-picture filters such as blur,
sharpen, noise and colour adjustments.

It opens Windows bitmaps, PNG, JPEG, GIF, WebP and TIFF pictures and saves
all of them but GIF.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
