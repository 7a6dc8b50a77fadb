# The bad-data tests: the headless game with no Data/, and with each data file missing, damaged
# or odd in turn (bad-data.sh); the real window with no Data/ and with a damaged icon
# (window-bad-data.sh). Here each file is damaged in one of every three ways (--sample 3, a
# different way for the next file); scripts/bad-data.sh runs every way for every file.
set(bad_data_output ${CMAKE_BINARY_DIR}/bad-data-output)
foreach(group IN ITEMS "missing;nodata empty missing" "damaged;truncated header huge random"
                       "odd;noise tiny")
  list(GET group 0 name)
  list(GET group 1 kinds)
  separate_arguments(kinds)
  add_test(NAME baddata.${name}
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/bad-data.sh --sample 3 $<TARGET_FILE:astorine-headless>
            ${CMAKE_BINARY_DIR}/Data ${bad_data_output}/${name} ${kinds})
  # The sanitizer build runs each case three to four times slower. The odd files (pixels and
  # samples that load, then draw and play) run there only, where the sanitizers watch them; the
  # missing and damaged ones are refused before the game holds a byte of them (the fuzz tests
  # feed those readers under the sanitizers) and run in the release pass only.
  set(labels baddata release_only)
  if(name STREQUAL odd)
    set(labels baddata sanitize_only)
  endif()
  set_tests_properties(baddata.${name} PROPERTIES TIMEOUT 600 LABELS "${labels}"
    ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy")
endforeach()

find_program(XVFB_PROGRAM Xvfb)
find_program(XDOTOOL_PROGRAM xdotool)
find_program(XWININFO_PROGRAM xwininfo)
find_program(SETSID_PROGRAM setsid)
if(XVFB_PROGRAM AND XDOTOOL_PROGRAM AND XWININFO_PROGRAM AND SETSID_PROGRAM AND TARGET astorine)
  add_test(NAME baddata.window
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/window-bad-data.sh $<TARGET_FILE:astorine>
            ${CMAKE_BINARY_DIR}/Data ${bad_data_output}/window)
  set_tests_properties(baddata.window PROPERTIES TIMEOUT 600 LABELS "baddata;window;release_only"
    ENVIRONMENT "${window_leak_options}")
endif()
