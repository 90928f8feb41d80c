#pragma once
// The design of the six pattern table files that come with the program, and the
// generator that writes them.
//
// The numbers live in pattern_table_design.cpp, one readable row per class, per
// adjusted code and per class pair, each with its reasoning. `vorlix-cli tables DIR`
// writes the files from them; the generated files are committed in data/ and a test
// checks that they match this design.

#include <string>
#include <utility>
#include <vector>

namespace vorlix {

// (file name, file text) for M1Ertek.dat, M1Sajat.dat, M1Ellen.dat, M1Vegyes.dat,
// E1Ertek.dat, E1Sajat.dat.
std::vector<std::pair<std::string, std::string>> PatternTableFiles();

// Writes the six files into `folder` (with or without trailing "/"). False with the
// reason in `error` when a file cannot be written.
bool WritePatternTables(const std::string& folder, std::string* error);

} // namespace vorlix
