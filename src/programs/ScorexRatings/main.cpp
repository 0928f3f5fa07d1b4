#include <iostream>
#include <string>
#include <vector>

#include "programs/ScorexRatings/ScorexRatings.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return orvane::programs::ScorexRatings::scorexRatings(args, std::cout, std::cerr);
}
