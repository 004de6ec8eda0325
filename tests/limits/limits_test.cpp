// A list that changes while its workbook is written, and the temporary
// files of a dead run.
#ifndef _WIN32
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "export/xls_workbook.h"
#include "golden.h"
#include "platform/process.h"
#include "platform/textfile.h"

namespace velkar {
namespace {

namespace fs = std::filesystem;

TEST(StaleTemporaries, ThoseOfDeadRunsGoWhenTheirFileIsWrittenAgain) {
    const fs::path dir = test::tempDir("limits-stale");
    const fs::path target = dir / "out.txt";
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
    for (const auto& name : dead) EXPECT_FALSE(fs::exists(dir / name)) << name;
    for (const auto& name : kept) EXPECT_TRUE(fs::exists(dir / name)) << name;
}

TEST(StreamedWorkbook, AListThatChangesWhileItIsWrittenIsNotSaved) {
    using exporting::XlsWorkbook;
    const fs::path dir = test::tempDir("limits-xls");
    XlsWorkbook book("VELKAR", XlsWorkbook::CellRecords::Replayed);
    book.addRow({"P1", "100.5"});
    book.addRow({"P2", "200.5"});
    const std::vector<std::vector<std::string>> changed[] = {
        {{"P1", "100.5"}, {"P9", "200.5"}},  // a text the first reading did not see
        {{"P1", "100.5"}},                   // shorter
        {{"P1", "100.5"}, {"P2", ""}},       // another size: a number became an empty cell
    };
    for (const auto& rows : changed) {
        std::size_t next = 0;
        std::string reason;
        const bool saved = book.save(
            dir / "out.xls",
            [&](std::vector<std::string>& cells) {
                return next < rows.size() && (cells = rows[next++], true);
            },
            reason);
        EXPECT_FALSE(saved);
        EXPECT_NE(reason.find("de\xF0i\xFEti"), std::string::npos) << reason;
        EXPECT_TRUE(fs::is_empty(dir)) << "a file is left behind";
    }
}

}  // namespace
}  // namespace velkar
