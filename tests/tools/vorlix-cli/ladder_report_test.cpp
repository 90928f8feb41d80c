#include "ladder_report.h"

#include "vorlix/match/match_stats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>

namespace {

using cli::LadderPair;

long CountOf(const std::string& text, const std::string& what) {
    long n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

LadderPair Played(int lower, int wins, int losses, int draws, std::array<int, 5> pairs) {
    LadderPair p;
    p.Lower = lower;
    p.Played = true;
    p.Wins = wins;
    p.Losses = losses;
    p.Draws = draws;
    p.Pairs = pairs;
    for (int n : pairs) p.CompletePairs += n;
    return p;
}

TEST(LadderReport, RungsFollowTheMenu) {
    const auto& r = cli::LadderRungs();
    ASSERT_EQ(r.size(), 13u);
    EXPECT_EQ(r[0].Id, "players:Random");
    EXPECT_EQ(r[0].Promised, -2500);
    EXPECT_EQ(r[2].Promised, 100);
    EXPECT_EQ(r[cli::LadderAnchor()].Name, "Level 0");
    EXPECT_EQ(r[cli::LadderAnchor()].Promised, 360);
    EXPECT_EQ(r[12].Id, "Vosk7XLSHO_K");
    for (size_t i = 1; i < r.size(); ++i) EXPECT_LT(r[i - 1].Promised, r[i].Promised);
}

TEST(LadderReport, PairsAreJudgedFromGamePairs) {
    // Level 1 against Level 0 (promised gap 160) with the pentanomial reference counts.
    const LadderPair p = Played(3, 200, 100, 0, {34, 54, 63, 64, 75});
    const cli::LadderVerdict v = cli::JudgeLadderPair(p);
    EXPECT_NEAR(v.Elo, 55.58, 0.01);
    EXPECT_NEAR(v.Error, 27.65, 0.01);
    EXPECT_EQ(v.PromisedGap, 160);
    EXPECT_TRUE(v.Ahead);
    EXPECT_EQ(v.WithinTwo, "too small"); // 55.6 < 80
    EXPECT_EQ(v.Measured, v.Elo);

    // Within a factor of two at both ends, and an interval that reaches zero.
    EXPECT_EQ(cli::JudgeLadderPair(Played(3, 1, 0, 1, {0, 0, 0, 1, 0})).WithinTwo, "yes"); // +190.8
    const LadderPair even = Played(3, 50, 50, 0, {10, 10, 10, 10, 10});
    EXPECT_FALSE(cli::JudgeLadderPair(even).Ahead);
    EXPECT_EQ(cli::JudgeLadderPair(even).WithinTwo, "too small");
}

TEST(LadderReport, PerfectScoresUseTheirBound) {
    // 40 wins of 40: the bound is the Elo of 0.025^(1/40), about +0.912.
    LadderPair p = Played(1, 40, 0, 0, {0, 0, 0, 0, 20});
    cli::LadderVerdict v = cli::JudgeLadderPair(p);
    EXPECT_TRUE(v.Perfect);
    EXPECT_TRUE(std::isinf(v.Elo) && v.Elo > 0);
    EXPECT_NEAR(v.EloBound, vorlix::EloOfScore(std::pow(0.025, 1.0 / 40)), 1e-9);
    EXPECT_TRUE(v.Ahead);
    EXPECT_EQ(v.Measured, v.EloBound);
    EXPECT_EQ(v.WithinTwo, "at least " + std::to_string(std::lround(v.EloBound)));

    // Four wins of four prove nothing; four losses even less.
    EXPECT_FALSE(cli::JudgeLadderPair(Played(3, 4, 0, 0, {0, 0, 0, 0, 2})).Ahead);
    v = cli::JudgeLadderPair(Played(3, 0, 40, 0, {20, 0, 0, 0, 0}));
    EXPECT_FALSE(v.Ahead);
    EXPECT_LT(v.Measured, 0);
    EXPECT_EQ(v.WithinTwo, "too small");

    // 399 - 1: the interval's upper end leaves the scale, its lower end still decides.
    v = cli::JudgeLadderPair(Played(1, 399, 1, 0, {0, 0, 0, 1, 199}));
    EXPECT_FALSE(v.Perfect);
    EXPECT_TRUE(std::isnan(v.Error));
    EXPECT_TRUE(v.Ahead);
    EXPECT_GT(v.EloBound, 600);
    EXPECT_LT(v.EloBound, v.Elo);
    EXPECT_EQ(v.Measured, v.Elo);
    EXPECT_EQ(v.WithinTwo, "at least " + std::to_string(std::lround(v.EloBound)));

    // A huge bound against a small promise is too large.
    EXPECT_EQ(cli::JudgeLadderPair(Played(0, 400, 0, 0, {0, 0, 0, 0, 200})).WithinTwo, "too large");
}

TEST(LadderReport, StrengthsChainFromLevelZero) {
    LadderPair skipped;
    skipped.Lower = 5;
    skipped.Note = "Zelta or Ilvar is not built in";
    const std::vector<LadderPair> pairs = {
        Played(2, 3, 1, 0, {0, 0, 1, 1, 0}),          // Level 0 over Eager
        Played(3, 200, 100, 0, {34, 54, 63, 64, 75}), // Level 1 over Level 0
        Played(4, 2, 1, 0, {0, 0, 1, 0, 0}),          // Level 2 over Level 1
        skipped,                                      // Level 3 against Level 2
        Played(6, 2, 1, 0, {0, 0, 1, 0, 0}),          // beyond the gap: not reached
    };
    const std::vector<double> s = cli::MeasuredStrengths(pairs);
    const double l0l1 = cli::JudgeLadderPair(pairs[1]).Elo;
    EXPECT_EQ(s[3], 360);
    EXPECT_NEAR(s[4], 360 + l0l1, 1e-9);
    EXPECT_NEAR(s[5], 360 + l0l1 + cli::JudgeLadderPair(pairs[2]).Elo, 1e-9);
    EXPECT_NEAR(s[2], 360 - cli::JudgeLadderPair(pairs[0]).Elo, 1e-9);
    EXPECT_TRUE(std::isnan(s[1]));
    EXPECT_TRUE(std::isnan(s[6]));
    EXPECT_TRUE(std::isnan(s[8]));

    cli::LadderRun run;
    run.Pairs = pairs;
    run.GamesPerPair = 300;
    run.Command = "vorlix-cli ladder";
    run.PlotFile = "strength.svg";
    const std::string md = cli::LadderMarkdown(run);
    EXPECT_NE(md.find("| Level 1 vs Level 0 | 300 | 200-100-0 | 0.667 | +55.6 +/- 27.7 | +160 | "
                      "yes | **too small** |"),
              std::string::npos)
        << md;
    EXPECT_NE(md.find("- Level 3 vs Level 2: not played, Zelta or Ilvar is not built in."),
              std::string::npos);
    EXPECT_NE(md.find("fall short of the target"), std::string::npos);
    EXPECT_NE(md.find("| Level 0 | 360 | 360 |"), std::string::npos);
    EXPECT_NE(md.find("](strength.svg)"), std::string::npos);

    // The report's table gives the plot the same gaps again (to its one decimal).
    const std::vector<cli::LadderGap> back = cli::ReportGaps(md);
    ASSERT_EQ(back.size(), 4u);
    for (size_t i = 0; i < back.size(); ++i) {
        const size_t k = i < 3 ? i : 4;
        const cli::LadderGap g = cli::GapOf(pairs[k]);
        EXPECT_EQ(back[i].Lower, g.Lower);
        EXPECT_NEAR(back[i].Measured, g.Measured, 0.05);
        EXPECT_NEAR(back[i].Error, g.Error, 0.05);
        EXPECT_FALSE(back[i].Perfect);
    }
}

TEST(LadderReport, ErrorsAddAlongTheChainAndPerfectScoresBecomeBounds) {
    auto gap = [](int lower, double measured, double error, bool perfect = false) {
        cli::LadderGap g;
        g.Lower = lower;
        g.Measured = measured;
        g.Error = perfect ? NAN : error;
        g.Perfect = perfect;
        return g;
    };
    // Eager (2) - Level 0 (3) - Level 1 (4) - Level 2 (5) - Level 3 (6); Neighbour (1)
    // below Eager by a perfect score.
    const std::vector<cli::StrengthPoint> p =
        cli::LadderPoints({gap(3, 100, 30), gap(4, 50, 40), gap(5, 600, 0, true), gap(2, 200, 20),
                           gap(1, 700, 0, true), gap(0, -300, 0, true)});
    EXPECT_EQ(p[3].Measured, 360);
    EXPECT_EQ(p[3].Error, 0);
    EXPECT_NEAR(p[4].Error, 30, 1e-9);
    EXPECT_NEAR(p[5].Error, 50, 1e-9); // sqrt(30^2 + 40^2)
    EXPECT_EQ(p[5].Bound, 0);
    EXPECT_EQ(p[6].Measured, 360 + 100 + 50 + 600);
    EXPECT_EQ(p[6].Bound, 1);          // at least: Level 3 won every game
    EXPECT_NEAR(p[6].Error, 50, 1e-9); // the estimate's bar below the bound
    EXPECT_TRUE(std::isnan(p[7].Measured));
    EXPECT_EQ(p[2].Measured, 160);
    EXPECT_EQ(p[1].Measured, 160 - 700);
    EXPECT_EQ(p[1].Bound, -1); // at most: Eager won every game against Neighbour
    // Below it a pair that lost every game, read downwards an "at least": the two bounds
    // say nothing together.
    EXPECT_EQ(p[0].Bound, 0);
    EXPECT_TRUE(std::isnan(p[0].Error));
    EXPECT_EQ(p[0].Label, "Random");
}

TEST(LadderReport, PlotIsAnSvgWithBarsLabelsAndBounds) {
    cli::LadderGap a, b;
    a.Lower = 3;
    a.Measured = 98.1;
    a.Error = 47.9;
    b.Lower = 2;
    b.Measured = 692;
    b.Error = NAN;
    b.Perfect = true;
    const std::string svg = cli::LadderPlot(cli::LadderPoints({a, b}));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    for (const char* text :
         {"Measured against promised strength", "Promised strength", "Measured strength",
          "Promise kept exactly", "Measured, 95% interval", ">Eager<", ">0<", ">1<", ">-2500<"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    // Every element is closed: as many "<" as ">", and no decimal commas.
    EXPECT_EQ(std::count(svg.begin(), svg.end(), '<'), std::count(svg.begin(), svg.end(), '>'));
    for (size_t at = svg.find(','); at != std::string::npos; at = svg.find(',', at + 1))
        EXPECT_FALSE(at > 0 && std::isdigit(static_cast<unsigned char>(svg[at - 1])) &&
                     std::isdigit(static_cast<unsigned char>(svg[at + 1])))
            << svg.substr(at - 10, 20);
    // Three measured rungs, one bar (Level 1), one bound arrow (Eager).
    EXPECT_EQ(CountOf(svg, "<circle"), 3 + 1); // with the legend's point
    EXPECT_EQ(CountOf(svg, "Z\""), 1 + 1);     // with the legend's arrow

    // The same document under a decimal-comma locale.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        const std::string there = cli::LadderPlot(cli::LadderPoints({a, b}));
        std::setlocale(LC_ALL, "C");
        EXPECT_EQ(there, svg);
    }
}

TEST(LadderReport, ReportGapsReadsBoundsAndSkipsOtherRows) {
    const std::vector<cli::LadderGap> g = cli::ReportGaps(
        "| Pair | Games | W-L-D | Score | Elo difference |\n|---|---|---|---|---|\n"
        "| Eager vs Neighbour | 200 | 200-0-0 | 1.000 | +inf (bound +692.0) | +2400 |\n"
        "| Level 0 vs Eager | 200 | 170-30-0 | 0.850 | +301.3 +/- 62.8 | +260 |\r\n"
        "| Level 2 vs Level 0 | 2 | 1-1-0 | 0.5 | +0.0 +/- 1.0 |\n"
        "| Level 1 vs Level 0 | 2 | 1-1-0 | 0.5 | garbage |\n"
        "## Notes\n\n| Level 8 vs Level 7 | 50 | 34-11-5 | 0.730 | +172.8 +/- 94.9 |\n");
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].Lower, 1);
    EXPECT_TRUE(g[0].Perfect);
    EXPECT_EQ(g[0].Measured, 692.0);
    EXPECT_EQ(g[1].Lower, 2);
    EXPECT_EQ(g[1].Measured, 301.3);
    EXPECT_EQ(g[1].Error, 62.8);
}

TEST(LadderReport, HandWrittenNotesSurviveARegeneratedReport) {
    // A report regenerated from its own output keeps the notes word for word, and only
    // once.
    cli::LadderRun run;
    run.Pairs = {Played(3, 150, 50, 0, {5, 10, 20, 30, 35})};
    run.GamesPerPair = 200;
    run.Command = "vorlix-cli ladder";
    const std::string notes = "## Notes\n\n- Level 1 vs Level 0: too small, because.\n\n"
                              "### Detail\nA line that says ## Notes is not a heading.\n";
    run.Notes = notes;
    const std::string first = cli::LadderMarkdown(run);
    ASSERT_EQ(first.substr(first.size() - notes.size()), notes);
    run.Notes = cli::LadderNotes(first);
    EXPECT_EQ(run.Notes, notes);
    EXPECT_EQ(cli::LadderMarkdown(run), first);

    // Only a line of its own starts the section; a last line without a line break gets
    // one, and a heading written on another system still counts.
    EXPECT_EQ(cli::LadderNotes("# R\n## Notes and more\ntext\n## Notes\nkept"), "## Notes\nkept\n");
    EXPECT_EQ(cli::LadderNotes("# R\r\n## Notes\r\nkept\r\n"), "## Notes\r\nkept\r\n");
    EXPECT_EQ(cli::LadderNotes("# R\n### Notes\n"), cli::LadderNotes(""));

    // Without notes (or without an earlier report) a placeholder section stands in.
    const std::string placeholder = cli::LadderNotes("# Strength ladder\n\n| a | b |\n");
    EXPECT_EQ(placeholder.rfind("## Notes\n", 0), 0u);
    EXPECT_GT(placeholder.size(), std::string("## Notes\n").size());
}

} // namespace
