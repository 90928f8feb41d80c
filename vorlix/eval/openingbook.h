#pragma once
// The opening book "kezd.dat": five-stone openings (black, white, black, white, black),
// each with black's result share and the number of games behind it.
//
// File layout: 8-byte records, no header, little-endian:
//   0  int16  score   black's result share x 10000 (0..10000, 5000 even)
//   2  int16  games   games behind the score, at least 1
//   4  uint8  first   high nibble stone 1 (black), low nibble stone 2 (white);
//                     a nibble v is the point (7 + v / 4, 7 + v % 4)
//   5  uint8  stone 3 (black), cell index 1..225
//   6  uint8  stone 4 (white)
//   7  uint8  stone 5 (black)
//
// The book serves the random opening (PlaceBookOpening), the completion of two offered
// stones by the internal players (FitOpening), the identification of the five stones on
// the board for the return match and the colour choice (FindBookRecord).
//
// Symmetries of the board are numbers 0..7: bit 1 mirrors X to 16 - X, bit 2 mirrors Y
// to 16 - Y, bit 4 then exchanges X and Y. ApplySymmetry does the mirrors first and the
// exchange last; InverseSymmetry undoes it exactly.

#include "vorlix/game/board.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

constexpr int kMaxBookRecords = 16150;
constexpr int kBookRecordSize = 8;

struct TBookRecord {
    std::int16_t Score = 5000;
    std::int16_t Games = 1;
    std::uint8_t First = 0; // stone 1 in the high nibble, stone 2 in the low nibble
    std::uint8_t Stone3 = 0, Stone4 = 0, Stone5 = 0;
};

TPont ApplySymmetry(TPont p, int s);
TPont InverseSymmetry(TPont p, int s);

// The nibble of a point in the 7..10 square, or -1 outside it.
int FirstStoneNibble(TPont p);

// Record <-> bytes of the file.
std::array<std::uint8_t, kBookRecordSize> EncodeRecord(const TBookRecord& r);
TBookRecord DecodeRecordBytes(const std::uint8_t* bytes);

// Whether the five stones on the board can be joined into one group (neighbours
// orthogonally or diagonally) by one more stone on an empty cell of the 5-by-5 square
// F6..J10. False unless exactly five stones stand on the board.
bool OpeningIsCompact();

class OpeningBook {
  public:
    // Reads the book from `path`. False, with `Error` naming the file and the record,
    // when the file cannot be read or is not a valid book; the book is then empty.
    // An empty file is a valid, empty book.
    bool LoadBook(const std::string& path);
    // As LoadBook, from the bytes of a file.
    bool LoadBookBytes(const std::vector<std::uint8_t>& bytes, const std::string& name);
    std::string Error;

    int Count() const { return static_cast<int>(records_.size()); }
    // Record n, 1..Count().
    const TBookRecord& Record(int n) const { return records_.at(static_cast<size_t>(n - 1)); }
    float Weight(int n) const { return weights_.at(static_cast<size_t>(n - 1)); }
    void Add(const TBookRecord& r); // for tools and tests; the record must be valid

    // The five cell indexes of record n, stones 1..5 (black, white, black, white, black).
    std::array<int, 5> DecodeRecord(int n) const;

    // A roulette choice over the records (RandomReal draws): LearningMode off prefers
    // even scores, (0.49 - |score/10000 - 0.5|)^2; on, the weight (2800 / games)^2.
    int ChooseRecord();
    double ChoiceShare(int n) const; // the unnormalised f(n) of the choice

    // The random opening: with ColourChange 1, five stones of a chosen record (or, with
    // an empty book, five stones near the centre) are entered with RecordMove.
    void PlaceBookOpening();

    // Completes the two offered stones (moves 1 and 2) to a book opening under one of
    // the eight symmetries, in up to 301 draws; the offered stones keep their places.
    // Without a fit: "Sorry, I can not fit an opening." and a random opening.
    void FitOpening();

    // The record of the five game stones (moves 1..5) under some symmetry (then stored
    // as Symmetry), or -1. Leaves exactly the five game stones on the board, MoveCount
    // 5 and white to move. -1, touching nothing, unless exactly five moves were made.
    int FindBookRecord();

    // Settings the book reads ("Colour change", "LearningMode").
    std::uint8_t ColourChange = 1;
    bool LearningMode = false;

    int LastChoice = 0;  // index of the last ChooseRecord
    int LastPlaced = -1; // record of the last PlaceBookOpening, -1 for none
    int Symmetry = 0;    // of the last fit or identification

  private:
    void PlaceRandomOpening();
    // Which record stones are black (1) and white (2), by cell: records matched often.
    bool Matches(int n, int s, const TPont* stones, const std::uint8_t* colours, int count) const;

    std::vector<TBookRecord> records_;
    std::vector<float> weights_;
};

// Validates one record; empty when it is sound, else what is wrong with it.
std::string CheckRecord(const TBookRecord& r);

// Connects the base player's opening steps (Opening()) to `book`.
void InstallOpeningBook(OpeningBook& book, bool randomOpening);

} // namespace vorlix
