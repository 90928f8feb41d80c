#pragma once
// Writers of the game record: the binary game file and the game text file.
//
// Both create the file anew through a temporary and a rename, so an existing file is
// either replaced whole or left untouched. On failure they show an error box
// ("File open error !" when the file cannot be created) and return false.

#include <string>

namespace vorlix {

// Byte 0: MoveCount; then one byte per move, 15 * Y + X - 1.
std::string GameBinaryContent();
bool SaveGameBinary(const std::string& fileName);

// "Black: ...", "White: ...", the date and time, "Colour changed." when the colours
// were exchanged, then one line per move; lines end in CR LF.
//
// Sets the program's short date format to "yyyy.mm.dd hh:mm", which stays in force
// for every later short date text.
std::string GameTextContent();
bool SaveGameText(const std::string& fileName);

// One move line: number in 3, ". ", the point text, score in 9 with 3 decimals,
// alternatives in 4 (21 characters, no line break).
std::string MoveLine(int moveNo);

// The engines' game dump: the game text file "hiba.txt" in the program folder (the
// user's data folder for an installed program, see platform::UserFolder), written
// before the serious internal errors so the position can be replayed.
bool WriteGameDump();
std::string GameDumpFile();

} // namespace vorlix
