// The "Çizim" tab of the conversion window, driven offscreen.
#include <QAction>
#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "conversion/ui/conversion_window_ui.h"
#include "drawing/qt/painter.h"
#include "drawing/ui/drawing_tab.h"
#include "golden.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "scripted_dialogs.h"
#include "scripted_serial_port.h"
#include "shell/ui/main_window.h"

namespace velkar::drawing {
namespace {

namespace fs = std::filesystem;

struct NoLauncher : ProcessLauncher {
    bool startTextEditor(std::string&) override { return true; }
    bool openWebPage(const std::string&, std::string&) override { return true; }
};

TEST(PlanLabels, ANameOfMoreThanSixtyFourCharactersIsCutWithAnEllipsis) {
    PlanScene scene;
    for (const std::string& name : {std::string(1000, 'W'), std::string(63, 'W') + "\x85"}) {
        scene.points.push_back({name, 0, 0, 0, false, PointKind::Computed, -1});
    }
    const auto widths = labelWidths(scene, QFont(), false);
    EXPECT_EQ(widths[0], widths[1]);
}

TEST(DrawingWindow, KoordinatRunShowsThePlanAndAClickSelectsTheRow) {
    test::ScriptedDialogs dialogs;
    test::ScriptedSerialPort port;
    NullEventPump pump;
    NoLauncher launcher;
    SteadyClock clock;
    const fs::path dir = test::tempDir("drawing-window");
    shell::MainWindow main(
        shell::AppServices{dialogs, port, pump, launcher, clock, dir / "VELKAR"});
    main.findChild<QAction*>(QStringLiteral("mikoordinat"))->trigger();
    auto* c = main.conversionWindow();
    c->instrumentList()->setEditText(QStringLiteral("GTS-210 / 220 / 6"));
    QTabWidget* tabs = c->resultTabs();
    EXPECT_EQ(tabs->count(), 1);  // no drawing before a run

    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "gts210_koordinat_ham.txt");
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "poligon.txt");
    c->actionButton()->click();
    ASSERT_EQ(tabs->count(), 2);
    tabs->setCurrentIndex(1);
    c->resize(900, 600);
    c->show();
    QApplication::processEvents();

    DrawingTab* tab = main.drawing()->tab();
    PlanView* view = tab->planView();
    const PlanScene& scene = view->scene();
    // The stations are triangles, the backsight from the polygon file a known
    // point, and every computed point hangs on a sight line from its station and
    // knows its table row.
    std::vector<int> computed;
    int stations = 0, known = 0;
    for (size_t i = 0; i < scene.points.size(); ++i) {
        const PlanPoint& p = scene.points[i];
        stations += p.kind == PointKind::Station;
        known += p.kind == PointKind::Polygon;
        if (p.kind != PointKind::Computed) continue;
        computed.push_back(static_cast<int>(i));
        ASSERT_GT(p.row, 0) << p.name;
        EXPECT_EQ(trimBlanks(c->results().cell(p.row, 0)), p.name);
    }
    EXPECT_EQ(stations, 2);
    EXPECT_EQ(known, 1);
    EXPECT_FALSE(scene.sights.empty());
    ASSERT_GE(computed.size(), 2u);
    // Clicking a point selects its row; selecting another row highlights its point.
    const QPoint at = view->screenPosition(computed[0]).toPoint();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
    const int row = scene.points[static_cast<size_t>(computed[0])].row;
    EXPECT_EQ(c->table()->selectionModel()->currentIndex().row(), row);
    EXPECT_TRUE(c->table()->selectionModel()->isRowSelected(row, {}));
    c->table()->selectRow(scene.points[static_cast<size_t>(computed[1])].row);
    EXPECT_EQ(view->highlighted(), computed[1]);

    // A conversion whose result holds no coordinates takes the tab away.
    c->instrumentList()->setEditText(QStringLiteral("GTS-600 / 700"));
    c->setMode(catalogue::Mode::Convert);
    c->outputList()->setEditText(QStringLiteral("YDE-NETCAD"));
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "gts700_ornek.txt");
    c->actionButton()->click();
    EXPECT_EQ(tabs->count(), 1);
    // A coordinate file dropped onto the window brings it back with that file.
    EXPECT_TRUE(main.drawing()->showCoordinateFile(fs::path(VELKAR_SAMPLES_DIR) / "poligon.txt"));
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->currentWidget(), tab);
    EXPECT_EQ(view->scene().points.size(), 2u);
}

}  // namespace
}  // namespace velkar::drawing
