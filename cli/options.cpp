#include "options.h"

#include <cerrno>
#include <cstdlib>

namespace keldar::cli {

Options::Options(const std::vector<std::string>& args, const std::set<std::string>& valued,
                 const std::set<std::string>& flags) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
      positional_.push_back(a);
    } else if (valued.count(a) != 0) {
      if (i + 1 >= args.size()) {
        error_ = a + " needs a value";
        return;
      }
      // An empty value is a slip of the shell ("--port $PORT" with PORT unset), never meant.
      if (args[i + 1].empty()) {
        error_ = a + " needs a value, not an empty one";
        return;
      }
      values_[a] = args[++i];
    } else if (flags.count(a) != 0) {
      flags_.insert(a);
    } else {
      error_ = "unknown option " + a;
      return;
    }
  }
}

std::optional<std::string> Options::Value(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::optional<long> ParseNumber(const std::string& text, long min, long max) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || end != text.c_str() + text.size() || value < min || value > max) {
    return std::nullopt;
  }
  return value;
}

}  // namespace keldar::cli
