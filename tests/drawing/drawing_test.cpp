// The plan and profile scenes, coordinate files and the DXF writer.
#include <cmath>
#include <iterator>
#include <sstream>

#include "drawing/coordinate_file.h"
#include "drawing/dxf.h"
#include "drawing/dxf_convert.h"
#include "drawing/profile.h"
#include "drawing/scene.h"
#include "levelling_fixture.h"
#include "platform/numbers.h"
#include "run_process.h"

namespace velkar::drawing {
namespace {

namespace fs = std::filesystem;
using velkar::test::dataDir;
using velkar::test::readBytes;

PlanPoint point(const char* name, double y, double x, PointKind kind = PointKind::Computed) {
    return {name, y, x, 100, true, kind, -1};
}

TEST(PlanScene, EastIsDrawnToTheRightAndNorthAbove) {
    PlanScene scene;
    scene.points = {point("A", 5000, 3000), point("EAST", 5100, 3000), point("NORTH", 5000, 3100)};
    const ViewTransform t = ViewTransform::fit(scene.extent(), 800, 600, 20);
    const auto& a = scene.points[0];
    EXPECT_GT(t.toScreenX(scene.points[1].y), t.toScreenX(a.y));
    EXPECT_DOUBLE_EQ(t.toScreenY(scene.points[1].x), t.toScreenY(a.x));
    EXPECT_LT(t.toScreenY(scene.points[2].x), t.toScreenY(a.x));  // screen y grows downwards
    // Zooming about a screen position keeps the survey point under it.
    ViewTransform z = t;
    z.zoomAbout(3, 123, 456);
    EXPECT_NEAR(z.toEasting(123), t.toEasting(123), 1e-9);
    EXPECT_NEAR(z.toNorthing(456), t.toNorthing(456), 1e-9);
}

TEST(ScaleBar, LongestRoundLengthThatFits) {
    const std::pair<double, double> cases[] = {{1234, 1000}, {999, 500},    {0.3, 0.2},   {20, 20},
                                               {1, 1},       {7.9, 5},      {1e-3, 1e-3}, {0, 0},
                                               {-5, 0},      {45000, 20000}};
    for (const auto& [room, length] : cases) EXPECT_DOUBLE_EQ(scaleBarLength(room), length) << room;
}

TEST(Labels, OverlappingLabelsAreLeftOutByImportance) {
    PlanScene scene;
    // At 10 px/m with 7 px characters, P1's label covers 4..25 px across: P2
    // (1 m east) would write on it, P3 (20 m east) is clear, and the station
    // listed last still wins over the point beside it.
    scene.points = {point("P1", 0, 0), point("P2", 1, 0), point("P3", 20, 0), point("K", 100, 0),
                    point("S1", 100.5, 0.2, PointKind::Station)};
    const LabelMetrics m{7, 12, 4};
    EXPECT_EQ(chooseLabels(scene, 10, m, false),
              (std::vector<bool>{true, false, true, false, true}));
    // Zoomed in far enough, every name finds room.
    EXPECT_EQ(chooseLabels(scene, 1000, m, false), std::vector<bool>(5, true));
    // The elevation is a second line: a point 2 m below P1 now meets its label.
    scene.points = {point("P1", 0, 0), point("P2", 0, -2)};
    EXPECT_EQ(chooseLabels(scene, 10, m, false), (std::vector<bool>{true, true}));
    EXPECT_EQ(chooseLabels(scene, 10, m, true), (std::vector<bool>{true, false}));
}

// Separators, a missing elevation, lines that are no point.
TEST(CoordinateFile, LinesThatAreAPointAndLinesThatAreNot) {
    CoordinateRecord r;
    EXPECT_TRUE(parseCoordinateLine("Ğ2,1020.000,1010.000,99.5,NOT", AxisOrder::NameYXZ, r));
    EXPECT_TRUE(r.hasZ);
    EXPECT_TRUE(parseCoordinateLine("\tA\t1 2", AxisOrder::NameYXZ, r));
    EXPECT_FALSE(r.hasZ);
    for (const char* bad : {"", "   ", " Nokta Adı   Y   X   Z", "A 1", "A 1 2x 3", "A nan 1"})
        EXPECT_FALSE(parseCoordinateLine(bad, AxisOrder::NameYXZ, r)) << bad;
}

using Profile = levelling::test::LevellingFixture;

// The report rows: name, the two distance columns and the last (elevation) column.
struct ReportRow {
    std::string name;
    double back = 0, own = 0, elevation = 0;
    bool intermediate = false;
};

std::vector<ReportRow> reportRows(const std::string& report) {
    std::vector<ReportRow> rows;
    std::istringstream in(report);
    std::string line;
    for (int n = 0; std::getline(in, line); ++n) {
        std::istringstream tokens(line);
        const std::vector<std::string> t{std::istream_iterator<std::string>(tokens), {}};
        if (n < 2 || t.size() < 7 || t[0] == "Toplam" || t[0] == cp1254("Düzeltme")) continue;
        rows.push_back({t[0], leadingNumber(t[1]), leadingNumber(t[2]), leadingNumber(t.back()),
                        t[4] != "-------"});
    }
    return rows;
}

TEST_F(Profile, DistancesAndElevationsAreThoseOfTheReportOfTheSameRun) {
    state.recordProfile = true;
    settings.values.printIntermediate = true;
    for (bool adjusted : {false, true}) {
        settings.values.startElevation = "100.0000";  // a run leaves them exchanged
        settings.values.endElevation = "100.4030";
        settings.values.addElevations = adjusted;
        const std::vector<ReportRow> rows = reportRows(report("KOT HESABI", "line1k.raw"));
        const ProfileScene scene = buildProfile(state.profile);
        ASSERT_EQ(scene.series.size(), 1u);
        const ProfileSeries& s = scene.series[0];
        ASSERT_EQ(s.marks.size(), rows.size());
        EXPECT_EQ(s.adjusted, adjusted);
        // Along the line: a station's foresight point lies its two sights on
        // from its backsight point; an intermediate sight its own sight on
        // from the instrument.
        double stationPoint = 0, lastBack = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            const ReportRow& r = rows[i];
            double expected;
            if (r.intermediate) {
                expected = stationPoint + r.back + r.own;
            } else {
                expected = i == 0 ? 0 : stationPoint + lastBack + r.own;
                stationPoint = expected;
                lastBack = r.back;
            }
            EXPECT_EQ(s.marks[i].name, r.name);
            EXPECT_NEAR(s.marks[i].distance, expected, 0.005) << r.name;
            const double drawn = adjusted ? s.marks[i].adjusted : s.marks[i].elevation;
            EXPECT_NEAR(drawn, r.elevation, adjusted ? 0.00005 : 0.000005) << r.name;
        }
        EXPECT_EQ(s.closureChecked, adjusted);
    }
    const ProfileScene last = buildProfile(state.profile);
    const ProfileSeries& s = last.series[0];
    EXPECT_NEAR(s.misclosureMm, 3.0, 1e-6);  // "Düzeltme Değeri.: 3.0000 mm."
    EXPECT_NEAR(s.limitMm, 7.7974, 5e-5);    // "Sınır Değer.: 7.7974 mm."
    EXPECT_FALSE(s.beyondLimit());
    EXPECT_EQ(s.startName, "A");
    EXPECT_EQ(s.endName, "B");
}

TEST_F(Profile, GoAndReturnLinesShareTheirDistances) {
    state.recordProfile = true;
    settings.values.returnRun = true;
    w.setOutput("KOT HESABI");
    for (const fs::path& answer :
         {raw("line1.raw"), dir / "g.txt", raw("line1r.raw"), dir / "d.txt", dir / "o.txt"}) {
        dialogs.answerFile(answer);
    }
    levellingAction(w, state, settings);
    const ProfileScene scene = buildProfile(state.profile);
    ASSERT_EQ(scene.series.size(), 2u);
    const auto& go = scene.series[0].marks;
    const auto& back = scene.series[1].marks;
    // The return line starts where the outward line ended.
    EXPECT_EQ(back.front().name, go.back().name);
    EXPECT_NEAR(back.front().distance, go.back().distance, 0.5);
    EXPECT_NEAR(back.back().distance, 0, 1e-9);
}

// The menu item writes the golden DXF of a small list beside it, and asks
// before it replaces one.
TEST(Dxf, MenuItemWritesBesideTheFileAndAsksBeforeReplacing) {
    const fs::path dir = velkar::test::tempDir("dxf-menu");
    fs::copy_file(dataDir() / "drawing" / "noktalar.txt", dir / "liste.ncn");
    velkar::test::ScriptedDialogs dialogs;
    dialogs.answerFile(dir / "liste.ncn");
    EXPECT_EQ(DXF_DONUSTUR(dialogs), dir / "liste.dxf");
    EXPECT_TRUE(velkar::test::matchesGolden(readBytes(dir / "liste.dxf"),
                                            dataDir() / "drawing" / "noktalar.dxf.gold"));
    // Again: the program's question; cancelled, the file stays as it was.
    velkar::test::writeBytes(dir / "liste.dxf", "old");
    dialogs.answerFile(dir / "liste.ncn");
    dialogs.answerMessage(MessageResult::Cancel);
    EXPECT_EQ(DXF_DONUSTUR(dialogs), fs::path());
    EXPECT_EQ(readBytes(dir / "liste.dxf"), "old");
    EXPECT_EQ(dialogs.messages().back().text.rfind(pathText(dir / "liste.dxf") + " zaten var.", 0),
              0u);
    // The second filter pair reads the columns as name, X, Y, Z.
    dialogs.answerFile(dir / "liste.ncn", 2);
    dialogs.answerMessage(MessageResult::Ok);
    EXPECT_EQ(DXF_DONUSTUR(dialogs), dir / "liste.dxf");
    EXPECT_NE(readBytes(dir / "liste.dxf").find(" 10\r\n980.5000\r\n 20\r\n1050.1234\r\n"),
              std::string::npos);
}

// A scene of every kind of mark, many Turkish names, written and read back by
// ezdxf (its audit too) and by GDAL.
TEST(Dxf, IndependentReadersFindEveryPointAndName) {
    PlanScene scene;
    const char* names[] = {"ÇEŞME", "ĞÜŞİÖÇ", "ışık", "İĞNE-1", "P.5", "a b"};
    for (int i = 0; i < 60; ++i) {
        scene.points.push_back({cp1254(names[i % 6]) + std::to_string(i), 451234.5678 + i * 7.25,
                                4412345.1234 - i * 3.5, 812.3456 + i * 0.01, i % 5 != 0,
                                i % 10 == 1 ? PointKind::Station : PointKind::Computed, -1});
    }
    scene.sights = {{1, 2}, {1, 3}, {11, 12}};
    const fs::path dir = velkar::test::tempDir("dxf-readers");
    std::string error;
    ASSERT_TRUE(writeSceneDxf(scene, dir / "plan.dxf", 0, error)) << error;

    const auto ez = velkar::test::runProcess(
        "/usr/bin/python3",
        {(fs::path(VELKAR_TEST_DIR) / "read_dxf.py").string(), (dir / "plan.dxf").string()});
    ASSERT_EQ(ez.exitCode, 0) << ez.err;
    std::string expected = "audit errors 0\n";
    for (const PlanPoint& p : scene.points) {
        expected += "point " + trimBlanks(fixedText(p.y, 4)) + " " + trimBlanks(fixedText(p.x, 4)) +
                    " " + trimBlanks(fixedText(p.hasZ ? p.z : 0, 4)) + " " + toUtf8(p.name) + "\n";
    }
    expected += "lines 3\n";
    EXPECT_EQ(ez.out, expected);

    const auto ogr = velkar::test::runProcess("/usr/bin/ogrinfo",
                                              {"-ro", "-al", "-so", (dir / "plan.dxf").string()});
    ASSERT_EQ(ogr.exitCode, 0) << ogr.err;
    // Every point, name, elevation, station triangle side and sight line is a feature.
    const int features = 60 + 60 + 48 + 6 * 3 + 3;
    EXPECT_NE(ogr.out.find("Feature Count: " + std::to_string(features)), std::string::npos)
        << ogr.out;
}

}  // namespace
}  // namespace velkar::drawing
