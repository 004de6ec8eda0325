// velkar-cli xls and gts720, run as a user runs them: the built program in a
// working folder, its exit status, standard error and output file.
#include <gtest/gtest.h>

#include "golden.h"
#include "xls_reader.h"

namespace velkar {
namespace {

namespace fs = std::filesystem;

struct CliCase {
    std::string args;
    int exitCode;
    std::string stderrText;  // whole, or the start of it for usage errors
    std::string outputFile;  // written in the working folder ("" none)
    std::string goldenFile;  // in tests/data/export ("" none)
};

int runCli(const fs::path& dir, const std::string& args, std::string& out, std::string& err) {
    std::string ignored;
    const int status = test::runCommand("cd " + test::shellQuoted(dir) + " && " +
                                            test::shellQuoted(VELKAR_CLI_PATH) + " " + args +
                                            " >stdout.txt 2>stderr.txt",
                                        ignored);
    out = test::readBytes(dir / "stdout.txt");
    err = test::readBytes(dir / "stderr.txt");
    return status;
}

TEST(CliExport, Table) {
    const CliCase cases[] = {
        {"xls olcu.txt", 0, "Excel'e dönüşüm sona erdi.\n", "olcu.txt.xls", "olcu.txt.xls.gold"},
        {"xls yok.txt", 1, "Hata Mesajı: yok.txt dosyası okunamadı: dosya veya klasör yok\n", "",
         ""},
        {"xls", 2, "velkar-cli xls: needs exactly one TEXTFILE\nusage: velkar-cli xls TEXTFILE\n",
         "", ""},
        {"xls olcu.txt b.txt", 2, "velkar-cli xls: needs exactly one TEXTFILE\n", "", ""},
        {"xls --sheet X olcu.txt", 2, "velkar-cli xls: unknown option --sheet\n", "", ""},
        {"xls --help", 0, "", "", ""},
        {"gts720 yxz.txt liste", 0, "", "liste.txt", "yxz.gts720.gold"},
        {"gts720 yxz.txt", 2, "velkar-cli gts720: needs INFILE and OUTNAME\n", "", ""},
        {"gts720 yxz.txt klasor/liste", 1,
         "Hata Mesajı: klasor/liste.txt dosyası yazılamadı: dosya veya klasör yok\n", "", ""},
        {"gts720 --help", 0, "", "", ""},
        {"nosuch", 2, "velkar-cli: unknown command 'nosuch'; the commands are:", "", ""},
    };
    for (const CliCase& c : cases) {
        SCOPED_TRACE("velkar-cli " + c.args);
        const fs::path dir = test::tempDir("cli-export");
        fs::copy_file(test::dataDir() / "export" / "olcu.txt", dir / "olcu.txt");
        fs::copy_file(test::dataDir() / "export" / "yxz.txt", dir / "yxz.txt");
        std::string out, err;
        EXPECT_EQ(runCli(dir, c.args, out, err), c.exitCode);
        if (c.exitCode == 2) {
            EXPECT_EQ(err.substr(0, c.stderrText.size()), c.stderrText);
        } else {
            EXPECT_EQ(err, c.stderrText);
        }
        if (c.args.find("--help") != std::string::npos) {
            EXPECT_EQ(out.rfind("usage: velkar-cli " + c.args.substr(0, c.args.find(' ')), 0), 0u)
                << out;
        }
        if (!c.outputFile.empty()) {
            EXPECT_TRUE(test::matchesGolden(test::readBytes(dir / c.outputFile),
                                            test::dataDir() / "export" / c.goldenFile));
        }
    }
}

// LibreOffice, a third reader, opens the workbook (only where it is installed).
TEST(CliExport, LibreOfficeOpensTheWorkbook) {
    std::string where;
    if (test::runCommand("command -v soffice", where) != 0)
        GTEST_SKIP() << "LibreOffice is not installed";
    const fs::path dir = test::tempDir("cli-soffice");
    fs::copy_file(test::dataDir() / "export" / "olcu.txt.xls.gold", dir / "olcu.xls");
    std::string log;
    ASSERT_EQ(
        test::runCommand("cd " + test::shellQuoted(dir) + " && HOME=" + test::shellQuoted(dir) +
                             " soffice --headless --convert-to "
                             "'csv:Text - txt - csv (StarCalc):59,34,76,1' olcu.xls 2>&1",
                         log),
        0)
        << log;
    // Texts come quoted, numbers bare: LibreOffice saw the same cell types.
    EXPECT_TRUE(test::matchesGolden(test::readBytes(dir / "olcu.csv"),
                                    test::dataDir() / "export" / "olcu.txt.xls.csv"));
}

}  // namespace
}  // namespace velkar
