#include "kelvor/kelvor_doc.h"

#include "kelvor/game_file.h"
#include "kelvor/pattern_walk.h"
#include "kelvor/table_check.h"
#include "platform/atomic_file.h"
#include "platform/messages.h"
#include "platform/regular_file.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <stdexcept>

namespace kelvor {

namespace {
constexpr int kNoSwapLines[] = {19, 79, 91, 109, 114, 117, 124, 6, 49, 135, 137};
} // namespace

CKelvorDoc::CKelvorDoc(std::string folder, std::optional<uint32_t> seed)
    : folder_(std::move(folder)),
      rng_(seed ? *seed + 1 : static_cast<uint32_t>(std::time(nullptr))) {
    tablesLoaded_ = LoadPatternTables(folder_, tables_, &tablesProblem_);
    if (tablesLoaded_) tablesProblem_ = TableFault(tables_);
    if (tablesLoaded_ && !tablesProblem_.empty()) {
        platform::ShowMessage(platform::MessageKind::Error, tablesProblem_);
        tablesLoaded_ = false;
    }
    if (!tablesLoaded_) {
        // Nothing can be evaluated without the tables; the document refuses moves,
        // thinking and files (kNoTablesText). The stand-in automaton ends every walk at
        // once in the all-zero record 0, so that nothing reading it can loop.
        tables_ = PatternTables{};
        for (int k = 1; k < kStateValues; ++k) tables_.automaton[k] = kRecordBase;
    }
    engine_ = std::make_unique<CKelvorEngine>(&tables_, seed);
    NewGame();
}

CKelvorDoc::~CKelvorDoc() {
    StopThinking();
}

void CKelvorDoc::NewGame() {
    for (auto& row : Board) row.fill(kEmpty);
    for (auto& row : MoveAt) row.fill(0);
    Record.clear();
    line_.clear();
    FifthOffers.clear();
    CollectingOffer = false;
    MoveNo = 1;
    ToMove = kBlack;
    GameState = 0;
    Winner = 0;
    ThinkingTime = {0, 0};
    bookLine_ = -1;
    bookSymmetry_ = 0;
    bookOffset_[0] = bookOffset_[1] = 0;
    book_.lines.clear();
    bookActive_ = OpeningBook;
    requested_ = std::chrono::steady_clock::now();
}

void CKelvorDoc::SetBoardSize(int n) {
    BoardSize = std::clamp(n, 13, kMaxSize);
    Centre = BoardSize / 2;
    NewGame();
}

void CKelvorDoc::CopyToEngine(CKelvorEngine& e) const {
    e.Board = Board;
    e.BoardSize = BoardSize;
    e.Centre = Centre;
    e.Variant = Variant;
    e.ExactFive = ExactFive;
    e.TournamentOpening = TournamentOpening;
    e.VctSearch = VctSearch;
    e.HiBreadth = HiBreadth;
    e.HiExtent = HiExtent;
    e.ToMove = ToMove;
    e.MoveNo = MoveNo;
}

bool CKelvorDoc::IsLegal(int x, int y) {
    CopyToEngine(*engine_);
    return engine_->IsLegal(x, y);
}

void CKelvorDoc::MakeMove(int x, int y) {
    const int c = ToMove;
    auto now = std::chrono::steady_clock::now();
    if (!quiet_)
        ThinkingTime[c - 1] += static_cast<int>(
            std::chrono::duration_cast<std::chrono::seconds>(now - requested_).count());
    if (!CollectingOffer) {
        Record.push_back(x + y * BoardSize);
        if (!quiet_) line_ = Record;
    }
    Board[x][y] = c;
    MoveAt[x][y] = MoveNo;
    CopyToEngine(*engine_);
    engine_->MarkCandidates(x, y);
    Board = engine_->Board;
    // A five is a pattern of the mover's own; the defence part of a cell's value must
    // not count as a win.
    engine_->ToMove = c;
    bool five = engine_->EvaluateCell(x, y).Wins();
    ++MoveNo;
    ToMove = Other(c);
    requested_ = std::chrono::steady_clock::now();
    if (five) {
        GameState = kGameOver;
        Winner = c;
        if (!quiet_) Say("Player " + std::to_string(c) + " won");
    } else if (static_cast<int>(Record.size()) >= BoardSize * BoardSize) {
        GameState = kGameOver;
        if (!quiet_) Say("Draw!");
    }
    if (GameState == kGameOver || quiet_) return;
    const int made = MoveNo - 1;
    if (made == 1 || (Variant == 0 && TournamentOpening && made == 5)) LoadOpeningBook();
    if (bookActive_ && made >= (Variant == 1 ? 2 : 3)) UseOpeningBook();
    if (TournamentOpening && made == 3) OfferSwap();
}

bool CKelvorDoc::OpeningRuleAllows(int x, int y) const {
    if (MoveNo == 5 && Variant == 0 && TournamentOpening && FifthOffers.size() == 2)
        return std::find(FifthOffers.begin(), FifthOffers.end(), x + y * BoardSize) !=
               FifthOffers.end();
    return WithinReach(OpeningReach(Variant, TournamentOpening, MoveNo), Centre, x, y);
}

bool CKelvorDoc::HumanMove(int x, int y) {
    if (!OnBoard(BoardSize, x, y) || !IsFree(Board[x][y])) return false;
    if (!tablesLoaded_) {
        Say(kNoTablesText);
        return false;
    }
    if (IsComputerTurn()) {
        Say("Not Your Turn");
        return false;
    }
    if (GameState == kGameOver) {
        Say("Game Over");
        return false;
    }
    if (OfferingFifth()) return OfferFifth(x, y);
    if (!OpeningRuleAllows(x, y) || (Variant == 0 && ToMove == kBlack && !IsLegal(x, y))) {
        Say("Illegal");
        return false;
    }
    MakeMove(x, y);
    return true;
}

int CKelvorDoc::PlayerToAct() const {
    const bool choosing = Variant == 0 && TournamentOpening && MoveNo == 5 &&
                          FifthOffers.size() == 2 && GameState != kGameOver;
    return choosing ? kWhite : ToMove;
}

bool CKelvorDoc::OfferingFifth() const {
    return Variant == 0 && TournamentOpening && MoveNo == 5 && FifthOffers.size() < 2 &&
           GameState != kGameOver;
}

bool CKelvorDoc::OfferFifth(int x, int y) {
    const int cell = x + y * BoardSize;
    if (!IsLegal(x, y)) {
        Say("Illegal");
        return false;
    }
    if (!FifthOffers.empty() && SymmetricCells(FifthOffers[0], cell)) {
        Say("Symmetry");
        return false;
    }
    FifthOffers.push_back(cell);
    if (FifthOffers.size() == 2 && PlayerLevel[1] > 0) ChooseFifth();
    return true;
}

void CKelvorDoc::ChooseFifth() {
    // White gives black the offer that helps black less.
    CopyToEngine(*engine_);
    engine_->ToMove = kBlack;
    int chosen = FifthOffers[0];
    int least = 0;
    for (size_t i = 0; i < FifthOffers.size(); ++i) {
        const int c = FifthOffers[i];
        const int v = engine_->EvaluateCell(c % BoardSize, c / BoardSize).value;
        if (i == 0 || v < least) {
            least = v;
            chosen = c;
        }
    }
    MakeMove(chosen % BoardSize, chosen / BoardSize);
}

bool CKelvorDoc::SymmetricCells(int a, int b) const {
    if (a == b) return true;
    const int n = BoardSize;
    std::vector<std::pair<int, int>> stones; // cell, colour
    for (int cell : Record) stones.emplace_back(cell, Board[cell % n][cell / n]);
    if (stones.empty()) return false;
    auto image = [&](int s, int cell, int tx, int ty) {
        auto [u, v] = ApplySymmetry(s, cell % n - Centre, cell / n - Centre);
        return std::make_pair(u + Centre + tx, v + Centre + ty);
    };
    auto at = [&](std::pair<int, int> p) {
        return OnBoard(n, p.first, p.second) ? Board[p.first][p.second] : -1;
    };
    // A symmetry of the stones is one of the eight turns about the centre followed by
    // a shift; the shift is fixed by where the first stone goes.
    for (int s = 0; s < 8; ++s) {
        const auto first = image(s, stones[0].first, 0, 0);
        for (const auto& [target, colour] : stones) {
            if (colour != stones[0].second) continue;
            const int tx = target % n - first.first, ty = target / n - first.second;
            bool keeps = true;
            for (const auto& [cell, c] : stones) keeps = keeps && at(image(s, cell, tx, ty)) == c;
            if (!keeps) continue;
            const auto moved = image(s, a, tx, ty);
            if (OnBoard(n, moved.first, moved.second) && moved.first + moved.second * n == b)
                return true;
        }
    }
    return false;
}

ThinkResult CKelvorDoc::Think(const std::atomic<bool>* stop) {
    if (!tablesLoaded_) return {};
    CKelvorEngine& e = *engine_;
    CopyToEngine(e);
    e.Level = std::max(1, PlayerLevel[ToMove - 1]);
    e.MaxSeconds = MaxSeconds;
    e.StopFlag = stop;
    e.BookMove = bookActive_ ? BookMove() : std::nullopt;
    Progress = 0;
    ProgressCell = -1;
    ElapsedSeconds = 0;
    e.OnProgress = [this](int percent, int x, int y) {
        Progress = percent;
        ProgressCell = x + y * BoardSize;
        if (OnProgress) OnProgress();
    };
    e.OnElapsed = [this](int s) { ElapsedSeconds = s; };
    if (MoveNo == 1 && !e.BookMove) {
        // The first stone of a game needs no search: the centre.
        ThinkResult r;
        r.x = r.y = Centre;
        return r;
    }
    const ThinkResult r = e.Think(Record);
    if (r.x >= 0 &&
        !WithinReach(OpeningReach(Variant, TournamentOpening, MoveNo), Centre, r.x, r.y))
        throw std::logic_error("kelvor engine chose " + CellText(r.x, r.y) + " for move " +
                               std::to_string(MoveNo) + ", outside the opening's reach");
    return r;
}

bool CKelvorDoc::ComputerMove(const std::atomic<bool>* stop) {
    if (GameState == kGameOver) return false;
    ThinkResult r = Think(stop);
    if (r.x < 0 || !IsFree(Board[r.x][r.y])) return false;
    MakeMove(r.x, r.y);
    return true;
}

void CKelvorDoc::OfferSwap() {
    const int white = 1;
    bool swap = false;
    if (PlayerLevel[white] > 0) {
        if (Variant == 1) {
            swap = bookLine_ >= 0 && bookLine_ < 12;
        } else {
            auto at = std::find(std::begin(kNoSwapLines), std::end(kNoSwapLines), bookLine_);
            swap = at == std::end(kNoSwapLines);
            if (!swap && at - std::begin(kNoSwapLines) < 7) swap = rng_() % 5 == 0;
        }
        if (swap) Say("I swap");
    } else {
        if (BeforeMessage) BeforeMessage();
        swap = AskSwap ? AskSwap() : platform::AskQuestion("Do you swap?");
    }
    if (swap) std::swap(PlayerLevel[0], PlayerLevel[1]);
}

bool CKelvorDoc::SaveGame(const std::string& path) const {
    GameFile g;
    g.variant = Variant;
    g.boardSize = BoardSize;
    g.cells = line_;
    return platform::WriteFileAtomic(path, WriteGameFile(g)) == platform::WriteResult::Ok;
}

bool CKelvorDoc::OpenGame(const std::string& path) {
    if (!tablesLoaded_) {
        // The replay needs the evaluator to see the game's end.
        Say(kNoTablesText);
        return false;
    }
    std::string bytes;
    GameFile g;
    // Only a regular file of a sane size: a FIFO would block the window until someone
    // writes to it, /dev/zero would never end.
    const platform::RegularRead read = platform::ReadRegularFile(path, bytes, kMaxGameFileBytes);
    if (read != platform::RegularRead::Ok || !ReadGameFile(bytes, g)) {
        std::string why;
        if (read == platform::RegularRead::NotRegular) why = "\r" + path + " is not a regular file";
        if (read == platform::RegularRead::TooLarge)
            why = "\r" + path + " is larger than " + std::to_string(kMaxGameFileBytes) + " bytes";
        Say("Not a valid kgf file" + why);
        NewGame();
        return false;
    }
    Variant = g.variant;
    SetBoardSize(g.boardSize);
    line_ = g.cells;
    // The replay shows no messages and offers no swap: the file is a finished record,
    // not a game being played.
    StepTo(static_cast<int>(line_.size()));
    return true;
}

void CKelvorDoc::StepTo(int count) {
    const std::vector<int> line = line_;
    const auto clocks = ThinkingTime;
    NewGame();
    bookActive_ = false; // a replayed game is off the book
    quiet_ = true;
    const int n = std::clamp(count, 0, static_cast<int>(line.size()));
    for (int i = 0; i < n && GameState != kGameOver; ++i) {
        const int x = line[i] % BoardSize, y = line[i] / BoardSize;
        if (!OnBoard(BoardSize, x, y) || !IsFree(Board[x][y])) break;
        MakeMove(x, y);
    }
    quiet_ = false;
    // A replay stopped by a bad cell or a finished game drops what cannot follow.
    line_ = line;
    if (GameState == kGameOver || static_cast<int>(Record.size()) < n) line_ = Record;
    ThinkingTime = clocks;
}

void CKelvorDoc::StartThinking(std::function<void()> onEnd) {
    StopThinking();
    thinking_ = true;
    thread_.Start([this, onEnd = std::move(onEnd)](const std::atomic<bool>& stop) {
        // An engine check that fails abandons this move, not the program: an exception
        // must not leave the worker thread.
        try {
            result_ = Think(&stop);
            thinkError_.clear();
        } catch (const std::exception& e) {
            result_ = ThinkResult{};
            thinkError_ = e.what();
        }
        if (onEnd) onEnd();
    });
}

ThinkResult CKelvorDoc::FinishThinking() {
    thread_.Join();
    thinking_ = false;
    return result_;
}

void CKelvorDoc::StopThinking() {
    thread_.Stop();
    thinking_ = false;
}

void CKelvorDoc::LoadOpeningBook() {
    book_.lines.clear();
    bookLine_ = -1;
    if (!OpeningBook) return;
    bookActive_ = true;
    std::string name = BookFileName(Variant, TournamentOpening, static_cast<int>(Record.size()),
                                    PlayerLevel[0] == 0, PlayerLevel[1] == 0);
    std::string bytes;
    // Up to 30000 bytes of a regular file: a FIFO or a device in the book's place must
    // not block the game.
    if (platform::ReadRegularFile(folder_ + name, bytes, kBookMaxBytes,
                                  platform::OversizeFile::Cut) != platform::RegularRead::Ok) {
        Say("Can't open opening file");
        bookActive_ = false;
        return;
    }
    book_ = ParseOpeningBook(bytes, Variant);
}

void CKelvorDoc::UseOpeningBook() {
    const int made = MoveNo - 1;
    const int B = book_.boardSize;
    auto matches = [&](const std::vector<int>& line, int s) {
        if (static_cast<int>(line.size()) < made) return false;
        for (int i = 0; i < made; ++i) {
            int x = Record[i] % BoardSize, y = Record[i] / BoardSize;
            auto [u, v] =
                ApplySymmetry(s, x - Centre + bookOffset_[0], y - Centre + bookOffset_[1]);
            int bx = B / 2 + u, by = B / 2 + v;
            if (!OnBoard(B, bx, by)) return false;
            int cell = bx + by * B;
            bool found = false;
            for (int j = i % 2; j < made && !found; j += 2) found = line[j] == cell;
            if (!found) return false;
        }
        return true;
    };
    auto collect = [&](std::vector<std::pair<int, int>>& found) {
        for (int l = 0; l < static_cast<int>(book_.lines.size()) && found.size() < 999; ++l) {
            if (made < 4 && TournamentOpening && Variant == 1 && made == 2 && l < 12) continue;
            for (int s = 0; s < 8; ++s) {
                if (made >= 9 && s != bookSymmetry_) continue;
                if (matches(book_.lines[l], s)) {
                    found.emplace_back(l, s);
                    break;
                }
            }
            if (made < 4 && TournamentOpening && Variant == 0 && !found.empty()) break;
        }
    };
    if (made < 4) {
        bool allowed = TournamentOpening ? true : made == 3;
        if (!allowed) return;
    }
    std::vector<std::pair<int, int>> found;
    collect(found);
    if (found.empty() && made == 4) {
        int x1 = Record[0] % BoardSize, y1 = Record[0] / BoardSize;
        int x3 = Record[2] % BoardSize, y3 = Record[2] / BoardSize;
        bookOffset_[0] = x1 - x3 - Centre;
        bookOffset_[1] = y1 - y3 - Centre;
        collect(found);
    }
    if (found.empty()) {
        bookLine_ = -1;
        bookActive_ = false;
        return;
    }
    auto pick = found[static_cast<size_t>(rng_()) % found.size()];
    bookLine_ = pick.first;
    bookSymmetry_ = pick.second;
    if (made >= 5 && static_cast<int>(book_.lines[bookLine_].size()) == made) {
        bookLine_ = -1;
        bookActive_ = false;
    }
    if (made >= 21 && (bookOffset_[0] || bookOffset_[1])) {
        bookLine_ = -1;
        bookActive_ = false;
    }
}

void CKelvorDoc::Say(const std::string& text) {
    if (BeforeMessage) BeforeMessage();
    platform::ShowMessage(platform::MessageKind::Warning, text);
}

std::optional<std::pair<int, int>> CKelvorDoc::BookMove() const {
    if (bookLine_ < 0 || bookLine_ >= static_cast<int>(book_.lines.size())) return std::nullopt;
    const auto& line = book_.lines[bookLine_];
    int next = MoveNo - 1;
    if (next >= static_cast<int>(line.size())) return std::nullopt;
    const int B = book_.boardSize;
    int bx = line[next] % B, by = line[next] / B;
    auto [dx, dy] = UndoSymmetry(bookSymmetry_, bx - B / 2, by - B / 2);
    int x = dx - bookOffset_[0] + Centre, y = dy - bookOffset_[1] + Centre;
    if (!OnBoard(BoardSize, x, y)) return std::nullopt;
    return std::make_pair(x, y);
}

} // namespace kelvor
