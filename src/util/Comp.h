#pragma once

#include <cstdint>

namespace orvane::util {

// Comparator for QuickSort: compare(a, b) is positive when a ranks before b, negative when b
// ranks before a, and 0 when the two rank level.
template <class T>
class Comp {
 public:
  Comp() = default;
  Comp(const Comp&) = delete;
  Comp& operator=(const Comp&) = delete;
  virtual ~Comp() = default;
  virtual int32_t compare(const T& a, const T& b) const = 0;
};

// The comparator for sort keys that compare themselves (T::compare(a, b)).
template <class T>
class KeyComp final : public Comp<T> {
 public:
  int32_t compare(const T& a, const T& b) const override { return T::compare(a, b); }
};

}  // namespace orvane::util
