#include "ladder_report.h"

#include "vorlix/match/match_stats.h"
#include "vorlix/search/internal_levels.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

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

LadderGap GapOf(const LadderPair& pair) {
    const LadderVerdict v = JudgeLadderPair(pair);
    LadderGap g;
    g.Lower = pair.Lower;
    g.Measured = v.Measured;
    g.Error = v.Error;
    g.Perfect = v.Perfect;
    return g;
}

std::vector<StrengthPoint> LadderPoints(const std::vector<LadderGap>& gaps) {
    const auto& rungs = LadderRungs();
    const int n = static_cast<int>(rungs.size());
    std::vector<const LadderGap*> gap(static_cast<size_t>(n), nullptr); // rung i to i + 1
    for (const LadderGap& g : gaps)
        if (g.Lower >= 0 && g.Lower + 1 < n && std::isfinite(g.Measured))
            gap[static_cast<size_t>(g.Lower)] = &g;
    std::vector<StrengthPoint> points(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        StrengthPoint& p = points[static_cast<size_t>(i)];
        p.Label = rungs[static_cast<size_t>(i)].Key;
        p.Promised = rungs[static_cast<size_t>(i)].Promised;
        p.Measured = p.Error = kNaN;
    }
    const int a = LadderAnchor();
    StrengthPoint& anchor = points[static_cast<size_t>(a)];
    anchor.Measured = anchor.Promised;
    anchor.Error = 0.0;
    // One step along the chain: `up` from rung `from` to the next, else to the one below.
    auto step = [&](int from, int to, const LadderGap& g, bool up) {
        const StrengthPoint& p = points[static_cast<size_t>(from)];
        StrengthPoint& q = points[static_cast<size_t>(to)];
        q.Measured = p.Measured + (up ? g.Measured : -g.Measured);
        q.Bound = p.Bound;
        q.Error = p.Error;
        if (g.Perfect) {
            // A gap of at least B makes the rung above at least, the one below at most.
            const int bound = (g.Measured > 0) == up ? 1 : -1;
            q.Bound = p.Bound == 0 || p.Bound == bound ? bound : 0;
            q.Error = p.Bound == 0 || p.Bound == bound ? p.Error : kNaN;
        } else {
            q.Error = std::sqrt(p.Error * p.Error + g.Error * g.Error);
        }
    };
    for (int i = a; i + 1 < n && gap[static_cast<size_t>(i)]; ++i)
        step(i, i + 1, *gap[static_cast<size_t>(i)], true);
    for (int i = a; i > 0 && gap[static_cast<size_t>(i) - 1]; --i)
        step(i, i - 1, *gap[static_cast<size_t>(i) - 1], false);
    return points;
}

std::vector<double> MeasuredStrengths(const std::vector<LadderPair>& pairs) {
    std::vector<LadderGap> gaps;
    for (const LadderPair& p : pairs)
        if (p.Played) gaps.push_back(GapOf(p));
    std::vector<double> s;
    for (const StrengthPoint& p : LadderPoints(gaps)) s.push_back(p.Measured);
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
               "the promise kept exactly, the blue line joins the measured players with their 95% "
               "bars; an arrow marks a bound that a perfect score gives.\n";
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

namespace {

bool ReadDouble(const std::string& text, double& v) {
    const char* begin = text.data();
    if (!text.empty() && text[0] == '+') ++begin; // from_chars takes no plus sign
    auto [end, ec] = std::from_chars(begin, text.data() + text.size(), v);
    return ec == std::errc() && end == text.data() + text.size();
}

std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    size_t at = row.find('|');
    while (at != std::string::npos) {
        size_t next = row.find('|', at + 1);
        if (next == std::string::npos) break;
        std::string c = row.substr(at + 1, next - at - 1);
        const size_t first = c.find_first_not_of(' ');
        const size_t last = c.find_last_not_of(" \r");
        cells.push_back(first == std::string::npos ? "" : c.substr(first, last - first + 1));
        at = next;
    }
    return cells;
}

std::string Xml(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

std::string Num(long v) {
    return std::to_string(v);
}

} // namespace

std::vector<LadderGap> ReportGaps(const std::string& whole) {
    // Tables in the hand-written notes are not the run's.
    const std::string notes = LadderNotes(whole);
    const std::string report =
        whole.size() >= notes.size() &&
                whole.compare(whole.size() - notes.size(), notes.size(), notes) == 0
            ? whole.substr(0, whole.size() - notes.size())
            : whole;
    const auto& rungs = LadderRungs();
    std::vector<LadderGap> gaps;
    for (size_t at = 0; at < report.size();) {
        size_t end = report.find('\n', at);
        if (end == std::string::npos) end = report.size();
        const std::vector<std::string> c = Cells(report.substr(at, end - at));
        at = end + 1;
        if (c.size() < 5) continue;
        int lower = -1;
        for (size_t i = 0; i + 1 < rungs.size(); ++i)
            if (c[0] == rungs[i + 1].Name + " vs " + rungs[i].Name) lower = static_cast<int>(i);
        if (lower < 0) continue;
        LadderGap g;
        g.Lower = lower;
        const std::string& elo = c[4];
        const size_t bound = elo.find("(bound ");
        const size_t pm = elo.find(" +/- ");
        if (bound != std::string::npos) {
            g.Perfect = true;
            g.Error = kNaN;
            const size_t close = elo.find(')', bound);
            if (close == std::string::npos ||
                !ReadDouble(elo.substr(bound + 7, close - bound - 7), g.Measured))
                continue;
        } else if (pm != std::string::npos) {
            if (!ReadDouble(elo.substr(0, pm), g.Measured)) continue;
            if (!ReadDouble(elo.substr(pm + 5), g.Error)) g.Error = kNaN;
        } else {
            continue;
        }
        gaps.push_back(g);
    }
    return gaps;
}

std::string LadderPlot(const std::vector<StrengthPoint>& points) {
    double lo = 0, hi = 0;
    for (const StrengthPoint& p : points) {
        lo = std::min(lo, p.Promised);
        hi = std::max(hi, p.Promised);
        if (std::isfinite(p.Measured)) {
            const double e = std::isfinite(p.Error) ? p.Error : 0.0;
            lo = std::min(lo, p.Measured - e);
            hi = std::max(hi, p.Measured + e);
        }
    }
    lo = std::floor(lo / 500.0) * 500.0;
    hi = std::ceil(hi / 500.0) * 500.0;
    if (hi <= lo) hi = lo + 500.0;

    const long width = 720, height = 640, left = 90, right = 30, top = 56, bottom = 76;
    const long w = width - left - right, h = height - top - bottom;
    // Whole pixels: the document's numbers never depend on the locale's decimal sign.
    auto px = [&](double v) { return left + std::lround((v - lo) / (hi - lo) * w); };
    auto py = [&](double v) { return top + h - std::lround((v - lo) / (hi - lo) * h); };
    const char* blue = "#1e50c8";

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      Num(width) + "\" height=\"" + Num(height) + "\" viewBox=\"0 0 " + Num(width) +
                      " " + Num(height) +
                      "\" font-family=\"DejaVu Sans, Liberation Sans, Arial, sans-serif\" "
                      "font-size=\"13\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += "<text x=\"" + Num(left) +
           "\" y=\"30\" font-size=\"17\" font-weight=\"bold\">"
           "Measured against promised strength (Elo)</text>\n";
    svg += "<g stroke=\"#e1e1e1\" stroke-width=\"1\">\n";
    for (double t = lo; t <= hi + 1e-9; t += 500.0)
        svg += "<line x1=\"" + Num(px(t)) + "\" y1=\"" + Num(top) + "\" x2=\"" + Num(px(t)) +
               "\" y2=\"" + Num(top + h) + "\"/><line x1=\"" + Num(left) + "\" y1=\"" + Num(py(t)) +
               "\" x2=\"" + Num(left + w) + "\" y2=\"" + Num(py(t)) + "\"/>\n";
    svg += "</g>\n<g fill=\"#333333\">\n";
    for (double t = lo; t <= hi + 1e-9; t += 500.0) {
        const std::string label = Xml(Plain(t));
        svg += "<text x=\"" + Num(px(t)) + "\" y=\"" + Num(top + h + 20) +
               "\" text-anchor=\"middle\">" + label + "</text><text x=\"" + Num(left - 8) +
               "\" y=\"" + Num(py(t) + 4) + "\" text-anchor=\"end\">" + label + "</text>\n";
    }
    svg += "</g>\n";
    svg += "<text x=\"" + Num(left + w / 2) + "\" y=\"" + Num(height - 24) +
           "\" text-anchor=\"middle\" font-size=\"14\">Promised strength</text>\n";
    svg += "<text transform=\"translate(22 " + Num(top + h / 2) +
           ") rotate(-90)\" text-anchor=\"middle\" font-size=\"14\">Measured strength</text>\n";
    svg += "<path d=\"M" + Num(left) + " " + Num(top) + "V" + Num(top + h) + "H" + Num(left + w) +
           "\" fill=\"none\" stroke=\"black\" stroke-width=\"1.5\"/>\n";
    svg += "<line x1=\"" + Num(px(lo)) + "\" y1=\"" + Num(py(lo)) + "\" x2=\"" + Num(px(hi)) +
           "\" y2=\"" + Num(py(hi)) +
           "\" stroke=\"#969696\" stroke-width=\"2\" stroke-dasharray=\"8 5\"/>\n";

    // The measured rungs, joined where the chain is unbroken.
    std::string path;
    bool open = false;
    for (const StrengthPoint& p : points) {
        if (!std::isfinite(p.Measured)) {
            open = false;
            continue;
        }
        path += (open ? "L" : "M") + Num(px(p.Promised)) + " " + Num(py(p.Measured));
        open = true;
    }
    if (!path.empty())
        svg +=
            "<path d=\"" + path + "\" fill=\"none\" stroke=\"" + blue + "\" stroke-width=\"2\"/>\n";
    svg += std::string("<g stroke=\"") + blue + "\" stroke-width=\"1.5\" fill=\"" + blue + "\">\n";
    for (const StrengthPoint& p : points) {
        if (!std::isfinite(p.Measured)) continue;
        const long x = px(p.Promised), y = py(p.Measured);
        if (std::isfinite(p.Error) && p.Error > 0) {
            const long y1 = py(p.Measured + p.Error), y2 = py(p.Measured - p.Error);
            svg += "<path d=\"M" + Num(x) + " " + Num(y1) + "V" + Num(y2) + "M" + Num(x - 5) + " " +
                   Num(y1) + "h10M" + Num(x - 5) + " " + Num(y2) + "h10\" fill=\"none\"/>\n";
        }
        if (p.Bound != 0) {
            // An arrow from the point the way the true value lies.
            const long tip = y - 28 * p.Bound, base = tip + 8 * p.Bound;
            svg += "<path d=\"M" + Num(x) + " " + Num(y) + "V" + Num(base) + "\" fill=\"none\"/>";
            svg += "<path d=\"M" + Num(x - 5) + " " + Num(base) + "L" + Num(x) + " " + Num(tip) +
                   "L" + Num(x + 5) + " " + Num(base) + "Z\"/>\n";
        }
        svg += "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"4\"/>\n";
    }
    // Labels alternate below and above their points, so neighbours do not overlap.
    svg += "</g>\n<g fill=\"#1a1a1a\" font-size=\"12\">\n";
    for (size_t i = 0; i < points.size(); ++i) {
        const StrengthPoint& p = points[i];
        if (!std::isfinite(p.Measured)) continue;
        const long dy = i % 2 == 0 ? 18 : -10;
        svg += "<text x=\"" + Num(px(p.Promised) + 8) + "\" y=\"" + Num(py(p.Measured) + dy) +
               "\">" + Xml(p.Label) + "</text>\n";
    }
    svg += "</g>\n";

    // The legend, in the empty lower right corner.
    const long lx = left + w - 230, ly = top + h - 74;
    svg += "<rect x=\"" + Num(lx - 10) + "\" y=\"" + Num(ly - 16) +
           "\" width=\"232\" height=\"80\" fill=\"white\" stroke=\"#cccccc\"/>\n";
    svg += "<line x1=\"" + Num(lx) + "\" y1=\"" + Num(ly) + "\" x2=\"" + Num(lx + 26) + "\" y2=\"" +
           Num(ly) + "\" stroke=\"#969696\" stroke-width=\"2\" stroke-dasharray=\"8 5\"/>";
    svg +=
        "<text x=\"" + Num(lx + 36) + "\" y=\"" + Num(ly + 4) + "\">Promise kept exactly</text>\n";
    svg += std::string("<path d=\"M") + Num(lx) + " " + Num(ly + 24) + "h26M" + Num(lx + 13) + " " +
           Num(ly + 16) + "v16\" stroke=\"" + blue + "\" stroke-width=\"1.5\" fill=\"none\"/>";
    svg += std::string("<circle cx=\"") + Num(lx + 13) + "\" cy=\"" + Num(ly + 24) +
           "\" r=\"4\" fill=\"" + blue + "\"/>";
    svg += "<text x=\"" + Num(lx + 36) + "\" y=\"" + Num(ly + 28) +
           "\">Measured, 95% interval</text>\n";
    svg += std::string("<path d=\"M") + Num(lx + 8) + " " + Num(ly + 52) + "L" + Num(lx + 13) +
           " " + Num(ly + 42) + "L" + Num(lx + 18) + " " + Num(ly + 52) + "Z\" fill=\"" + blue +
           "\"/>";
    svg += "<text x=\"" + Num(lx + 36) + "\" y=\"" + Num(ly + 52) +
           "\">Bound (a perfect score)</text>\n";
    svg += "</svg>\n";
    return svg;
}

} // namespace cli
