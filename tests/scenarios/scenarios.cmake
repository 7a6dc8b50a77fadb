# Scenario tests: each tests/scenarios/**/NAME.args is one CTest, "scenario.NAME" (folders joined
# by dots). run-scenario.sh describes the files of a scenario; scripts/bless-scenarios.sh writes
# their expected results.
file(GLOB_RECURSE scenario_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.args)
foreach(args_file IN LISTS scenario_files)
  file(RELATIVE_PATH scenario ${CMAKE_CURRENT_LIST_DIR} ${args_file})
  string(REGEX REPLACE "\\.args$" "" scenario ${scenario})
  string(REPLACE "/" "." test_name ${scenario})
  add_test(NAME scenario.${test_name}
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run-scenario.sh
            $<TARGET_FILE:astorine-headless> $<TARGET_FILE:astorine-json-subset>
            ${CMAKE_CURRENT_LIST_DIR}/${scenario} ${CMAKE_BINARY_DIR}/scenario-output/${test_name}
            ${CMAKE_BINARY_DIR}/Data)
  set_tests_properties(scenario.${test_name} PROPERTIES
    ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy" TIMEOUT 120 LABELS scenario)
endforeach()
