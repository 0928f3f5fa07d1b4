#include "util/QuickSort.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orvane::util {
namespace {

struct Tagged {
  int key;
  char tag;
};

// Larger keys first; equal keys are level, so the tags show the order level elements get. A
// comparator may also contradict itself.
class ByKey : public Comp<Tagged> {
 public:
  explicit ByKey(int32_t always = 0) : always(always) {}
  int32_t compare(const Tagged& a, const Tagged& b) const override {
    if (always != 0) return always;
    return a.key > b.key ? 1 : (a.key < b.key ? -1 : 0);
  }
  int32_t always;
};

std::string tags(const std::vector<Tagged>& v) {
  std::string s;
  for (const Tagged& t : v) s.push_back(t.tag);
  return s;
}

// The orders were worked by hand through the partition steps: level elements are swapped.
TEST(QuickSort, LevelElementsComeOutInTheWorkedOrder) {
  std::vector<Tagged> mixed = {{1, 'a'}, {2, 'b'}, {1, 'c'}, {2, 'd'}, {1, 'e'}};
  EXPECT_EQ(tags(QuickSort::quickSort(mixed, 0, 4, ByKey())), "dbeac");
  std::vector<Tagged> allLevel = {{7, 'a'}, {7, 'b'}, {7, 'c'}, {7, 'd'}};
  EXPECT_EQ(tags(QuickSort::quickSort(allLevel, ByKey())), "cdab");
  std::vector<Tagged> two = {{3, 'a'}, {3, 'b'}};
  EXPECT_EQ(tags(QuickSort::quickSort(two, ByKey())), "ba");
}

TEST(QuickSort, SortsOnlyTheSpanAndSurvivesEmptyBadOrContradictorySpans) {
  std::vector<Tagged> v = {{1, 'a'}, {3, 'b'}, {2, 'c'}, {9, 'd'}};
  EXPECT_EQ(tags(QuickSort::quickSort(v, 0, 2, ByKey())), "bcad");
  EXPECT_EQ(tags(QuickSort::quickSort(v, 2, 7, ByKey())), "bcad");
  std::vector<Tagged> none;
  EXPECT_TRUE(QuickSort::quickSort(none, 0, -1, ByKey()).empty() &&
              QuickSort::quickSort(none, ByKey()).empty());
  std::vector<Tagged> many;
  std::mt19937 random(12345);
  for (int i = 0; i < 5000; ++i) many.push_back({static_cast<int>(random() % 100), 'x'});
  QuickSort::quickSort(many, ByKey(1));  // the scans must stay inside the array
  QuickSort::quickSort(many, ByKey(-1));
  QuickSort::quickSort(many, ByKey());
  for (size_t i = 1; i < many.size(); ++i) ASSERT_GE(many[i - 1].key, many[i].key);
}

}  // namespace
}  // namespace orvane::util
