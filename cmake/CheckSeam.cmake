# Fails when a file of the game (scenes, solo, versus) includes an SDL header.
file(GLOB_RECURSE game_files ${SOURCE_DIR}/src/scenes/* ${SOURCE_DIR}/src/solo/*
     ${SOURCE_DIR}/src/versus/*)
set(offenders "")
foreach(file IN LISTS game_files)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]SDL")
  if(lines)
    list(APPEND offenders ${file})
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "SDL included by game code: ${offenders}")
endif()
