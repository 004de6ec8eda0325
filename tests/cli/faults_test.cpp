// velkar-cli under the faults of a real machine: inputs that are no raw file,
// a read-only or full target, a stop half-way.  Whatever happens, the final
// name holds the earlier file or the whole new one, and nothing is left behind.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include <gtest/gtest.h>

#include "fault_rig.h"
#include "golden.h"
#include "run_process.h"

namespace velkar {
namespace {

namespace fs = std::filesystem;
using test::namesIn;
using test::readBytes;
using test::writeBytes;

const std::string kSample = VELKAR_SAMPLES_DIR "/gts700_ornek.txt";

// The command lines of the four commands that write a result from INPUT into DIR.
// (level reads LEVEL_INPUT when given: a DL-100 file.)
std::vector<std::vector<std::string>> writers(const fs::path& input, const fs::path& dir,
                                              const fs::path& levelInput = {}) {
    return {{"convert", "--instrument", "GTS-600 / 700", "--output", "YDE-NETCAD", input.string(),
             "-o", (dir / "out.YDE").string()},
            {"level", (levelInput.empty() ? input : levelInput).string(), "-o",
             (dir / "out.KOT").string()},
            {"xls", input.string()},
            {"gts720", input.string(), (dir / "out").string()}};
}

test::ProcessResult cli(const std::vector<std::string>& args, const fs::path& tmp = {}) {
    std::vector<std::string> all{"20", VELKAR_CLI};  // a run that waits forever fails
    all.insert(all.end(), args.begin(), args.end());
    std::map<std::string, std::string> env{{"QT_QPA_PLATFORM", "offscreen"}};
    if (!tmp.empty()) env["TMPDIR"] = tmp.string();
    return test::runProcess("/usr/bin/timeout", all, env);
}

TEST(CliFaults, InputsThatAreNoRawFileStopTheRunAndWriteNothing) {
    const fs::path dir = test::tempDir("cli-inputs");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    // A 10 MB line is still a line; past 16 MB (a file of NUL bytes) it is not.
    writeBytes(dir / "long.txt", "STN,S1,1.550,K0\r\n" + std::string(10 << 20, 'A') + "\r\n" +
                                     std::string(17 << 20, '\0'));
    const std::pair<std::string, std::string> inputs[] = {
        {"fifo", "normal bir dosya değil"},
        {"long.txt", "long.txt: 3. satır çok uzun; bu bir ham veri dosyası değil."}};
    for (const auto& [input, message] : inputs) {
        for (const auto& args : writers(dir / input, dir)) {
            const auto r = cli(args);
            EXPECT_EQ(r.exitCode, 1) << args[0] << " " << input << "\n" << r.err;
            EXPECT_NE(r.err.find(message), std::string::npos) << args[0] << "\n" << r.err;
        }
        EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"fifo", "long.txt"}));
    }
}

// The results the four writers would replace.
const char* const kResults[] = {"out.YDE", "out.KOT", "sample.txt.xls", "out.txt"};

TEST(CliFaults, AReadOnlyResultIsNeverReplaced) {
    const fs::path dir = test::tempDir("cli-readonly");
    for (const char* name : kResults) {
        writeBytes(dir / name, "old");
        ::chmod((dir / name).c_str(), 0444);
    }
    fs::copy_file(kSample, dir / "sample.txt");
    for (const auto& args : writers(dir / "sample.txt", dir)) {
        const auto r = cli(args);
        EXPECT_EQ(r.exitCode, 1) << args[0] << "\n" << r.err;
        EXPECT_NE(r.err.find(dir.string() + "/"), std::string::npos) << r.err;  // names the file
    }
    for (const char* name : kResults) EXPECT_EQ(readBytes(dir / name), "old") << name;
    EXPECT_EQ(namesIn(dir).size(), 5u);
}

TEST(CliFaults, AFullDiskSaysSoAfterNoEndMessageAndKeepsTheEarlierFile) {
    const fs::path dir = test::tempDir("cli-full");
    const test::SmallDisk disk(dir / "disk", 256 << 10);
    if (!disk.unavailable().empty()) GTEST_SKIP() << disk.unavailable();
    std::string big;
    while (big.size() < (1 << 20)) big += readBytes(kSample);
    writeBytes(dir / "disk" / "sample.txt", big.substr(0, 64 << 10));
    writeBytes(dir / "disk" / "line1.raw",
               readBytes(fs::path(VELKAR_TEST_DATA_DIR) / "levelling" / "line1.raw"));
    for (const char* name : kResults) writeBytes(dir / "disk" / name, "old");
    disk.fill();
    for (const auto& args :
         writers(dir / "disk" / "sample.txt", dir / "disk", dir / "disk" / "line1.raw")) {
        const auto r = cli(args);
        EXPECT_EQ(r.exitCode, 1) << args[0] << "\n" << r.err;
        EXPECT_NE(r.err.find("disk dolu"), std::string::npos) << args[0] << "\n" << r.err;
        EXPECT_EQ(r.err.find("Tamamland"), std::string::npos) << args[0] << "\n" << r.err;
        EXPECT_EQ(r.err.find("sona erdi"), std::string::npos) << args[0] << "\n" << r.err;
    }
    for (const char* name : kResults) EXPECT_EQ(readBytes(dir / "disk" / name), "old") << name;
    EXPECT_EQ(namesIn(dir / "disk").size(), 7u);  // no temporary file left
}

// The run is stopped as soon as it has begun to write.
TEST(CliFaults, ASignalStopsTheRunAndTakesItsFilesAlong) {
    const fs::path dir = test::tempDir("cli-signal");
    const fs::path tmp = dir / "tmp", work = dir / "work";
    fs::create_directories(tmp);
    fs::create_directories(work);
    std::string big;
    while (big.size() < (24 << 20)) big += readBytes(kSample);
    writeBytes(work / "sample.txt", big);
    writeBytes(work / "out.YDE", "old");
    writeBytes(work / "out.txt", "old");
    for (const auto& args : writers(work / "sample.txt", work)) {
        if (args[0] == "level" || args[0] == "xls") continue;  // they write at the end only
        for (const int sig : {SIGINT, SIGTERM}) {
            const pid_t pid = test::spawnProcess(VELKAR_CLI, args, {{"TMPDIR", tmp.string()}},
                                                 dir / "stdout", dir / "stderr");
            // Wait for a file under way: a private folder or a temporary file.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (namesIn(tmp).empty() && namesIn(work).size() < 4 &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ::kill(pid, sig);
            EXPECT_EQ(test::waitForExit(pid), 1) << args[0] << " " << sig;
            EXPECT_NE(readBytes(dir / "stderr").find("durduruldu"), std::string::npos);
            EXPECT_TRUE(namesIn(tmp).empty()) << args[0];
            EXPECT_EQ(namesIn(work),
                      (std::vector<std::string>{"out.YDE", "out.txt", "sample.txt"}));
            EXPECT_EQ(readBytes(work / "out.YDE"), "old");
        }
    }
}

TEST(CliFaults, PrivateFoldersOfKilledRunsAreRemovedByTheNextRun) {
    const fs::path tmp = test::tempDir("cli-stale");
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    test::waitForExit(dead);
    const std::string mine = "velkar-cli-" + std::to_string(::getpid()) + "-abcdef";
    fs::create_directories(tmp / ("velkar-cli-" + std::to_string(dead) + "-abcdef") / "work");
    fs::create_directories(tmp / mine);  // a run still going
    const auto r =
        cli({"convert", "--instrument", "GTS-600 / 700", "--output", "XYZ", kSample}, tmp);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(namesIn(tmp), std::vector<std::string>{mine});
}

// From a write-protected stick: the error file goes beside the result, the
// messages say where, and the run is whole.
TEST(CliFaults, FromReadOnlyMediaTheErrorFileGoesBesideTheResult) {
    const fs::path dir = test::tempDir("cli-readonly-raw");
    const fs::path data = fs::path(VELKAR_TEST_DATA_DIR) / "levelling";
    const test::SmallDisk stick(dir / "stick", 1 << 20);
    if (!stick.unavailable().empty()) GTEST_SKIP() << stick.unavailable();
    fs::copy_file(data / "line1.raw", dir / "stick" / "line1.raw");
    stick.makeReadOnly();
    fs::create_directories(dir / "out");
    const auto r = cli({"level", (dir / "stick" / "line1.raw").string(), "--start", "100.0000",
                        "-o", (dir / "out" / "x.KOT").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(test::matchesGolden(readBytes(dir / "out" / "x.KOT"), data / "kot_both.KOT"));
    EXPECT_NE(readBytes(dir / "out" / "line1.raw.HTA").find("Geri :"), std::string::npos);
    EXPECT_NE(r.err.find((dir / "out" / "line1.raw.HTA").string() + "  Hata dosyasına yazdırıldı."),
              std::string::npos)
        << r.err;
}

}  // namespace
}  // namespace velkar
