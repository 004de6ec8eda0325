// velkar-cli level, run as a program: arguments, output files, messages on
// standard error and exit status.
#include <sys/wait.h>

#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

#include "golden.h"

namespace {

namespace fs = std::filesystem;
using velkar::test::matchesGolden;
using velkar::test::readBytes;

struct CliCase {
    const char* name;
    std::vector<std::string> args;  // {RAW}, {RAWR}, {OUT}, {OUT2}, {OUT3}, {DIR} are filled in
    int exitCode;
    std::string stderrText;  // exact, or the part that must appear (partialStderr)
    std::map<std::string, std::string> files;  // {OUT}... or "stdout" -> golden file name
    bool partialStderr = false;
};

std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

fs::path data(const std::string& name) {
    return velkar::test::dataDir() / "levelling" / name;
}

const char* kDone = "İşlem Sonu:  İşlem Tamamlandı ....!!\n";

const CliCase kCases[] = {
    // The default tolerance 0 reports every sight whose two readings differ.
    {"elevation report",
     {"{RAW}", "--start", "100.0000", "-o", "{OUT}"},
     0,
     "Toleransı Aşan Hata: A         noktasının geri mirası tolerans değerini aşıyor !!!\n\n"
     "{DIR}/line1.raw.HTA  Hata dosyasına yazdırıldı.\n"
     "Toleransı Aşan Hata: T2        noktasının ileri mirası tolerans değerini aşıyor !!!\n\n"
     "{DIR}/line1.raw.HTA Hata dosyasına yazdırıldı.\n",
     {{"{OUT}", "kot_both.KOT"}}},
    {"first readings to stdout",
     {"{RAW}", "--readings", "first", "--start=100.0000", "--tolerance", "0.3"},
     0,
     "",
     {{"stdout", "kot_first.KOT"}}},
    {"intermediate sights adjusted",
     {"{RAWK}", "--intermediate", "--elevations", "--start", "100.0000", "--end", "100.4030", "-o",
      "{OUT}", "--tolerance", "0.3"},
     0,
     "",
     {{"{OUT}", "kot_intermediate_adjusted.KOT"}}},
    {"notebook",
     {"{BOOK}", "--form", "iLLER BANKASI", "--elevations", "--traverse", "--start", "100.0000",
      "-o", "{OUT}", "--tolerance", "0.3"},
     0,
     kDone,
     {{"{OUT}", "book_both.iLL"}}},
    {"go and return",
     {"{RAW}", "--tolerance", "0.3", "--elevations", "--start", "100.0000", "--end", "100.4030",
      "--return", "{RAWR}", "--return-out", "{OUT2}", "--summary-out", "{OUT3}", "-o", "{OUT}"},
     0,
     std::string(kDone) +
         "Dönüş Dosyasını Seçeceğiz...!!!\nÖzet Dosyasını Kayıt Etmeyi Unutmayınız..!!\n",
     {{"{OUT}", "kot_adjusted.KOT"}, {"{OUT2}", "return_adjusted.KOT"}, {"{OUT3}", "summary.KOT"}}},
    {"misclosure is a result",
     {"{RAW}", "--elevations", "--start", "100", "--end", "101", "-o", "{OUT}", "--tolerance",
      "0.3"},
     0,
     "Nivelman Kapanma Hatası Oluştu...!!!\n",
     {{"{OUT}", "kot_both.KOT"}}},
    {"unknown form", {"{RAW}", "--form", "KOT"}, 2, "unknown form 'KOT'", {}, true},
    {"unknown readings", {"{RAW}", "--readings", "mean"}, 2, "use first, second or both", {}, true},
    {"unknown option", {"{RAW}", "--fast"}, 2, "unknown option --fast", {}, true},
    {"return without its outputs", {"{RAW}", "--return", "{RAWR}"}, 2, "go together", {}, true},
    {"missing raw file",
     {"{DIR}/nothing.raw", "-o", "{OUT}"},
     1,
     "nothing.raw: no such file",
     {},
     true},
    {"result over the raw file",
     {"{RAW}", "-o", "{RAW}"},
     1,
     "Hata Mesajı: {DIR}/line1.raw bu işlemde okunan dosya: üzerine kayıt edilemez.\n",
     {}},
    {"unwritable output",
     {"{RAW}", "--tolerance", "0.3", "-o", "{DIR}/no/such/out.KOT"},
     1,
     "no/such/out.KOT: ",
     {},
     true},
    {"help", {"--help"}, 0, "", {}},
};

std::string testName(const CliCase& c) {
    std::string n = c.name;
    for (char& ch : n) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return n;
}

class LevelCli : public ::testing::TestWithParam<CliCase> {};

TEST_P(LevelCli, Runs) {
    const CliCase& c = GetParam();
    const fs::path dir = velkar::test::tempDir("cli_" + testName(c));
    std::map<std::string, std::string> vars = {{"{DIR}", dir.string()},
                                               {"{OUT}", (dir / "out.txt").string()},
                                               {"{OUT2}", (dir / "out2.txt").string()},
                                               {"{OUT3}", (dir / "out3.txt").string()}};
    for (const auto& [var, file] : std::map<std::string, std::string>{{"{RAW}", "line1.raw"},
                                                                      {"{RAWK}", "line1k.raw"},
                                                                      {"{RAWR}", "line1r.raw"},
                                                                      {"{BOOK}", "book.raw"}}) {
        fs::copy_file(data(file), dir / file);
        vars[var] = (dir / file).string();
    }
    std::string command = shellQuoted(VELKAR_CLI) + " level";
    for (std::string a : c.args) {
        for (const auto& [var, value] : vars) {
            for (size_t p; (p = a.find(var)) != std::string::npos;) a.replace(p, var.size(), value);
        }
        command += " " + shellQuoted(a);
    }
    command += " >" + shellQuoted((dir / "stdout").string()) + " 2>" +
               shellQuoted((dir / "stderr").string());
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << command;
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << command;
    const std::string err = readBytes(dir / "stderr");
    std::string expectedErr = c.stderrText;
    for (size_t p; (p = expectedErr.find("{DIR}")) != std::string::npos;)
        expectedErr.replace(p, 5, dir.string());
    if (c.partialStderr) {
        EXPECT_NE(err.find(expectedErr), std::string::npos) << err;
    } else {
        EXPECT_EQ(err, expectedErr);
    }
    for (const auto& [where, golden] : c.files) {
        const fs::path produced = where == "stdout" ? dir / "stdout" : fs::path(vars[where]);
        EXPECT_TRUE(matchesGolden(readBytes(produced), data(golden))) << where;
    }
    if (std::string(c.name) == "help") {
        EXPECT_NE(readBytes(dir / "stdout").find("--return FILE"), std::string::npos);
    }
    // The tolerance error file lies beside the raw file, only when a sight was
    // out of tolerance; no work file is left anywhere else.
    if (c.exitCode == 0 && !c.files.empty()) {
        const bool book = c.args[0] == "{BOOK}";
        const bool withIntermediate = c.args[0] == "{RAWK}";
        EXPECT_EQ(fs::exists(dir / (book               ? "book.raw.HTA"
                                    : withIntermediate ? "line1k.raw.HTA"
                                                       : "line1.raw.HTA")),
                  err.find("Hata dosyasına") != std::string::npos)
            << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LevelCli, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return testName(param.param); });

}  // namespace
