// The text files under the faults of a real machine (POSIX only: FIFOs, a
// killed process).  Inputs that are no raw file and a full disk are shown
// through every command that writes (tests/cli/faults_test.cpp).
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "fault_rig.h"
#include "golden.h"
#include "platform/textfile.h"

namespace velkar {
namespace {

using test::namesIn;

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
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"liste.txt"});

    // A device and a FIFO are never replaced (a read-only result: tests/cli).
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(w.replace(dir / "fifo"));
    EXPECT_FALSE(w.replace("/dev/null"));
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

}  // namespace
}  // namespace velkar
