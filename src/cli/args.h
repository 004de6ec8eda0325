// A small option reader for velkar-cli: "--name value", "--name=value",
// "-o value", flags, and positional arguments.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velkar::cli {

struct OptionSpec {
    std::string name;  // "--output" or "-o"
    bool takesValue = true;
    bool repeatable = false;
};

class Args {
  public:
    // false and a message for an unknown option or a missing value.
    bool parse(const std::vector<std::string>& argv, const std::vector<OptionSpec>& specs,
               std::string& error);
    bool has(const std::string& name) const { return values_.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;
    std::vector<std::string> values(const std::string& name) const;
    const std::vector<std::string>& positional() const { return positional_; }

  private:
    std::multimap<std::string, std::string> values_;
    std::vector<std::string> positional_;
};

// Exit codes of velkar-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

}  // namespace velkar::cli
