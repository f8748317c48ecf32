# Copies the shipped data folders beside the built programs, so that the build
# folder runs like an installed portable program folder.
foreach(folder Lang Esercizi CorsoZentavo help)
  if(EXISTS "${SRC}/${folder}")
    file(COPY "${SRC}/${folder}" DESTINATION "${DST}")
  endif()
endforeach()
