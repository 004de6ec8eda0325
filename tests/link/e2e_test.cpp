// velkar-cli against velkar-sim on a pseudo-terminal: every instrument, both
// GTS-210/220 protocols, reads cut from one byte to the whole stream, and the
// simulator's faults.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "golden.h"

namespace velkar::link {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Process {
    pid_t pid = -1;
    fs::path out, err;
};

Process spawn(const std::vector<std::string>& args, const fs::path& dir, const std::string& name) {
    Process p{-1, dir / (name + ".out"), dir / (name + ".err")};
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(p.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(p.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    p.pid = pid;
    return p;
}

// The exit status, or -1 when the process had to be killed after the timeout.
int waitExit(Process& p, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (::waitpid(p.pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ::kill(p.pid, SIGKILL);
            ::waitpid(p.pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(5ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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

struct Outcome {
    int cli = 0;
    std::string cliErr;
    int sim = 0;
    std::string simErr;
    std::string file;  // the download file, or what the simulator received
};

struct Transfer {
    std::vector<std::string> sim;  // mode, options, data file
    std::vector<std::string> cli;  // command and options, without --port and the file
    std::string data;              // the simulator's data file, or the upload file
    bool upload = false;
    std::size_t interruptAfterLines = 0;  // Ctrl-C once the file holds this many lines
    std::chrono::milliseconds timeout = 20s;
};

Outcome run(const Transfer& t) {
    const fs::path dir = velkar::test::tempDir("e2e");
    const fs::path data = dir / "data.txt";
    const fs::path file = dir / "file.txt";
    velkar::test::writeBytes(data, t.data);
    std::vector<std::string> simArgs = {VELKAR_SIM, "--linger", "200", "--timeout", "30000"};
    simArgs.insert(simArgs.end(), t.sim.begin(), t.sim.end());
    if (t.upload) {
        simArgs.insert(simArgs.end(), {"--out", file.string()});
    } else {
        simArgs.push_back(data.string());
    }
    Process sim = spawn(simArgs, dir, "sim");
    std::string device;
    EXPECT_TRUE(waitFor(
        [&] {
            device = velkar::test::readBytes(sim.out);
            return device.find('\n') != std::string::npos;
        },
        5s));
    device = device.substr(0, device.find('\n'));

    std::vector<std::string> cliArgs = {VELKAR_CLI};
    cliArgs.insert(cliArgs.end(), t.cli.begin(), t.cli.end());
    cliArgs.insert(cliArgs.end(), {"--port", device, (t.upload ? data : file).string()});
    Process cli = spawn(cliArgs, dir, "cli");
    if (t.interruptAfterLines > 0) {
        EXPECT_TRUE(waitFor([&] { return countLines(file) >= t.interruptAfterLines; }, t.timeout));
        ::kill(cli.pid, SIGINT);
    }
    Outcome r;
    r.cli = waitExit(cli, t.timeout);
    // A simulator still lingering (the logger's device waits for the stop) is ended.
    r.sim = waitExit(sim, 3s);
    r.cliErr = velkar::test::readBytes(cli.err);
    r.simErr = velkar::test::readBytes(sim.err);
    r.file = velkar::test::readBytes(file);
    return r;
}

std::string lastLine(const std::string& text) {
    std::string t = text;
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return t.substr(t.rfind('\n') == std::string::npos ? 0 : t.rfind('\n') + 1);
}

// A GTS-210/220 memory: points whose records end with "_+", then an end text
// filled with blanks to the block end.
struct Gts200Memory {
    std::string data = "_+";
    std::string lines;
    explicit Gts200Memory(int points) {
        for (int i = 1; i <= points; ++i) {
            const std::string record =
                "P" + std::to_string(i) + "_X" + std::to_string(i * 7919) + "__+";
            data += record;
            lines += record + "\r\n";
        }
        data += "END";
        const std::size_t padded = (data.size() + 127) / 128 * 128;
        lines += "END" + std::string(padded - data.size(), ' ') + "\r\n";
    }
};

TEST(EndToEnd, Gts200DownloadBothProtocolsEveryCut) {
    const Gts200Memory memory(60);
    const char* names[] = {"GTS-210 / 220", "GTS-6", "GPT-1000 / 2000", "GTS-230N"};
    int n = 0;
    for (const char* protocol : {"ack", "oneway"}) {
        for (const char* chunk : {"1", "7", "136", "1000000"}) {
            const std::string name = names[n++ % 4];
            Transfer t;
            t.sim = {"gts200-send", "--protocol", protocol, "--chunk", chunk};
            t.cli = {"download", "--instrument", name, "--protocol",
                     std::string(protocol) == "ack" ? "ACK / NAK" : "ONE WAY"};
            t.data = memory.data;
            const Outcome r = run(t);
            const std::string where = std::string(protocol) + " chunk " + chunk + " " + name;
            EXPECT_EQ(r.cli, 0) << where << r.cliErr;
            EXPECT_EQ(r.sim, 0) << where << r.simErr;
            EXPECT_TRUE(velkar::test::sameBytes(r.file, memory.lines)) << where;
            EXPECT_EQ(lastLine(r.cliErr), "     Aktarma Islemi Bitti     ") << where;
        }
    }
}

TEST(EndToEnd, Gts200DownloadPacedWithDelays) {
    const Gts200Memory memory(30);
    Transfer t;
    t.sim = {"gts200-send", "--baud", "19200", "--chunk", "13", "--delay", "2"};
    t.cli = {"download", "--instrument", "GTS-210 / 220", "--baud", "19200"};
    t.data = memory.data;
    const Outcome r = run(t);
    EXPECT_EQ(r.cli, 0) << r.cliErr;
    EXPECT_EQ(r.file, memory.lines);
}

TEST(EndToEnd, Gts700DownloadEveryCut) {
    std::string data, expected;
    for (int i = 1; i <= 200; ++i) {
        data += "PT" + std::to_string(i) + ",100." + std::to_string(i) + ",200.5,10\r\n";
        expected += "PT" + std::to_string(i) + ",100." + std::to_string(i) + ",200.5,10\r\n";
    }
    for (const char* chunk : {"1", "5", "1000000"}) {
        Transfer t;
        t.sim = {"gts700-send", "--chunk", chunk};
        t.cli = {"download", "--instrument", "GTS-600 / 700"};
        t.data = data;
        const Outcome r = run(t);
        EXPECT_EQ(r.cli, 0) << chunk << r.cliErr;
        EXPECT_TRUE(velkar::test::sameBytes(r.file, expected)) << chunk;
        EXPECT_EQ(lastLine(r.cliErr), "Aktarma Islemi Bitti");
    }
}

TEST(EndToEnd, Dl100Download) {
    const std::string job = "A,JOB7,\r\ng,P1,1.23450,20.5,\r\nh,P2,1.00010,19.5,\r\n  Z,END,\r\n";
    for (const char* chunk : {"1", "1000000"}) {
        Transfer t;
        t.sim = {"dl100", "--chunk", chunk, "--baud", "9600"};
        t.cli = {"download", "--instrument", "DL-100"};
        t.data = job;
        const Outcome r = run(t);
        EXPECT_EQ(r.cli, 0) << r.cliErr;
        EXPECT_EQ(r.sim, 0) << r.simErr;
        EXPECT_EQ(r.file, "g,P1,1.23450,20.5,\r\nh,P2,1.00010,19.5,\r\n\r\n");
        EXPECT_NE(r.cliErr.find("Parity.....:\tEVEN"), std::string::npos) << "the DL-100 preset";
    }
}

// The simulator's DL-100 sample is a levelling a user can compute: download
// it, then level it.
TEST(EndToEnd, Dl100SampleDownloadsAndLevels) {
    Transfer t;
    t.sim = {"dl100", "--baud", "9600"};
    t.cli = {"download", "--instrument", "DL-100"};
    t.data = velkar::test::readBytes(fs::path(VELKAR_SIM_SAMPLES) / "dl100-job.txt");
    const Outcome r = run(t);
    ASSERT_EQ(r.cli, 0) << r.cliErr;
    const fs::path dir = velkar::test::tempDir("e2e-level");
    velkar::test::writeBytes(dir / "indirilen.raw", r.file);
    Process level = spawn({VELKAR_CLI, "level", (dir / "indirilen.raw").string(), "--start",
                           "100.0000", "--tolerance", "0.3", "-o", (dir / "kot.txt").string()},
                          dir, "level");
    EXPECT_EQ(waitExit(level, 20s), 0) << velkar::test::readBytes(level.err);
    // A 1.500 / 0.800 to T1, 1.300 / 1.100 to B (the mean of both readings).
    const std::string report = velkar::test::readBytes(dir / "kot.txt");
    EXPECT_NE(report.find("   100.70000"), std::string::npos) << report;
    EXPECT_NE(report.find("   100.90000"), std::string::npos) << report;
}

TEST(EndToEnd, UsikataLogsUntilCtrlC) {
    for (const char* chunk : {"1", "1000000"}) {
        Transfer t;
        t.sim = {"text", "--chunk", chunk, "--linger", "5000"};
        t.cli = {"download", "--instrument", "USIKATA"};
        t.data = "first\tline\r\nsecond\r\n\r\nlast";
        t.interruptAfterLines = 3;
        const Outcome r = run(t);
        EXPECT_EQ(r.cli, 0) << "a stop is the logger's normal end" << r.cliErr;
        EXPECT_EQ(r.file,
                  "          1  first\tline\r\n          2  second\r\n          3  \r\n          4 "
                  " last\r\n");
    }
}

const std::string kPoints = "A,1,2,3\r\nB,4,5,6\r\n\r\nC,-7,-8.5,9.25\r\n";
const std::string kRecords =
    "+A         _ x+000002000_ y+000001000_ z+000003000_\r\n"
    "+B         _ x+000005000_ y+000004000_ z+000006000_\r\n"
    "+C         _ x-000008500_ y-000007000_ z+000009250_\r\n";

TEST(EndToEnd, Gts200UploadBothProtocols) {
    std::string points = kPoints, records = kRecords;
    for (int i = 0; i < 40; ++i) {
        points += "N" + std::to_string(i) + ",12.5,-3," + std::to_string(i) + "\r\n";
        char r[64];
        std::snprintf(r, sizeof r, "+N%-9d_ x-000003000_ y+000012500_ z+%06d000_\r\n", i, i);
        records += r;
    }
    for (const char* protocol : {"ACK / NAK", "ONE WAY"}) {
        Transfer t;
        t.upload = true;
        t.sim = {"gts200-receive", "--chunk", "1"};
        t.cli = {"upload", "--instrument", "GTS-210 / 220", "--protocol", protocol};
        t.data = points;
        const Outcome r = run(t);
        EXPECT_EQ(r.cli, 0) << protocol << r.cliErr;
        EXPECT_EQ(r.sim, 0) << protocol << r.simErr;
        EXPECT_TRUE(velkar::test::sameBytes(r.file, records)) << protocol;
        EXPECT_EQ(lastLine(r.cliErr), "Aktarma Islemi Bitti");
    }
}

TEST(EndToEnd, Gts700Upload) {
    Transfer t;
    t.upload = true;
    t.sim = {"gts700-receive"};
    t.cli = {"upload", "--instrument", "GTS-600 / 700"};
    t.data = "A,1,2\r\n\"B,x\",3,4\r\n";
    const Outcome r = run(t);
    EXPECT_EQ(r.cli, 0) << r.cliErr;
    EXPECT_EQ(r.sim, 0) << r.simErr;
    EXPECT_EQ(r.file, "A\r\n1\r\n2\r\nB,x\r\n3\r\n4\r\n");
}

TEST(EndToEnd, LargeUploadsLoseNothingWhenTheInstrumentReadsLate) {
    // Far more than the system's buffer holds: the rest waits for the line.
    std::string items, expected;
    for (int i = 0; i < 20000; ++i) {
        items += "PT" + std::to_string(i) + ",1.5\r\n";
        expected += "PT" + std::to_string(i) + "\r\n1.5\r\n";
    }
    Transfer t;
    t.upload = true;
    t.sim = {"gts700-receive", "--start-delay", "1500"};
    t.cli = {"upload", "--instrument", "GTS-600 / 700"};
    t.data = items;
    const Outcome r = run(t);
    EXPECT_EQ(r.cli, 0) << r.cliErr;
    EXPECT_EQ(r.sim, 0) << r.simErr;
    EXPECT_TRUE(velkar::test::sameBytes(r.file, expected));

    std::string points;
    for (int i = 0; i < 3000; ++i) points += "N" + std::to_string(i) + ",1,2,3\r\n";
    Transfer g;
    g.upload = true;
    g.sim = {"gts200-receive", "--start-delay", "1500"};
    g.cli = {"upload", "--instrument", "GTS-210 / 220", "--protocol", "ONE WAY"};
    g.data = points;
    const Outcome gr = run(g);
    EXPECT_EQ(gr.cli, 0) << gr.cliErr;
    EXPECT_EQ(gr.sim, 0) << gr.simErr;
    EXPECT_EQ(std::count(gr.file.begin(), gr.file.end(), '\n'), 3000);
}

TEST(EndToEnd, NoEotThenCtrlCKeepsTheLines) {
    Transfer t;
    t.sim = {"gts700-send", "--no-eot", "--timeout", "3000"};
    t.cli = {"download", "--instrument", "GTS-600 / 700"};
    t.data = "L1\r\nL2\r\nL3\r\n";
    t.interruptAfterLines = 3;
    const Outcome r = run(t);
    EXPECT_EQ(r.cli, 1) << r.cliErr;
    EXPECT_EQ(r.file, "L1\r\nL2\r\nL3\r\n");
    EXPECT_EQ(lastLine(r.cliErr), "Aktarma işlemi durduruldu");
}

TEST(EndToEnd, NeverAckEndsWithTheNoDeviceMessage) {
    Transfer t;
    t.upload = true;
    t.sim = {"gts200-receive", "--never-ack"};
    t.cli = {"upload", "--instrument", "GTS-210 / 220"};
    t.data = kPoints + kPoints + kPoints;  // more than one frame
    t.timeout = 30s;
    const auto start = std::chrono::steady_clock::now();
    const Outcome r = run(t);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.cli, 1) << r.cliErr;
    EXPECT_EQ(lastLine(r.cliErr), "Cihaz Bağlantısı Yok veya Cihaz Hazır değil");
    EXPECT_GE(took, 10s);
    EXPECT_LT(took, 20s);
}

TEST(EndToEnd, HangUpMidTransferNamesThePortAndKeepsTheLines) {
    Transfer t;
    t.sim = {"gts700-send", "--hangup-after", "10", "--chunk", "1"};
    t.cli = {"download", "--instrument", "GTS-600 / 700"};
    t.data = "A1,2,3\r\nB4,5,6\r\n";
    const Outcome r = run(t);
    EXPECT_EQ(r.cli, 1) << r.cliErr;
    EXPECT_EQ(r.file, "A1,2,3\r\nB4\r\n");
    EXPECT_NE(lastLine(r.cliErr).find("/dev/pts/"), std::string::npos) << r.cliErr;
    EXPECT_NE(lastLine(r.cliErr).find("portunun bağlantısı koptu"), std::string::npos) << r.cliErr;

    Transfer g;
    g.sim = {"gts200-send", "--protocol", "oneway", "--hangup-after", "300"};
    g.cli = {"download", "--instrument", "GTS-210 / 220", "--protocol", "ONE WAY"};
    g.data = Gts200Memory(40).data;
    const Outcome gr = run(g);
    EXPECT_EQ(gr.cli, 1) << gr.cliErr;
    EXPECT_NE(gr.file.find("P1_X7919__+\r\n"), std::string::npos)
        << "the first two blocks are kept";
}

TEST(EndToEnd, ADroppedByteIsWrittenAsReceived) {
    Transfer t;
    t.sim = {"gts700-send", "--drop", "3"};
    t.cli = {"download", "--instrument", "GTS-600 / 700"};
    t.data = "A1,2,3\r\nB4,5,6\r\n";
    const Outcome r = run(t);
    EXPECT_EQ(r.cli, 0) << r.cliErr;
    EXPECT_EQ(r.file, "A1,,3\r\nB4,5,6\r\n");

    Transfer g;  // GTS-210/220: the blocks after the gap slip by one; the dump still ends
    g.sim = {"gts200-send", "--drop", "200"};
    g.cli = {"download", "--instrument", "GTS-210 / 220"};
    g.data = Gts200Memory(40).data;
    const Outcome gr = run(g);
    EXPECT_EQ(gr.cli, 0) << gr.cliErr;
    EXPECT_EQ(gr.sim, 0) << gr.simErr;
}

}  // namespace
}  // namespace velkar::link
