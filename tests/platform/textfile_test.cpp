#include "platform/textfile.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "golden.h"
#include "platform/cp1254.h"
#include "platform/process.h"
#include "platform/program_folder.h"

namespace velkar {
namespace {

std::vector<std::string> readAllLines(const std::filesystem::path& p) {
    TextReader r(p);
    std::vector<std::string> lines;
    for (std::string line; r.readLine(line);) lines.push_back(line);
    return lines;
}

// Any line end ends a line; every other byte stays in it.
TEST(TextReader, AcceptsEveryLineEndAndKeepsEveryOtherByte) {
    const auto dir = test::tempDir("reader");
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n') bytes.push_back(static_cast<char>(b));
    }
    test::writeBytes(dir / "a.txt", "one\r\ntwo\nthree\r" + bytes + "\r\n\r\n");
    EXPECT_EQ(readAllLines(dir / "a.txt"),
              (std::vector<std::string>{"one", "two", "three", bytes, ""}));
    // Lines past the one-pass length are measured, then read whole.
    const std::size_t k = TextReader::kShortLine;
    const std::string a(k - 1, 'a'), b(k, 'b'), c(k + 1, 'c');
    test::writeBytes(dir / "c.txt", a + "\r\n" + b + "\n" + c + "\r" + c + "\r\nshort\r\n" + c);
    EXPECT_EQ(readAllLines(dir / "c.txt"), (std::vector<std::string>{a, b, c, c, "short", c}));
    test::writeBytes(dir / "b.txt", "");
    EXPECT_TRUE(readAllLines(dir / "b.txt").empty());
    TextReader missing;
    EXPECT_FALSE(missing.open(dir / "no.txt"));
    EXPECT_FALSE(missing.error().empty());
}

TEST(TextWriter, WritesCrLfAndReportsFailures) {
    const auto dir = test::tempDir("writer");
    TextWriter w;
    ASSERT_TRUE(w.create(dir / "out.txt"));
    w.writeLine("A");
    w.writeLine("");
    w.write("B");
    EXPECT_TRUE(w.close());
    EXPECT_EQ(test::readBytes(dir / "out.txt"), "A\r\n\r\nB");
    EXPECT_FALSE(w.create(dir / "missing-folder" / "x.txt"));
    EXPECT_FALSE(w.error().empty());
    EXPECT_FALSE(w.create(dir));  // a folder is not a file
    if (!std::filesystem::exists("/dev/full")) return;
    ASSERT_TRUE(w.create("/dev/full"));
    for (int i = 0; i < 10000; ++i) w.writeLine("0123456789012345678901234567890123456789");
    EXPECT_FALSE(w.close());
}

// A run killed outright leaves its temporary file beside the target.
TEST(StaleTemporaries, ThoseOfDeadRunsGoWhenTheirFileIsWrittenAgain) {
    const std::filesystem::path dir = test::tempDir("stale");
    const std::filesystem::path target = dir / "out.txt";
    test::writeBytes(target, "old");
    // No system hands out process id 99999999.
    const std::vector<std::string> dead = {".out.txt.velkar-99999999-0badf00d.tmp"};
    std::vector<std::string> kept = {
        ".out.txt.velkar-" + std::to_string(currentProcessId()) + "-12345678.tmp",
        ".other.txt.velkar-99999999-0badf00d.tmp", ".out.txt.velkar-99999999.tmp",
        "out.txt.velkar-1-2.tmp"};
#ifndef _WIN32
    kept.push_back(".out.txt.velkar-" + std::to_string(::getppid()) + "-12345678.tmp");  // at work
#endif
    for (const auto& names : {dead, kept}) {
        for (const auto& name : names) test::writeBytes(dir / name, "P1690,1000.123,2000.");
    }

    TextWriter out;
    ASSERT_TRUE(out.replace(target));
    out.writeLine("P1,1,2,3");
    ASSERT_TRUE(out.close());

    EXPECT_EQ(test::readBytes(target), "P1,1,2,3\r\n");
    for (const auto& name : dead) EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
}

// Turkish file names (wide names on Windows) through every way a file is
// written, moved and read; the program folder is C:\VELKAR on Windows.
TEST(TextFiles, TurkishNamesRoundTripAndTheProgramFolder) {
    const auto dir = test::tempDir("turkish");
    const auto name = dir / textPath(cp1254("ölçü ŞĞİ ı.txt"));
    TextWriter w;
    ASSERT_TRUE(w.replace(name)) << w.error();
    w.writeLine(cp1254("Çığ"));
    ASSERT_TRUE(w.close()) << w.error();
    std::string err;
    const auto moved = dir / textPath(cp1254("sonuç ğ.YDE"));
    test::writeBytes(moved, "old");  // replaced
    ASSERT_TRUE(moveFileReplacing(name, moved, err)) << err;
    EXPECT_FALSE(std::filesystem::exists(name));
    EXPECT_EQ(readAllLines(moved), std::vector<std::string>{cp1254("Çığ")});
    EXPECT_EQ(pathText(moved.filename()), cp1254("sonuç ğ.YDE"));
    test::writeBytes(name, "again");  // a move that fails keeps its source
    EXPECT_FALSE(moveFileReplacing(name, dir / "no-folder" / "x", err));
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(test::readBytes(name), "again");
#ifdef _WIN32
    EXPECT_EQ(programFolder(), std::filesystem::path("C:\\VELKAR"));
#endif
}

}  // namespace
}  // namespace velkar
