#include "vorlix/search/vct.h"
#include "vorlix/eval/engine_work.h"

#include "platform/events.h"
#include "vorlix/eval/linepattern.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/players/jatekos.h"

#include <algorithm>
#include <cmath>

namespace vorlix {

namespace {
constexpr float kWinValue = 150.0f;
// Every how many stones a search with black attacking lets the window run.
constexpr int kDispatchEvery = 128;
} // namespace

TVct::TVct(TJatekos* player) : TKepesseg(player) {
    tables_[1].SetColour(kBlack);
    tables_[2].SetColour(kWhite);
    NeighbourTable(); // built once, here rather than inside the first search
}

void TVct::ShowProperties(TTextList& lines) const {
    lines.clear();
    lines.push_back("Max.mélység : " + std::to_string(MaxDepth));
    lines.push_back("Mélység : " + std::to_string(DepthReached));
    lines.push_back("NodesSzam : " + std::to_string(NodeCount));
}

void TVct::Run() {
    if (ColourToMove != kBlack && ColourToMove != kWhite)
        throw InternalError("vct", "Assertion failure",
                            "colour to move " + std::to_string(ColourToMove));
    Attacker = ColourToMove;
    Defender = Opponent(Attacker);
    NodeCount = 0;
    try {
        if (TwoPhase) {
            // The cheaper phase ignores counter-fours and searches shallower with 40 % of
            // the nodes; only a win it finds is worth the full search.
            const std::uint8_t depth = MaxDepth;
            const std::int32_t nodes = NodeLimit;
            FullPhase = 0;
            // Two plies less, but never below one: with MaxDepth 1 or 2 the byte
            // subtraction would otherwise wrap round to a search of 255 plies.
            MaxDepth = static_cast<std::uint8_t>(std::max(1, depth - 2));
            NodeLimit = static_cast<std::int32_t>(std::lround(nodes * 0.4));
            try {
                RunPhase();
            } catch (...) {
                MaxDepth = depth, NodeLimit = nodes, FullPhase = 1;
                throw;
            }
            MaxDepth = depth, NodeLimit = nodes, FullPhase = 1;
            if (Result != 0) RunPhase();
        } else {
            FullPhase = 1;
            RunPhase();
        }
    } catch (...) {
        UndoPlaced();
        throw;
    }
    if (Result != 0 && Owner) {
        TPont p = CellPont(Result);
        Owner->AlNum = 1;
        Owner->AlList[1] = p;
        Owner->AlValue[1] = kWinValue;
        Owner->ValueArray[p.X][p.Y] = kWinValue;
    }
}

void TVct::RunPhase() {
    DepthReached = 0;
    Result = 0;
    WinLineLength = 0;
    const int decided = Prepare();
    if (decided != 0) {
        if (decided == Attacker && !AlreadyFive[Attacker]) {
            Result = WinLine[1];
            WinLineLength = 1;
        }
        return;
    }
    if (!Enabled) return;
    const int forced = ForcedMove;
    int previous = -1;
    for (int depth = 1;; ++depth) {
        platform::DispatchPendingEvents();
        NodeCount = 0;
        MoreThreats = 0;
        const bool proved = Attack(1, depth, 0, FarFourLimit, ThreeLimit, forced);
        DepthReached = depth;
        if (proved) {
            // The line holds the attacker's moves against the last defence tried.
            // (A proof at the top always has a move: an open three standing there means
            // a cell that makes an open four, which Prepare has already taken.)
            std::copy(Line, Line + kMaxPly + 1, WinLine);
            if (WinLineLength < 1)
                throw InternalError("vct", "Assertion failure", "win without a first move");
            Result = WinLine[1];
            return;
        }
        // Deeper iterations cannot help when this one ran out of nodes, found no
        // threat left at its last ply, or searched exactly the tree of the one before.
        if (depth >= MaxDepth || NodeCount >= NodeLimit || NodeCount == previous || !MoreThreats)
            return;
        previous = NodeCount;
    }
}

int TVct::Prepare() {
    placedCount_ = 0;
    tables_[1].Compute();
    tables_[2].Compute();
    int fives[3] = {}, lastFive[3] = {}, openFour[3] = {};
    for (int cell = 1; cell <= kCells; ++cell) {
        for (int k = kBlack; k <= kWhite; ++k) {
            std::uint8_t s = tables_[k].Summary(cell);
            if (s == kThreatFive) ++fives[k], lastFive[k] = cell;
            if (s == kThreatOpenFour && openFour[k] == 0) openFour[k] = cell;
        }
    }
    for (int k = kBlack; k <= kWhite; ++k) AlreadyFive[k] = tables_[k].HasFive();
    Enabled = 0;
    ForcedMove = 0;
    const int a = Attacker, d = Defender;
    if (AlreadyFive[kBlack] != AlreadyFive[kWhite]) return AlreadyFive[kBlack] ? kBlack : kWhite;
    if (AlreadyFive[kBlack]) return 0; // both: nothing to search

    if (fives[a] > 0) {
        WinLine[1] = static_cast<std::uint8_t>(lastFive[a]);
        return a;
    }
    if (fives[d] >= 2) return d;
    const TThreatTable& at = tables_[a];
    if (fives[d] == 1) {
        // The attacker must block; the block itself may be the threat that wins.
        const int f = lastFive[d];
        const std::uint8_t s = at.Summary(f);
        if (s == kThreatOpenFour) {
            WinLine[1] = static_cast<std::uint8_t>(f);
            return a;
        }
        if (s == kThreatFour || s == kThreatOpenThree || at.HasExistingThree()) {
            Enabled = 1;
            ForcedMove = static_cast<std::uint8_t>(f);
        }
    } else if (openFour[a] != 0) {
        WinLine[1] = static_cast<std::uint8_t>(openFour[a]);
        return a;
    } else {
        Enabled = 1;
    }
    if (at.FourCells().Empty() && at.ThreeCells().Empty()) Enabled = 0;
    return 0;
}

bool TVct::IsFourThree(int cell) const {
    const TThreatTable& at = tables_[Attacker];
    const std::uint8_t s = at.Summary(cell);
    if (s == kThreatOpenFour) return true;
    if (s != kThreatFour) return false;
    // The block of the four must not give the defender a four of his own, and the
    // stone must leave an open three on another line.
    const int dir = at.FourDirection(cell);
    const std::uint8_t block = tables_[Defender].Summary(at.Completion(cell, dir));
    if (block == kThreatFive || block == kThreatOpenFour || block == kThreatFour) return false;
    for (int d = 0; d < 4; ++d)
        if (d != dir && at.Code(cell, d) == kThreatOpenThree) return true;
    return false;
}

// A level proved without a further stone: `cell` is the attacker's winning move
// (0 when the win needs no new threat, as with an open three already standing).
bool TVct::ProvedBy(int ply, int cell) {
    if (cell != 0) {
        Line[ply] = static_cast<std::uint8_t>(cell);
        WinLineLength = ply;
    } else {
        WinLineLength = ply - 1;
    }
    return true;
}

bool TVct::Attack(int ply, int depth, int last, int farFours, int threes, int forced) {
    if (NodeCount > NodeLimit) return false;
    const TThreatTable& at = tables_[Attacker];
    const TThreatTable& dt = tables_[Defender];
    ForcedMove = 0;

    if (forced != 0) {
        // The defender has a four: the attacker must block at `forced`.
        const std::uint8_t s = at.Summary(forced);
        if (s == kThreatOpenFour) return ProvedBy(ply, forced);
        const bool four = s == kThreatFour;
        const bool three = s == kThreatOpenThree;
        const bool nothing = !four && !three;
        if (ply >= depth) {
            // A deeper iteration would play the block whenever the lines below do. (A
            // block that makes an open three counts as well: were it left out, a forced
            // block at the top that makes a three would never be searched past depth 1.)
            if (four || (three && threes > 0) || (nothing && at.HasExistingThree()))
                MoreThreats = 1;
            return false;
        }
        if (four)
            return PlayAttacker(ply, depth, forced, at.FourCompletion(forced), farFours, threes);
        if (three && threes > 0) return PlayAttacker(ply, depth, forced, 0, farFours, threes - 1);
        if (nothing && at.HasExistingThree())
            return PlayAttacker(ply, depth, forced, 0, farFours, threes);
        return false;
    }

    if (at.HasExistingThree()) return ProvedBy(ply, 0);
    const TCellSet fours = at.FourCells();
    for (int c = fours.First(); c != 0; c = fours.Next(c))
        if (IsFourThree(c)) return ProvedBy(ply, c);
    if (ply >= depth) {
        if (!fours.Empty() || !at.ThreeCells().Empty()) MoreThreats = 1;
        return false;
    }

    const TNeighbourTable& nb = NeighbourTable();
    const bool top = ply == 1;
    const bool farAllowed = top || farFours > 0;
    const int childFar = top ? farFours : farFours - 1;
    // 1. Fours on the lines through the last attacker move, nearest first.
    if (last != 0) {
        for (int d = 0; d < 4; ++d) {
            const TNeighbourLine& line = nb.Lines[last][d];
            for (int i = 0; i < line.Count; ++i) {
                const int c = line.Cells[i];
                if (!fours.Has(c)) continue;
                if (PlayAttacker(ply, depth, c, at.FourCompletion(c), farFours, threes))
                    return true;
                if (NodeCount > NodeLimit) return false;
            }
        }
    }
    // 2. Every other four, each using up one far four below the top level.
    const TCellSet& near = nb.Near[last];
    if (farAllowed) {
        const TCellSet far = fours.Minus(near);
        for (int c = far.First(); c != 0; c = far.Next(c)) {
            if (PlayAttacker(ply, depth, c, at.FourCompletion(c), childFar, threes)) return true;
            if (NodeCount > NodeLimit) return false;
        }
    }
    if (threes <= 0) return false;
    if (!dt.HasExistingThree()) {
        // 3. Open threes: near the last move first, then (like the fours) the others.
        const TCellSet threesNow = at.ThreeCells();
        if (last != 0) {
            for (int d = 0; d < 4; ++d) {
                const TNeighbourLine& line = nb.Lines[last][d];
                for (int i = 0; i < line.Count; ++i) {
                    const int c = line.Cells[i];
                    if (!threesNow.Has(c)) continue;
                    if (PlayAttacker(ply, depth, c, 0, farFours, threes - 1)) return true;
                    if (NodeCount > NodeLimit) return false;
                }
            }
        }
        if (farAllowed) {
            const TCellSet far = threesNow.Minus(near);
            for (int c = far.First(); c != 0; c = far.Next(c)) {
                if (PlayAttacker(ply, depth, c, 0, farFours, threes - 1)) return true;
                if (NodeCount > NodeLimit) return false;
            }
        }
        return false;
    }
    // 4. The defender has an open three: only a stone that stops it and makes an open
    //    three of the attacker's keeps the initiative without a four.
    int stone = 0, dir = 0;
    dt.FirstExistingThree(stone, dir);
    ThreatKey3 = linepattern::kUnset;
    if (ClassifyThreat(LineCells[stone][dir], Defender) != kThreatOpenThree)
        throw InternalError("vct", "Assertion failure", "defender three lost");
    const std::int8_t keys[3] = {ThreatKey1, ThreatKey2, ThreatKey3};
    for (std::int8_t key : keys) {
        if (key == linepattern::kUnset) continue;
        const int c = LineCells[stone][dir][7 + key];
        if (c == 0 || !at.ThreeCells().Has(c)) continue;
        if (PlayAttacker(ply, depth, c, 0, farFours, threes - 1)) return true;
        if (NodeCount > NodeLimit) return false;
    }
    return false;
}

// Puts the attacker's stone on `cell` (a four when `reply` is its completion cell,
// otherwise a three or a block) and lets the defender answer.
bool TVct::PlayAttacker(int ply, int depth, int cell, int reply, int farFours, int threes) {
    Place(cell, Attacker);
    Line[ply] = static_cast<std::uint8_t>(cell);
    ForcedReply = static_cast<std::uint8_t>(reply);
    const bool proved = Defend(ply, depth, cell, reply, farFours, threes);
    Remove(cell);
    return proved;
}

bool TVct::Defend(int ply, int depth, int move, int reply, int farFours, int threes) {
    if (NodeCount > NodeLimit) return false;
    if (reply != 0) return Answer(ply, depth, reply, move, farFours, threes);

    const TThreatTable& at = tables_[Attacker];
    const TThreatTable& dt = tables_[Defender];
    // After a three: an open three of the defender's own is faster.
    if (dt.HasExistingThree()) return false;
    const TCellSet counterFours = FullPhase ? dt.FourCells() : TCellSet{};
    for (int c = counterFours.First(); c != 0; c = counterFours.Next(c))
        if (dt.Summary(c) == kThreatOpenFour) return false;
    for (int c = counterFours.First(); c != 0; c = counterFours.Next(c)) {
        if (!Answer(ply, depth, c, move, farFours, threes)) return false;
    }
    // The stopping cells of the attacker's three.
    int stone = 0, dir = 0;
    if (!at.FirstExistingThree(stone, dir))
        throw InternalError("vct", "Assertion failure", "no three after a three");
    ThreatKey3 = linepattern::kUnset;
    if (ClassifyThreat(LineCells[stone][dir], Attacker) != kThreatOpenThree)
        throw InternalError("vct", "Assertion failure", "attacker three lost");
    const std::int8_t keys[3] = {ThreatKey1, ThreatKey2, ThreatKey3};
    for (std::int8_t key : keys) {
        if (key == linepattern::kUnset) continue;
        const int c = LineCells[stone][dir][7 + key];
        if (c == 0 || Tabla[c] != kEmpty || counterFours.Has(c)) continue;
        if (!Answer(ply, depth, c, move, farFours, threes)) return false;
    }
    return true;
}

// Puts the defender's stone on `cell` and searches the attacker's next level; true when
// the attacker still wins. A stone that gives the defender an open four or two fours
// wins for him; one that gives him a four makes its completion the attacker's forced
// move.
bool TVct::Answer(int ply, int depth, int cell, int last, int farFours, int threes) {
    const TThreatTable& dt = tables_[Defender];
    const std::uint8_t s = dt.Summary(cell);
    if (s == kThreatFive || s == kThreatOpenFour) return false;
    const int forced = s == kThreatFour ? dt.FourCompletion(cell) : 0;
    Place(cell, Defender);
    ForcedMove = static_cast<std::uint8_t>(forced);
    const bool proved = Attack(ply + 1, depth, last, farFours, threes, forced);
    Remove(cell);
    return proved;
}

void TVct::Place(int cell, std::uint8_t colour) {
    if (Tabla[cell] != kEmpty)
        throw InternalError("vct", "Assertion failure", "stone on " + TrimRight(CellText(cell)));
    Tabla[cell] = colour;
    ++Work().VctNodes;
    placed_[placedCount_++] = static_cast<std::uint8_t>(cell);
    ++NodeCount;
    tables_[kBlack].Push(cell);
    tables_[kWhite].Push(cell);
    CheckTables();
    // With white attacking the window is served only once per iteration.
    if (Attacker == kBlack && NodeCount % kDispatchEvery == 0) platform::DispatchPendingEvents();
}

void TVct::Remove(int cell) {
    Tabla[cell] = kEmpty;
    --placedCount_;
    tables_[kBlack].Pop();
    tables_[kWhite].Pop();
    CheckTables();
}

void TVct::UndoPlaced() {
    while (placedCount_ > 0) Tabla[placed_[--placedCount_]] = kEmpty;
}

void TVct::CheckTables() const {
#ifndef NDEBUG
    // A full recompute of both tables costs a few hundred times an update; the deep
    // searches place up to 100000 stones per threat search, so the debug build checks
    // every kCheckEvery-th change (and the first), which still catches a wrong update
    // within a few stones of where it happens.
    if (checkCounter_++ % kCheckEvery != 0) return;
    for (int k = kBlack; k <= kWhite; ++k) {
        scratch_.SetColour(static_cast<std::uint8_t>(k));
        scratch_.Compute();
        std::string diff = tables_[k].Differences(scratch_);
        if (!diff.empty())
            throw InternalError("vct", "Assertion failure",
                                "threat table of colour " + std::to_string(k) + ": " + diff);
    }
#endif
}

} // namespace vorlix
