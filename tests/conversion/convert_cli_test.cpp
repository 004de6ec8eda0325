// velkar-cli convert, run as a user runs it: arguments in, output file,
// standard error and exit status out.
#include <sys/wait.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "golden.h"

namespace {

namespace fs = std::filesystem;
using velkar::test::dataDir;
using velkar::test::readBytes;

const fs::path kSamples = fs::path(VELKAR_SAMPLES_DIR);

struct CliResult {
    int exitCode;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliResult runCli(const std::vector<std::string>& args) {
    static const fs::path dir = velkar::test::tempDir("cli");
    std::string cmd = quoted(VELKAR_CLI_PATH);
    for (const auto& a : args) cmd += " " + quoted(a);
    cmd += " >" + quoted((dir / "stdout").string()) + " 2>" + quoted((dir / "stderr").string());
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(dir / "stdout"),
            readBytes(dir / "stderr")};
}

const std::string kEnd = "İşlem Sonu: Format Dönüştürme İşlemi Tamamlandı\n";
const std::string kComputed = "Hesaplama İşlemi Tamamlandı..Kayıt Etmeyi Unutmayınız.!!!\n";

struct CliCase {
    std::vector<std::string> args;  // "@OUT" stands for the output file of the case
    const char* golden;             // expected output file (tests/data/conversion), or nullptr
    bool toStdout;                  // the golden is expected on stdout
    std::string errStart;           // standard error begins with this
    int exitCode;
};

class ConvertCli : public ::testing::TestWithParam<CliCase> {};

TEST_P(ConvertCli, Table) {
    const CliCase& c = GetParam();
    const fs::path out = velkar::test::tempDir("cli-out") / "sonuc.txt";
    std::vector<std::string> args;
    for (const auto& a : c.args) args.push_back(a == "@OUT" ? out.string() : a);
    const CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << r.err;
    if (c.golden && c.toStdout) {
        EXPECT_TRUE(velkar::test::matchesGolden(r.out, dataDir() / c.golden));
    }
    if (c.golden && !c.toStdout) {
        EXPECT_TRUE(velkar::test::matchesGolden(readBytes(out), dataDir() / c.golden));
        EXPECT_EQ(r.out, "");
    }
    if (!c.golden) {
        EXPECT_FALSE(fs::exists(out));
    }
}

const std::string s210 = (kSamples / "gts210_ornek.txt").string();
const std::string s700 = (kSamples / "gts700_ornek.txt").string();
const std::string k700 = (kSamples / "gts700_koordinat.txt").string();
const std::string r700 = (kSamples / "gts700_rasat.txt").string();
const std::string raw210 = (kSamples / "gts210_koordinat_ham.txt").string();
const std::string polygon = (kSamples / "poligon.txt").string();
const std::string kesit210 = (kSamples / "gts210_kesit.txt").string();
const std::string kesit700 = (kSamples / "gts700_kesit.txt").string();

INSTANTIATE_TEST_SUITE_P(
    Convert, ConvertCli,
    ::testing::Values(
        CliCase{{"convert", "--instrument", "GTS-210 / 220 / 6", "--output", "YDE-NETCAD", s210,
                 "-o", "@OUT"},
                "conversion/gts210_yde_netcad.gold",
                false,
                kEnd,
                0},
        CliCase{
            {"convert", "--instrument", "GTS-230N", "--output", "YMK-EGHAS", s210, "-o", "@OUT"},
            "conversion/gts210_ymk_eghas.gold",
            false,
            kEnd,
            0},
        CliCase{{"convert", "--instrument=GTS-600 / 700", "--output=YDE-EGHAS", s700},
                "conversion/gts700_yde_eghas.gold",
                true,
                kEnd,
                0},
        CliCase{{"convert", "--output", "XYZ", "--instrument", "GTS-600 / 700", k700},
                "conversion/gts700_xyz.gold",
                true,
                kEnd,
                0},
        CliCase{{"convert", "--instrument", "DL-100", "--output", "XYZ", s700, "-o", "@OUT"},
                nullptr,
                false,
                "velkar-cli convert: unknown instrument \"DL-100\"; the instrument names are: "
                "\"GTS-210 / 220 / 6\"",
                2},
        CliCase{
            {"convert", "--instrument", "GTS-600 / 700", "--output", "xyz", s700, "-o", "@OUT"},
            nullptr,
            false,
            "velkar-cli convert: unknown output \"xyz\"; the output names are: \"XYZ\", \"YXZ\"",
            2},
        CliCase{{"convert", "--instrument", "GTS-600 / 700", "--output", "XYZ"},
                nullptr,
                false,
                "velkar-cli convert: --instrument, --output and RAWFILE are needed",
                2},
        CliCase{{"convert", "--instrument", "GTS-600 / 700", "--output", "XYZ", "--bogus", s700},
                nullptr,
                false,
                "velkar-cli convert: unknown option --bogus",
                2},
        CliCase{{"convert", "--instrument", "GTS-600 / 700", "--output", "XYZ", "/yok/boyle/dosya",
                 "-o", "@OUT"},
                nullptr,
                false,
                "Hata Mesajı: /yok/boyle/dosya okunamadı: dosya veya klasör yok\n",
                1},
        CliCase{{"convert", "--instrument", "GTS-600 / 700", "--output", "XYZ", k700, "-o",
                 "/yok/klasor/x.txt"},
                nullptr,
                false,
                kEnd + "3 satır yazıldı.\nvelkar-cli convert: /yok/klasor/x.txt:",
                1},
        CliCase{{"convert", "--instrument", "GTS-600 / 700", "--output", "XYZ", k700, "-o", k700},
                nullptr,
                false,
                "velkar-cli convert: " + k700 + " is the input; it is never replaced\n",
                1},
        CliCase{{"convert", "--instrument", "GTS-600 / 700", "--output", "RASAT KARNESi", r700},
                "conversion/gts700_rasat.gold",
                true,
                kEnd,
                0},
        CliCase{{"convert", "--instrument", "GTS-210 / 220 / 6", "--output", "KOORDINAT",
                 "--polygon", polygon, raw210, "-o", "@OUT"},
                "survey/gts210_koordinat.gold",
                false,
                "Mesafesi olmayan 1 nokta hesaplanmadı.\n" + kComputed,
                0},
        CliCase{{"convert", "--instrument", "GTS-210 / 220 / 6", "--output", "KOORDINAT", "--point",
                 "S1=1000,1000,100", "--point=B1=1100,1100,101", raw210},
                "survey/gts210_koordinat_points.gold",
                true,
                "Mesafesi olmayan 1 nokta hesaplanmadı.\n" + kComputed,
                0},
        CliCase{{"convert", "--instrument", "GTS-210 / 220 / 6", "--output", "KOORDINAT", "--point",
                 "S1=1000,1000,100", raw210, "-o", "@OUT"},
                "survey/gts210_koordinat_stopped.gold",
                false,
                "velkar-cli convert: no coordinates for point B1 (give --point B1=X,Y,Z)\n",
                1},
        CliCase{{"convert", "--instrument", "GTS-210 / 220 / 6", "--output", "KOORDINAT",
                 "--polygon", polygon, raw210, "-o", polygon},
                nullptr,
                false,
                "velkar-cli convert: " + polygon + " is the input; it is never replaced\n",
                1},
        CliCase{{"convert", "--instrument", "GTS-600 / 700", "--output", "KOORDINAT", "--point",
                 "S1", raw210},
                nullptr,
                false,
                "velkar-cli convert: --point S1: give NAME=X,Y,Z",
                2},
        CliCase{
            {"convert", "--instrument", "GTS-210 / 220 / 6", "--output", "KESIT-KLISE", kesit210},
            "survey/gts210_kesit_klise.gold",
            true,
            "İlk kesit noktasından önce gelen 1 nokta yazılmadı.\n" + kComputed,
            0},
        CliCase{{"convert", "--instrument", "GTS-600 / 700", "--output", "KESIT-NETCAD", kesit700,
                 "-o", "@OUT"},
                "survey/gts700_kesit_netcad.gold",
                false,
                kComputed,
                0}));

// The questions and the empty result: the CLI answers from its options and never
// leaves a file behind a run that wrote nothing or stopped at a question.
TEST(ConvertCliQuestions, NothingWrittenAndTheFamilyQuestionStopTheRunUnlessAnswered) {
    const fs::path out = velkar::test::tempDir("cli-questions") / "sonuc.txt";
    CliResult r = runCli({"convert", "--instrument", "GTS-210 / 220 / 6", "--output", "XYZ", raw210,
                          "-o", out.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Uyarı: Bu dosyada seçilen çıktı için kayıt bulunamadı: hiçbir satır yazılmadı.\n");
    EXPECT_FALSE(fs::exists(out));
    r = runCli({"convert", "--instrument", "GTS-210 / 220 / 6", "--output", "XYZ", k700, "-o",
                out.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("Uyarı: Bu dosya GTS-600 / 700 kaydına benziyor, seçilen cihaz GTS-210 / "
                          "220 / 6. Yine de dönüştürülsün mü?\n",
                          0),
              0u)
        << r.err;
    EXPECT_FALSE(fs::exists(out));
    // --yes goes on: decoded as the wrong family the file gives no point.
    r = runCli({"convert", "--yes", "--instrument", "GTS-210 / 220 / 6", "--output", "XYZ", k700});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("hiçbir satır yazılmadı"), std::string::npos) << r.err;
}

TEST(ConvertCliQuestions, AnUnnamedStationIsAnsweredAsDurak1) {
    const fs::path raw = velkar::test::tempDir("cli-durak") / "ham.txt";
    velkar::test::writeBytes(raw,
                             "_'_(_)1.540_+\r\nB1_ ?+00100000m1000000+0000000g_)_(1.600__+\r\n"
                             "P1_ ?+00100000m1000000+1000000g_)K_(1.500__+\r\n");
    const std::vector<std::string> args = {"convert", "--instrument", "GTS-210 / 220 / 6",
                                           "--output", "KOORDINAT", raw.string()};
    CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("--point DURAK1=X,Y,Z"), std::string::npos) << r.err;
    std::vector<std::string> answered = args;
    answered.insert(answered.end(), {"--point", "DURAK1=1000,2000,100", "--point", "B1=1100,2000,100"});
    r = runCli(answered);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // The backsight lies north (+X); P1 is turned 100 gon from it, 100 m out, so it lies
    // east.  Its height keeps the unnamed station's instrument height: 100 + 1.540 - 1.500.
    EXPECT_EQ(r.out, "P1                  2100.0000        1000.0000         100.0400\r\n");
    EXPECT_NE(r.err.find("Adı olmayan 1 durak noktası DURAK1 adıyla yazıldı."), std::string::npos);
}

TEST(ConvertCliWarnings, HeightWarningsGoToStandardErrorAndTheRunGoesOn) {
    const fs::path raw = velkar::test::tempDir("cli-warn") / "ham.txt";
    velkar::test::writeBytes(raw, "STN,S1,12.000,K0\r\nBKB,B1,0,0\r\nSS,P1,1.6\r\nSD,1,2,3\r\n");
    const CliResult r = runCli(
        {"convert", "--instrument", "GTS-600 / 700", "--output", "YDE-NETCAD", raw.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "Hata Mesajı:  Noktasında Cihaz Yüksekliği 12.000\n" + kEnd + "3 satır yazıldı.\n");
    EXPECT_EQ(r.out,
              "   S1           0.0000    0.0000      0.000 12.000 K0\r\n"
              "   B1                0    0.0000      0.000  0.000 \r\n"
              "   P1           1.0000    2.0000      3.000    1.6 \r\n");
}

TEST(ConvertCliHelp, ListsTheNames) {
    const CliResult r = runCli({"convert", "--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("\"GTS-600 / 700\""), std::string::npos);
    EXPECT_NE(r.out.find("\"YMK-GEOCAD\""), std::string::npos);
}

}  // namespace
