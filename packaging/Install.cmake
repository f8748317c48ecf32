# Installation by the Filesystem Hierarchy Standard (cmake/InstallDirs.cmake
# names the places; the prefix is /usr/local unless given):
#   lib/zentavo/Zentavo, lib/zentavo/EditorZentavo   the programs
#   lib/zentavo/modules/libzentavo_charts.so         their charts module
#   bin/zentavo, bin/editorzentavo                    links to them
#   share/zentavo/{Lang,Esercizi,CorsoZentavo,help}   the shipped data
#   <sysconfdir>/zentavo/Zentavo.ini                  the computer's settings
#   share/man/man1, share/applications, share/icons, share/metainfo,
#   share/mime/packages                              what a desktop needs
# The build's bin/ folder, with the data beside the programs, stays a
# portable copy; an installed copy finds its data through these places.
# `make package` and debian/ turn the same rules into a Debian package.
if(ZENTAVO_FUZZ)
  return()
endif()

# `install` and `package` install what was built; building only the two
# programs first is enough (the tests and benchmarks are not part of it).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(_zentavo_dirs DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(_zentavo_files FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

install(TARGETS Zentavo EditorZentavo RUNTIME DESTINATION ${ZENTAVO_INSTALL_PROGRAMDIR})
# The charts module goes where the programs look for it: beside them, in a
# folder of its own (a shared library right in lib/zentavo/ would make the
# package run ldconfig for nothing).
install(TARGETS zentavo_charts LIBRARY DESTINATION ${ZENTAVO_INSTALL_PROGRAMDIR}/modules
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
foreach(folder Lang Esercizi CorsoZentavo help)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/${folder} DESTINATION ${ZENTAVO_INSTALL_DATADIR}
          ${_zentavo_dirs} ${_zentavo_files})
endforeach()
# The settings every user starts from; in the package a conffile, so what
# an administrator writes there survives upgrades.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/Zentavo.ini DESTINATION ${ZENTAVO_INSTALL_CONFIGDIR})

# The launchers are relative links, so the programs still find their
# installation wherever the prefix is: the path of the running executable
# is the link's target.
install(CODE "
  set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${_bin}\")
  foreach(_pair zentavo:Zentavo editorzentavo:EditorZentavo)
    string(REPLACE \":\" \";\" _pair \"\${_pair}\")
    list(GET _pair 0 _link)
    list(GET _pair 1 _program)
    message(STATUS \"Installing: \${_bin}/\${_link} -> ${ZENTAVO_PROGRAMS_FROM_BINDIR}/\${_program}\")
    file(REMOVE \"\${_bin}/\${_link}\")
    file(CREATE_LINK \"${ZENTAVO_PROGRAMS_FROM_BINDIR}/\${_program}\" \"\${_bin}/\${_link}\" SYMBOLIC)
  endforeach()
")

# Manual pages, compressed as the distribution ships them (gzip -n: no name
# or time inside, so two builds give the same bytes).
foreach(page zentavo editorzentavo)
  set(_source ${CMAKE_CURRENT_LIST_DIR}/${page}.1)
  set(_packed ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_source})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
  execute_process(COMMAND gzip -9nc ${_source} OUTPUT_FILE ${_packed} COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${_packed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

set(ZENTAVO_LAUNCHER_DIR ${ZENTAVO_FULL_BINDIR})
string(TIMESTAMP ZENTAVO_RELEASE_DATE "%Y-%m-%d" UTC)
foreach(app Zentavo EditorZentavo)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/org.zentavo.${app}.desktop.in
                 ${CMAKE_BINARY_DIR}/packaging/org.zentavo.${app}.desktop @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/org.zentavo.${app}.metainfo.xml
                 ${CMAKE_BINARY_DIR}/packaging/org.zentavo.${app}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/org.zentavo.${app}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/org.zentavo.${app}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endforeach()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/zentavo-exercise.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# Icons: the hicolor theme in every drawn size, and the vector picture.
foreach(pair zentavo:Zentavo editorzentavo:EditorZentavo)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 stem)
  list(GET pair 1 app)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/appicons/${stem}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME org.zentavo.${app}.png)
  endforeach()
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/app-zentavo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME org.zentavo.Zentavo.svg)
install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/app-editor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME org.zentavo.EditorZentavo.svg)

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
