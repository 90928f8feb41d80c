#pragma once
// Positions and data folders for the evaluation tests.

#include "vorlix/eval/pattern_tables.h"
#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace evaltest {

// Empties the model and plays `moves` ("H8,H7,...", black first); the side to move is
// the next colour.
inline void Play(const std::string& moves) {
    vorlix::ResetGameModel();
    std::stringstream in(moves);
    std::string item;
    std::uint8_t colour = vorlix::kBlack;
    while (std::getline(in, item, ',')) {
        vorlix::TPont p = vorlix::ParsePont(item);
        vorlix::RecordMove(p.X, p.Y, colour);
        colour = vorlix::Opponent(colour);
    }
    vorlix::ColourToMove = colour;
}

// Puts stones without a record: "H8 H9" black, then white, as two lists.
inline void Stones(const std::string& black, const std::string& white, std::uint8_t toMove) {
    vorlix::ResetGameModel();
    for (auto [list, colour] :
         {std::pair{black, vorlix::kBlack}, std::pair{white, vorlix::kWhite}}) {
        std::stringstream in(list);
        std::string item;
        while (in >> item) vorlix::Tabla[vorlix::CellIndex(vorlix::ParsePont(item))] = colour;
    }
    vorlix::ColourToMove = toMove;
}

inline int Cell(const char* text) {
    return vorlix::CellIndex(vorlix::ParsePont(text));
}

// The program folder's data folder of the build (the committed tables).
inline std::string BuiltDataFolder() {
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    return std::string(bin ? bin : ".") + "/data/";
}

class EvalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        vorlix::SetEngineDataFolder(BuiltDataFolder());
        vorlix::ResetGameModel();
    }
    void TearDown() override { vorlix::ResetGameModel(); }
};

} // namespace evaltest
