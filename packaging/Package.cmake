# The Debian package of both programs, made by CPack (`make package`, from
# the `package` preset: prefix /usr). debian/ builds the same package with
# Debian's own tools; tests/install/check-debian.sh holds the two to the same
# fields, dependencies and version.
set(ZENTAVO_PACKAGE_MAINTAINER "Zentavo <zentavo@example.org>" CACHE STRING
    "Maintainer field of the Debian package")

# What the programs need without linking it; dpkg-shlibdeps finds the
# libraries. One package a line, each with its reason; debian/control's
# Depends and Recommends list the same.
set(ZENTAVO_PACKAGE_DEPENDS
  # Arial's metric twin, which every window and report is laid out in.
  fonts-liberation2
  # A proportional face for the system's "sans-serif": with Liberation
  # alone, fontconfig resolves it to Liberation Mono, and message boxes
  # and file dialogs come out in a typewriter face.
  fonts-dejavu-core
  # The Italian word list the personal exercise takes its drills from
  # (without it the exercise keeps to whole sentences).
  witalian
)
set(ZENTAVO_PACKAGE_RECOMMENDS
  # The menu, the file manager's "open with" and the icon caches are
  # brought up to date by these packages' own triggers.
  shared-mime-info
  desktop-file-utils
  hicolor-icon-theme
  # Qt's own Italian texts for the standard buttons and dialogs.
  qt6-translations-l10n
)

# The version and Debian revision come from debian/changelog, so both routes
# name the package alike.
file(STRINGS ${CMAKE_SOURCE_DIR}/debian/changelog _zentavo_changelog LIMIT_COUNT 1)
if(NOT _zentavo_changelog MATCHES "^zentavo \\(([^-)]+)-([^)]+)\\)")
  message(FATAL_ERROR "debian/changelog does not begin with zentavo (<version>-<revision>)")
endif()
set(ZENTAVO_PACKAGE_VERSION ${CMAKE_MATCH_1})
set(ZENTAVO_PACKAGE_REVISION ${CMAKE_MATCH_2})
if(NOT ZENTAVO_PACKAGE_VERSION STREQUAL PROJECT_VERSION)
  message(WARNING "debian/changelog names version ${ZENTAVO_PACKAGE_VERSION}, the project is "
                  "${PROJECT_VERSION}: add a changelog entry (dch -v ${PROJECT_VERSION}-1)")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentavo)
set(CPACK_PACKAGE_VERSION ${ZENTAVO_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR Zentavo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "touch-typing tutor for the Italian keyboard")
# The same text as debian/control's (without its leading blanks).
set(CPACK_PACKAGE_DESCRIPTION
    "Zentavo teaches touch typing on the Italian keyboard to pupils of primary and
middle school: it shows the keyboard, sinks the key to press next, refuses and
counts wrong keystrokes, times each sentence and gives points, and shows the
results of each level, which can be printed or exported as PDF.
Editor Zentavo, included, writes the exercise files (.ftd) the tutor uses.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
# The computer's settings file lives outside the prefix: install under DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZENTAVO_PACKAGE_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZENTAVO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zentavo.example.org/)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
list(JOIN ZENTAVO_PACKAGE_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
list(JOIN ZENTAVO_PACKAGE_RECOMMENDS ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS)
# Every file under /etc is a conffile, as debhelper makes it.
file(WRITE ${CMAKE_BINARY_DIR}/packaging/conffiles "${ZENTAVO_INSTALL_CONFIGDIR}/Zentavo.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The copyright file and the changelog, which debhelper installs on its
# route, go into the package here.
execute_process(COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/debian/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz
                COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/debian/changelog ${CMAKE_SOURCE_DIR}/debian/copyright
             ${CMAKE_SOURCE_DIR}/debian/zentavo.lintian-overrides)
set(ZENTAVO_PACKAGE_DOCS
    ${CMAKE_SOURCE_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)
set(ZENTAVO_PACKAGE_DOCDIR ${CMAKE_INSTALL_PREFIX}/share/doc/zentavo)
# lintian's overrides, each with its reason (dh_lintian installs them there).
set(ZENTAVO_PACKAGE_OVERRIDES ${CMAKE_SOURCE_DIR}/debian/zentavo.lintian-overrides)
set(ZENTAVO_PACKAGE_OVERRIDESDIR ${CMAKE_INSTALL_PREFIX}/share/lintian/overrides)
configure_file(${CMAKE_CURRENT_LIST_DIR}/PackageDocs.cmake.in
               ${CMAKE_BINARY_DIR}/packaging/PackageDocs.cmake @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/packaging/PackageDocs.cmake)

include(CPack)
