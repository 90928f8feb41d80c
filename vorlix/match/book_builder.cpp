#include "vorlix/match/book_builder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>

namespace vorlix {

namespace {

constexpr std::uint8_t kColours[5] = {kBlack, kWhite, kBlack, kWhite, kBlack};

// The same key for every image of a position under the eight symmetries and for any
// order of its same-coloured stones: the smallest of the sorted cell lists.
std::vector<int> PositionKey(const FiveStones& stones) {
    std::vector<int> best;
    for (int s = 0; s < 8; ++s) {
        std::vector<int> blacks, whites;
        for (int k = 0; k < 5; ++k)
            (kColours[k] == kBlack ? blacks : whites)
                .push_back(CellIndex(ApplySymmetry(stones[static_cast<size_t>(k)], s)));
        std::sort(blacks.begin(), blacks.end());
        std::sort(whites.begin(), whites.end());
        blacks.insert(blacks.end(), whites.begin(), whites.end());
        if (best.empty() || blacks < best) best = blacks;
    }
    return best;
}

std::pair<int, int> PairKey(TPont b, TPont w) {
    std::pair<int, int> best{1000, 1000};
    for (int s = 0; s < 8; ++s)
        best = std::min(best, {CellIndex(ApplySymmetry(b, s)), CellIndex(ApplySymmetry(w, s))});
    return best;
}

bool Compact(const FiveStones& stones) {
    for (int k = 0; k < 5; ++k) Tabla[CellIndex(stones[static_cast<size_t>(k)])] = kColours[k];
    const bool compact = OpeningIsCompact();
    for (const TPont& p : stones) Tabla[CellIndex(p)] = kEmpty;
    return compact;
}

TPont Pt(int x, int y) {
    return TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

} // namespace

std::vector<FiveStones> EnumerateOpenings(int count, std::uint32_t seed) {
    // The board is borrowed for the connection rule: it must be empty.
    std::uint8_t saved[kCells + 1];
    std::copy(std::begin(Tabla), std::end(Tabla), saved);
    std::fill(std::begin(Tabla), std::end(Tabla), kEmpty);

    // One placement of the first two stones per symmetry class.
    std::vector<std::pair<TPont, TPont>> pairs;
    std::set<std::pair<int, int>> pairSeen;
    for (int bx = 7; bx <= 9; ++bx)
        for (int by = 7; by <= 9; ++by)
            for (int wx = 7; wx <= 9; ++wx)
                for (int wy = 7; wy <= 9; ++wy) {
                    if (bx == wx && by == wy) continue;
                    if (pairSeen.insert(PairKey(Pt(bx, by), Pt(wx, wy))).second)
                        pairs.push_back({Pt(bx, by), Pt(wx, wy)});
                }

    std::vector<TPont> square; // F6..J10
    for (int x = 6; x <= 10; ++x)
        for (int y = 6; y <= 10; ++y) square.push_back(Pt(x, y));
    std::set<std::vector<int>> seen;
    std::vector<std::vector<FiveStones>> groups(pairs.size());
    for (size_t g = 0; g < pairs.size(); ++g) {
        FiveStones o;
        o[0] = pairs[g].first;
        o[1] = pairs[g].second;
        for (size_t i3 = 0; i3 < square.size(); ++i3)
            for (size_t i4 = 0; i4 < square.size(); ++i4)
                for (size_t i5 = i3 + 1; i5 < square.size(); ++i5) {
                    o[2] = square[i3];
                    o[3] = square[i4];
                    o[4] = square[i5];
                    std::set<int> cells;
                    for (const TPont& p : o) cells.insert(CellIndex(p));
                    if (cells.size() != 5 || !Compact(o)) continue;
                    if (seen.insert(PositionKey(o)).second) groups[g].push_back(o);
                }
    }
    std::copy(std::begin(saved), std::end(saved), std::begin(Tabla));

    // An even share of every placement of the first two stones, drawn at random.
    std::mt19937 random(seed);
    for (auto& group : groups) std::shuffle(group.begin(), group.end(), random);
    std::vector<FiveStones> out;
    size_t total = 0;
    for (const auto& group : groups) total += group.size();
    const size_t want = count <= 0 ? total : std::min(total, static_cast<size_t>(count));
    for (size_t round = 0; out.size() < want; ++round)
        for (auto& group : groups)
            if (round < group.size() && out.size() < want) out.push_back(group[round]);
    return out;
}

TBookRecord MakeBookRecord(const FiveStones& stones, int score, int games) {
    TBookRecord r;
    r.Score = static_cast<std::int16_t>(std::clamp(score, 0, 10000));
    r.Games = static_cast<std::int16_t>(std::clamp(games, 1, 32767));
    r.First =
        static_cast<std::uint8_t>(FirstStoneNibble(stones[0]) << 4 | FirstStoneNibble(stones[1]));
    r.Stone3 = static_cast<std::uint8_t>(CellIndex(stones[2]));
    r.Stone4 = static_cast<std::uint8_t>(CellIndex(stones[3]));
    r.Stone5 = static_cast<std::uint8_t>(CellIndex(stones[4]));
    return r;
}

BookBuildResult BuildBook(const BookBuildOptions& options,
                          const std::function<void(int, int)>& progress) {
    BookBuildResult result;
    const std::vector<FiveStones> openings = EnumerateOpenings(options.Openings, options.Seed);
    const int games = std::max(2, options.GamesPerOpening + options.GamesPerOpening % 2);
    for (size_t i = 0; i < openings.size(); ++i) {
        MatchOptions o;
        o.First = options.First;
        o.Second = options.Second;
        o.Games = games;
        o.Seed = options.Seed + static_cast<std::uint32_t>(i) * 104729u;
        o.Jobs = options.Jobs;
        o.Config = options.Config;
        o.SetUpFactory = options.SetUpFactory;
        o.StartStones.assign(openings[i].begin(), openings[i].end());
        double black = 0.0;
        int played = 0;
        for (const MatchGame& g : RunMatch(o, nullptr)) {
            ++result.Games;
            if (g.Outcome == MatchGame::Failed) {
                ++result.FailedGames;
                continue;
            }
            ++played;
            const bool firstBlack = g.FirstColour == kBlack;
            if (g.Outcome == MatchGame::Draw)
                black += 0.5;
            else if ((g.Outcome == MatchGame::FirstWon) == firstBlack)
                black += 1.0;
        }
        if (played > 0)
            result.Records.push_back(MakeBookRecord(
                openings[i], static_cast<int>(std::lround(10000.0 * black / played)), played));
        if (progress) progress(static_cast<int>(i) + 1, static_cast<int>(openings.size()));
    }
    return result;
}

std::vector<std::uint8_t> BookBytes(const std::vector<TBookRecord>& records) {
    std::vector<std::uint8_t> bytes;
    for (const TBookRecord& r : records) {
        const auto b = EncodeRecord(r);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    return bytes;
}

} // namespace vorlix
