# vorlix-cli against hostile player libraries (built beside this test, see CMakeLists.txt).
# LIBS is the folder of the libraries relative to the players folder.

# match: each game with a hostile library is lost by it with a message naming the library,
# the match plays every game and prints its summary.
foreach(case "crash_move;crashed in Move" "loop_move;did not answer in Move within 1 s"
             "exit_move;ended the program in Move \\(exit status 0\\)"
             "throw_move;threw an exception in Move: the hostile library gives up")
  list(GET case 0 lib)
  list(GET case 1 want)
  # A short time-out only for the library that hangs: a crash report may take long.
  if(lib STREQUAL "loop_move")
    set(ENV{VORLIX_PLAYER_TIMEOUT_MS} 1000)
  else()
    unset(ENV{VORLIX_PLAYER_TIMEOUT_MS})
  endif()
  execute_process(COMMAND ${CLI} match --first ${LIBS}/hostile_${lib}:Hostile
                  --second ${LIBS}/sound:Hostile --games 2 --seed 1
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "match with hostile_${lib}: exit ${rc}\n${out}\n${err}")
  endif()
  string(REGEX MATCHALL "loses by error: The player library hostile_${lib}.so ${want}" lost "${out}")
  list(LENGTH lost n)
  if(NOT n EQUAL 2 OR NOT out MATCHES "Score of [^\n]+: 0 - 2 - 0")
    message(FATAL_ERROR "match with hostile_${lib}: expected two games lost by it\n${out}")
  endif()
endforeach()

unset(ENV{VORLIX_PLAYER_TIMEOUT_MS})

# think: exit status 1 with the message for a library that crashes, throws or exits.
foreach(case "crash_move;crashed in Move" "exit_move;ended the program in Move"
             "throw_move;threw an exception in Move")
  list(GET case 0 lib)
  list(GET case 1 want)
  execute_process(COMMAND ${CLI} think --player ${LIBS}/hostile_${lib}:Hostile --moves H8
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
  if(NOT rc EQUAL 1 OR NOT err MATCHES "hostile_${lib}.so ${want}" OR NOT out STREQUAL "")
    message(FATAL_ERROR "think with hostile_${lib}: exit ${rc}\nout: ${out}\nerr: ${err}")
  endif()
endforeach()

# A library that crashes while loading: no player, a message naming it, exit 1.
execute_process(COMMAND ${CLI} think --player ${LIBS}/hostile_crash_load:Hostile --moves H8
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 1 OR NOT err MATCHES "hostile_crash_load.so crashed while loading")
  message(FATAL_ERROR "think with hostile_crash_load: exit ${rc}\nerr: ${err}")
endif()

# The sound library beside them plays.
execute_process(COMMAND ${CLI} think --player ${LIBS}/sound:Hostile --moves H8
                OUTPUT_VARIABLE out RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0 OR NOT out MATCHES "move A1")
  message(FATAL_ERROR "think with the sound library: exit ${rc}: ${out}")
endif()
