#include "games/brk/Specs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "util/Debug.h"

namespace orvane::games::brk {
namespace {

// Unknown names count as 0 after a trace line, letter case included; a cause or a spree level
// that is not one gives -1, silently.
TEST(Specs, Lookups) {
  std::ostringstream trace;
  util::Debug::reset();
  util::Debug::setStream(&trace);
  EXPECT_EQ(
      (std::vector<int32_t>{Specs::iloc("Rebreather"), Specs::sloc("Railgun"),
                            Specs::ploc("Vampire_Rune"), Specs::sploc("godlike"),
                            Specs::gloc("1-vs-1"), Specs::ploc("Mega_Health"), Specs::gloc("CTF")}),
      (std::vector<int32_t>{39, -1, 6, -1, 2, 0, 0}));
  util::Debug::reset();
  EXPECT_EQ(trace.str(),
            "Error in Specs.ploc: $Mega_Health$ unknown pickup\n"
            "Error in zln.Specs.gloc: $CTF$ unknown game\n");
}

}  // namespace
}  // namespace orvane::games::brk
