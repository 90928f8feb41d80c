# Runs vorlix-cli and compares its output with what it must print.
function(expect_output expected)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  string(STRIP "${out}" out)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "vorlix-cli ${ARGN}: got '${out}' (exit ${rc}), expected '${expected}'")
  endif()
endfunction()
function(expect_usage_error)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE rc)
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "vorlix-cli ${ARGN}: exit ${rc}, expected 2")
  endif()
endfunction()

expect_output("class 2 code 2" classify ...1x11.. 1)
expect_output("class 8 code 113" classify ....x.... 2)
expect_output("class 9 code 114" classify "...#x...." 1)
expect_output("class 2 code 3" classify 111.x.111 1)
expect_output("threat 21 keys -3 - - ref -" threat ..11x12.... 1)
expect_output("threat 85 keys +4 +1 -1 ref +3" threat ....x.11.1. 1)
expect_output("threat 0 keys - - - ref -" threat ....x...... 1)
expect_usage_error(classify ....x... 1)
expect_usage_error(classify ....x.... 3)
expect_usage_error(threat ....x....z. 1)
expect_usage_error(nosuchcommand)

# Players from the sample library.
expect_output("move H8" think --player players:Eager --moves -)
expect_output("move G7" think --player players:Eager --moves H8)
expect_usage_error(think --player players:Eager --moves H8,Z9)
expect_usage_error(think --player players:Eager --moves H8,H8)
expect_usage_error(match --first players:Eager --second players:Random)
expect_usage_error(match --first players:Eager --second players:Random --games 0)
execute_process(COMMAND ${CLI} think --player players:Nobody --moves H8 OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "think with an unknown player: exit ${rc}, expected 1")
endif()

# A short match: the summary lines in their form, and the same seed gives the same score.
function(run_match out)
  execute_process(COMMAND ${CLI} match --first players:Eager --second players:Random --games 4 --seed 7 ${ARGN}
    OUTPUT_VARIABLE o ERROR_QUIET RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "vorlix-cli match: exit ${rc}: ${o}")
  endif()
  set(${out} "${o}" PARENT_SCOPE)
endfunction()
run_match(m1)
run_match(m2 --jobs 2)
foreach(pattern
    "Score of players:Eager vs players:Random: [0-9]+ - [0-9]+ - [0-9]+  \\[[01]\\.[0-9][0-9][0-9]\\] 4\n"
    "Elo difference: [-0-9.inf]+ \\+/- [-0-9.naif]+"
    "players:Eager: mean [0-9.]+ [mu]?s, max [0-9.]+ [mu]?s per move \\([0-9]+ moves\\)")
  if(NOT m1 MATCHES "${pattern}")
    message(FATAL_ERROR "vorlix-cli match printed:\n${m1}\nwhich lacks ${pattern}")
  endif()
endforeach()
string(REGEX MATCH "Score of[^\n]*" s1 "${m1}")
string(REGEX MATCH "Score of[^\n]*" s2 "${m2}")
if(NOT s1 STREQUAL s2)
  message(FATAL_ERROR "the same seed gave '${s1}' and '${s2}'")
endif()

# vct: a four-three for black (H8), the same position without the three (no win), a
# chain of fours found only from depth 2, and malformed positions.
expect_output("to move: black\nwin: H8\nline: H8\nnodes: 0\ndepth: 1"
  vct --moves E8,D8,F8,A1,G8,A15,H9,O1,H10,O15)
expect_output("to move: white\nwin: H8\nline: H8\nnodes: 0\ndepth: 1"
  vct --moves A1,E8,D8,F8,A15,G8,O1,H9,O15,H10,O14)
expect_output("to move: black\nwin: none\nnodes: 4\ndepth: 2" vct --moves E8,D8,F8,A1,G8,A15)
expect_output("to move: black\nwin: none\nnodes: 0\ndepth: 1"
  vct --moves E8,D8,F8,H6,G8,H12,H9,L15,H10,A1,I12,A15,J13,O1,K14,O15 --depth 1 --threes 0)
expect_output("to move: black\nwin: G10\nline: G10 I8\nnodes: 2\ndepth: 2"
  vct --moves E8,D8,F8,H6,G8,H12,H9,L15,H10,A1,I12,A15,J13,O1,K14,O15 --threes 0)
expect_output("to move: black\nwin: none\nnodes: 0\ndepth: 0" vct --moves -)
expect_usage_error(vct --moves H8,H8)
expect_usage_error(vct --moves H8,P8)
expect_usage_error(vct --moves H8,)
expect_usage_error(vct --moves H8 --depth 0)
expect_usage_error(vct --nodes x)

# The opening book: a bad book is refused naming the record; a small book is built,
# listed, and used by matches that start from book openings or the colour-change opening.
execute_process(COMMAND ${CLI} book --show ${SRC}/fuzz/corpus/book/cell-226.dat
  OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "record 1: stone 3 has the cell index 226")
  message(FATAL_ERROR "book --show of a bad book: exit ${rc}: ${err}")
endif()
execute_process(COMMAND ${CLI} book --first players:Eager --second players:Eager --openings 4
  --games 2 --seed 1 --out ${TMP}/kezd-test.dat OUTPUT_VARIABLE o ERROR_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT o MATCHES "^records 4, games 8 \\(0 without a result\\)")
  message(FATAL_ERROR "book: exit ${rc}: ${o}")
endif()
execute_process(COMMAND ${CLI} book --show ${TMP}/kezd-test.dat OUTPUT_VARIABLE o RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT o MATCHES "    1  [A-O][0-9]+ +[A-O][0-9]+ .* score +[0-9]+ games 2\n.*records 4,")
  message(FATAL_ERROR "book --show: exit ${rc}: ${o}")
endif()
foreach(opening "--openings;book" "--colour-change")
  execute_process(COMMAND ${CLI} match --first players:Eager --second players:Neighbour --games 2
    --seed 3 ${opening} --book ${TMP}/kezd-test.dat OUTPUT_VARIABLE o ERROR_QUIET RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT o MATCHES "Score of players:Eager vs players:Neighbour: [0-9]+ - [0-9]+ - [0-9]+  \\[[01]\\.[0-9]+\\] 2")
    message(FATAL_ERROR "match ${opening}: exit ${rc}: ${o}")
  endif()
endforeach()
expect_usage_error(match --first players:Eager --second players:Random --games 2 --colour-change --openings book)
expect_usage_error(match --first players:Eager --second players:Random --games 2 --openings random)
expect_usage_error(book --first players:Eager --second players:Eager --openings 0 --games 2 --out x)

# bench: the same seed gives the same signature; bad level ranges are usage errors.
function(run_bench out)
  execute_process(COMMAND ${CLI} bench --levels 0-2 --seed 3 OUTPUT_VARIABLE o ERROR_QUIET RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT o MATCHES "Level 2  Zelta +20 " OR NOT o MATCHES "Bench signature: [0-9]+")
    message(FATAL_ERROR "vorlix-cli bench: exit ${rc}:\n${o}")
  endif()
  string(REGEX MATCH "Bench signature: [0-9]+" sig "${o}")
  set(${out} "${sig}" PARENT_SCOPE)
endfunction()
run_bench(b1)
run_bench(b2)
if(NOT b1 STREQUAL b2)
  message(FATAL_ERROR "bench signatures differ for one seed: ${b1} / ${b2}")
endif()
expect_usage_error(bench --levels 5-3)
expect_usage_error(bench --levels 10)
expect_usage_error(bench --seed x)

# A short soak: every computer player built in and the sample players (21), each once
# with black and once with white for a few moves
# from random positions, every move checked.
execute_process(COMMAND ${CLI} soak --games 22 --max-moves 4 --seed 5 OUTPUT_VARIABLE o ERROR_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT o MATCHES "games 22, moves [0-9]+, fives [0-9]+, failures 0")
  message(FATAL_ERROR "vorlix-cli soak: exit ${rc}:\n${o}")
endif()
expect_usage_error(soak)
expect_usage_error(soak --games 0)

# A tournament-protocol engine as an opponent: pbrain-vorlix at Level 2 through gomocup.so
# and the gomocup.txt of the build, whole games without an error.
execute_process(COMMAND ${CLI} match --first Zelta --second gomocup:Level2 --games 2 --seed 1
  OUTPUT_VARIABLE o ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR o MATCHES "loses by error|no result"
   OR NOT o MATCHES "Score of Zelta vs gomocup:Level2: [0-9]+ - [0-9]+ - [0-9]+  \\[[01]\\.[0-9]+\\] 2\n")
  message(FATAL_ERROR "match through gomocup.so: exit ${rc}: ${o}${err}")
endif()

# ladder: one tiny pair, its table line, and the plot beside the markdown file.
file(REMOVE_RECURSE ${TMP}/ladder)
execute_process(COMMAND ${CLI} ladder --pairs Random --games 4 --seed 3 --out ${TMP}/ladder/strength.md
  OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT o MATCHES "Neighbour vs Random: [0-9] - [0-9] - [0-9]  Elo ")
  message(FATAL_ERROR "vorlix-cli ladder: exit ${rc}: ${o}${e}")
endif()
file(READ ${TMP}/ladder/strength.md md)
foreach(pattern
    "\\| Neighbour vs Random \\| 4 \\| [0-9]-[0-9]-[0-9] \\| [01]\\.[0-9][0-9][0-9] \\| [^|]+ \\| \\+200 \\| [*a-z]+ \\| [^|]+ \\|"
    "fall short of the target"
    "\\| Level 0 \\| 360 \\| 360 \\|"
    "!\\[Measured against promised strength\\]\\(strength.svg\\)")
  if(NOT md MATCHES "${pattern}")
    message(FATAL_ERROR "strength.md:\n${md}\nlacks ${pattern}")
  endif()
endforeach()
file(READ ${TMP}/ladder/strength.svg svg)
if(NOT svg MATCHES "^<\\?xml" OR NOT svg MATCHES "Measured against promised strength" OR NOT svg MATCHES "</svg>\n$")
  message(FATAL_ERROR "ladder plot: not the SVG plot:\n${svg}")
endif()
# --replot draws the plot again from the report alone, playing nothing.
file(REMOVE ${TMP}/ladder/strength.svg)
execute_process(COMMAND ${CLI} ladder --replot --out ${TMP}/ladder/strength.md
  OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE rc)
file(READ ${TMP}/ladder/strength.svg again)
if(NOT rc EQUAL 0 OR NOT again MATCHES "^<\\?xml.*</svg>\n$")
  message(FATAL_ERROR "vorlix-cli ladder --replot: exit ${rc}: ${o}${e}")
endif()
expect_usage_error(ladder --replot --games 4)
expect_usage_error(ladder --pairs Nobody)
expect_usage_error(ladder --pairs 9)
expect_usage_error(ladder --games 0)

# tune: one iteration writes its log, the tuned numbers and tables.
file(REMOVE_RECURSE ${TMP}/tune)
execute_process(COMMAND ${CLI} tune --iterations 1 --games 2 --seed 5 --out ${TMP}/tune
  OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT o MATCHES "iteration 1: plus [0-9] - [0-9] - [0-9] against minus")
  message(FATAL_ERROR "vorlix-cli tune: exit ${rc}: ${o}${e}")
endif()
file(READ ${TMP}/tune/tune.log log)
if(NOT log MATCHES "# start - - - - - - - 6000 260 " OR NOT log MATCHES "\n1 0\\.2000 0\\.2000 [-+]+ [0-9] [0-9] [0-9] [01]\\.[0-9]+ [0-9]+")
  message(FATAL_ERROR "tune.log:\n${log}")
endif()
foreach(f tuned-design.txt tuned/M1Ertek.dat tuned/E1Sajat.dat)
  if(NOT EXISTS ${TMP}/tune/${f})
    message(FATAL_ERROR "vorlix-cli tune wrote no ${f}")
  endif()
endforeach()
expect_usage_error(tune --iterations 0)
execute_process(COMMAND ${CLI} tune --confirm ${TMP}/no-such-folder --games 2
  OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "tune --confirm with a missing folder: exit ${rc}, expected 1")
endif()
