# Online play's tests across processes: a relay that makes 127.0.0.1 a bad network, matches
# between two headless peers through it, a peer killed mid-match, a desync made on purpose.
add_executable(astorine-test-relay ${CMAKE_CURRENT_LIST_DIR}/relay.cpp)
add_test(NAME online.matches
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/online-match-test.sh $<TARGET_FILE:astorine-headless>
          $<TARGET_FILE:astorine-test-relay> ${CMAKE_BINARY_DIR}/online-output/matches 3)
add_test(NAME online.peer_killed
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/online-kill-test.sh $<TARGET_FILE:astorine-headless>
          ${CMAKE_BINARY_DIR}/online-output/peer-killed)
add_test(NAME online.desync
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/online-desync-test.sh $<TARGET_FILE:astorine-headless>
          ${CMAKE_BINARY_DIR}/Data ${CMAKE_BINARY_DIR}/online-output/desync)
set_tests_properties(online.matches online.peer_killed online.desync PROPERTIES LABELS online
                     TIMEOUT 600)
# The namespaces test harness (small-internet.sh) for play through home routers and the lobby
# checks itself: NAT kinds, hole punching, filtering, loss and its own cleanup. Needs root.
add_test(NAME online.small_internet
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/small-internet-test.sh)
set_tests_properties(online.small_internet PROPERTIES SKIP_RETURN_CODE 77
                     LABELS "online;release_only" TIMEOUT 120 RESOURCE_LOCK small_internet)
# Matches by room code through the lobby across home routers of every kind, in the small internet.
if(TARGET astorine-lobby)
  add_test(NAME online.lobby_internet
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/lobby-internet-test.sh $<TARGET_FILE:astorine-headless>
            $<TARGET_FILE:astorine-lobby> ${CMAKE_BINARY_DIR}/online-output/lobby-internet)
  set_tests_properties(online.lobby_internet PROPERTIES SKIP_RETURN_CODE 77
                       LABELS "online;release_only" TIMEOUT 300 RESOURCE_LOCK small_internet)
endif()
