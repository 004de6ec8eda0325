#include "xls_reader.h"

#include <sys/wait.h>

#include <cstdio>

namespace velkar::test {

std::string shellQuoted(const std::filesystem::path& path) {
    std::string q = "'";
    for (const char c : path.string()) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q.push_back(c);
        }
    }
    return q + "'";
}

int runCommand(const std::string& command, std::string& out) {
    out.clear();
    std::FILE* p = ::popen(command.c_str(), "r");
    if (!p) return -1;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int status = ::pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool xlrdAvailable() {
    static const bool available = [] {
        std::string out;
        return runCommand("/usr/bin/python3 -c 'import xlrd' 2>/dev/null", out) == 0;
    }();
    return available;
}

std::string readWorkbook(const std::filesystem::path& file, bool ends) {
    std::string out;
    const int status = runCommand("/usr/bin/python3 " + shellQuoted(VELKAR_XLS_READER) + " " +
                                      (ends ? "--ends " : "") + shellQuoted(file) + " 2>&1",
                                  out);
    if (status != 0) return "reader failed (" + std::to_string(status) + "): " + out;
    return out;
}

}  // namespace velkar::test
