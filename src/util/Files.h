#pragma once

#include <dirent.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace orvane::util {

// Temporary files being written start with this prefix (and end in random hex digits, so never
// in ".log", ".lock" or ".del"). Earlier versions wrote them beside their targets, where a run
// still removes leftovers from its database directory once it holds the run lock.
inline constexpr const char* kSavingPrefix = ".saving-";

// A new temporary name for a file called name, that nobody can predict.
std::string temporaryName(const std::string& name);

// Whole-file helpers. Files are read whole and written whole; a written file replaces the old
// one atomically: a new temporary file (never one that already exists, nor through a link) in
// the tree's staging directory (see Staging.h) or, without one on the same file system, beside
// the target, flushed, then renamed over it.

// True when path names a regular file this process may read.
bool isReadableFile(const std::string& path);

// No limit on the size of a file read or copied.
inline constexpr int64_t kNoSizeLimit = std::numeric_limits<int64_t>::max();

// The file's bytes; throws a FileNotFoundException or IOException failure naming the path.
// Only a regular file of at most maxBytes is read: anything else (a FIFO, a device) is refused
// at once, without waiting for a writer.
std::string readWholeFile(const std::string& path, int64_t maxBytes = kNoSizeLimit);

// Throws the failure readWholeFile would throw for the file path names, without opening it:
// missing, no regular file, or larger than maxBytes.
void checkRegularFile(const std::string& path, int64_t maxBytes);

// Replaces the file with these bytes; throws an IOException failure naming the path. On failure
// the old file is left as it was and no temporary file is left behind. A durable write also
// waits until the bytes are on disk before the rename (database files; pages need not).
void writeWholeFile(const std::string& path, const std::string& bytes, bool durable = false);

// The names in a directory, sorted by their bytes so that every run sees the same order;
// throws a FileNotFoundException failure naming the directory when it cannot be listed.
std::vector<std::string> listDirectory(const std::string& dir);
// The names an open directory stream holds besides "." and "..", sorted by their bytes; the
// stream is read from where it stands and closed.
std::vector<std::string> takeSortedNames(DIR* d);

// The last modification of a file in milliseconds since 1970, or none when it is missing.
std::optional<int64_t> modifiedMillis(const std::string& path);

// Copies a regular file of at most maxBytes to a new file (which must not exist yet, nor be a
// symbolic link), a piece at a time, and gives the copy the original's permission bits (its
// owner, this process, keeps reading and writing it). Throws what readWholeFile throws, or a
// failure naming the target; a partly written target is removed again. A durable copy is on
// disk when this returns (the original may then be removed).
void copyToNewFile(const std::string& from, const std::string& to, int64_t maxBytes = kNoSizeLimit,
                   bool durable = false);

// Renames a file, replacing the target. Across file systems the file is copied and the
// original deleted. Returns false when it could not be done.
bool moveFile(const std::string& from, const std::string& to);

// True when path names a directory.
bool isDirectory(const std::string& path);
// Makes the entries of a directory (created, renamed, removed files) durable.
void syncDirectory(const std::string& dir);
// Makes everything written on the file system that holds dir durable.
void syncFileSystem(const std::string& dir);

}  // namespace orvane::util
