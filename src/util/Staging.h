#pragma once

#include <optional>
#include <string>

#include "util/Directory.h"

// Staging directories: the hidden directory at the top of a tree the program writes (the page
// directory, the database directory) where its files are written before they are renamed into
// place. A writer killed half way leaves its temporary file there, never in the published tree,
// and the next run removes it. Each writer holds a shared lock on the staging directory for the
// life of its temporary file; the run that empties it takes an exclusive lock, so it never
// removes a file that is still being written, even by a start that works without the run lock.
namespace orvane::util {

inline constexpr const char* kStagingName = ".scorex-tmp";

// The staging directory for files written into dir (empty or ending in "/"): dir's own or that
// of one of the `levels` directories above it, the nearest first, held shared while it is open.
// None when there is none (or only a link in its place).
std::optional<Directory> holdStaging(const std::string& dir, int levels);

// Creates the staging directory of root (empty or ending in "/") when nothing has its name yet.
void createStaging(const std::string& root);

// For the run that holds the run lock, at its start: makes root's staging directory (a link or a
// file in its place is removed first) and removes what the writers that are gone left in it.
// While some writer holds it, nothing is removed: the leftovers wait for a later run. Throws a
// failure when it cannot be listed.
void prepareStaging(const std::string& root);

// Removes root's staging directory when it is empty and no writer holds it.
void removeStaging(const std::string& root);

}  // namespace orvane::util
