#include "vorlix/match/match_stats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorlix {

namespace {

constexpr double kZ95 = 1.959964; // two-sided 95% quantile of the normal distribution

// Score and error of a distribution of results (value, count): the mean and the 95%
// interval of the mean, mapped through the Elo curve.
template <size_t N>
EloEstimate FromDistribution(const std::array<double, N>& value, const std::array<int, N>& count) {
    EloEstimate e;
    double n = 0.0, sum = 0.0;
    for (size_t i = 0; i < N; ++i) n += count[i], sum += count[i] * value[i];
    if (n <= 0.0) {
        e.Error = std::numeric_limits<double>::quiet_NaN();
        e.Score = 0.5;
        return e;
    }
    e.Score = sum / n;
    double variance = 0.0;
    for (size_t i = 0; i < N; ++i)
        variance += count[i] * (value[i] - e.Score) * (value[i] - e.Score);
    variance /= n;
    e.Elo = EloOfScore(e.Score);
    const double margin = kZ95 * std::sqrt(variance / n);
    const double hi = e.Score + margin, lo = e.Score - margin;
    if (hi >= 1.0 || lo <= 0.0 || e.Score <= 0.0 || e.Score >= 1.0)
        e.Error = std::numeric_limits<double>::quiet_NaN();
    else
        e.Error = (EloOfScore(hi) - EloOfScore(lo)) / 2.0;
    return e;
}

} // namespace

double EloOfScore(double score) {
    if (score >= 1.0) return std::numeric_limits<double>::infinity();
    if (score <= 0.0) return -std::numeric_limits<double>::infinity();
    return -400.0 * std::log10(1.0 / score - 1.0);
}

EloEstimate EstimateElo(int wins, int losses, int draws) {
    return FromDistribution<3>({1.0, 0.0, 0.5}, {wins, losses, draws});
}

EloEstimate EstimateEloPairs(const std::array<int, 5>& pairs) {
    return FromDistribution<5>({0.0, 0.25, 0.5, 0.75, 1.0}, pairs);
}

double LikelihoodOfSuperiority(int wins, int losses) {
    if (wins + losses == 0) return 0.5;
    return 0.5 + 0.5 * std::erf((wins - losses) / std::sqrt(2.0 * (wins + losses)));
}

double SprtLogLikelihoodRatio(int wins, int losses, int draws, double elo0, double elo1) {
    const int n = wins + losses + draws;
    if (n == 0) return 0.0;
    auto scoreOf = [](double elo) { return 1.0 / (1.0 + std::pow(10.0, -elo / 400.0)); };
    const double s0 = scoreOf(elo0), s1 = scoreOf(elo1);
    const double s = (wins + 0.5 * draws) / n;
    double variance =
        (wins * (1.0 - s) * (1.0 - s) + draws * (0.5 - s) * (0.5 - s) + losses * s * s) / n;
    // A floor keeps a run of identical results from claiming certainty.
    variance = std::max(variance, 1e-3);
    return n * (s1 - s0) * (2.0 * s - s0 - s1) / (2.0 * variance);
}

SprtBounds SprtBoundsOf(double alpha, double beta) {
    return {std::log(beta / (1.0 - alpha)), std::log((1.0 - beta) / alpha)};
}

} // namespace vorlix
