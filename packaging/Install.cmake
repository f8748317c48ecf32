# Installation: one program folder (by default /opt/zentavo) laid out exactly
# like the build's bin/ folder, programs with Lang/, Esercizi/, CorsoZentavo/
# and help/ beside them, plus what a desktop needs to offer the programs:
# launchers, menu entries, icons, AppStream metadata and the MIME type of
# exercise files. `make package` turns the same rules into a Debian package.
if(ZENTAVO_FUZZ)
  return()
endif()

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /opt/zentavo CACHE PATH "The program folder" FORCE)
endif()
set(ZENTAVO_DESKTOP_PREFIX /usr CACHE PATH
    "Where the launchers (bin/) and the desktop files (share/) are installed")
set(ZENTAVO_LAUNCHER_DIR ${ZENTAVO_DESKTOP_PREFIX}/bin)
set(ZENTAVO_SHARE_DIR ${ZENTAVO_DESKTOP_PREFIX}/share)
# `install` and `package` install what was built; building only the two
# programs first is enough (the tests and benchmarks are not part of it).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(_zentavo_dirs DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(_zentavo_files FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

install(TARGETS Zentavo EditorZentavo RUNTIME DESTINATION .)
foreach(folder Lang Esercizi CorsoZentavo help)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/${folder} DESTINATION . ${_zentavo_dirs}
          ${_zentavo_files})
endforeach()

# The launchers are links, so the programs still find their folder: the
# path of the running executable is the link's target.
install(CODE "
  set(_bin \"\$ENV{DESTDIR}${ZENTAVO_LAUNCHER_DIR}\")
  file(MAKE_DIRECTORY \"\${_bin}\")
  foreach(_pair zentavo:Zentavo editorzentavo:EditorZentavo)
    string(REPLACE \":\" \";\" _pair \"\${_pair}\")
    list(GET _pair 0 _link)
    list(GET _pair 1 _program)
    message(STATUS \"Installing: \${_bin}/\${_link} -> \${CMAKE_INSTALL_PREFIX}/\${_program}\")
    file(REMOVE \"\${_bin}/\${_link}\")
    file(CREATE_LINK \"\${CMAKE_INSTALL_PREFIX}/\${_program}\" \"\${_bin}/\${_link}\" SYMBOLIC)
  endforeach()
")

string(TIMESTAMP ZENTAVO_RELEASE_DATE "%Y-%m-%d" UTC)
foreach(app Zentavo EditorZentavo)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/org.zentavo.${app}.desktop.in
                 ${CMAKE_BINARY_DIR}/packaging/org.zentavo.${app}.desktop @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/org.zentavo.${app}.metainfo.xml
                 ${CMAKE_BINARY_DIR}/packaging/org.zentavo.${app}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/org.zentavo.${app}.desktop
          DESTINATION ${ZENTAVO_SHARE_DIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/org.zentavo.${app}.metainfo.xml
          DESTINATION ${ZENTAVO_SHARE_DIR}/metainfo)
endforeach()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/zentavo-exercise.xml
        DESTINATION ${ZENTAVO_SHARE_DIR}/mime/packages)

# Icons: the hicolor theme in every drawn size, and the vector picture.
foreach(pair zentavo:Zentavo editorzentavo:EditorZentavo)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 stem)
  list(GET pair 1 app)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/appicons/${stem}-${size}.png
            DESTINATION ${ZENTAVO_SHARE_DIR}/icons/hicolor/${size}x${size}/apps
            RENAME org.zentavo.${app}.png)
  endforeach()
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/app-zentavo.svg
        DESTINATION ${ZENTAVO_SHARE_DIR}/icons/hicolor/scalable/apps
        RENAME org.zentavo.Zentavo.svg)
install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/app-editor.svg
        DESTINATION ${ZENTAVO_SHARE_DIR}/icons/hicolor/scalable/apps
        RENAME org.zentavo.EditorZentavo.svg)

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
