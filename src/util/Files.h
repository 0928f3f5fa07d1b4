#pragma once

#include <string>

namespace orvane::util {

// Whole-file helpers. Files are read whole and written whole; a written file replaces the old
// one atomically (a temporary file in the same directory, flushed, then renamed over it).

// True when path names a regular file this process may read.
bool isReadableFile(const std::string& path);

// The file's bytes; throws a FileNotFoundException or IOException failure naming the path.
std::string readWholeFile(const std::string& path);

// Replaces the file with these bytes; throws an IOException failure naming the path. On failure
// the old file is left as it was and no temporary file is left behind. A durable write also
// waits until the bytes are on disk before the rename (database files; pages need not).
void writeWholeFile(const std::string& path, const std::string& bytes, bool durable = false);

}  // namespace orvane::util
