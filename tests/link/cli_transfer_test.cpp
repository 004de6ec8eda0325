// velkar-cli download in process, against the scripted port: the options
// reach the port, the log goes to standard output with -v, the exit code
// follows the outcome.  Its usage errors are in the CLI table (tests/cli).
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/args.h"
#include "cli/cli.h"
#include "golden.h"
#include "scripted_serial_port.h"

namespace velkar::cli {
namespace {

std::string slurp(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) s.append(buf, n);
    std::fclose(f);
    return s;
}

TEST(CliTransfer, DownloadTakesThePortOptionsAndPrintsTheLog) {
    const auto file = velkar::test::tempDir("cli") / "out.txt";
    test::ScriptedSerialPort port;
    port.queueChunk("A1,2\r\nB3,4\r\n\x04");
    Context ctx;
    ctx.out = std::tmpfile();
    ctx.err = std::tmpfile();
    ctx.port = &port;
    EXPECT_EQ(run({"download", "--instrument", "GTS-600 / 700", "--port", "/dev/pts/9", "--baud",
                   "19200", "--parity", "EVEN", "--data", "7", "-v", file.string()},
                  ctx),
              kExitOk);
    EXPECT_EQ(slurp(ctx.out), "A1,2\nB3,4\n");
    slurp(ctx.err);
    EXPECT_EQ(velkar::test::readBytes(file), "A1,2\r\nB3,4\r\n");
    EXPECT_EQ(port.settings(), (SerialSettings{19200, Parity::Even, 7, 1}));
    EXPECT_EQ(port.openedPort().path, "/dev/pts/9");
}

}  // namespace
}  // namespace velkar::cli
