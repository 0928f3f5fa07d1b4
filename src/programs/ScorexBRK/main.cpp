#include <string>
#include <vector>

#include "programs/ScorexBRK/ScorexBRK.h"

int main(int argc, char** argv) {
  return orvane::programs::ScorexBRK::ScorexBRK::main(
      std::vector<std::string>(argv + 1, argv + argc));
}
