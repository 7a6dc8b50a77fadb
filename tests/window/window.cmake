# The window tests: the real game under Xvfb, driven with xdotool and checked on screenshots
# against the headless runner's pictures, on its trace (ASTORINE_TRACE) and on its final state.
# Registered only where the tools they need are installed (scripts/setup.sh installs them).
find_program(XVFB_PROGRAM Xvfb)
find_program(XDOTOOL_PROGRAM xdotool)
find_program(XWININFO_PROGRAM xwininfo)
find_program(IMPORT_PROGRAM import)
find_program(SETSID_PROGRAM setsid)
# Full screen and focus need a window manager, and a second window to take the focus.
find_program(OPENBOX_PROGRAM openbox)
find_program(XPROP_PROGRAM xprop)
find_program(XMESSAGE_PROGRAM xmessage)
find_package(X11)
# In the sanitizer build the leak checker ignores what the system's windowing libraries keep.
set(window_leak_options
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")
if(XVFB_PROGRAM AND XDOTOOL_PROGRAM AND XWININFO_PROGRAM AND IMPORT_PROGRAM AND SETSID_PROGRAM
   AND TARGET astorine)
  set(window_output ${CMAKE_BINARY_DIR}/window-output)
  set(game_and_runner $<TARGET_FILE:astorine> $<TARGET_FILE:astorine-headless>)
  add_test(NAME window.title_pause_quit
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/window-test.sh ${game_and_runner} ${CMAKE_BINARY_DIR}
            ${window_output})
  add_test(NAME window.solo_game
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/solo-game-test.sh ${game_and_runner}
            ${CMAKE_BINARY_DIR} ${window_output}/solo-game)
  add_test(NAME window.computer_match
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/computer-match-test.sh ${game_and_runner}
            ${CMAKE_BINARY_DIR} ${window_output}/computer-match)
  add_test(NAME window.replay
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/replay-test.sh ${game_and_runner}
            ${CMAKE_BINARY_DIR} ${window_output}/replay)
  foreach(how f12 sigterm)
    add_test(NAME window.close_${how}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/close-test.sh ${how} ${game_and_runner} none
              ${CMAKE_BINARY_DIR} ${window_output}/close-${how})
  endforeach()
  foreach(start silent seed)
    add_test(NAME window.start_${start}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/start-test.sh ${start} ${game_and_runner}
              ${CMAKE_BINARY_DIR} ${window_output}/start-${start})
  endforeach()
  add_test(NAME window.controls_file
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/controls-test.sh $<TARGET_FILE:astorine>
            ${CMAKE_BINARY_DIR} ${window_output}/controls-file)
  add_test(NAME window.settings
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/settings-test.sh ${game_and_runner}
            ${CMAKE_BINARY_DIR} ${window_output}/settings)
  add_test(NAME window.online_match
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/online-match-test.sh ${game_and_runner}
            ${CMAKE_BINARY_DIR} ${window_output}/online-match)
  # Meeting by room code through a real lobby; skipped while the lobby is not built.
  add_test(NAME window.online_lobby
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/online-lobby-test.sh $<TARGET_FILE:astorine>
            ${CMAKE_BINARY_DIR}/tools/lobby/astorine-lobby ${CMAKE_BINARY_DIR}
            ${window_output}/online-lobby)
  set_tests_properties(window.online_lobby PROPERTIES SKIP_RETURN_CODE 77)
  # A screen slower than the game's pace: frames keep it, presents are skipped.
  add_test(NAME window.slow_screen
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/slow-screen-test.sh ${game_and_runner}
            ${CMAKE_BINARY_DIR} ${window_output}/slow-screen)
  set(window_tests window.title_pause_quit window.solo_game window.computer_match window.replay
      window.slow_screen
      window.close_f12 window.close_sigterm
      window.start_silent window.start_seed window.controls_file window.settings
      window.online_match window.online_lobby)
  # The picture in windows and screens of every shape.
  add_test(NAME window.display_resize
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/display-test.sh resize ${game_and_runner}
            ${CMAKE_BINARY_DIR} ${window_output}/display-resize)
  list(APPEND window_tests window.display_resize)
  if(OPENBOX_PROGRAM AND XPROP_PROGRAM AND XMESSAGE_PROGRAM)
    foreach(screen 1366x768 1920x1080 3840x2160)
      add_test(NAME window.display_fullscreen_${screen}
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/display-test.sh fullscreen ${screen}
                ${game_and_runner} ${CMAKE_BINARY_DIR} ${window_output}/display-fullscreen-${screen})
      list(APPEND window_tests window.display_fullscreen_${screen})
    endforeach()
    foreach(case alt-enter focus)
      string(REPLACE "-" "_" test_name ${case})
      add_test(NAME window.display_${test_name}
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/display-test.sh ${case} ${game_and_runner}
                ${CMAKE_BINARY_DIR} ${window_output}/display-${case})
      list(APPEND window_tests window.display_${test_name})
    endforeach()
  else()
    message(STATUS "Full-screen window tests not registered: openbox, xprop and xmessage are needed")
  endif()
  if(X11_FOUND)
    # Xvfb runs no window manager: this stands in for one's close button.
    add_executable(astorine-close-window ${CMAKE_CURRENT_LIST_DIR}/close_window.cpp)
    target_link_libraries(astorine-close-window PRIVATE X11::X11)
    add_test(NAME window.close_button
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/close-test.sh button ${game_and_runner}
              $<TARGET_FILE:astorine-close-window> ${CMAKE_BINARY_DIR} ${window_output}/close-button)
    list(APPEND window_tests window.close_button)
  endif()
  # A virtual pad lives inside its process: the program that plays with one starts the game too.
  add_executable(astorine-pad-game ${CMAKE_CURRENT_LIST_DIR}/pad_game.cpp)
  target_link_libraries(astorine-pad-game PRIVATE astorine_core)
  target_include_directories(astorine-pad-game PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
  add_test(NAME window.pad_solo_game
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/pad-game-test.sh $<TARGET_FILE:astorine-pad-game>
            ${CMAKE_BINARY_DIR} ${window_output}/pad-solo-game)
  list(APPEND window_tests window.pad_solo_game)
  # Two game windows at a time, each on its own X server, taking turns on two locks; the headless
  # tests may run beside them, as the window tests wait for conditions rather than times. A
  # window test spends most of its time waiting on the game's pace: two of them take about one
  # core.
  set_tests_properties(${window_tests} PROPERTIES TIMEOUT 300 LABELS window
    ENVIRONMENT "${window_leak_options}")
  set(lane a)
  foreach(test IN LISTS window_tests)
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK game_window_${lane})
    if(lane STREQUAL a)
      set(lane b)
    else()
      set(lane a)
    endif()
  endforeach()
  if(TEST window.display_fullscreen_3840x2160)
    # Software OpenGL draws a 4K screen at a few frames per second.
    set_tests_properties(window.display_fullscreen_3840x2160 PROPERTIES TIMEOUT 600)
  endif()
  # Variants: the same window code on more screens and sizes (one full screen stays in), focus
  # and Alt+Return, or a longer game through the same loop. The test command leaves them out to
  # keep CI in its budget; scripts/test.sh --all runs them.
  set(window_variants ${window_tests})
  list(FILTER window_variants INCLUDE REGEX
       "^window\\.(display_(fullscreen_(1366x768|3840x2160)|resize|focus|alt_enter)|computer_match)$")
  set_tests_properties(${window_variants} PROPERTIES LABELS "window;variant")
  # The sanitizer pass plays the window through its main doors only: a game, a pad, online, a
  # signal's save on the way out. The others drive the same code again.
  set(window_sanitized window.solo_game window.pad_solo_game window.online_match
      window.close_sigterm)
  set(window_release_only ${window_tests})
  list(REMOVE_ITEM window_release_only ${window_sanitized} ${window_variants})
  set_tests_properties(${window_release_only} PROPERTIES LABELS "window;release_only")
else()
  message(STATUS "Window tests not registered: Xvfb, xdotool, xwininfo, ImageMagick and setsid "
                 "are needed")
endif()
