# The fuzz targets replayed as ordinary tests of this build (gcc; ASan + UBSan in the sanitizer
# build): every seed of corpus/<target> and every input that once broke a reader, kept in
# regressions/<target>. The fuzzers themselves are built by scripts/fuzz.sh.
foreach(target wave bitmap state controls settings replay packet lobby_messages)
  add_executable(fuzz-replay-${target} ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzz.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/replay_main.cpp)
  target_link_libraries(fuzz-replay-${target} PRIVATE astorine_core)
  add_test(NAME fuzz.${target}
           COMMAND fuzz-replay-${target} ${CMAKE_CURRENT_LIST_DIR}/corpus/${target}
                   ${CMAKE_CURRENT_LIST_DIR}/regressions/${target})
  set_tests_properties(fuzz.${target} PROPERTIES
    ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy" LABELS fuzz)
endforeach()
# The lobby's library before the core library, which holds the wire format it calls.
target_link_libraries(fuzz-replay-lobby_messages PRIVATE astorine_lobby astorine_core)
