#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "util/Comp.h"

namespace orvane::util {

// In-place Hoare partition sort that puts the element ranked first by the comparator first.
// It is not stable: the order in which level elements come out is the one these exact steps
// give, and pages and rankings depend on it, so the steps must not be "improved".
class QuickSort {
 public:
  // Sorts the whole array; an empty array is left as it is.
  template <class T>
  static std::vector<T>& quickSort(std::vector<T>& data, const Comp<T>& c) {
    if (!data.empty()) sortRange(data, 0, static_cast<int64_t>(data.size()) - 1, c);
    return data;
  }

  // Sorts data[left] .. data[right], both inclusive. An empty or out-of-range span is left as
  // it is rather than read outside the array.
  template <class T>
  static std::vector<T>& quickSort(std::vector<T>& data, int64_t left, int64_t right,
                                   const Comp<T>& c) {
    if (left >= 0 && left <= right && right < static_cast<int64_t>(data.size())) {
      sortRange(data, left, right, c);
    }
    return data;
  }

 private:
  template <class T>
  static void sortRange(std::vector<T>& data, int64_t left, int64_t right, const Comp<T>& c) {
    const int64_t l0 = left;
    const int64_t r0 = right;
    // The pivot is the element itself, taken once: a copy, because swaps move what sits at
    // its old position.
    const T mid = data[static_cast<size_t>((left + right) / 2)];
    do {
      // The scans stop at the pivot or a level element; the range bounds only matter for a
      // comparator that contradicts itself, which must not lead outside the array.
      while (left < r0 && c.compare(mid, data[static_cast<size_t>(left)]) < 0) ++left;
      while (right > l0 && c.compare(data[static_cast<size_t>(right)], mid) < 0) --right;
      if (left <= right) {
        std::swap(data[static_cast<size_t>(left)], data[static_cast<size_t>(right)]);
        ++left;
        --right;
      }
    } while (left <= right);
    if (l0 < right) sortRange(data, l0, right, c);
    if (left < r0) sortRange(data, left, r0, c);
  }
};

}  // namespace orvane::util
