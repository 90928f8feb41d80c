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
expect_output(".*level  2 .*\nNodes searched : [0-9]+\nTime           : [0-9.]+ s\nNodes/second   : [0-9]+\nSignature      : [0-9a-f]+" bench --levels 2)
expect_usage_error(bench --levels 13)
expect_usage_error(forbidden --size 14)
expect_usage_error(think --variant chess)
expect_usage_error(think --level 13)
expect_usage_error(match --games 0)
expect_usage_error(nosuchcommand)

# A short soak: both variants, several board sizes, every move checked.
expect_output("games 8, moves [0-9]+, won [0-8], slowest move [0-9.]+ s, failures 0"
  soak --games 8 --levels 1-4 --time 2 --max-moves 40 --seed 3)
expect_usage_error(soak --games 0)
expect_usage_error(soak --games 2 --levels 0-3)
expect_usage_error(soak --games 2 --levels 5-3)
