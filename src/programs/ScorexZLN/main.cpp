#include <string>
#include <vector>

#include "programs/ScorexZLN/ScorexZLN.h"

int main(int argc, char** argv) {
  return orvane::programs::ScorexZLN::ScorexZLN::main(
      std::vector<std::string>(argv + 1, argv + argc));
}
