#pragma once

#include <cstdint>
#include <string>

namespace orvane::testing {

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes out of scope. Tests never write into the source tree.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  // The directory, without a trailing "/", and a name below it.
  const std::string& path() const { return dir; }
  std::string file(const std::string& name) const { return dir + "/" + name; }
  // Writes a file below the directory (creating its parent directories) and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;
  // Creates a directory below the directory (and its parents) and returns its path.
  std::string mkdir(const std::string& name) const;

 private:
  std::string dir;
};

// The whole content of a file, or "<missing>" when it cannot be read.
std::string slurp(const std::string& path);

// The names in a directory, sorted by their bytes and joined by blanks, or "<missing>".
std::string listing(const std::string& dir);

// Sets a file's last modification in milliseconds since 1970 (an age relative to a test's clock).
void setModifiedMillis(const std::string& path, int64_t millis);

}  // namespace orvane::testing
