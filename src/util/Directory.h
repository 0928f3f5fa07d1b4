#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "util/FileDescriptor.h"

namespace orvane::util {

// An open directory of a tree the program owns, reached without following a symbolic link in
// its place. Its entries are looked at, opened and removed relative to it, never through a
// link, so that a link planted in the tree can neither redirect nor widen a removal. Owned by
// the operation that opened it; closed when it goes.
class Directory {
 public:
  enum class Kind { kMissing, kFile, kDirectory, kLink, kOther };

  // Opens path; throws a FileNotFoundException failure naming it when it is missing, is no
  // directory (a symbolic link included) or cannot be opened.
  explicit Directory(const std::string& path);
  // Opens path as above; none when it cannot be.
  static std::optional<Directory> openIfDirectory(const std::string& path);
  Directory(Directory&&) noexcept = default;
  Directory& operator=(Directory&&) noexcept = default;

  // The entry below this directory, opened the same way.
  Directory child(const std::string& entry) const;

  // The names in the directory, sorted by their bytes.
  std::vector<std::string> names() const;
  // What the entry is, the entry itself and not what a link names.
  Kind kind(const std::string& entry) const;
  // True when the entry may be written by this process's user.
  bool writable(const std::string& entry) const;
  // Removes a file or a link (never what it names); false when it could not.
  bool remove(const std::string& entry) const;
  // Removes an empty directory; false when it could not.
  bool removeDirectory(const std::string& entry) const;

  // Takes a shared advisory lock on the directory, waiting for an exclusive one to go (where
  // the file system has no such locks, none).
  void lockShared() const;
  // Takes an exclusive advisory lock when nobody holds one; false otherwise.
  bool tryLockExclusive() const;

  int descriptor() const { return fd.get(); }
  // The path the directory was opened by.
  const std::string& path() const { return name; }

 private:
  Directory(FileDescriptor fd, std::string name) : fd(std::move(fd)), name(std::move(name)) {}

  FileDescriptor fd;
  std::string name;
};

}  // namespace orvane::util
