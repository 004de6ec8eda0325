// velkar-cli dxf, plot and level --profile as a user calls them.
#include <sys/stat.h>

#include <tuple>

#include <gtest/gtest.h>

#include "golden.h"
#include "run_process.h"

namespace velkar {
namespace {

namespace fs = std::filesystem;

test::ProcessResult cli(const std::vector<std::string>& args) {
    return test::runProcess(VELKAR_CLI, args);
}

struct DrawingCli : ::testing::Test {
    fs::path dir = test::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::path list = dir / "liste.txt";
    DrawingCli() { fs::copy_file(test::dataDir() / "drawing" / "noktalar.txt", list); }
};

TEST_F(DrawingCli, DxfWritesBesideTheInputAndNeverOverIt) {
    const std::string golden = test::readBytes(test::dataDir() / "drawing" / "noktalar.dxf.gold");
    auto r = cli({"dxf", list.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readBytes(dir / "liste.dxf"), golden);
    EXPECT_NE(r.err.find("5 nokta"), std::string::npos) << r.err;
    // An existing output is replaced without a question; the new file has the
    // usual permissions.
    test::writeBytes(dir / "liste.dxf", "old");
    EXPECT_EQ(cli({"dxf", list.string(), "-o", (dir / "liste.dxf").string()}).exitCode, 0);
    EXPECT_EQ(test::readBytes(dir / "liste.dxf"), golden);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "liste.dxf").c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IRGRP, 0u);

    test::writeBytes(dir / "bos.txt", "baslik\r\n\r\n");
    test::writeBytes(dir / "kilitli.dxf", "keep");
    fs::permissions(dir / "kilitli.dxf", fs::perms::owner_read);
    const std::string l = list.string();
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"dxf", l, "--text-height", "0"}, 2, "positive number"},
        {{"dxf", (dir / "yok.txt").string()}, 1, "no such file"},
        {{"dxf", l, "-o", l}, 1, "never replaced"},
        {{"dxf", (dir / "bos.txt").string()}, 1, "koordinat satırı bulunamadı"},
        {{"dxf", l, "-o", (dir / "kilitli.dxf").string()}, 1, "read-only"},
        {{"dxf", l, "-o", (dir / "yok" / "x.dxf").string()}, 1, "yazılamadı"},
        {{"plot", l, "--png", "a.png", "--svg", "b.svg"}, 2, "one of --svg, --png, --pdf"},
    };
    for (const auto& [args, exitCode, errContains] : cases) {
        r = cli(args);
        EXPECT_EQ(r.exitCode, exitCode) << args.back() << "\n" << r.err;
        EXPECT_NE(r.err.find(errContains), std::string::npos) << args.back() << "\n" << r.err;
    }
    EXPECT_FALSE(fs::exists(dir / "bos.dxf"));
    EXPECT_EQ(test::readBytes(dir / "kilitli.dxf"), "keep");
    EXPECT_EQ(test::readBytes(list), test::readBytes(test::dataDir() / "drawing" / "noktalar.txt"));
}

TEST_F(DrawingCli, PlotAndProfileWriteTheChosenFileKind) {
    const std::pair<const char*, std::string> kinds[] = {
        {"--png", "\x89PNG"}, {"--svg", "<?xml"}, {"--pdf", "%PDF"}};
    for (const auto& [option, magic] : kinds) {
        const fs::path out = dir / (std::string("plan.") + (option + 2));
        const auto r = cli({"plot", list.string(), option, out.string()});
        EXPECT_EQ(r.exitCode, 0) << option << r.err;
        EXPECT_EQ(test::readBytes(out).substr(0, magic.size()), magic) << option;
    }
    // The plan names its points (SVG text, Turkish letters intact).
    EXPECT_NE(test::readBytes(dir / "plan.svg").find("ÇEŞME-1"), std::string::npos);

    fs::copy_file(test::dataDir() / "levelling" / "line1k.raw", dir / "line1k.raw");
    const auto r = cli({"level", (dir / "line1k.raw").string(), "-o", (dir / "r.KOT").string(),
                        "--elevations", "--start", "100", "--end", "100.4030", "--intermediate",
                        "--profile", (dir / "profil.svg").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string svg = test::readBytes(dir / "profil.svg");
    EXPECT_NE(svg.find("Kapanma hatası: 3.00 mm"), std::string::npos);
    EXPECT_NE(svg.find("Dengelenmiş kot"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "r.KOT"));
}

}  // namespace
}  // namespace velkar
