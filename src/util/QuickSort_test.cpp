#include "util/QuickSort.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::util {
namespace {

struct Tagged {
  int key;
  char tag;
};

// Larger keys rank first; equal keys are level, so the tags show the order level elements get.
class ByKey : public Comp<Tagged> {
 public:
  int32_t compare(const Tagged& a, const Tagged& b) const override {
    return a.key > b.key ? 1 : (a.key < b.key ? -1 : 0);
  }
};

std::string tags(const std::vector<Tagged>& v) {
  std::string s;
  for (const Tagged& t : v) s.push_back(t.tag);
  return s;
}

// Frags first (more ranks first), then deaths (fewer ranks first), as the player rankings do.
struct Fd {
  int frags;
  int deaths;
  char tag;
};
class ByFragsDeaths : public Comp<Fd> {
 public:
  int32_t compare(const Fd& a, const Fd& b) const override {
    if (a.frags != b.frags) return a.frags > b.frags ? 1 : -1;
    if (a.deaths != b.deaths) return a.deaths < b.deaths ? 1 : -1;
    return 0;
  }
};

TEST(QuickSort, LevelElementsComeOutInTheWorkedOrder) {
  const ByKey c;
  // Worked by hand through the partition steps.
  std::vector<Tagged> mixed = {{1, 'a'}, {2, 'b'}, {1, 'c'}, {2, 'd'}, {1, 'e'}};
  EXPECT_EQ(tags(QuickSort::quickSort(mixed, 0, 4, c)), "dbeac");

  std::vector<Tagged> allLevel = {{7, 'a'}, {7, 'b'}, {7, 'c'}, {7, 'd'}};
  EXPECT_EQ(tags(QuickSort::quickSort(allLevel, c)), "cdab");

  std::vector<Tagged> two = {{3, 'a'}, {3, 'b'}};
  EXPECT_EQ(tags(QuickSort::quickSort(two, c)), "ba");  // swapped even though level
}

TEST(QuickSort, PlayersByFragsThenDeaths) {
  const ByFragsDeaths c;
  std::vector<Fd> players = {{5, 2, 'x'}, {9, 1, 'y'}, {5, 1, 'z'}};
  QuickSort::quickSort(players, c);
  EXPECT_EQ(players[0].tag, 'y');
  EXPECT_EQ(players[1].tag, 'z');
  EXPECT_EQ(players[2].tag, 'x');
}

TEST(QuickSort, SortsOnlyTheGivenSpanAndSurvivesEmptyOrBadSpans) {
  const ByKey c;
  std::vector<Tagged> v = {{1, 'a'}, {3, 'b'}, {2, 'c'}, {9, 'd'}};
  QuickSort::quickSort(v, 0, 2, c);
  EXPECT_EQ(tags(v), "bcad");

  std::vector<Tagged> one = {{4, 'a'}};
  EXPECT_EQ(tags(QuickSort::quickSort(one, c)), "a");
  std::vector<Tagged> none;
  EXPECT_TRUE(QuickSort::quickSort(none, c).empty());
  EXPECT_TRUE(QuickSort::quickSort(none, 0, -1, c).empty());
  EXPECT_EQ(tags(QuickSort::quickSort(v, 2, 7, c)), "bcad");
}

// A comparator that contradicts itself must not lead the scans outside the array.
class AlwaysBefore : public Comp<Tagged> {
 public:
  int32_t compare(const Tagged&, const Tagged&) const override { return 1; }
};
class AlwaysAfter : public Comp<Tagged> {
 public:
  int32_t compare(const Tagged&, const Tagged&) const override { return -1; }
};

TEST(QuickSort, InconsistentComparatorStaysInBounds) {
  std::vector<Tagged> v;
  for (int i = 0; i < 50; ++i) v.push_back({i % 7, static_cast<char>('a' + i % 26)});
  QuickSort::quickSort(v, AlwaysBefore());
  QuickSort::quickSort(v, AlwaysAfter());
  EXPECT_EQ(v.size(), 50u);
}

TEST(QuickSort, SortsLargeInputsDescending) {
  const ByKey c;
  std::vector<Tagged> v;
  uint32_t x = 12345;
  for (int i = 0; i < 5000; ++i) {
    x = x * 1103515245u + 12345u;
    v.push_back({static_cast<int>(x >> 20) % 100, 'x'});
  }
  QuickSort::quickSort(v, c);
  for (size_t i = 1; i < v.size(); ++i) ASSERT_GE(v[i - 1].key, v[i].key);
}

}  // namespace
}  // namespace orvane::util
