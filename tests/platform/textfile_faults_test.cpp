// The text files under the faults of a real machine (POSIX only: FIFOs, a
// killed process, a full tmpfs).
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "fault_rig.h"
#include "golden.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "platform/textfile.h"

namespace velkar {
namespace {

using test::namesIn;

TEST(TextReader, RefusesWhatIsNoRegularFile) {
    const auto dir = test::tempDir("reader-fifo");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    TextReader r;
    EXPECT_FALSE(r.open(dir / "fifo"));  // would wait forever for a writer
    EXPECT_FALSE(r.open("/dev/zero"));   // would never end
}

TEST(TextReader, StopsAtALineNoInstrumentFileHas) {
    const auto dir = test::tempDir("reader-long");
    const std::string tenMb(10 << 20, 'A'), seventeenMb(17 << 20, '\0');
    test::writeBytes(dir / "long.txt",
                     "short\r\n" + tenMb + "\r\n" + seventeenMb + "\r\nnever\r\n");
    TextReader r(dir / "long.txt");
    std::string line;
    ASSERT_TRUE(r.readLine(line));
    ASSERT_TRUE(r.readLine(line));
    EXPECT_EQ(line.size(), tenMb.size());
    EXPECT_FALSE(r.readLine(line));
    EXPECT_TRUE(r.tooLong());
    EXPECT_EQ(r.tooLongText(), pathText(dir / "long.txt") +
                                   cp1254(": 3. satır çok uzun; bu bir ham veri dosyası değil."));
}

TEST(TextWriter, ReplaceShowsTheNewFileOnlyWhenComplete) {
    const auto dir = test::tempDir("replace");
    test::writeBytes(dir / "liste.txt", "old\r\n");
    {
        TextWriter w;
        ASSERT_TRUE(w.replace(dir / "liste.txt"));
        w.writeLine("P1690,1000.123,2000.");
        w.flush();
        EXPECT_EQ(test::readBytes(dir / "liste.txt"), "old\r\n");
        // Destroyed before close(): a run that stopped half-way.
    }
    EXPECT_EQ(test::readBytes(dir / "liste.txt"), "old\r\n");
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"liste.txt"});

    TextWriter w;
    ASSERT_TRUE(w.replace(dir / "liste.txt"));
    w.writeLine("new");
    ASSERT_TRUE(w.close()) << w.error();
    EXPECT_EQ(test::readBytes(dir / "liste.txt"), "new\r\n");
    ASSERT_TRUE(w.replace(dir / "yeni.txt"));  // a file that did not exist before
    w.writeLine("x");
    ASSERT_TRUE(w.close());
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"liste.txt", "yeni.txt"}));

    // A read-only file, a device and a FIFO are never replaced.
    ::chmod((dir / "liste.txt").c_str(), 0444);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    for (const auto& target : {dir / "liste.txt", dir / "fifo", std::filesystem::path("/dev/null")})
        EXPECT_FALSE(w.replace(target)) << target;
    std::string err;
    test::writeBytes(dir / "work", "result");
    EXPECT_FALSE(moveFileReplacing(dir / "work", dir / "liste.txt", err));
    EXPECT_EQ(err, readOnlyFileText());
    EXPECT_EQ(test::readBytes(dir / "liste.txt"), "new\r\n");
}

TEST(TextWriter, AWriterKilledHalfWayLeavesTheEarlierFile) {
    const auto dir = test::tempDir("killed");
    test::writeBytes(dir / "liste.txt", "old\r\n");
    const pid_t child = ::fork();
    if (child == 0) {
        TextWriter w;
        w.replace(dir / "liste.txt");
        for (int i = 0; i < 100000; ++i) w.writeLine("P1690,1000.123,2000.000");
        w.flush();
        ::kill(::getpid(), SIGKILL);
    }
    EXPECT_EQ(test::waitForExit(child), 128 + SIGKILL);
    EXPECT_EQ(test::readBytes(dir / "liste.txt"), "old\r\n");
}

TEST(TextWriter, AFullDiskSaysSoAndKeepsTheEarlierFile) {
    const auto dir = test::tempDir("full");
    const test::SmallDisk disk(dir / "disk", 64 << 10);
    if (!disk.unavailable().empty()) GTEST_SKIP() << disk.unavailable();
    test::writeBytes(dir / "disk" / "liste.txt", "old\r\n");
    disk.fill();
    TextWriter w;
    if (w.replace(dir / "disk" / "liste.txt")) {
        for (int i = 0; i < 10000; ++i) w.writeLine("P1690,1000.123,2000.000");
        EXPECT_FALSE(w.close());
    }
    EXPECT_EQ(w.error(), cp1254("disk dolu"));
    // The same for a result moved there from another disk.
    test::writeBytes(dir / "work", std::string(100000, 'x'));
    std::string err;
    EXPECT_FALSE(moveFileReplacing(dir / "work", dir / "disk" / "liste.txt", err));
    EXPECT_EQ(err, cp1254("disk dolu"));
    EXPECT_TRUE(std::filesystem::exists(dir / "work"));
    EXPECT_EQ(test::readBytes(dir / "disk" / "liste.txt"), "old\r\n");
    EXPECT_EQ(namesIn(dir / "disk"), (std::vector<std::string>{"filler", "liste.txt"}));
}

}  // namespace
}  // namespace velkar
