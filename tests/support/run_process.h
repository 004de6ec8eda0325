// Runs a program and collects its exit code and output (for the CLI tables).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace velkar::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {});

}  // namespace velkar::test
