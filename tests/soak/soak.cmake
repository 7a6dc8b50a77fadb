# The state rules of the headless runner's --check are tested with the other suites. The short
# soak plays 40 000 frames at random in every mode under --check, then each run's replay
# under --verify: a few seconds in the plain build, about a minute in the sanitizer build on a
# quiet machine, where AddressSanitizer and UndefinedBehaviorSanitizer watch it too.
# scripts/soak.sh without --short is the long form. The release pass of the test command leaves it
# to the sanitizer pass, which checks the same and more.
target_link_libraries(astorine-tests PRIVATE astorine_invariants)

add_test(NAME soak.short
  COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/soak.sh --short
          --runner $<TARGET_FILE:astorine-headless> --data ${CMAKE_BINARY_DIR}/Data)
set_tests_properties(soak.short PROPERTIES TIMEOUT 900 LABELS "soak;sanitize_only")
