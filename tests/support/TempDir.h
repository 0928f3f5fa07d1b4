#pragma once

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

  // The directory, without a trailing "/".
  const std::string& path() const { return dir; }
  // path() + "/" + name
  std::string file(const std::string& name) const { return dir + "/" + name; }
  // Writes a file below the directory (creating its parent directories) and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string dir;
};

// The whole content of a file, or "<missing>" when it cannot be read.
std::string slurp(const std::string& path);

}  // namespace orvane::testing
