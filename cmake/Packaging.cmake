# The Debian package of Kelvaro, built with CPack from what `cmake --install` puts in place:
#   cmake --build <build> --target package    (scripts/package does this in a release build)
# Library dependencies are found by dpkg-shlibdeps; what the program needs without linking to it
# (translations, fonts, the system bus and logind for the power actions) is recommended.

set(KELVARO_PACKAGE_MAINTAINER "Kelvaro developers <kelvaro@example.org>"
    CACHE STRING "Maintainer field of the Debian package (name <address>)")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvaro)
set(CPACK_PACKAGE_VERSION ${KELVARO_PRODUCT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvaro developers")
set(CPACK_PACKAGE_CONTACT ${KELVARO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SOURCE_IGNORE_FILES "/build[^/]*/;/\\\\.git/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KELVARO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "countdown and shutdown timer with messages
Kelvaro counts down a set time, waits for a time of day or runs as a
stopwatch. When the time is up it shuts the computer down, restarts it,
logs the user off, suspends it or shows a message, optionally with beeps
or a sound file.
It keeps named presets, takes a complete setting on its command line,
writes desktop launchers that start a timer with fixed settings, and
shows the time left in the notification area. Power actions are asked of
systemd-logind. The user interface is in German and English.")

# Libraries, including libqt6gui6 with the X11 platform plugin (libqxcb.so), come from dpkg-shlibdeps.
# The Wayland platform plugin is loaded at run time, not linked, so dpkg-shlibdeps cannot see it; with
# it a Wayland session gets a native client instead of one through XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland")
# Qt's standard dialogs in the program's language (qtbase_de.qm, qtbase_en.qm); the fonts the
# windows ask for by metric (Arial, Tahoma); the system bus and logind that shut down, restart, log
# off and suspend.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, fonts-liberation2, default-dbus-system-bus | dbus-system-bus, default-logind | logind")

# Debian's layout inside the package: stripped programs, compressed manual pages, a changelog, a
# copyright file and the overrides of lintian's spelling checks, which read German as misspelt English.
set(CPACK_KELVARO_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianStaging.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
