# Where an installation puts each part, by the Filesystem Hierarchy Standard:
# the two programs in a folder of their own under lib/ (launchers in bin/),
# the shared data in share/zentavo/, the computer-wide settings file in the
# system configuration folder (/etc/zentavo/ when the prefix is /usr). The
# programs are told these places, so that an installed copy finds its data.
# Build folders configured before this layout hold the old default prefix
# /opt/zentavo, which is known by its description: back to the usual default.
get_property(_zentavo_prefix_help CACHE CMAKE_INSTALL_PREFIX PROPERTY HELPSTRING)
if(_zentavo_prefix_help STREQUAL "The program folder")
  set(CMAKE_INSTALL_PREFIX /usr/local CACHE PATH "Install path prefix" FORCE)
endif()
include(GNUInstallDirs)

set(ZENTAVO_INSTALL_PROGRAMDIR lib/zentavo CACHE STRING
    "Folder of the two programs, relative to the prefix")
set(ZENTAVO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/zentavo)
set(ZENTAVO_INSTALL_CONFIGDIR ${CMAKE_INSTALL_FULL_SYSCONFDIR}/zentavo)
cmake_path(ABSOLUTE_PATH ZENTAVO_INSTALL_PROGRAMDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
           NORMALIZE OUTPUT_VARIABLE ZENTAVO_FULL_PROGRAMDIR)
cmake_path(ABSOLUTE_PATH ZENTAVO_INSTALL_DATADIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
           NORMALIZE OUTPUT_VARIABLE ZENTAVO_FULL_DATADIR)
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_BINDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
           NORMALIZE OUTPUT_VARIABLE ZENTAVO_FULL_BINDIR)
file(RELATIVE_PATH ZENTAVO_DATA_FROM_PROGRAMS ${ZENTAVO_FULL_PROGRAMDIR} ${ZENTAVO_FULL_DATADIR})
file(RELATIVE_PATH ZENTAVO_PROGRAMS_FROM_BINDIR ${ZENTAVO_FULL_BINDIR} ${ZENTAVO_FULL_PROGRAMDIR})
