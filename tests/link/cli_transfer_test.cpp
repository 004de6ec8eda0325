// velkar-cli download / upload in process, against the scripted port: the
// options reach the port, the boxes and the log are printed, the exit code
// follows the outcome.  Their usage errors are in the CLI table (tests/cli).
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/args.h"
#include "cli/cli.h"
#include "golden.h"
#include "scripted_serial_port.h"

namespace velkar::cli {
namespace {

struct CliRun {
    int exit = 0;
    std::string out, err;
};

std::string slurp(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
    return s;
}

CliRun runCli(const std::vector<std::string>& args, test::ScriptedSerialPort& port) {
    Context ctx;
    ctx.out = std::tmpfile();
    ctx.err = std::tmpfile();
    ctx.port = &port;
    CliRun r;
    r.exit = run(args, ctx);
    r.out = slurp(ctx.out);
    r.err = slurp(ctx.err);
    return r;
}

TEST(CliTransfer, DownloadPrintsTheBoxesAndTheLogAndExitsByTheOutcome) {
    const auto file = velkar::test::tempDir("cli") / "out.txt";
    test::ScriptedSerialPort port;
    port.queueChunk("A1,2\r\nB3,4\r\n\x04");
    const CliRun r =
        runCli({"download", "--instrument", "GTS-600 / 700", "--port", "/dev/pts/9", "--baud",
                "19200", "--parity", "EVEN", "--data", "7", "-v", file.string()},
               port);
    EXPECT_EQ(r.exit, kExitOk) << r.err;
    EXPECT_EQ(velkar::test::readBytes(file), "A1,2\r\nB3,4\r\n");
    EXPECT_EQ(r.out, "A1,2\nB3,4\n");
    EXPECT_EQ(port.settings(), (SerialSettings{19200, Parity::Even, 7, 1}));
    EXPECT_EQ(port.openedPort().path, "/dev/pts/9");
    EXPECT_NE(r.err.find(
                  "  PORT AYARLARINI KONTROL EDINIZ  : Protokol.:\tACK / NAK\n\nBaud.....:\t19200"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(" ASAGIDAKI SENECEKLERI SECINIZ.!!!: \n   [ AKTAR ]"), std::string::npos);
    EXPECT_EQ(r.err.substr(r.err.size() - 21), "Aktarma Islemi Bitti\n");

    test::ScriptedSerialPort refused;
    const auto source = velkar::test::tempDir("cli-src") / "points.txt";
    velkar::test::writeBytes(source, "P1,1,2,3\r\nLONGPOINTNAME,1,2,3\r\n");
    const CliRun u =
        runCli({"upload", "--instrument", "GTS-210 / 220", "--port", "/dev/pts/9", source.string()},
               refused);
    EXPECT_EQ(u.exit, kExitFailed);
    EXPECT_EQ(u.err, "Hata Mesajı: 2. satır gönderilemez: nokta adı 10 karakterden uzun\n");
    EXPECT_EQ(refused.written(), "");
}

}  // namespace
}  // namespace velkar::cli
