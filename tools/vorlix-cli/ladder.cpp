// ladder: every adjacent pair of the strength ladder, played from book openings, and the
// report of what the measurements say about the promised strengths.

#include "commands.h"
#include "ladder_report.h"
#include "match_setup.h"

#include "tools/match_report/match_report.h"

#include "vorlix/game/random.h"
#include "vorlix/match/match.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace cli {

namespace {

// "--pairs Random,Eager,0,8": each entry names the lower player of a pair by its key.
bool ParsePairs(const std::string& list, std::vector<int>& lowers) {
    const auto& rungs = LadderRungs();
    std::set<int> chosen;
    std::stringstream in(list);
    std::string key;
    while (std::getline(in, key, ',')) {
        int found = -1;
        for (size_t i = 0; i + 1 < rungs.size(); ++i)
            if (rungs[i].Key == key) found = static_cast<int>(i);
        if (found < 0) return false;
        chosen.insert(found);
    }
    if (chosen.empty()) return false;
    lowers.assign(chosen.begin(), chosen.end());
    return true;
}

// The earlier report at `path`, empty when there is none; false when it exists but cannot
// be read, so that its hand-written notes are never overwritten unseen.
bool ReadPreviousReport(const std::filesystem::path& path, std::string& text) {
    text.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return !ec;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) return false;
    text = all.str();
    return true;
}

std::string JoinArgs(const Args& args) {
    std::string s = "vorlix-cli ladder";
    for (const std::string& a : args) s += " " + a;
    return s;
}

bool WritePlot(const std::filesystem::path& plot, const std::vector<StrengthPoint>& points) {
    std::ofstream svg(plot, std::ios::binary | std::ios::trunc);
    svg << LadderPlot(points);
    svg.close();
    if (!svg) std::fprintf(stderr, "vorlix-cli ladder: cannot write %s\n", plot.string().c_str());
    return static_cast<bool>(svg);
}

// Draws the plot again from the measurements of an existing report, playing nothing.
int Replot(const std::filesystem::path& out, const std::filesystem::path& plot) {
    std::string report;
    if (!ReadPreviousReport(out, report) || report.empty()) {
        std::fprintf(stderr, "vorlix-cli ladder: cannot read %s\n", out.string().c_str());
        return 1;
    }
    const std::vector<LadderGap> gaps = ReportGaps(report);
    if (gaps.empty()) {
        std::fprintf(stderr, "vorlix-cli ladder: %s holds no measured pair\n",
                     out.string().c_str());
        return 1;
    }
    if (!WritePlot(plot, LadderPoints(gaps))) return 1;
    std::printf("Wrote %s from the %zu pairs of %s\n", plot.string().c_str(), gaps.size(),
                out.string().c_str());
    return 0;
}

} // namespace

int Ladder(const Args& args) {
    const Command& me = *FindCommand("ladder");
    // "--replot" is the one option without a value.
    Args rest;
    const bool replot = TakeFlag(args, "--replot", rest);
    std::map<std::string, std::string> opt;
    if (!ParseOptions(rest, opt)) return UsageError(me);
    for (const auto& [name, value] : opt)
        if (name != "--games" && name != "--jobs" && name != "--seed" && name != "--pairs" &&
            name != "--out")
            return UsageError(me);
    if (replot && opt.size() > (opt.count("--out") ? 1u : 0u)) return UsageError(me);
    long long games = 40, jobs = 1, seed = 1;
    if ((opt.count("--games") && !ParseInt(opt["--games"], 2, 1000000, games)) ||
        (opt.count("--jobs") && !ParseInt(opt["--jobs"], 1, 256, jobs)) ||
        (opt.count("--seed") && !ParseInt(opt["--seed"], 0, 4294967295LL, seed)))
        return UsageError(me);
    // Game pairs: an odd count would leave one opening played with one colour only.
    games += games % 2;
    std::vector<int> lowers;
    if (opt.count("--pairs")) {
        if (!ParsePairs(opt["--pairs"], lowers)) return UsageError(me);
    } else {
        for (size_t i = 0; i + 1 < LadderRungs().size(); ++i) lowers.push_back(static_cast<int>(i));
    }
    const std::filesystem::path out = opt.count("--out") ? opt["--out"] : "docs/strength.md";
    std::filesystem::path plot = out;
    plot.replace_extension(".svg");
    if (replot) return Replot(out, plot);
    // Checked before the games: finding out after an hour of play would lose the run.
    std::string previous;
    if (!ReadPreviousReport(out, previous)) {
        std::fprintf(stderr, "vorlix-cli ladder: cannot read %s\n", out.string().c_str());
        return 1;
    }

    LadderRun run;
    run.GamesPerPair = static_cast<int>(games);
    run.Seed = static_cast<unsigned>(seed);
    run.Jobs = static_cast<int>(jobs);
    run.Command = JoinArgs(args);
    run.PlotFile = plot.filename().string();

    const auto& rungs = LadderRungs();
    for (int lower : lowers) {
        const LadderRung& lo = rungs[static_cast<size_t>(lower)];
        const LadderRung& hi = rungs[static_cast<size_t>(lower) + 1];
        LadderPair pair;
        pair.Lower = lower;
        vorlix::MatchOptions o;
        o.First = hi.Id;
        o.Second = lo.Id;
        o.Games = run.GamesPerPair;
        o.Jobs = run.Jobs;
        // Each pair its own openings, the same whatever other pairs are chosen.
        o.Seed = run.Seed + static_cast<std::uint32_t>(lower) * 1000003u;
        o.Opening = vorlix::MatchOpening::Book;
        vorlix::OpeningBook book;
        std::string error;
        if (!PrepareMatch(o, book, "", &error)) {
            std::fprintf(stderr, "vorlix-cli ladder: %s\n", error.c_str());
            return 1;
        }
        if (!vorlix::CheckMatchPlayers(o)) {
            std::string missing;
            for (const std::string& id : {hi.Id, lo.Id}) {
                vorlix::MatchOptions one = o;
                one.First = one.Second = id;
                if (!vorlix::CheckMatchPlayers(one))
                    missing += (missing.empty() ? "" : " and ") + id;
            }
            pair.Note = missing + (missing.find(" and ") == std::string::npos ? " is" : " are") +
                        " not built in";
            std::printf("%s vs %s: skipped, %s\n", hi.Name.c_str(), lo.Name.c_str(),
                        pair.Note.c_str());
            run.Pairs.push_back(pair);
            continue;
        }
        const auto results = vorlix::RunMatch(o, nullptr);
        const vorlix::MatchSummary s = vorlix::Summarise(results);
        pair.Played = true;
        pair.Wins = s.Wins;
        pair.Losses = s.Losses;
        pair.Draws = s.Draws;
        pair.Failed = s.Failed;
        pair.Pairs = s.Pairs;
        pair.CompletePairs = s.CompletePairs;
        pair.HigherMsPerMove = MeanMsPerMove(results, 0);
        pair.LowerMsPerMove = MeanMsPerMove(results, 1);
        run.Pairs.push_back(pair);

        const LadderVerdict v = JudgeLadderPair(pair);
        std::printf("%s vs %s: %d - %d - %d  Elo %s +/- %s (promised %s)\n", hi.Name.c_str(),
                    lo.Name.c_str(), s.Wins, s.Losses, s.Draws,
                    match_report::NumberText(v.Elo, 1).c_str(),
                    match_report::NumberText(v.Error, 1).c_str(),
                    match_report::NumberText(v.PromisedGap, 0).c_str());
        std::fflush(stdout);
    }

    // Read again: the notes may have been edited while the games were played.
    if (!ReadPreviousReport(out, previous)) {
        std::fprintf(stderr, "vorlix-cli ladder: cannot read %s\n", out.string().c_str());
        return 1;
    }
    run.Notes = LadderNotes(previous);
    std::error_code ec;
    if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), ec);
    std::ofstream md(out, std::ios::binary | std::ios::trunc);
    md << LadderMarkdown(run);
    md.close();
    std::string error;
    if (!md) {
        std::fprintf(stderr, "vorlix-cli ladder: cannot write %s\n", out.string().c_str());
        return 1;
    }
    std::vector<LadderGap> gaps;
    for (const LadderPair& p : run.Pairs)
        if (p.Played) gaps.push_back(GapOf(p));
    if (!WritePlot(plot, LadderPoints(gaps))) return 1;
    std::printf("Wrote %s and %s\n", out.string().c_str(), plot.string().c_str());
    return 0;
}

} // namespace cli
