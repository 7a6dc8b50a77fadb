# The fuzz targets replayed as ordinary tests of this build (gcc; ASan + UBSan in the sanitizer
# build): every seed of corpus/<target> and every input that once broke a reader, kept in
# regressions/<target>. The fuzzers themselves are built by scripts/fuzz.sh.
foreach(target wave bitmap state controls settings replay packet)
  add_executable(fuzz-replay-${target} ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzz.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/replay_main.cpp)
  target_link_libraries(fuzz-replay-${target} PRIVATE astorine_core)
  add_test(NAME fuzz.${target}
           COMMAND fuzz-replay-${target} ${CMAKE_CURRENT_LIST_DIR}/corpus/${target}
                   ${CMAKE_CURRENT_LIST_DIR}/regressions/${target})
  set_tests_properties(fuzz.${target} PROPERTIES
    ENVIRONMENT "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=dummy" LABELS fuzz)
endforeach()
