# Copies the shipped data folders beside the built programs, so that the build
# folder runs like an installed portable program folder.
# Lang/ is made afresh: a language file no longer shipped must not stay behind
# in a build folder, where the language chooser would still offer it.
file(REMOVE_RECURSE "${DST}/Lang")
foreach(folder Lang Esercizi CorsoZentavo help)
  if(EXISTS "${SRC}/${folder}")
    file(COPY "${SRC}/${folder}" DESTINATION "${DST}")
  endif()
endforeach()
