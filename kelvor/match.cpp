#include "kelvor/match.h"

#include "kelvor/kelvor_doc.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace kelvor {

namespace {

// The opening of pair `pair`: the centre, then a white stone next to it and a black
// stone within two lines, drawn from the match seed.
std::vector<std::pair<int, int>> Opening(const MatchOptions& o, int pair, int centre) {
    std::mt19937 rng(o.seed * 7919u + static_cast<unsigned>(pair));
    std::vector<std::pair<int, int>> moves{{centre, centre}};
    auto draw = [&](int reach) {
        while (true) {
            int x = centre + static_cast<int>(rng() % (2 * reach + 1)) - reach;
            int y = centre + static_cast<int>(rng() % (2 * reach + 1)) - reach;
            bool used = false;
            for (auto& m : moves) used |= m.first == x && m.second == y;
            if (!used) return std::make_pair(x, y);
        }
    };
    moves.push_back(draw(1));
    moves.push_back(draw(2));
    return moves;
}

// A document for one side of a game: the match's variant, book, time and board.
std::unique_ptr<CKelvorDoc> GameDocument(const MatchOptions& o, const std::string& folder,
                                         unsigned seed) {
    auto doc = std::make_unique<CKelvorDoc>(folder, seed);
    doc->Variant = o.variant;
    doc->OpeningBook = o.book;
    doc->MaxSeconds = o.maxSeconds;
    doc->SetBoardSize(o.boardSize);
    return doc;
}

FinishedGame PlayGame(const MatchOptions& o, int game) {
    FinishedGame finished;
    finished.game = game;
    const unsigned g = static_cast<unsigned>(game);
    std::unique_ptr<CKelvorDoc> docA = GameDocument(o, o.folder, o.seed * 1000003u + g);
    CKelvorDoc& doc = *docA;
    const bool aBlack = game % 2 == 0;
    doc.PlayerLevel =
        aBlack ? std::array<int, 2>{o.levelA, o.levelB} : std::array<int, 2>{o.levelB, o.levelA};
    // With a second table set B thinks in a document of its own that follows every move.
    std::unique_ptr<CKelvorDoc> docB;
    if (!o.folderB.empty()) {
        docB = GameDocument(o, o.folderB, o.seed * 1000033u + g);
        docB->PlayerLevel = doc.PlayerLevel;
    }
    auto play = [&](int x, int y) {
        finished.moves.emplace_back(x, y);
        doc.MakeMove(x, y);
        if (docB) docB->MakeMove(x, y);
    };
    for (auto [x, y] : Opening(o, game / 2, doc.Centre)) play(x, y);
    while (doc.GameState != kGameOver) {
        const bool bToMove = (doc.ToMove == kBlack) != aBlack;
        const auto begun = std::chrono::steady_clock::now();
        ThinkResult r = bToMove && docB ? docB->Think() : doc.Think();
        const size_t side = bToMove ? 1 : 0;
        finished.slowest[side] = std::max(
            finished.slowest[side],
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count());
        finished.stopped[side] += r.stopped ? 1 : 0;
        if (r.x < 0 || !IsFree(doc.Board[r.x][r.y])) break;
        play(r.x, r.y);
    }
    if (doc.Winner != 0) finished.outcome = (doc.Winner == kBlack) == aBlack ? kAWon : kBWon;
    return finished;
}

} // namespace

MatchResult RunMatch(const MatchOptions& o, const GameOver& onGame) {
    MatchResult result;
    // A's points per game (2 won, 1 draw, 0 lost), -1 until the game is over: a pair is
    // counted when its second game ends, whichever that is.
    std::vector<int> points(static_cast<size_t>(std::max(0, o.games)), -1);
    std::mutex lock;
    auto count = [&](int g, int outcome) {
        (outcome == kAWon ? result.wins : outcome == kBWon ? result.losses : result.draws)++;
        points[static_cast<size_t>(g)] = outcome == kAWon ? 2 : outcome == kBWon ? 0 : 1;
        const int partner = g ^ 1;
        if (partner < o.games && points[static_cast<size_t>(partner)] >= 0) {
            ++result.pairs[static_cast<size_t>(points[static_cast<size_t>(g)] +
                                               points[static_cast<size_t>(partner)])];
            ++result.completePairs;
        }
    };
    std::vector<int> toPlay;
    for (int g = 0; g < o.games; ++g) {
        auto it = o.played.find(g);
        if (it == o.played.end())
            toPlay.push_back(g);
        else
            count(g, it->second);
    }
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i; (i = next++) < toPlay.size();) {
            const int g = toPlay[i];
            const FinishedGame finished = PlayGame(o, g);
            std::lock_guard<std::mutex> hold(lock);
            count(g, finished.outcome);
            if (onGame) onGame(result, finished);
        }
    };
    std::vector<std::thread> threads;
    const int jobs =
        std::min<int>(std::max(1, o.jobs), std::max<int>(1, static_cast<int>(toPlay.size())));
    for (int j = 0; j < jobs; ++j) threads.emplace_back(worker);
    for (auto& t : threads) t.join();
    return result;
}

} // namespace kelvor
