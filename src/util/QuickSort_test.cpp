#include "util/QuickSort.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

namespace orvane::util {
namespace {

// Larger keys first, equal keys level (the tags show the order level elements get), or a
// comparator that always gives `always`, contradicting itself.
using Tagged = std::pair<int, char>;  // a key and a tag
class ByKey : public Comp<Tagged> {
 public:
  explicit ByKey(int32_t always = 0) : always(always) {}
  int32_t compare(const Tagged& a, const Tagged& b) const override {
    return always != 0 ? always : (a.first > b.first) - (a.first < b.first);
  }
  int32_t always;
};

std::string tags(std::vector<Tagged> v, int64_t left, int64_t right) {
  std::string s;
  for (const Tagged& t : QuickSort::quickSort(v, left, right, ByKey())) s.push_back(t.second);
  return s;
}

// The orders of level elements were worked by hand through the partition steps; only the span
// is sorted, and a span past the end or an empty one is left alone.
TEST(QuickSort, WorkedOrdersSpansAndBounds) {
  EXPECT_EQ(tags({{1, 'a'}, {2, 'b'}, {1, 'c'}, {2, 'd'}, {1, 'e'}}, 0, 4), "dbeac");
  EXPECT_EQ(tags({{7, 'a'}, {7, 'b'}, {7, 'c'}, {7, 'd'}}, 0, 3), "cdab");
  EXPECT_EQ(tags({{3, 'a'}, {3, 'b'}}, 0, 1), "ba");
  EXPECT_EQ(tags({{1, 'a'}, {3, 'b'}, {2, 'c'}, {9, 'd'}}, 0, 2), "bcad");
  EXPECT_EQ(tags({{1, 'a'}, {3, 'b'}, {2, 'c'}, {9, 'd'}}, 2, 7), "abcd");
  EXPECT_EQ(tags({}, 0, -1), "");
  std::vector<Tagged> many;
  // The scans stay inside the array even when the comparator contradicts itself.
  std::mt19937 random(12345);
  for (int i = 0; i < 5000; ++i) many.push_back({static_cast<int>(random() % 100), 'x'});
  QuickSort::quickSort(many, ByKey(1));
  QuickSort::quickSort(many, ByKey(-1));
  QuickSort::quickSort(many, ByKey());
  for (size_t i = 1; i < many.size(); ++i) ASSERT_GE(many[i - 1].first, many[i].first);
}

}  // namespace
}  // namespace orvane::util
