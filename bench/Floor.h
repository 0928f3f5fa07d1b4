#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace orvane::bench {

// The least input and output a run could do, timed right after the run (with the page cache
// as the run left it): read the inputs whole; write bytes, spread evenly, into that many new
// files in scratch, each whole under a temporary name and then renamed, as the program writes
// its pages and database files; then one syncfs of scratch's file system and an fsync of five
// of the files and of the directory, as a run syncs the pages' file system and makes its
// journal and four database files durable. scratch must be on the home's file system; it is
// created and removed. Returns the seconds it took.
double ioFloor(const std::vector<std::filesystem::path>& inputs, uint64_t bytes, int64_t files,
               const std::filesystem::path& scratch);

}  // namespace orvane::bench
