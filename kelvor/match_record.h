#pragma once
// The record of a match kept in a text file, so that a stopped match goes on where it
// stopped: a header line naming the match, then one line per finished game,
//
//     kelvor match: variant renju, size 15, levels 10 and 8, seed 1, time 60, book no
//     game 0 won: H8 H9 G7 J10 ...
//     game 1 draw: H8 J9 ...
//
// with the outcome from the first level's side (won, lost, draw) and the game's moves
// from the first, so that a game can be looked at again. The number of games is not
// part of the header: a record of 100 games goes on into a match of 200.

#include "kelvor/match.h"

#include <map>
#include <string>

namespace kelvor {

// The header line of the match, without its line end. Two matches with the same header
// play the same games.
std::string MatchRecordHeader(const MatchOptions& options);

// The line of one finished game, with its line end.
std::string MatchRecordLine(const FinishedGame& game);

// Reads a record into `played` (game number -> GameOutcome). A last line without its
// line end was cut while it was written and is left out; `valid` receives the text
// the record holds without it. False with a reason in `error` when the record is
// another match's (its header differs), or a line is not a game line (its moves cells
// of the match's board), or a game is there twice. Lines without moves are read too.
bool ReadMatchRecord(const std::string& text, const MatchOptions& options,
                     std::map<int, int>& played, std::string& valid, std::string& error);

} // namespace kelvor
