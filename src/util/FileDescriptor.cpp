#include "util/FileDescriptor.h"

#include <unistd.h>

namespace orvane::util {

void FileDescriptor::reset(int f) {
  if (fd >= 0) ::close(fd);
  fd = f;
}

bool FileDescriptor::close() {
  const int f = release();
  return f < 0 || ::close(f) == 0;
}

}  // namespace orvane::util
