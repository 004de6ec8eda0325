#include "cli/args.h"

namespace velkar::cli {

bool Args::parse(const std::vector<std::string>& argv, const std::vector<OptionSpec>& specs,
                 std::string& error) {
    values_.clear();
    positional_.clear();
    bool onlyPositional = false;
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (onlyPositional || a.size() < 2 || a[0] != '-') {
            positional_.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyPositional = true;
            continue;
        }
        std::string name = a;
        std::optional<std::string> inlineValue;
        if (const auto eq = a.find('='); eq != std::string::npos && a.rfind("--", 0) == 0) {
            name = a.substr(0, eq);
            inlineValue = a.substr(eq + 1);
        }
        const OptionSpec* option = nullptr;
        for (const auto& s : specs) {
            if (s.name == name) option = &s;
        }
        if (!option) {
            error = "unknown option " + name;
            return false;
        }
        if (!option->repeatable && values_.count(name)) {
            error = "option " + name + " given twice";
            return false;
        }
        if (!option->takesValue) {
            if (inlineValue) {
                error = "option " + name + " takes no value";
                return false;
            }
            values_.emplace(name, "");
            continue;
        }
        if (inlineValue) {
            values_.emplace(name, *inlineValue);
        } else if (i + 1 < argv.size()) {
            values_.emplace(name, argv[++i]);
        } else {
            error = "option " + name + " needs a value";
            return false;
        }
    }
    return true;
}

std::optional<std::string> Args::value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> Args::values(const std::string& name) const {
    std::vector<std::string> out;
    auto [b, e] = values_.equal_range(name);
    for (auto it = b; it != e; ++it) out.push_back(it->second);
    return out;
}

}  // namespace velkar::cli
