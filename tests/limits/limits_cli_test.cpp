// velkar-cli on files of lines just short of the line limit: it stays under
// 100 MB whatever the lines hold, and what would grow without end (a station
// of megabyte names, a workbook of millions of texts) stops with a message.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fault_rig.h"
#include "golden.h"
#include "platform/textfile.h"
#include "run_process.h"

namespace velkar {
namespace {

namespace fs = std::filesystem;

// The peak resident memory of one velkar-cli run, in MB.
[[maybe_unused]] long peakMegabytes(const std::vector<std::string>& args) {
    long kilobytes = -1024;
    test::waitForExit(test::spawnProcess(VELKAR_CLI, args, {}, "/dev/null", "/dev/null"),
                      std::chrono::minutes(5), &kilobytes);
    return kilobytes / 1024;
}

TEST(LimitsCli, LinesJustUnderTheLimitStayUnder100MB) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' own memory would be measured";
#else
    const fs::path dir = test::tempDir("limits-memory");
    const std::size_t n = TextReader::kLineLimit - 64;
    // The shape that kept the most copies: a station, a point name, an angle
    // and a distance record, each of one long field.
    test::writeBytes(dir / "long.txt", "STN,P1,1.5\r\nSS," + std::string(n - 10, 'C') +
                                           ",1.6\r\nHV,100.0000," + std::string(n - 20, '9') +
                                           "\r\nSD," + std::string(n / 2, '1') + "," +
                                           std::string(n / 2 - 20, '2') + ",3\r\n");
    // A plan of eight points whose names are megabytes long.
    {  // freed before the runs: a forked child starts with its parent's memory
        std::string names;
        for (char c : std::string("ABCDEFGH"))
            names += std::string(n - 40, c) + " 1000 2000 100\r\n";
        test::writeBytes(dir / "names.txt", names);
        // A polygon file of coordinates of megabytes.
        test::writeBytes(dir / "polygon.txt", "P1 " + std::string(n / 2, '1') + " " +
                                                  std::string(n / 2, '2') + " 100\r\n");
    }
    const std::string raw = (dir / "long.txt").string(), out = (dir / "out").string();
    const std::vector<std::vector<std::string> > runs = {
        {"plot", (dir / "names.txt").string(), "--png", (dir / "p.png").string()},
        {"convert", "--instrument", "GTS-600 / 700", "--output", "KOORDINAT", "--yes", "--point",
         "P1=1,2,3", raw, "-o", out},
        {"convert", "--instrument", "GTS-600 / 700", "--output", "KOORDINAT", "--polygon",
         (dir / "polygon.txt").string(), raw, "-o", out},
        {"convert", "--instrument", "GTS-600 / 700", "--output", "KESIT-KLISE", raw, "-o", out},
        {"convert", "--instrument", "GTS-600 / 700", "--output", "RASAT KARNESi", raw, "-o", out}};
    for (const auto& args : runs) {
        const long mb = peakMegabytes(args);
        EXPECT_GT(mb, 0) << testing::PrintToString(args);
        EXPECT_LT(mb, 100) << testing::PrintToString(args);
    }
#endif
}

TEST(LimitsCli, WhatWouldGrowWithoutEndStopsWithAMessage) {
    const fs::path dir = test::tempDir("limits-growth");
    // One station whose observation book would hold more than a line may.
    std::string book = "STN,S1,1.550,K0\r\nBKB,B1,0,0.0000\r\n";
    for (char c : {'a', 'b', 'c'}) {
        book += "SS," + std::string(TextReader::kLineLimit / 2, c) +
                ",1.600\r\nSD,10.0000,100.0000,100.000\r\n";
    }
    test::writeBytes(dir / "book.txt", book);
    // Distinct texts of more than the workbook holds in memory.
    std::string list;  // nine cells a row
    for (int k = 0; k < 360; ++k) {
        list += std::string(32000, static_cast<char>('A' + k % 9)) + std::to_string(k) +
                (k % 9 == 8 ? "\r\n" : ",");
    }
    test::writeBytes(dir / "list.txt", list);

    const auto bookRun = test::runProcess(
        VELKAR_CLI, {"convert", "--instrument", "GTS-600 / 700", "--output", "RASAT KARNESi",
                     (dir / "book.txt").string(), "-o", (dir / "book.out").string()});
    EXPECT_EQ(bookRun.exitCode, 1);
    EXPECT_NE(bookRun.err.find("6. sat\xC4\xB1r \xC3\xA7ok uzun"), std::string::npos)
        << bookRun.err;
    const auto listRun = test::runProcess(VELKAR_CLI, {"xls", (dir / "list.txt").string()});
    EXPECT_EQ(listRun.exitCode, 1);
    EXPECT_NE(listRun.err.find("\xC3\xA7ok b\xC3\xBCy\xC3\xBCk"), std::string::npos) << listRun.err;
    EXPECT_FALSE(fs::exists(dir / "book.out"));
    EXPECT_FALSE(fs::exists(dir / "list.txt.xls"));
}

}  // namespace
}  // namespace velkar
