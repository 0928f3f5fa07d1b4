#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/Debug.h"

namespace orvane::games {

// Lookups in the fixed name tables of the game modules, where weapons, causes, items, power-ups,
// sprees and game types are counted by position.

// The first position whose text equals e exactly (letter case counts), or -1.
template <size_t N>
int32_t loc(const std::array<std::string_view, N>& list, std::string_view e) {
  for (size_t x = 0; x < N; ++x) {
    if (list[x] == e) return static_cast<int32_t>(x);
  }
  return -1;
}

// The position of name, or 0 for an unknown name after the trace line
// prefix + "$" + name + "$ unknown " + what, so that processing goes on.
template <size_t N>
int32_t lookup(const std::array<std::string_view, N>& list, std::string_view name,
               std::string_view prefix, std::string_view what) {
  const int32_t x = loc(list, name);
  if (x >= 0) return x;
  util::Debug::print(
      std::string(prefix) + "$" + std::string(name) + "$ unknown " + std::string(what), 0);
  return 0;
}

}  // namespace orvane::games
