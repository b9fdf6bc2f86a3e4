// Command-line options of the form "--name value" and "--flag", and the
// positional arguments between them.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace keldar::cli {

class Options {
 public:
  // `valued` names the options that take a value, `flags` the others. An
  // unknown option or a missing or empty value leaves `error` set.
  Options(const std::vector<std::string>& args, const std::set<std::string>& valued,
          const std::set<std::string>& flags);

  const std::string& Error() const { return error_; }
  const std::vector<std::string>& Positional() const { return positional_; }
  std::optional<std::string> Value(const std::string& name) const;
  bool Flag(const std::string& name) const { return flags_.count(name) != 0; }

 private:
  std::string error_;
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
  std::set<std::string> flags_;
};

// A whole decimal number within [min, max].
std::optional<long> ParseNumber(const std::string& text, long min, long max);

}  // namespace keldar::cli
