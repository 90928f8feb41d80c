// book: builds the opening book from games between two players, or lists a book.

#include "commands.h"
#include "players_setup.h"

#include "platform/atomic_file.h"
#include "vorlix/eval/openingbook.h"
#include "vorlix/match/book_builder.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/random.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <unistd.h>

namespace cli {

namespace {

std::string PointText(int cell) {
    return vorlix::TrimRight(vorlix::PontText(vorlix::CellX(cell), vorlix::CellY(cell)));
}

// One line per record: number, the five stones, score and games; then a summary.
int ShowBook(const std::string& path) {
    vorlix::OpeningBook book;
    if (!book.LoadBook(path)) {
        std::fprintf(stderr, "vorlix-cli book: %s\n", book.Error.c_str());
        return 1;
    }
    int even = 0;
    double sum = 0.0;
    for (int n = 1; n <= book.Count(); ++n) {
        const auto cells = book.DecodeRecord(n);
        std::printf("%5d ", n);
        for (int c : cells) std::printf(" %-3s", PointText(c).c_str());
        const auto& r = book.Record(n);
        std::printf("  score %5d games %d\n", r.Score, r.Games);
        sum += r.Score;
        even += r.Score >= 3000 && r.Score <= 7000;
    }
    std::printf("records %d, mean score %.0f, scores within 3000..7000: %d\n", book.Count(),
                book.Count() ? sum / book.Count() : 0.0, even);
    return 0;
}

} // namespace

int Book(const Args& args) {
    const Command& me = *FindCommand("book");
    std::map<std::string, std::string> opt;
    if (!ParseOptions(args, opt)) return UsageError(me);
    if (opt.count("--show")) {
        if (opt.size() != 1) return UsageError(me);
        return ShowBook(opt["--show"]);
    }
    for (const auto& [name, value] : opt)
        if (name != "--first" && name != "--second" && name != "--openings" && name != "--games" &&
            name != "--seed" && name != "--jobs" && name != "--out")
            return UsageError(me);
    long long openings = 0, games = 0, seed = 1, jobs = 1;
    if (!opt.count("--first") || !opt.count("--second") || !opt.count("--out") ||
        !opt.count("--openings") ||
        !ParseInt(opt["--openings"], 1, vorlix::kMaxBookRecords, openings) ||
        !opt.count("--games") || !ParseInt(opt["--games"], 1, 10000, games) ||
        (opt.count("--seed") && !ParseInt(opt["--seed"], 0, 4294967295LL, seed)) ||
        (opt.count("--jobs") && !ParseInt(opt["--jobs"], 1, 256, jobs)))
        return UsageError(me);

    vorlix::BookBuildOptions o;
    o.First = opt["--first"];
    o.Second = opt["--second"];
    o.Openings = static_cast<int>(openings);
    o.GamesPerOpening = static_cast<int>(games);
    o.Seed = static_cast<std::uint32_t>(seed);
    o.Jobs = static_cast<int>(jobs);
    o.Config = ProgramSettings();
    o.SetUpFactory = SetUpPlayerFactory;
    vorlix::MatchOptions check;
    check.First = o.First;
    check.Second = o.Second;
    check.Config = o.Config;
    check.SetUpFactory = o.SetUpFactory;
    if (!vorlix::CheckMatchPlayers(check)) {
        std::fprintf(stderr, "vorlix-cli book: the players %s and %s cannot both be created\n",
                     o.First.c_str(), o.Second.c_str());
        return 1;
    }
    const bool progress = ::isatty(2);
    const vorlix::BookBuildResult result = vorlix::BuildBook(o, [&](int done, int total) {
        if (progress) std::fprintf(stderr, "\ropening %d/%d", done, total);
        if (progress && done == total) std::fprintf(stderr, "\n");
    });
    const std::vector<std::uint8_t> bytes = vorlix::BookBytes(result.Records);
    std::string error;
    if (platform::WriteFileAtomic(opt["--out"], std::string(bytes.begin(), bytes.end()), &error) !=
        platform::WriteResult::Ok) {
        std::fprintf(stderr, "vorlix-cli book: cannot write %s: %s\n", opt["--out"].c_str(),
                     error.c_str());
        return 1;
    }
    int even = 0;
    double sum = 0.0;
    for (const auto& r : result.Records) {
        sum += r.Score;
        even += r.Score >= 3000 && r.Score <= 7000;
    }
    const size_t n = result.Records.size();
    std::printf("records %zu, games %d (%d without a result), mean score %.0f, scores within "
                "3000..7000: %d\n",
                n, result.Games, result.FailedGames, n ? sum / static_cast<double>(n) : 0.0, even);
    return 0;
}

} // namespace cli
