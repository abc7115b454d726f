# Run by ctest after the discovered GoogleTest cases of a folder are added:
# the cases that measure real time run alone (RUN_SERIAL), so that another test
# busy on the second core cannot make a tick, a wait or a recording late.
# gtest_discover_tests leaves each program's case names in <program>_TESTS.
set(velmora_timing_tests
  "^TickTimer"              # the tick timer's grid, timeouts and overruns
  "^QtTickDispatcher\\."    # the same through Qt's event loop
  "^EventQueueDispatcher\\."
  "^PlayTest\\."            # live play against the clock, signals after a wait
  "^PlayFailureTest\\."     # "nothing was played" within a time, signals after a wait
  "^ListeningTest\\."       # recording what JACK and PulseAudio play
  "^OutputSoundTest\\.")    # the window's test scale, played in real time
get_cmake_property(velmora_variables VARIABLES)
foreach(velmora_list IN LISTS velmora_variables)
  if(NOT velmora_list MATCHES "^test_.*_TESTS$")
    continue()
  endif()
  foreach(velmora_test IN LISTS ${velmora_list})
    foreach(velmora_pattern IN LISTS velmora_timing_tests)
      if(velmora_test MATCHES "${velmora_pattern}")
        set_tests_properties("${velmora_test}" PROPERTIES RUN_SERIAL TRUE)
        break()
      endif()
    endforeach()
  endforeach()
endforeach()
