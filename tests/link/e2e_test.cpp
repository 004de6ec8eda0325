// velkar-cli against velkar-sim on a pseudo-terminal: every instrument, reads
// of one byte, a stop and a lost line, a receiver that reads late.  The
// protocols' details are checked against the scripted port.
#include <signal.h>

#include <chrono>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "fault_rig.h"
#include "golden.h"
#include "run_process.h"

namespace velkar::link {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using velkar::test::waitForExit;

bool waitFor(const std::function<bool()>& ready, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// The lines a download has written so far: while it runs they are in its
// temporary file beside the chosen one.
std::size_t countLines(const fs::path& file) {
    std::size_t n = 0;
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        if (entry.path().filename().string().rfind(file.filename().string(), 0) != 0) continue;
        const std::string s = velkar::test::readBytes(entry.path());
        n += static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
    }
    return n;
}

struct Case {
    const char* name;
    std::vector<std::string> sim;  // the simulator's mode and options
    std::vector<std::string> cli;  // command and options, without --port and the file
    std::string data;              // the simulator's data file, or the upload file
    int exitCode;
    std::string file;                     // the download file, or what the instrument received
    std::string err;                      // a part of velkar-cli's standard error
    std::size_t interruptAfterLines = 0;  // Ctrl-C once the file holds this many lines
};

struct Outcome {
    int cli, sim;
    std::string cliErr, simErr, file;
};

Outcome run(const Case& c) {
    using velkar::test::readBytes;
    const fs::path dir = velkar::test::tempDir("e2e"), data = dir / "data.txt",
                   file = dir / "file.txt";
    velkar::test::writeBytes(data, c.data);
    const bool upload = c.cli[0] == "upload";
    std::vector<std::string> simArgs = {"--linger", "200", "--timeout", "30000"};
    simArgs.insert(simArgs.end(), c.sim.begin(), c.sim.end());
    if (upload) simArgs.push_back("--out");
    simArgs.push_back((upload ? file : data).string());
    const pid_t sim =
        velkar::test::spawnProcess(VELKAR_SIM, simArgs, {}, dir / "sim.out", dir / "sim.err");
    std::string device;  // the simulator's first line names its device
    EXPECT_TRUE(waitFor(
        [&] { return (device = readBytes(dir / "sim.out")).find('\n') != std::string::npos; }, 5s));
    std::vector<std::string> cliArgs = c.cli;
    cliArgs.insert(cliArgs.end(), {"--port", device.substr(0, device.find('\n')),
                                   (upload ? data : file).string()});
    const pid_t cli =
        velkar::test::spawnProcess(VELKAR_CLI, cliArgs, {}, dir / "cli.out", dir / "cli.err");
    if (c.interruptAfterLines > 0) {
        EXPECT_TRUE(waitFor([&] { return countLines(file) >= c.interruptAfterLines; }, 20s));
        ::kill(cli, SIGINT);
    }
    Outcome r{waitForExit(cli, 20s), 0, readBytes(dir / "cli.err"), {}, {}};
    // A simulator still lingering (the logger's device waits for the stop) is ended.
    r.sim = waitForExit(sim, 3s);
    r.simErr = readBytes(dir / "sim.err");
    r.file = readBytes(file);
    return r;
}

// A GTS-210/220 memory of two blocks: points whose records end with "_+",
// then an end text filled with blanks to the block end.
const std::string kLongName(200, 'X');
const std::string kMemory = "_+P1_" + kLongName + "__+P2__+END";
const std::string kMemoryLines =
    "P1_" + kLongName + "__+\r\nP2__+\r\nEND" + std::string(40, ' ') + "\r\n";

// Twenty thousand items: far more than the system's buffer holds, so the
// rest waits for the instrument, which starts reading late.
std::string manyItems(bool received) {
    std::string s;
    for (int i = 0; i < 20000; ++i) {
        s += "PT" + std::to_string(i) + (received ? "\r\n1.5\r\n" : ",1.5\r\n");
    }
    return s;
}

// clang-format off
const Case kCases[] = {
    {"Gts200AckByteByByte", {"gts200-send", "--protocol", "ack", "--chunk", "1"},
     {"download", "--instrument", "GTS-210 / 220"}, kMemory, 0, kMemoryLines, "Bitti"},
    // The port options reach the port and its settings box.
    {"Gts700ByteByByte", {"gts700-send", "--chunk", "1"},
     {"download", "--instrument", "GTS-600 / 700", "--baud", "19200", "--parity", "EVEN", "--data", "7"},
     "PT1,100.1,200.5,10\r\nPT2,100.2,200.5,10\r\n", 0, "PT1,100.1,200.5,10\r\nPT2,100.2,200.5,10\r\n",
     "Baud.....:\t19200"},
    {"UsikataLogsUntilCtrlC", {"text", "--chunk", "1", "--linger", "5000"}, {"download", "--instrument", "USIKATA"},
     "first\tline\r\nsecond\r\n\r\nlast",
     0, "          1  first\tline\r\n          2  second\r\n          3  \r\n          4  last\r\n", "", 3},
    {"Gts700WithoutEotStoppedByCtrlC", {"gts700-send", "--no-eot", "--timeout", "3000"},
     {"download", "--instrument", "GTS-600 / 700"}, "L1\r\nL2\r\nL3\r\n", 1, "L1\r\nL2\r\nL3\r\n", "durduruldu", 3},
    {"Gts700HangUpKeepsTheLinesAndNamesThePort", {"gts700-send", "--hangup-after", "10", "--chunk", "1"},
     {"download", "--instrument", "GTS-600 / 700"}, "A1,2,3\r\nB4,5,6\r\n", 1, "A1,2,3\r\nB4\r\n", "/dev/pts/"},
    {"Gts200UploadAckNak", {"gts200-receive", "--chunk", "1"},
     {"upload", "--instrument", "GTS-210 / 220", "--protocol", "ACK / NAK"}, "A,1,2,3\r\n\r\nC,-7,-8.5,9.25\r\n",
     0, "+A         _ x+000002000_ y+000001000_ z+000003000_\r\n+C         _ x-000008500_ y-000007000_ z+000009250_\r\n", "Bitti"},
    {"Gts700LargeUploadToALateReader", {"gts700-receive", "--start-delay", "1500"},
     {"upload", "--instrument", "GTS-600 / 700"}, manyItems(false), 0, manyItems(true), "Bitti"},
};
// clang-format on

class EndToEnd : public ::testing::TestWithParam<Case> {};

TEST_P(EndToEnd, Transfer) {
    const Case& c = GetParam();
    const Outcome r = run(c);
    EXPECT_EQ(r.cli, c.exitCode) << r.cliErr;
    if (c.exitCode == 0 && c.interruptAfterLines == 0) {
        EXPECT_EQ(r.sim, 0) << r.simErr;  // a simulator kept open by a stop is killed
    }
    EXPECT_TRUE(velkar::test::sameBytes(r.file, c.file));
    EXPECT_NE(r.cliErr.find(c.err), std::string::npos) << r.cliErr;
}

INSTANTIATE_TEST_SUITE_P(VelkarSim, EndToEnd, ::testing::ValuesIn(kCases), velkar::test::ByName());

// The simulator's DL-100 sample is a levelling a user can compute: download
// it (with the DL-100's port preset), then level it.
TEST(EndToEnd, Dl100SampleDownloadsAndLevels) {
    const std::string sample =
        velkar::test::readBytes(fs::path(VELKAR_SIM_SAMPLES) / "dl100-job.txt");
    const Outcome r = run({"",
                           {"dl100", "--baud", "9600"},
                           {"download", "--instrument", "DL-100"},
                           sample,
                           0,
                           "",
                           ""});
    ASSERT_EQ(r.cli, 0) << r.cliErr;
    EXPECT_NE(r.cliErr.find("Parity.....:\tEVEN"), std::string::npos);  // the DL-100's port preset
    const fs::path dir = velkar::test::tempDir("e2e-level");
    velkar::test::writeBytes(dir / "indirilen.raw", r.file);
    const auto level = velkar::test::runProcess(
        VELKAR_CLI, {"level", (dir / "indirilen.raw").string(), "--start", "100.0000",
                     "--tolerance", "0.3", "-o", (dir / "kot.txt").string()});
    EXPECT_EQ(level.exitCode, 0) << level.err;
    // A 1.500 / 0.800 to T1, 1.300 / 1.100 to B (the mean of both readings).
    const std::string report = velkar::test::readBytes(dir / "kot.txt");
    EXPECT_NE(report.find("   100.70000"), std::string::npos) << report;
    EXPECT_NE(report.find("   100.90000"), std::string::npos) << report;
}

}  // namespace
}  // namespace velkar::link
