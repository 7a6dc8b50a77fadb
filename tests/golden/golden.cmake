# Replays recorded by an earlier build: this one must play them to the same final states.
add_test(NAME golden.replays
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/golden-test.sh $<TARGET_FILE:astorine-headless>
          ${CMAKE_BINARY_DIR}/Data ${CMAKE_BINARY_DIR}/golden-output)
set_tests_properties(golden.replays PROPERTIES LABELS replay TIMEOUT 300
  ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy")
