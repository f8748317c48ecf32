# The Debian package of both programs, made by CPack (`make package`).
# Library dependencies come from dpkg-shlibdeps; what the programs need
# without linking it is named here.
set(ZENTAVO_PACKAGE_MAINTAINER "Zentavo <zentavo@example.org>" CACHE STRING
    "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentavo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zentavo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "touch-typing tutor for the Italian keyboard")
set(CPACK_PACKAGE_DESCRIPTION
    "Zentavo teaches touch typing on the Italian keyboard to pupils of primary and
middle school: it shows the keyboard, sinks the key to press next, refuses and
counts wrong keystrokes, times each sentence and gives points, and shows the
results of each level, which can be printed or exported as PDF.
Editor Zentavo, included, writes the exercise files (.ftd) the tutor uses.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
# The desktop files live outside the program folder: install under DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZENTAVO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Arial's metric twin, which every window and report is laid out in, and a
# proportional face for the system's "sans-serif": with Liberation alone,
# fontconfig resolves it to Liberation Mono, and message boxes and file
# dialogs come out in a typewriter face. SQLite keeps the practice history
# (named here too, although the library scan finds it). The Italian word list
# gives the personal exercise its drills (without it the exercise keeps to
# sentences).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core, libsqlite3-0, witalian")
# The menu, the file manager's "open with" and the icon caches are brought
# up to date by these packages' own triggers when they are present.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme, qt6-translations-l10n")
configure_file(${CMAKE_CURRENT_LIST_DIR}/postrm.in ${CMAKE_BINARY_DIR}/packaging/postrm @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
