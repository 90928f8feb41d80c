# Runs kelvor-cli and compares its output with what it must print.
function(expect_output expected)
  execute_process(COMMAND ${CLI} ${ARGN} --data ${DATA} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  string(STRIP "${out}" out)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^${expected}$")
    message(FATAL_ERROR "kelvor-cli ${ARGN}: got '${out}' (exit ${rc}), expected '${expected}'")
  endif()
endfunction()
function(expect_usage_error)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE rc)
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "kelvor-cli ${ARGN}: exit ${rc}, expected 2")
  endif()
endfunction()

expect_output("none" forbidden --size 15 --moves H8 H9)
expect_output("H8" forbidden --size 15 --moves F8 A1 G8 A2 H6 A3 H7 A4)
expect_output("D8 H8" forbidden --size 15 --moves E8,A1,F8,A3,G8,A5,J8,A7,K8,A9,D5,B1,D6,B3,D7,B5)
expect_output("N13" forbidden --size 13 --moves K13 A1 L13 A2 M13 A3 N10 A4 N11 A5 N12 A6)
expect_output("move (G8|M8) value 30000" think --variant gomoku --size 15 --level 3 --moves H8 A1 J8 A2 K8 A3 L8 A4)
expect_output("move [A-HJ-P][0-9]+ value -?[0-9]+" think --variant renju --size 15 --level 2 --moves H8 H9)
expect_output("Score of level 2 vs level 1: [0-9] - [0-9] - [0-9]  \\[[01]\\.[0-9][0-9][0-9]\\] 2\nElo difference: [-0-9.inf]+ \\+/- [0-9.na]+, LOS: [0-9.]+ %, DrawRatio: [0-9.]+ %\nPtnml\\(0-2\\): \\[[01], [01], [01], [01], [01]\\], pair Elo: [-0-9.inf]+ \\+/- [0-9.na]+"
  match --black 2 --white 1 --variant gomoku --games 2 --jobs 2)
# A match without its tables ends with the reason, not in the middle of a game.
execute_process(COMMAND ${CLI} match --games 2 --data ${CMAKE_CURRENT_LIST_DIR}/no-such-folder
  OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "cannot read renju.tbl")
  message(FATAL_ERROR "kelvor-cli match without tables: exit ${rc}, '${err}'")
endif()
# A match with a record goes on where it stopped: the second command plays only games 2
# and 3 and prints all four; another match's record is refused.
file(REMOVE ${TMP}/match.rec)
expect_output("Score of level 2 vs level 1: [0-9] - [0-9] - [0-9]  \\[[01]\\.[0-9]+\\] 2\n.*"
  match --black 2 --white 1 --variant gomoku --size 13 --games 2 --record ${TMP}/match.rec)
file(READ ${TMP}/match.rec first)
expect_output("Score of level 2 vs level 1: [0-9] - [0-9] - [0-9]  \\[[01]\\.[0-9]+\\] 4\n.*"
  match --black 2 --white 1 --variant gomoku --size 13 --games 4 --jobs 2 --record ${TMP}/match.rec)
file(READ ${TMP}/match.rec both)
string(REGEX MATCHALL "game [0-9]+ " games "${both}")
string(FIND "${both}" "${first}" at)
list(LENGTH games count)
if(NOT at EQUAL 0 OR NOT count EQUAL 4 OR NOT both MATCHES "game 2 .*game 3 |game 3 .*game 2 ")
  message(FATAL_ERROR "kelvor-cli match --record: '${first}' then '${both}'")
endif()
execute_process(COMMAND ${CLI} match --black 3 --white 1 --variant gomoku --size 13 --games 4
  --record ${TMP}/match.rec --data ${DATA} OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "record is of another match")
  message(FATAL_ERROR "kelvor-cli match with another match's record: exit ${rc}, '${err}'")
endif()
expect_output(".*level  2 .*\nNodes searched : [0-9]+\nTime           : [0-9.]+ s\nNodes/second   : [0-9]+\nSignature      : [0-9a-f]+" bench --levels 2)
# The search's behaviour, pinned: a change that only makes the search faster keeps this
# signature of every move, value and node count; a change of behaviour must update it and
# say why.
expect_output(".*\nSignature      : fb8874e2" bench --levels 2,4,6)
expect_usage_error(bench --levels 13)
# Values that are not whole numbers in range are refused with a message naming the option.
function(expect_refused option)
  execute_process(COMMAND ${CLI} ${ARGN} --data ${DATA} OUTPUT_QUIET ERROR_VARIABLE err
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 2 OR NOT err MATCHES "--${option} must be a whole number")
    message(FATAL_ERROR "kelvor-cli ${ARGN}: exit ${rc}, '${err}'")
  endif()
endfunction()
expect_refused(time think --time abc --moves H8)
expect_refused(time think --time -1 --moves H8)
expect_refused(seed think --seed abc --moves H8)
expect_refused(seed think --seed 99999999999 --moves H8)
expect_refused(time match --games 2 --time 1.5)
expect_refused(jobs match --games 2 --jobs 100000)
expect_refused(seed soak --games 2 --seed -3)
# An option the command does not have is refused by name, not ignored.
foreach(args "think --moves H8 --jobs 2" "match --games 2 --level 3" "forbidden --moves H8 --vct"
        "soak --games 1 --book" "bench --levels 1 --time 2" "think --moves H8 --dat x")
  separate_arguments(args)
  execute_process(COMMAND ${CLI} ${args} OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 2 OR NOT err MATCHES "unknown option --")
    message(FATAL_ERROR "kelvor-cli ${args}: exit ${rc}, '${err}'")
  endif()
endforeach()
# Tables that cannot score a five (an all-zero renju.scs) are invalid, not unreadable.
file(MAKE_DIRECTORY ${TMP}/zero-scs)
file(COPY ${DATA}/renju.tbl DESTINATION ${TMP}/zero-scs)
execute_process(COMMAND head -c 25536 /dev/zero OUTPUT_FILE ${TMP}/zero-scs/renju.scs)
foreach(command "think;--moves;H8" "forbidden" "match;--games;2")
  execute_process(COMMAND ${CLI} ${command} --data ${TMP}/zero-scs OUTPUT_QUIET
    ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 1 OR NOT err MATCHES "renju.scs is not valid: its records cannot score a five")
    message(FATAL_ERROR "kelvor-cli ${command} with an all-zero renju.scs: exit ${rc}, '${err}'")
  endif()
endforeach()
expect_usage_error(forbidden --size 14)
expect_usage_error(think --variant chess)
expect_usage_error(think --level 13)
expect_usage_error(match --games 0)
expect_usage_error(nosuchcommand)

# A short soak: both variants, several board sizes, every move checked.
expect_output("games 8, moves [0-9]+, won [0-8], median move [0-9.]+ s, slowest move [0-9.]+ s, stopped by the time limit [0-9]+, failures 0"
  soak --games 8 --levels 1-4 --time 2 --max-moves 40 --seed 3)
expect_usage_error(soak --games 0)
expect_usage_error(soak --games 2 --levels 0-3)
expect_usage_error(soak --games 2 --levels 5-3)
