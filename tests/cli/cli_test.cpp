// velkar-cli as a user calls it: arguments, output, messages, exit code.
#include <gtest/gtest.h>

#include "run_process.h"

namespace velkar {
namespace {

struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string outContains;
    std::string errContains;
};

test::ProcessResult cli(const std::vector<std::string>& args) {
    return test::runProcess(VELKAR_CLI, args, {{"QT_QPA_PLATFORM", "offscreen"}});
}

TEST(Cli, UsageVersionAndUnknownNames) {
    const Case cases[] = {
        {{}, 2, "", "usage: velkar-cli COMMAND"},
        {{"--help"}, 0, "usage: velkar-cli COMMAND", ""},
        {{"--version"}, 0, "velkar-cli 2.14.1", ""},
        {{"frobnicate"}, 2, "", "unknown command 'frobnicate'; the commands are: convert level dxf plot xls gts720 download upload ports"},
        {{"ports", "--help"}, 0, "usage: velkar-cli ports", ""},
        {{"ports", "--bogus"}, 2, "", "unknown option --bogus"},
        {{"ports", "extra"}, 2, "", "takes no arguments"},
    };
    for (const Case& c : cases) {
        const auto r = cli(c.args);
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        EXPECT_EQ(r.exitCode, c.exitCode) << joined << "\n" << r.err;
        EXPECT_NE(r.out.find(c.outContains), std::string::npos) << joined << "\nstdout: " << r.out;
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << joined << "\nstderr: " << r.err;
    }
}

TEST(Cli, PortsListsOnlyPortsThatOpen) {
    const auto r = cli({"ports"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // Every listed COM item names its device.
    size_t pos = 0;
    while ((pos = r.out.find("COM ", pos)) != std::string::npos) {
        const auto eol = r.out.find('\n', pos);
        EXPECT_NE(r.out.substr(pos, eol - pos).find("\t/dev/ttyS"), std::string::npos) << r.out;
        pos = eol;
    }
}

}  // namespace
}  // namespace velkar
