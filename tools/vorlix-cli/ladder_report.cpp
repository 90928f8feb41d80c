#include "ladder_report.h"

#include "vorlix/match/match_stats.h"
#include "vorlix/search/internal_levels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace cli {

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Fixed(double v, int decimals) {
    if (std::isnan(v)) return "n/a";
    if (std::isinf(v)) return v > 0 ? "+inf" : "-inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%+.*f", decimals, v + 0.0);
    std::string s = buf;
    // No "-0" or "+0": zero has no sign.
    if (s.find_first_not_of("+-0.") == std::string::npos) s = s.substr(1);
    return s;
}

std::string Plain(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
}

std::string Unsigned(double v) {
    if (std::isnan(v)) return "n/a";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

// Lower end of the 95% interval of the score: from the game pairs when there are any
// (the same variance as the pentanomial estimate), else from the games.
double LowerScore(const LadderPair& p, double score) {
    double var = 0.0;
    int n = 0;
    if (p.CompletePairs > 0) {
        double sum = 0.0;
        for (size_t k = 0; k < 5; ++k) {
            sum += p.Pairs[k] * (k / 4.0);
            n += p.Pairs[k];
        }
        score = sum / n;
        for (size_t k = 0; k < 5; ++k) var += p.Pairs[k] * (k / 4.0 - score) * (k / 4.0 - score);
    } else {
        n = p.Wins + p.Losses + p.Draws;
        var = p.Wins * (1 - score) * (1 - score) + p.Draws * (0.5 - score) * (0.5 - score) +
              p.Losses * score * score;
    }
    var /= n;
    return score - 1.959964 * std::sqrt(var / n);
}

// Games a pair needs by the targets of the ladder: 200 up to Level 6, 100 above.
int TargetGames(int lower) {
    const int level6 = LadderAnchor() + 6;
    return lower + 1 <= level6 ? 200 : 100;
}

} // namespace

const std::vector<LadderRung>& LadderRungs() {
    static const std::vector<LadderRung> rungs = [] {
        std::vector<LadderRung> r = {
            {"Random", "Random", "players:Random", -2500},
            {"Neighbour", "Neighbour", "players:Neighbour", -2300},
            {"Eager", "Eager", "players:Eager", 100},
        };
        for (size_t i = 0; i < vorlix::kInternalItems.size(); ++i) {
            const auto& item = vorlix::kInternalItems[i];
            r.push_back({std::to_string(i), item.Caption, item.Identifier, item.Strength});
        }
        return r;
    }();
    return rungs;
}

int LadderAnchor() {
    return 3; // Level 0
}

LadderVerdict JudgeLadderPair(const LadderPair& p) {
    LadderVerdict v;
    const auto& rungs = LadderRungs();
    v.PromisedGap = rungs[static_cast<size_t>(p.Lower) + 1].Promised -
                    rungs[static_cast<size_t>(p.Lower)].Promised;
    v.Games = p.Wins + p.Losses + p.Draws;
    if (!p.Played || v.Games == 0) {
        v.Elo = v.Error = v.Measured = kNaN;
        v.WithinTwo = "n/a";
        return v;
    }
    const vorlix::EloEstimate e = p.CompletePairs > 0
                                      ? vorlix::EstimateEloPairs(p.Pairs)
                                      : vorlix::EstimateElo(p.Wins, p.Losses, p.Draws);
    v.Score = (p.Wins + 0.5 * p.Draws) / v.Games;
    v.Elo = e.Elo;
    v.Error = e.Error;
    v.Perfect = p.Wins == v.Games || p.Losses == v.Games;
    const double g = v.PromisedGap;
    if (v.Perfect) {
        const double low = std::pow(0.025, 1.0 / v.Games);
        v.EloBound = p.Wins == v.Games ? vorlix::EloOfScore(low) : -vorlix::EloOfScore(low);
        v.Elo = p.Wins == v.Games ? std::numeric_limits<double>::infinity()
                                  : -std::numeric_limits<double>::infinity();
        v.Error = kNaN;
        v.Ahead = v.EloBound > 0.0;
        v.Measured = v.EloBound;
        if (v.EloBound <= 0.0)
            v.WithinTwo = "too small";
        else if (v.EloBound > 2.0 * g)
            v.WithinTwo = "too large";
        else
            v.WithinTwo = "at least " + Plain(v.EloBound);
        return v;
    }
    v.Measured = v.Elo;
    if (std::isnan(v.Error)) {
        // A score so close to 1 (or 0) that the interval leaves 0..1 on that side: only
        // its other end says something.
        const double low = LowerScore(p, v.Score);
        v.EloBound =
            low <= 0.0 ? -std::numeric_limits<double>::infinity() : vorlix::EloOfScore(low);
        v.Ahead = low > 0.5;
        v.WithinTwo = v.EloBound > 2.0 * g                   ? "too large"
                      : v.Elo >= g / 2.0 && v.Elo <= 2.0 * g ? "yes"
                      : v.Ahead                              ? "at least " + Plain(v.EloBound)
                                                             : "too small";
        return v;
    }
    v.Ahead = v.Elo - v.Error > 0.0;
    v.WithinTwo = v.Elo < g / 2.0 ? "too small" : v.Elo > 2.0 * g ? "too large" : "yes";
    return v;
}

std::vector<double> MeasuredStrengths(const std::vector<LadderPair>& pairs) {
    const auto& rungs = LadderRungs();
    const int n = static_cast<int>(rungs.size());
    std::vector<double> gap(static_cast<size_t>(n), kNaN); // gap[i]: rung i to i + 1
    for (const LadderPair& p : pairs) {
        if (p.Lower < 0 || p.Lower + 1 >= n) continue;
        const double m = JudgeLadderPair(p).Measured;
        if (std::isfinite(m)) gap[static_cast<size_t>(p.Lower)] = m;
    }
    std::vector<double> s(static_cast<size_t>(n), kNaN);
    const int a = LadderAnchor();
    s[static_cast<size_t>(a)] = rungs[static_cast<size_t>(a)].Promised;
    for (int i = a; i + 1 < n && !std::isnan(gap[static_cast<size_t>(i)]); ++i)
        s[static_cast<size_t>(i) + 1] = s[static_cast<size_t>(i)] + gap[static_cast<size_t>(i)];
    for (int i = a; i > 0 && !std::isnan(gap[static_cast<size_t>(i) - 1]); --i)
        s[static_cast<size_t>(i) - 1] = s[static_cast<size_t>(i)] - gap[static_cast<size_t>(i) - 1];
    return s;
}

std::string LadderMarkdown(const LadderRun& run) {
    const auto& rungs = LadderRungs();
    std::string out = "# Strength ladder\n\n";
    out += "Generated by `" + run.Command + "` (seed " + std::to_string(run.Seed) + ", " +
           std::to_string(run.Jobs) + " jobs). ";
    out += "Each adjacent pair of the ladder plays up to " + std::to_string(run.GamesPerPair) +
           " games from book openings of data/kezd.dat, every opening twice with the colours "
           "swapped. Scores and Elo differences are from the higher player's side; the error "
           "bar is the 95% interval, from the game pairs (pentanomial). A perfect score has no "
           "finite Elo: its one-sided 95% bound is shown instead and used for the plot.\n\n";

    int shortPairs = 0, skippedPairs = 0;
    for (const LadderPair& p : run.Pairs) {
        if (!p.Played)
            ++skippedPairs;
        else if (p.Wins + p.Losses + p.Draws < TargetGames(p.Lower))
            ++shortPairs;
    }
    const std::string target =
        " the target number of games (200 per pair up to Level 6, 100 for Levels 7 to 9)";
    if (static_cast<int>(run.Pairs.size()) > skippedPairs)
        out += shortPairs == 0
                   ? "Every played pair reached" + target + ". "
                   : "**" + std::to_string(shortPairs) + " played pair(s) fall short of" + target +
                         "; their verdicts are provisional.** ";
    if (skippedPairs > 0)
        out += "**" + std::to_string(skippedPairs) +
               " pair(s) could not be played (listed below the table): their targets are not "
               "reached.**";
    out += "\n\n";

    out += "| Pair | Games | W-L-D | Score | Elo difference | Promised gap | Higher ahead, bar "
           "above 0 | Within x2 of the promise | ms per move (higher, lower) |\n";
    out += "|---|---|---|---|---|---|---|---|---|\n";
    std::string skipped;
    for (const LadderPair& p : run.Pairs) {
        const LadderRung& lo = rungs[static_cast<size_t>(p.Lower)];
        const LadderRung& hi = rungs[static_cast<size_t>(p.Lower) + 1];
        const std::string name = hi.Name + " vs " + lo.Name;
        if (!p.Played) {
            skipped += "- " + name + ": not played, " + p.Note + ".\n";
            continue;
        }
        const LadderVerdict v = JudgeLadderPair(p);
        char buf[512];
        std::string elo;
        if (v.Perfect)
            elo =
                std::string(v.Elo > 0 ? "+inf" : "-inf") + " (bound " + Fixed(v.EloBound, 1) + ")";
        else if (std::isnan(v.Error))
            elo = Fixed(v.Elo, 1) + " (bound " + Fixed(v.EloBound, 1) + ")";
        else
            elo = Fixed(v.Elo, 1) + " +/- " + Unsigned(v.Error);
        std::snprintf(buf, sizeof buf,
                      "| %s | %d | %d-%d-%d | %.3f | %s | %s | %s | %s | %.2f, %.2f |\n",
                      name.c_str(), v.Games, p.Wins, p.Losses, p.Draws, v.Score, elo.c_str(),
                      Fixed(v.PromisedGap, 0).c_str(), v.Ahead ? "yes" : "**no**",
                      v.WithinTwo == "yes" ? "yes" : ("**" + v.WithinTwo + "**").c_str(),
                      p.HigherMsPerMove, p.LowerMsPerMove);
        out += buf;
        if (p.Failed)
            skipped += "- " + name + ": " + std::to_string(p.Failed) +
                       " game(s) without a result, left out of the score.\n";
    }
    if (!skipped.empty()) out += "\n" + skipped;

    const std::vector<double> s = MeasuredStrengths(run.Pairs);
    out += "\nStrengths: the measured gaps added up from Level 0 = " +
           Plain(rungs[static_cast<size_t>(LadderAnchor())].Promised) +
           " (n/a where the chain of played pairs does not reach).\n\n";
    out += "| Player | Promised | Measured |\n|---|---|---|\n";
    for (size_t i = 0; i < rungs.size(); ++i)
        out += "| " + rungs[i].Name + " | " + Plain(rungs[i].Promised) + " | " +
               (std::isnan(s[i]) ? std::string("n/a") : Plain(s[i])) + " |\n";
    if (!run.PlotFile.empty())
        out += "\n![Measured against promised strength](" + run.PlotFile +
               ")\n\n"
               "The plot: promised strength across, measured strength up; the grey diagonal is "
               "the promise kept exactly, the blue line joins the measured players.\n";
    if (!run.Notes.empty()) out += "\n" + run.Notes;
    return out;
}

std::string LadderNotes(const std::string& previousReport) {
    // The heading counts only as a line of its own; a trailing "\r" or blank is allowed
    // so that a file edited on another system keeps its notes.
    static const std::string kHeading = "## Notes";
    for (size_t at = 0; at < previousReport.size();) {
        size_t end = previousReport.find('\n', at);
        if (end == std::string::npos) end = previousReport.size();
        const std::string line = previousReport.substr(at, end - at);
        if (line.compare(0, kHeading.size(), kHeading) == 0 &&
            line.find_first_not_of(" \t\r", kHeading.size()) == std::string::npos) {
            std::string notes = previousReport.substr(at);
            if (notes.back() != '\n') notes += '\n';
            return notes;
        }
        at = end + 1;
    }
    return kHeading +
           "\n\nWritten by hand and kept when the report is regenerated: for every pair that "
           "misses a target, which target and why.\n";
}

RgbImage LadderPlot(const std::vector<LadderPair>& pairs) {
    const auto& rungs = LadderRungs();
    const std::vector<double> s = MeasuredStrengths(pairs);
    double lo = 0, hi = 0;
    for (size_t i = 0; i < rungs.size(); ++i) {
        lo = std::min(lo, rungs[i].Promised);
        hi = std::max(hi, rungs[i].Promised);
        if (std::isfinite(s[i])) {
            lo = std::min(lo, s[i]);
            hi = std::max(hi, s[i]);
        }
    }
    lo = std::floor(lo / 500.0) * 500.0;
    hi = std::ceil(hi / 500.0) * 500.0;
    if (hi <= lo) hi = lo + 500.0;

    const int size = 640, left = 70, right = 20, top = 40, bottom = 60;
    const int w = size - left - right, h = size - top - bottom;
    const Rgb white{255, 255, 255}, black{0, 0, 0}, grid{225, 225, 225}, grey{150, 150, 150},
        blue{30, 80, 200};
    RgbImage img(size, size, white);
    auto px = [&](double v) {
        return left + static_cast<int>(std::lround((v - lo) / (hi - lo) * w));
    };
    auto py = [&](double v) {
        return top + h - static_cast<int>(std::lround((v - lo) / (hi - lo) * h));
    };

    for (double t = lo; t <= hi + 1e-9; t += 500.0) {
        img.DrawLine(px(t), top, px(t), top + h, grid);
        img.DrawLine(left, py(t), left + w, py(t), grid);
        const std::string label = Plain(t);
        img.DrawText(px(t) - RgbImage::TextWidth(label, 2) / 2, top + h + 8, label, black, 2);
        img.DrawText(left - 8 - RgbImage::TextWidth(label, 2), py(t) - 5, label, black, 2);
    }
    img.DrawLine(left, top, left, top + h, black, 2);
    img.DrawLine(left, top + h, left + w, top + h, black, 2);
    img.DrawLine(px(lo), py(lo), px(hi), py(hi), grey, 2);
    img.DrawText(left, 12, "MEASURED AGAINST PROMISED STRENGTH", black, 2);
    img.DrawText(left + w / 2 - RgbImage::TextWidth("PROMISED", 2) / 2, size - 22, "PROMISED",
                 black, 2);

    int lastX = -1, lastY = -1;
    for (size_t i = 0; i < rungs.size(); ++i) {
        if (!std::isfinite(s[i])) {
            lastX = -1;
            continue;
        }
        const int x = px(rungs[i].Promised), y = py(s[i]);
        if (lastX >= 0) img.DrawLine(lastX, lastY, x, y, blue, 2);
        lastX = x;
        lastY = y;
    }
    for (size_t i = 0; i < rungs.size(); ++i)
        if (std::isfinite(s[i])) img.FillCircle(px(rungs[i].Promised), py(s[i]), 4, blue);
    // Legend in the empty lower right corner.
    const int lx = left + w - 170, ly = top + h - 40;
    img.DrawLine(lx, ly, lx + 24, ly, grey, 2);
    img.DrawText(lx + 32, ly - 5, "PROMISE", black, 2);
    img.DrawLine(lx, ly + 20, lx + 24, ly + 20, blue, 2);
    img.FillCircle(lx + 12, ly + 20, 4, blue);
    img.DrawText(lx + 32, ly + 15, "MEASURED", black, 2);
    return img;
}

} // namespace cli
