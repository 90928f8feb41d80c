#include "tools/match_report/match_report.h"

#include "vorlix/match/match_stats.h"

#include <cmath>
#include <cstdio>

namespace match_report {

std::string NumberText(double v, int decimals) {
    // printf writes the sign bit of a NaN ("-nan"), which says nothing: one spelling.
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v + 0.0); // no "-0.0"
    if (std::string(buf).find_first_not_of("-0.") == std::string::npos)
        std::snprintf(buf, sizeof buf, "%.*f", decimals, 0.0);
    return buf;
}

std::string SummaryLines(const std::string& first, const std::string& second, const Tally& t) {
    const int n = t.Wins + t.Losses + t.Draws;
    const vorlix::EloEstimate e = vorlix::EstimateElo(t.Wins, t.Losses, t.Draws);
    // The names are joined, not formatted: a long library player name is never cut.
    std::string out = "Score of " + first + " vs " + second + ": ";
    char buf[256];
    std::snprintf(buf, sizeof buf, "%d - %d - %d  [%.3f] %d\n", t.Wins, t.Losses, t.Draws, e.Score,
                  n);
    out += buf;
    std::snprintf(buf, sizeof buf, "Elo difference: %s +/- %s, LOS: %.1f %%, DrawRatio: %.1f %%\n",
                  NumberText(e.Elo, 1).c_str(), NumberText(e.Error, 1).c_str(),
                  100.0 * vorlix::LikelihoodOfSuperiority(t.Wins, t.Losses),
                  n ? 100.0 * t.Draws / n : 0.0);
    out += buf;
    if (t.CompletePairs > 0) {
        // The pairing takes the colour advantage out of the error bar.
        const vorlix::EloEstimate p = vorlix::EstimateEloPairs(t.Pairs);
        std::snprintf(buf, sizeof buf, "Ptnml(0-2): [%d, %d, %d, %d, %d], pair Elo: %s +/- %s\n",
                      t.Pairs[0], t.Pairs[1], t.Pairs[2], t.Pairs[3], t.Pairs[4],
                      NumberText(p.Elo, 1).c_str(), NumberText(p.Error, 1).c_str());
        out += buf;
    }
    return out;
}

} // namespace match_report
