#pragma once

#include <string>

namespace orvane::testing {

// True when golden files are rewritten from the results: SCOREX_UPDATE_GOLDEN=1 (`make golden`).
bool updatingGolden();

// Writes a golden file anew and fails the test, so that no rewrite passes unreviewed.
void rewriteGolden(const std::string& path, const std::string& text);

// Compares a result with its golden file, naming the first line that differs. While golden
// files are rewritten, one that differs (or is missing) is rewritten from the result instead.
void expectGolden(const std::string& path, const std::string& actual);

}  // namespace orvane::testing
