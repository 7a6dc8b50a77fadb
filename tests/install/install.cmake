# The install into a temporary prefix and its validators, the command line of the real binary,
# and the installed game in a window started from /.
add_test(NAME install.layout_and_validators
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install-test.sh ${CMAKE_BINARY_DIR} ${ASTORINE_APP_ID}
          ${PROJECT_VERSION} ${ASTORINE_RELEASE_DATE} ${ASTORINE_BINDIR} ${ASTORINE_DATADIR})
add_test(NAME install.command_line
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/command-line-test.sh $<TARGET_FILE:astorine>
          ${CMAKE_BINARY_DIR}/dist/astorine.6 ${PROJECT_VERSION})
# Files in place and the binary's replies: the sanitizer pass has nothing to add.
set_tests_properties(install.layout_and_validators install.command_line PROPERTIES
                     LABELS release_only)
find_program(XPROP_PROGRAM xprop)
find_program(OPENBOX_PROGRAM openbox)
if(XVFB_PROGRAM AND XDOTOOL_PROGRAM AND XWININFO_PROGRAM AND IMPORT_PROGRAM AND SETSID_PROGRAM
   AND XPROP_PROGRAM AND OPENBOX_PROGRAM)
  add_test(NAME window.installed_from_root
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/installed-window-test.sh ${CMAKE_BINARY_DIR}
            $<TARGET_FILE:astorine-headless> ${CMAKE_BINARY_DIR}/window-output/installed
            ${ASTORINE_APP_ID} ${ASTORINE_BINDIR})
  set_tests_properties(window.installed_from_root PROPERTIES TIMEOUT 300 RESOURCE_LOCK game_window_a
    LABELS "window;release_only" ENVIRONMENT "${window_leak_options}")
endif()
# The Debian package made, checked, installed, played and purged. It installs into the machine
# itself, so it runs alone among the window tests and only as root (it skips otherwise).
if(XVFB_PROGRAM AND XDOTOOL_PROGRAM AND XWININFO_PROGRAM AND IMPORT_PROGRAM AND SETSID_PROGRAM)
  add_test(NAME install.package
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/package-test.sh ${CMAKE_BINARY_DIR}
            $<TARGET_FILE:astorine-headless> ${CMAKE_BINARY_DIR}/window-output/package
            ${ASTORINE_APP_ID} ${PROJECT_VERSION})
  set_tests_properties(install.package PROPERTIES TIMEOUT 300
    RESOURCE_LOCK "game_window_b;system_packages" SKIP_RETURN_CODE 77
    LABELS "window;release_only" ENVIRONMENT "${window_leak_options}")
endif()
# The lobby's package: made, checked, installed, its service's command run, purged.
add_test(NAME install.lobby_package
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/lobby-package-test.sh ${CMAKE_BINARY_DIR}
          $<TARGET_FILE:astorine-headless> ${CMAKE_BINARY_DIR}/install-output/lobby-package
          ${PROJECT_VERSION})
set_tests_properties(install.lobby_package PROPERTIES TIMEOUT 300 RESOURCE_LOCK system_packages
  SKIP_RETURN_CODE 77 LABELS release_only)
