#include "vorlix/match/match.h"

#include "platform/messages.h"
#include "vorlix/eval/openingbook.h"
#include "vorlix/game/controller.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/gamefile.h"
#include "vorlix/game/opening.h"
#include "vorlix/game/random.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vorlix {

namespace {

// Message boxes of a headless game: errors are kept for the report, questions are
// answered No.
class MatchBoxes : public platform::MessageBoxes {
  public:
    std::vector<std::string> errors;
    void Show(platform::MessageKind kind, const std::string& text) override {
        if (kind == platform::MessageKind::Error) errors.push_back(text);
    }
    bool Ask(const std::string&) override { return false; }
};

std::string OneLine(std::string text) {
    std::string out;
    for (char c : text) {
        if (c == '\r' || c == '\n')
            out += " / ";
        else
            out += c;
    }
    return out;
}

std::string GameFileName(const std::string& folder, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "game-%04d.txt", number);
    std::string f = folder;
    if (!f.empty() && f.back() != '/') f += '/';
    return f + name;
}

// An opening procedure that puts fixed stones on the board, black first.
bool PlaceStones(GameController& c, const std::vector<TPont>& stones) {
    for (size_t k = 0; k < stones.size(); ++k)
        RecordMove(stones[k].X, stones[k].Y, k % 2 == 0 ? kBlack : kWhite);
    ColourToMove = static_cast<std::uint8_t>(MoveCount % 2 + 1);
    for (int seat : {1, 2})
        if (TJatekos* p = c.Player(seat)) p->BoardChanged = true;
    return true;
}

// The stones of a book opening drawn with the game's seed (so both games of a pair
// draw the same), under a symmetry drawn as well.
std::vector<TPont> BookStart(OpeningBook& book) {
    std::vector<TPont> stones;
    if (book.Count() == 0) {
        book.ColourChange = 1;
        book.PlaceBookOpening();
        stones.assign(GameRecord + 1, GameRecord + 1 + MoveCount);
        ResetGameModel();
        return stones;
    }
    const std::array<int, 5> cells = book.DecodeRecord(book.ChooseRecord());
    const int s = RuntimeRandom(8);
    for (int cell : cells) stones.push_back(ApplySymmetry(CellPont(cell), s));
    return stones;
}

} // namespace

std::uint32_t GameSeed(std::uint32_t matchSeed, int number) {
    return matchSeed + static_cast<std::uint32_t>((number - 1) / 2) * 7919u;
}

MatchGame PlayMatchGame(const MatchOptions& options, int number) {
    MatchGame game;
    game.Number = number;
    // The first player takes the first seat in odd games.
    const bool firstSeated = number % 2 == 1;
    game.FirstColour = firstSeated ? kBlack : kWhite;

    const std::uint32_t seed = GameSeed(options.Seed, number);
    ResetGameModel();
    SeedRandom(seed);
    // The sample library's random players read their clock from here (see README).
    ::setenv("VORLIX_PLAYERS_CLOCK", std::to_string(seed % 1000000000u).c_str(), 1);

    MatchBoxes boxes;
    platform::MessageBoxes* previous = platform::SetMessageBoxes(&boxes);
    HeadlessWindow window;
    PlayerFactory factory;
    factory.PlayersFolder = options.Config.PlayersFolder;
    if (options.SetUpFactory) options.SetUpFactory(factory);
    GameController controller(window, factory);
    controller.Config = options.Config;
    controller.Config.ColourChange = 0;
    controller.OpponentName = options.First;

    OpeningBook book = options.Book ? *options.Book : OpeningBook{};
    OpeningRules rules(book);
    std::vector<TPont> start = options.StartStones;
    if (start.empty() && options.Opening == MatchOpening::Book) start = BookStart(book);
    if (!start.empty()) {
        controller.Config.ColourChange = 1;
        controller.SetOpeningProcedure(
            [&start](GameController& c) { return PlaceStones(c, start); });
    } else if (options.Opening == MatchOpening::ColourChange) {
        // The players offer and choose themselves; the book completes and judges.
        controller.Config.ColourChange = 1;
        controller.Config.RandomOpening = false;
        InstallOpeningBook(book, false);
        InstallOpeningRules(controller, rules);
    }

    controller.OnTurn = [&](const TurnReport& r) {
        // Seats of the controller: the player listed first plays from seat 1 in odd games.
        int seat = (r.Seat == 1) == firstSeated ? 0 : 1;
        game.ThinkTotal[seat] += r.Seconds;
        game.ThinkMax[seat] = std::max(game.ThinkMax[seat], r.Seconds);
        ++game.ThinkMoves[seat];
    };
    auto save = [&] {
        if (!options.SaveFolder.empty()) SaveGameText(GameFileName(options.SaveFolder, number));
    };
    controller.OnGameOver = [&](const GameOutcome&) {
        // The end question is answered No, which empties the board: count the moves now.
        game.Moves = MoveCount;
        save();
    };

    if (firstSeated)
        controller.PlayGame(options.First, options.Second);
    else
        controller.PlayGame(options.Second, options.First);
    Opening() = OpeningSupport{};

    // The first seat plays black unless the opening exchanged the colours.
    const bool firstSeatBlack = !ColourChanged;
    game.FirstColour = firstSeated == firstSeatBlack ? kBlack : kWhite;
    const GameOutcome& out = controller.Outcome();
    if (out.kind != GameOutcome::Five && out.kind != GameOutcome::Draw) game.Moves = MoveCount;
    auto seatOfColour = [&](std::uint8_t colour) { return colour == game.FirstColour ? 1 : 2; };
    switch (out.kind) {
    case GameOutcome::Five:
        game.Outcome =
            seatOfColour(out.WinnerColour) == 1 ? MatchGame::FirstWon : MatchGame::SecondWon;
        break;
    case GameOutcome::Draw:
        game.Outcome = MatchGame::Draw;
        break;
    case GameOutcome::Aborted:
        save();
        game.FaultSeat = seatOfColour(out.FaultColour);
        game.Outcome = game.FaultSeat == 1 ? MatchGame::SecondWon : MatchGame::FirstWon;
        game.Message = OneLine(out.Message);
        break;
    default:
        game.Outcome = MatchGame::Failed;
        game.Message =
            boxes.errors.empty() ? "the game did not start" : OneLine(boxes.errors.front());
        break;
    }
    platform::SetMessageBoxes(previous);
    return game;
}

std::string EncodeMatchGame(const MatchGame& g) {
    std::ostringstream out;
    out.precision(17);
    out << g.Number << ' ' << int(g.FirstColour) << ' ' << int(g.Outcome) << ' ' << g.FaultSeat
        << ' ' << g.Moves;
    for (int s = 0; s < 2; ++s)
        out << ' ' << g.ThinkTotal[s] << ' ' << g.ThinkMax[s] << ' ' << g.ThinkMoves[s];
    out << ' ' << OneLine(g.Message);
    return out.str();
}

bool DecodeMatchGame(const std::string& line, MatchGame& g) {
    std::istringstream in(line);
    int colour = 0, outcome = 0;
    in >> g.Number >> colour >> outcome >> g.FaultSeat >> g.Moves;
    for (int s = 0; s < 2; ++s) in >> g.ThinkTotal[s] >> g.ThinkMax[s] >> g.ThinkMoves[s];
    if (!in || outcome < 0 || outcome > MatchGame::Failed || (colour != 1 && colour != 2))
        return false;
    g.FirstColour = static_cast<std::uint8_t>(colour);
    g.Outcome = static_cast<MatchGame::Result>(outcome);
    std::getline(in, g.Message);
    if (!g.Message.empty() && g.Message.front() == ' ') g.Message.erase(0, 1);
    return true;
}

bool CheckMatchPlayers(const MatchOptions& options) {
    PlayerFactory factory;
    factory.PlayersFolder = options.Config.PlayersFolder;
    if (options.SetUpFactory) options.SetUpFactory(factory);
    for (const std::string& id : {options.First, options.Second}) {
        if (TrimRight(id) == kHumanId || !factory.CreatePlayerByName(id, "")) return false;
    }
    return true;
}

std::vector<MatchGame> RunMatch(const MatchOptions& options,
                                const std::function<void(const MatchGame&)>& done) {
    struct Child {
        int number;
        int fd;
    };
    std::map<pid_t, Child> running;
    std::vector<MatchGame> results(static_cast<size_t>(std::max(options.Games, 0)));
    const int jobs = std::max(1, options.Jobs);
    int next = 1;

    auto finishOne = [&] {
        int status = 0;
        pid_t pid = ::waitpid(-1, &status, 0);
        if (pid <= 0) return false;
        auto it = running.find(pid);
        if (it == running.end()) return true;
        std::string text;
        char buf[512];
        ssize_t n;
        while ((n = ::read(it->second.fd, buf, sizeof buf)) > 0)
            text.append(buf, static_cast<size_t>(n));
        ::close(it->second.fd);
        MatchGame game;
        if (!DecodeMatchGame(text, game) || game.Number != it->second.number) {
            game = MatchGame{};
            game.Number = it->second.number;
            game.FirstColour = game.Number % 2 == 1 ? kBlack : kWhite;
            game.Outcome = MatchGame::Failed;
            game.Message = WIFSIGNALED(status) ? "the game process crashed (signal " +
                                                     std::to_string(WTERMSIG(status)) + ")"
                                               : "the game process gave no result";
        }
        results[static_cast<size_t>(game.Number - 1)] = game;
        running.erase(it);
        if (done) done(game);
        return true;
    };

    while (next <= options.Games || !running.empty()) {
        if (next <= options.Games && static_cast<int>(running.size()) < jobs) {
            int fds[2];
            if (::pipe(fds) != 0) break;
            std::fflush(nullptr);
            pid_t pid = ::fork();
            if (pid == 0) {
                ::close(fds[0]);
                std::string line = EncodeMatchGame(PlayMatchGame(options, next)) + "\n";
                ssize_t off = 0;
                while (off < static_cast<ssize_t>(line.size())) {
                    ssize_t w =
                        ::write(fds[1], line.data() + off, line.size() - static_cast<size_t>(off));
                    if (w <= 0) break;
                    off += w;
                }
                std::fflush(nullptr);
                ::_exit(0);
            }
            ::close(fds[1]);
            if (pid < 0) {
                ::close(fds[0]);
                if (running.empty()) break; // cannot start any process at all
                finishOne();
                continue;
            }
            running[pid] = Child{next, fds[0]};
            ++next;
            continue;
        }
        if (!finishOne()) break;
    }
    return results;
}

MatchSummary Summarise(const std::vector<MatchGame>& games) {
    MatchSummary s;
    auto firstScore = [](const MatchGame& g) {
        return g.Outcome == MatchGame::FirstWon ? 2 : g.Outcome == MatchGame::Draw ? 1 : 0;
    };
    for (const MatchGame& g : games) {
        switch (g.Outcome) {
        case MatchGame::FirstWon:
            ++s.Wins;
            break;
        case MatchGame::SecondWon:
            ++s.Losses;
            break;
        case MatchGame::Draw:
            ++s.Draws;
            break;
        case MatchGame::Failed:
            ++s.Failed;
            break;
        }
    }
    for (size_t i = 0; i + 1 < games.size(); i += 2) {
        if (games[i].Outcome == MatchGame::Failed || games[i + 1].Outcome == MatchGame::Failed)
            continue;
        ++s.Pairs[static_cast<size_t>(firstScore(games[i]) + firstScore(games[i + 1]))];
        ++s.CompletePairs;
    }
    return s;
}

} // namespace vorlix
