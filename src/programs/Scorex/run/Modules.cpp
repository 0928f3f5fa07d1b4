#include "programs/Scorex/run/Modules.h"

#include <map>

namespace orvane::programs::Scorex::run {

namespace {

std::map<std::string, Module>& registry() {
  static std::map<std::string, Module> modules;
  return modules;
}

}  // namespace

void Modules::add(const std::string& program, Module module) {
  registry()[program] = std::move(module);
}

const Module* Modules::find(const std::string& program) {
  const auto it = registry().find(program);
  return it == registry().end() ? nullptr : &it->second;
}

void Modules::reset() { registry().clear(); }

}  // namespace orvane::programs::Scorex::run
