#pragma once
// Statistics of a match between two players: score, Elo difference with its 95% error
// bar, likelihood of superiority, and a sequential probability ratio test.
//
// Results are counted from the first player's side. With game pairs (the same start
// twice, colours swapped) the pentanomial form counts pairs by their score 0, 1/4,
// 1/2, 3/4 or 1, which takes the pairing into account in the error bar.

#include <array>

namespace vorlix {

struct EloEstimate {
    double Score = 0.0; // 0..1
    double Elo = 0.0;   // +-infinity for a score of 1 or 0
    double Error = 0.0; // half-width of the 95% interval; NaN when undefined
};

// Elo of a score: -400 log10(1/s - 1).
double EloOfScore(double score);

// From wins, losses and draws.
EloEstimate EstimateElo(int wins, int losses, int draws);

// From game pairs counted by their score: pairs[k] = pairs that scored k/4.
EloEstimate EstimateEloPairs(const std::array<int, 5>& pairs);

// Likelihood of superiority: 0.5 + 0.5 erf((W - L) / sqrt(2 (W + L))); 0.5 without
// decisive games.
double LikelihoodOfSuperiority(int wins, int losses);

// Log-likelihood ratio of the hypotheses elo1 against elo0 for the results so far, and
// the bounds ln(beta / (1 - alpha)) and ln((1 - beta) / alpha) it is compared with.
double SprtLogLikelihoodRatio(int wins, int losses, int draws, double elo0, double elo1);
struct SprtBounds {
    double Lower, Upper;
};
SprtBounds SprtBoundsOf(double alpha, double beta);

} // namespace vorlix
