#pragma once

#include <cstdint>
#include <vector>

namespace orvane::programs::Scorex::rating {

// A player's skill belief: the mean mu and the uncertainty sigma of a normal distribution.
struct Rating {
  double mu = 25.0;
  double sigma = 25.0 / 3.0;
};

// The Weng-Lin model's constants, at the usual defaults.
struct Model {
  double mu = 25.0;
  double sigma = 25.0 / 3.0;
  double beta = 25.0 / 6.0;
  double tau = 25.0 / 300.0;
  double kappa = 0.0001;  // the smallest factor a sigma may shrink by (openskill's EPSILON/kappa)
};

// One player of a team as the update sees him: his rating before the match, and the share of
// the match he played (1 = all of it) as the weight of his update.
struct Member {
  Rating rating;
  double weight = 1.0;
};

// The Weng-Lin Bayesian approximation with the Plackett-Luce model, computed as the openskill
// package's PlackettLuce does, operation for operation and in its order of summation:
// teams[i] are the members of team i (a free-for-all match is one member per team), ranks[i]
// the place of team i (lower is better; equal places are ties). Returns the new ratings in the
// same shape. tau is added to every sigma first (sigma' = sqrt(sigma^2 + tau^2)).
//
// A member's weight w scales his own update: mu' = mu + w * (sigma^2 / teamSigma^2) * omega and
// sigma'^2 = sigma^2 * max(1 - w * (sigma^2 / teamSigma^2) * delta, kappa). A weight of 1 is
// exactly the unweighted update, 0 leaves him as tau made him. Weights are clamped to [0, 1],
// and one that is not a number counts as 0.
//
// Degenerate inputs: fewer than two teams, an empty team, or ranks not one per team return the
// ratings unchanged (tau not added). So does a match whose arithmetic leaves a value that is not
// finite (a mu or sigma that is infinite or not a number, a mu so large that its exponential
// overflows, no uncertainty at all with beta 0): a rating update never writes NaN or infinity.
// A team whose members all have sigma 0 (possible only with tau 0) gets no update; a kappa
// below 0 counts as 0.
std::vector<std::vector<Rating>> ratePlackettLuce(const std::vector<std::vector<Member>>& teams,
                                                  const std::vector<int32_t>& ranks,
                                                  const Model& m = {});

// The displayed rating: mu - 3 sigma.
inline double ordinal(const Rating& r) { return r.mu - 3.0 * r.sigma; }

}  // namespace orvane::programs::Scorex::rating
