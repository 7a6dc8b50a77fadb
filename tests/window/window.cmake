# The window test: the real game under Xvfb, driven with xdotool and checked on screenshots.
# Registered only where the tools it needs are installed (scripts/setup.sh installs them).
find_program(XVFB_PROGRAM Xvfb)
find_program(XDOTOOL_PROGRAM xdotool)
find_program(XWININFO_PROGRAM xwininfo)
find_program(IMPORT_PROGRAM import)
find_program(SETSID_PROGRAM setsid)
if(XVFB_PROGRAM AND XDOTOOL_PROGRAM AND XWININFO_PROGRAM AND IMPORT_PROGRAM AND SETSID_PROGRAM
   AND TARGET astorine)
  add_test(NAME window.title_pause_quit
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/window-test.sh $<TARGET_FILE:astorine>
            $<TARGET_FILE:astorine-headless> ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/window-output)
  # One at a time: the screenshots' timing must not compete with another game for the cores.
  set_tests_properties(window.title_pause_quit PROPERTIES TIMEOUT 60 RUN_SERIAL TRUE LABELS window)
else()
  message(STATUS "Window test not registered: Xvfb, xdotool, xwininfo, ImageMagick and setsid "
                 "are needed")
endif()
