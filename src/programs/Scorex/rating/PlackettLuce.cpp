#include "programs/Scorex/rating/PlackettLuce.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

namespace orvane::programs::Scorex::rating {

namespace {

// One team as the update sees it, in the order of places: the sums over its members, the index
// of the team in the caller's order, and its place as the index of the first team sharing it.
struct TeamSums {
  double mu = 0.0;
  double sigmaSq = 0.0;
  std::size_t team = 0;
  std::size_t place = 0;
};

// NaN and anything at or below 0 give 0 (no share of the match), anything above 1 gives 1.
double clampWeight(double w) {
  if (!(w > 0.0)) return 0.0;
  return w < 1.0 ? w : 1.0;
}

bool allFinite(const std::vector<std::vector<Rating>>& teams) {
  for (const auto& team : teams) {
    for (const Rating& r : team) {
      if (!std::isfinite(r.mu) || !std::isfinite(r.sigma)) return false;
    }
  }
  return true;
}

}  // namespace

std::vector<std::vector<Rating>> ratePlackettLuce(const std::vector<std::vector<Member>>& teams,
                                                  const std::vector<int32_t>& ranks,
                                                  const Model& m) {
  std::vector<std::vector<Rating>> before(teams.size());
  for (std::size_t t = 0; t < teams.size(); ++t) {
    for (const Member& member : teams[t]) before[t].push_back(member.rating);
  }
  if (teams.size() < 2 || ranks.size() != teams.size()) return before;
  for (const auto& team : teams) {
    if (team.empty()) return before;
  }

  // The dynamics first: every sigma grows by tau before the match is looked at.
  const double tauSq = m.tau * m.tau;
  std::vector<std::vector<Rating>> after = before;
  for (auto& team : after) {
    for (Rating& r : team) r.sigma = std::sqrt(r.sigma * r.sigma + tauSq);
  }

  // Teams in the order of their places, ties keeping the caller's order, so that every sum
  // below runs in the same order as openskill's.
  const std::size_t n = teams.size();
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&ranks](std::size_t a, std::size_t b) { return ranks[a] < ranks[b]; });
  std::vector<TeamSums> sums(n);
  for (std::size_t j = 0; j < n; ++j) {
    TeamSums& s = sums[j];
    s.team = order[j];
    if (j > 0) s.place = ranks[order[j - 1]] < ranks[order[j]] ? j : sums[j - 1].place;
    for (const Rating& r : after[s.team]) {
      s.mu += r.mu;
      s.sigmaSq += r.sigma * r.sigma;
    }
  }

  const double betaSq = m.beta * m.beta;
  double cSq = 0.0;
  for (const TeamSums& s : sums) cSq += s.sigmaSq + betaSq;
  const double c = std::sqrt(cSq);

  // sumQ[q]: the strengths of the teams placed at q or worse; tied[q]: how many share q's place.
  std::vector<double> sumQ(n, 0.0);
  std::vector<double> tied(n, 0.0);
  for (std::size_t q = 0; q < n; ++q) {
    for (std::size_t i = 0; i < n; ++i) {
      if (sums[i].place >= sums[q].place) sumQ[q] += std::exp(sums[i].mu / c);
      if (sums[i].place == sums[q].place) tied[q] += 1.0;
    }
  }

  const double floor = std::max(m.kappa, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    const TeamSums& s = sums[i];
    const double strength = std::exp(s.mu / c);
    double omega = 0.0;
    double delta = 0.0;
    for (std::size_t q = 0; q < n; ++q) {
      if (sums[q].place > s.place) continue;
      const double quotient = strength / sumQ[q];
      omega += (i == q ? 1.0 - quotient : -quotient) / tied[q];
      delta += quotient * (1.0 - quotient) / tied[q];
    }
    const double gamma = std::sqrt(s.sigmaSq) / c;
    const double teamOmega = omega * (s.sigmaSq / c);
    const double teamDelta = delta * (s.sigmaSq / (c * c)) * gamma;
    const std::vector<Member>& members = teams[s.team];
    for (std::size_t k = 0; k < members.size(); ++k) {
      Rating& r = after[s.team][k];
      const double share = s.sigmaSq > 0.0 ? r.sigma * r.sigma / s.sigmaSq : 0.0;
      const double w = clampWeight(members[k].weight);
      r.mu = r.mu + share * teamOmega * w;
      r.sigma = r.sigma * std::sqrt(std::max(1.0 - share * teamDelta * w, floor));
    }
  }
  return allFinite(after) ? after : before;
}

}  // namespace orvane::programs::Scorex::rating
