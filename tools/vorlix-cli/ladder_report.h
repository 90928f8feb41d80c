#pragma once
// The strength ladder: the players of the Opponent menu in promised order, the verdict
// on each measured pair, the strengths the measurements add up to, and the report
// (a markdown table and a plot of measured against promised strength).

#include <array>
#include <string>
#include <vector>

namespace cli {

struct LadderRung {
    std::string Key;  // "Random", "Neighbour", "Eager", "0" .. "9"
    std::string Name; // "Random", ..., "Level 0", ...
    std::string Id;   // the player identifier a match takes
    double Promised;  // the strength the menu shows
};

// Random, Neighbour and Eager of the sample library, then Level 0 to Level 9.
const std::vector<LadderRung>& LadderRungs();
// Index of the rung whose strength anchors the measured scale (Level 0).
int LadderAnchor();

// A match between rung Lower and rung Lower + 1, counted from the higher rung's side.
struct LadderPair {
    int Lower = 0;
    bool Played = false; // false: a player is not built in (Note says which)
    std::string Note;
    int Wins = 0, Losses = 0, Draws = 0, Failed = 0;
    std::array<int, 5> Pairs{}; // complete game pairs by the higher rung's score k/4
    int CompletePairs = 0;
    double HigherMsPerMove = 0.0, LowerMsPerMove = 0.0;
};

struct LadderVerdict {
    int Games = 0;
    double Score = 0.0;    // of the higher rung
    double Elo = 0.0;      // higher minus lower; +-inf for a perfect score
    double Error = 0.0;    // half-width of the 95% interval; NaN when undefined
    double EloBound = 0.0; // for a perfect score: the 95% bound on the Elo (one-sided)
    bool Perfect = false;  // every game won, or every game lost
    double PromisedGap = 0.0;
    bool Ahead = false; // the higher rung ahead, the 95% interval above zero
    // "yes", "too small", "too large", or for a perfect score whose bound does not
    // settle it "at least N" (N the bound).
    std::string WithinTwo;
    double Measured = 0.0; // the gap the strengths add: Elo, or the bound of a perfect score
};

// The statistics of a played pair: pentanomial from game pairs when there are complete
// pairs, else from the games. A perfect score of n games has no finite Elo; its bound
// is the Elo of 0.025^(1/n), the lowest score under which n wins in n games happen
// 2.5% of the time.
LadderVerdict JudgeLadderPair(const LadderPair& pair);

// What a measured pair says about the gap from rung Lower to rung Lower + 1.
struct LadderGap {
    int Lower = 0;
    double Measured = 0.0; // the Elo, or for a perfect score its bound
    double Error = 0.0;    // half-width of the 95% interval; NaN when undefined
    bool Perfect = false;  // Measured is a bound: at least it (> 0) or at most it (< 0)
};
LadderGap GapOf(const LadderPair& pair);

// A rung as the plot shows it.
struct StrengthPoint {
    std::string Label; // the rung's key
    double Promised = 0.0;
    double Measured = 0.0; // NaN: the chain of measured gaps does not reach the rung
    double Error = 0.0;    // 95% half-width, the chain's errors added in quadrature; NaN
                           // when a gap on the way has none
    int Bound = 0;         // +1 at least Measured, -1 at most, 0 an estimate
};

// Every rung, following the measured gaps up and down from the anchor, which gets its
// promised strength. A perfect score's bound on the way makes the rungs beyond it
// bounds; bounds of both directions on one way say nothing, and the rung gets no bar.
std::vector<StrengthPoint> LadderPoints(const std::vector<LadderGap>& gaps);

// Measured strength of every rung (LadderPoints' Measured); NaN for a rung the chain
// does not reach.
std::vector<double> MeasuredStrengths(const std::vector<LadderPair>& pairs);

struct LadderRun {
    std::vector<LadderPair> Pairs;
    int GamesPerPair = 0;
    unsigned Seed = 0;
    int Jobs = 1;
    std::string Command;  // the command line that made the run
    std::string PlotFile; // file name of the plot, beside the markdown file
    std::string Notes;    // the closing "## Notes" section, kept across runs
};

// The generated report, then run.Notes.
std::string LadderMarkdown(const LadderRun& run);

// The hand-written part of an earlier report: everything from its line "## Notes" to
// the end (with a final line break), or a short placeholder section when it has none.
std::string LadderNotes(const std::string& previousReport);
// The gaps of a report LadderMarkdown wrote: its pair table's Elo column, above the
// notes. Rows it cannot read are left out.
std::vector<LadderGap> ReportGaps(const std::string& report);

// The plot as an SVG document: promised strength across, measured up, on one scale; the
// promise kept exactly as a grey diagonal, the measured rungs joined, with their 95% bars
// and arrows for bounds, each labelled with its key.
std::string LadderPlot(const std::vector<StrengthPoint>& points);

} // namespace cli
