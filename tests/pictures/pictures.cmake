# Checks on the headless runner's pictures that need more than one run or an environment of
# their own (fontconfig reads its configuration once per process).
find_program(CONVERT_PROGRAM convert)
if(CONVERT_PROGRAM)
  foreach(check well-views font-fallback)
    add_test(NAME pictures.${check}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/${check}.sh $<TARGET_FILE:astorine-headless>
              ${CMAKE_BINARY_DIR}/Data ${CMAKE_BINARY_DIR}/picture-output/${check})
  endforeach()
  set_tests_properties(pictures.well-views pictures.font-fallback PROPERTIES
    ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy" TIMEOUT 180 LABELS pictures)
else()
  message(STATUS "Picture checks not registered: ImageMagick is needed")
endif()
