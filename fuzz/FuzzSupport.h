#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "programs/Scorex/settings/config.h"
#include "util/Debug.h"

// What every fuzz target shares: a trace that goes nowhere, the start-up configuration, and a
// scratch directory for the readers that only read files.
namespace orvane::fuzz {

// A stream buffer that drops everything written into it, without ever failing.
class NullBuffer final : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The trace and the configuration back in their start-up state, the trace writing into
// nothing: every input starts from the same state, whatever the one before did.
inline void resetGlobals() {
  static NullBuffer buffer;
  static std::ostream nowhere(&buffer);
  util::Debug::reset();
  util::Debug::setStream(&nowhere);
  programs::Scorex::settings::config::reset();
}

// A directory of the process's own below TMPDIR (or /tmp), removed when the process ends
// normally. Made on first use.
class ScratchDir {
 public:
  static const std::string& path() {
    static const ScratchDir dir;
    return dir.root;
  }
  // Replaces the file name (relative to the directory) with bytes.
  static void write(const std::string& name, std::string_view bytes) {
    const std::filesystem::path file = std::filesystem::path(path()) / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  ScratchDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/scorex-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::string root;
};

}  // namespace orvane::fuzz
