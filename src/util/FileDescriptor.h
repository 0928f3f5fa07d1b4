#pragma once

namespace orvane::util {

// Owns one open file descriptor and closes it when it goes, however its scope ends. Holds
// nothing when it is -1 (a failed open). Movable, not copyable.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    reset(other.release());
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { reset(); }

  int get() const { return fd; }
  bool valid() const { return fd >= 0; }
  // Gives the descriptor up without closing it.
  int release() {
    const int f = fd;
    fd = -1;
    return f;
  }
  // Closes the descriptor held, if any, and holds f instead.
  void reset(int f = -1);
  // Closes the descriptor now and tells whether that succeeded (a write may fail only here);
  // it is given up either way, and errno tells why it failed. True when none was held.
  bool close();

 private:
  int fd = -1;
};

}  // namespace orvane::util
