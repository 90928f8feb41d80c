#pragma once
// CKelvorDoc: one renju or gomoku game with its settings, rules, files and opening
// book. No window code: the shell drives it, and runs Think on a worker thread with
// a stop flag and the progress hook.

#include "kelvor/board.h"
#include "kelvor/engine.h"
#include "kelvor/opening_book.h"
#include "kelvor/pattern_tables.h"
#include "kelvor/thinking_thread.h"

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kelvor {

constexpr int kGameOver = 4;
// Shown when a move, a computation or a file needs the tables and they were not read.
constexpr const char* kNoTablesText = "Kelvor cannot play without renju.tbl and renju.scs";

class CKelvorDoc {
  public:
    // Loads "renju.tbl" and "renju.scs" from `folder` ("" is the working folder, else
    // with a trailing "/"); the opening books are read from there too. `seed` makes
    // the engine's random choices repeatable.
    explicit CKelvorDoc(std::string folder = "", std::optional<uint32_t> seed = {});
    // Stops a running computation and waits for it before the tables go.
    ~CKelvorDoc();
    CKelvorDoc(const CKelvorDoc&) = delete;
    CKelvorDoc& operator=(const CKelvorDoc&) = delete;

    // --- game state ---
    int Variant = 1; // 0 renju, 1 gomoku
    // Gomoku with exactly five: an overline does not win (see CKelvorEngine).
    bool ExactFive = false;
    int BoardSize = 15;
    int Centre = 7;
    BoardGrid Board{};
    int MoveNo = 1;
    std::vector<int> Record; // cell indexes X + Y x N in playing order
    int ToMove = kBlack;
    std::array<int, 2> PlayerLevel = {0, 0}; // [0] black, [1] white: 0 human, 1..12
    bool TournamentOpening = false;
    bool OpeningBook = true;
    bool VctSearch = false;
    int HiBreadth = 1;
    int HiExtent = 0;
    int GameState = 0;
    int Winner = 0;                           // the colour that made five, 0 while none did
    std::array<int, 2> ThinkingTime = {0, 0}; // seconds, black and white
    std::array<std::array<int, kMaxSize>, kMaxSize> MoveAt{}; // move number of each stone
    // The fifth-move cells offered in the renju tournament opening (cell indexes).
    //
    // When black is human, its clicks at move 5 are offers, not stones: two cells, the
    // second neither the first nor an image of it under a symmetry of the four stones
    // ("Symmetry"). Then white chooses: a computer white takes the offer worth less to
    // black and plays it as black's fifth move; a human white clicks one of the two. A
    // computer black plays its fifth move without offers.
    std::vector<int> FifthOffers;
    bool CollectingOffer = false;

    // False when "renju.tbl" or "renju.scs" could not be read (or are not sound): then
    // HumanMove and OpenGame show kNoTablesText and refuse, and Think finds no move.
    bool TablesLoaded() const { return tablesLoaded_; }
    // Why they were not: "cannot read renju.tbl", "renju.scs is not valid: its records
    // cannot score a five", ...; empty when they were loaded.
    const std::string& TablesProblem() const { return tablesProblem_; }

    // Clears the board and the record; settings and players stay.
    void NewGame();
    // Sets the board size (13..19, odd) and the centre, clearing the game.
    void SetBoardSize(int n);

    // Applies a move of ToMove at the free cell (x, y): record, candidates, five and
    // draw detection ("Player 1 won", "Player 2 won", "Draw!"), the opening book.
    void MakeMove(int x, int y);
    // The rules for a human click; shows "Not Your Turn", "Game Over" or "Illegal"
    // and returns false when the move is refused (nothing changes then).
    bool HumanMove(int x, int y);
    // Black's fifth move is being offered (renju, tournament opening, fewer than two
    // offers so far).
    bool OfferingFifth() const;
    // The cell `b` is `a` or its image under a symmetry of the stones on the board.
    bool SymmetricCells(int a, int b) const;
    // Renju legality of a black move at the free cell (x, y).
    bool IsLegal(int x, int y);
    bool IsComputerTurn() const { return PlayerLevel[ToMove - 1] > 0; }
    // The player whose click the game waits for: white while it chooses between the two
    // fifth-move offers (the stone is black's), otherwise ToMove.
    int PlayerToAct() const;

    // Runs the engine on a copy of the position; safe to call from a worker thread
    // while the user-interface thread leaves the position alone. Posts progress
    // through OnProgress (the view's message 103).
    ThinkResult Think(const std::atomic<bool>* stop = nullptr);
    // Think and MakeMove; false when there was no move.
    bool ComputerMove(const std::atomic<bool>* stop = nullptr);

    // The swap decision after the third stone of a tournament opening. A computer
    // swaps by its book line ("I swap"); a human is asked "Do you swap?", through
    // AskSwap when it is set (the window's swap dialog).
    void OfferSwap();
    std::function<bool()> AskSwap;
    // Runs before every message box and question of a game (a five, "Draw!", "I swap",
    // "Can't open opening file", "Illegal", ...), so that the window can draw the
    // position, the move just made included, before the box covers it.
    std::function<void()> BeforeMessage;

    // --- the computer thinking on the document's worker thread ---
    // Stops a computation still running, marks the document as thinking and runs Think
    // for the side to move on the worker thread; `onEnd` runs on that thread when
    // Think returns. The position must not change until FinishThinking or
    // StopThinking (the user-interface thread still reads it).
    void StartThinking(std::function<void()> onEnd);
    // Waits for the computation (after its onEnd) and returns its result. An exception
    // from the engine gives a result without a move and its text in ThinkError.
    ThinkResult FinishThinking();
    const std::string& ThinkError() const { return thinkError_; }
    // Raises the stop flag and waits for the computation; its result is dropped.
    void StopThinking();
    bool Thinking() const { return thinking_; }

    // --- stepping through the game ---
    // The whole game: Record and, after stepping back, the moves ahead of the shown
    // position. A move made at the shown position drops the moves ahead.
    const std::vector<int>& Line() const { return line_; }
    // Shows the position after the first `count` moves of Line (clamped), replayed
    // quietly: no messages, no opening book, no swap offer; the clocks stay.
    void StepTo(int count);

    // Progress of the running Think: percent, root cell, elapsed seconds.
    std::atomic<int> Progress{0};
    std::atomic<int> ProgressCell{-1};
    std::atomic<int> ElapsedSeconds{0};
    std::function<void()> OnProgress;
    // Seconds a computer move may take (0: only the search's own time control, which
    // stops a move after 60 s from move 100 on). The window's "Stop A Move After 60 s".
    static constexpr int kMoveLimitSeconds = 60;
    int MaxSeconds = kMoveLimitSeconds;

    // --- files ---
    // Writes the whole game (Line) as a .kgf file (atomically); false when it cannot be
    // written.
    bool SaveGame(const std::string& path) const;
    // Reads a .kgf file and replays it. An invalid file shows "Not a valid kgf file"
    // and leaves an empty game of the current variant and size; so does a FIFO, a
    // device or a file larger than kMaxGameFileBytes, which are never read (the box
    // says why on a second line).
    bool OpenGame(const std::string& path);
    // Far above the largest game (3 + 361 values of 2 bytes).
    static constexpr size_t kMaxGameFileBytes = 65536;

    // --- opening book ---
    const OpeningBookFile& Book() const { return book_; }
    int BookLine() const { return bookLine_; }
    int BookSymmetry() const { return bookSymmetry_; }
    // Loads the book file for the current situation (at the first move, and at the
    // fifth in renju with the tournament opening).
    void LoadOpeningBook();
    // Matches the game against the book after a move and chooses the line.
    void UseOpeningBook();
    // The next book move, if the current line has one.
    std::optional<std::pair<int, int>> BookMove() const;

    CKelvorEngine& Engine() { return *engine_; }
    const PatternTables& Tables() const { return tables_; }
    std::string Folder() const { return folder_; }

  private:
    void CopyToEngine(CKelvorEngine& e) const;
    bool OpeningRuleAllows(int x, int y) const;
    bool OfferFifth(int x, int y);
    void ChooseFifth();
    void Say(const std::string& text);

    std::string folder_;
    PatternTables tables_;
    bool tablesLoaded_ = false;
    std::string tablesProblem_;
    std::unique_ptr<CKelvorEngine> engine_;
    std::chrono::steady_clock::time_point requested_;
    OpeningBookFile book_;
    // The book of this game: switched off when no line matches or the line is used
    // up, without touching the OpeningBook setting.
    bool bookActive_ = false;
    int bookLine_ = -1;
    int bookSymmetry_ = 0;
    int bookOffset_[2] = {0, 0};
    std::mt19937 rng_;
    std::vector<int> line_;
    bool quiet_ = false; // replaying: no messages, book, swap or clocks
    std::atomic<bool> thinking_{false};
    ThinkResult result_;
    std::string thinkError_;
    // Last: destroyed first, so the worker is joined while the tables still exist.
    ThinkingThread thread_;
};

} // namespace kelvor
