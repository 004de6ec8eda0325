// The main window and the windows it opens, driven offscreen.
#include "shell/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "conversion/ui/conversion_window_ui.h"
#include "golden.h"
#include "levelling/ui/dl_settings_dialog.h"
#include "levelling/ui/intermediate_dialog.h"
#include "scripted_dialogs.h"
#include "scripted_serial_port.h"
#include "shell/ui/port_settings_window.h"

namespace velkar::shell {
namespace {

namespace fs = std::filesystem;

std::string joined(const PortSettingsTexts& t) {
    return t.protocol + "," + t.baud + "," + t.parity + "," + t.dataBits + "," + t.stopBits;
}

struct FakeLauncher : ProcessLauncher {
    bool startTextEditor(std::string&) override { return true; }
    bool openWebPage(const std::string&, std::string&) override { return true; }
};

// A pump that lets a test act at every wait of a transfer (a button pressed
// while the transfer waits for the instrument).
struct HookPump : EventPump {
    std::function<void(int wait)> onWait;
    int waits = 0;
    void processPending() override {}
    void waitForActivity(int) override {
        if (onWait) onWait(++waits);
    }
};

struct MainWindowTest : ::testing::Test {
    test::ScriptedDialogs dialogs;
    test::ScriptedSerialPort port;
    HookPump pump;
    FakeLauncher launcher;
    SteadyClock clock;
    fs::path folder = test::tempDir("main-window") / "VELKAR";
    std::unique_ptr<MainWindow> w;

    void start() {
        port.setOpenablePorts({1, 2, 4});
        w = std::make_unique<MainWindow>(AppServices{dialogs, port, pump, launcher, clock, folder});
    }
    QAction* action(const char* name) { return w->findChild<QAction*>(QString::fromLatin1(name)); }
    QStringList outputs() {
        QStringList l;
        auto* c = w->conversionWindow()->outputList();
        for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
        return l;
    }
    void restart() {
        w->close();
        w.reset();
        start();
    }
    void choose(const char* instrument) {
        w->instrumentChoice()->setEditText(QString::fromUtf8(instrument));
        w->instrumentChoiceClicked();
    }
    std::string ini() { return test::readBytes(folder / "VELKAR.INI"); }
    long iniLines() {
        const std::string s = ini();
        return std::count(s.begin(), s.end(), '\n');
    }
    // Starts the program and opens the conversion window on an instrument and an output.
    conversion::ConversionWindowUi* openConversion(const char* instrument, const char* output) {
        start();
        w->formatButtonClicked();
        auto* c = w->conversionWindow();
        c->instrumentList()->setEditText(instrument);
        c->instrumentChoiceChanged();
        c->outputList()->setEditText(output);
        return c;
    }
};

// Also the DL-100 computation chosen before shut-down is chosen again.
TEST_F(MainWindowTest, SettingsOfAllFourWindowsSurviveARestart) {
    start();
    w->instrumentChoice()->setEditText("GTS-600 / 700");
    w->portChoice()->setEditText("/dev/ttyUSB0");
    w->portSettings()->setTexts({"ONE WAY", "19200", "ODD", "7", "2"});
    w->conversionWindow()->instrumentList()->setEditText("DL-100");
    w->conversionWindow()->outputList()->setEditText("KOT HESABI-1");
    w->dlSettings()->option2()->setChecked(true);
    w->dlSettings()->check1()->setChecked(true);
    w->dlSettings()->text2()->setText("1.5");
    restart();
    EXPECT_EQ(w->instrumentChoice()->currentText(), "GTS-600 / 700");
    EXPECT_EQ(w->portChoice()->currentText(), "/dev/ttyUSB0");
    EXPECT_EQ(joined(w->portSettings()->texts()), "ONE WAY,19200,ODD,7,2");
    EXPECT_EQ(w->conversionWindow()->instrumentList()->currentText(), "DL-100");
    EXPECT_EQ(w->conversionWindow()->outputList()->currentText(), "KOT HESABI-1");
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::levellingItems());
    EXPECT_EQ(w->dlSettings()->current().readings, levelling::ReadingSelection::Second);
    EXPECT_TRUE(w->dlSettings()->check1()->isChecked() && !w->dlSettings()->check2()->isChecked());
    EXPECT_EQ(w->dlSettings()->text2()->text(), "1.5");
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeWrittenIsReported) {
    start();
    // Replace the folder by a file: the settings cannot be written there.
    fs::remove_all(folder);
    test::writeBytes(folder, "not a folder");
    w->close();
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("VELKAR.INI"), std::string::npos);
    fs::remove(folder);
}

// Each menu item opens the conversion window on its output and mode; the
// format button opens it once on the main window's instrument.
TEST_F(MainWindowTest, MenuItemsOpenTheConversionWindowOnTheirOutput) {
    start();
    const QStringList conversions = conversion::ConversionWindowUi::conversionItems();
    const std::tuple<const char*, const char*, QStringList> cases[] = {
        {"mikoordinat", "KOORDINAT", {"KOORDINAT", "KESIT-KLISE", "KESIT-NETCAD"}},
        {"miymkegh", "YMK-EGHAS", conversions},
        {"mi_iller", "iLLER BANKASI", conversion::ConversionWindowUi::levellingItems()}};
    auto* c = w->conversionWindow();
    for (const auto& [item, output, list] : cases) {
        action(item)->trigger();
        EXPECT_TRUE(c->isVisible()) << item;
        EXPECT_EQ(c->outputList()->currentText(), output) << item;
        EXPECT_EQ(outputs(), list) << item;
    }
    // The Iller Bankasi choice stays the DL-100's output for the format button.
    EXPECT_EQ(c->instrumentList()->currentText(), "DL-100");
    c->outputList()->setEditText("KOT HESABI");
    w->formatButtonClicked();
    EXPECT_EQ(c->outputList()->currentText(), "iLLER BANKASI");
    w.reset();
    start();
    w->formatButtonClicked();
    w->formatButtonClicked();
    EXPECT_EQ(outputs(), conversions);
    EXPECT_EQ(w->conversionWindow()->instrumentList()->currentText(), "GTS-210 / 220 / 6");
}

// A typed instrument that is only left is no choice; a choice rebuilds the
// output list (the DL-100 with its settings button).
TEST_F(MainWindowTest, ConversionInstrumentChoiceRebuildsTheOutputList) {
    start();
    w->formatButtonClicked();
    auto* c = w->conversionWindow();
    c->activateWindow();
    QApplication::setActiveWindow(c);
    c->instrumentList()->setFocus();
    QApplication::processEvents();
    c->instrumentList()->setEditText("DL-100");
    c->outputList()->setFocus();  // the typed text is left, not chosen
    QApplication::processEvents();
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::conversionItems());
    EXPECT_FALSE(c->settingsButton()->isVisibleTo(c));
    c->intermediateButton()->setVisible(true);
    c->instrumentChoiceChanged();
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::levellingItems());
    EXPECT_EQ(c->outputList()->currentText(), "KOT HESABI");
    EXPECT_TRUE(c->settingsButton()->isVisibleTo(c));
    EXPECT_FALSE(c->intermediateButton()->isVisibleTo(c));
    c->instrumentList()->setEditText("GTS-230N");
    c->instrumentChoiceChanged();
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::conversionItems());
    EXPECT_FALSE(c->settingsButton()->isVisibleTo(c));
    c->settingsButton()->setVisible(true);
    c->setMode(catalogue::Mode::Compute);
    c->instrumentChoiceChanged();
    EXPECT_EQ(c->outputList()->currentText(), "KOORDINAT");
    EXPECT_TRUE(c->settingsButton()->isVisibleTo(c));  // keeps its visibility
    w->close();
    w.reset();  // destroying the windows with a focused list must not run a handler
}

// The stop button shows while a transfer runs, and stops it.
TEST_F(MainWindowTest, LaunchersAskForTheFileAndShowTheStopButtonWhileTheTransferRuns) {
    start();
    std::vector<std::string> runs;
    bool stopVisible = false;
    w->setTransferRunner([&](bool download, const std::string& instrument, const fs::path& file) {
        runs.push_back((download ? "down " : "up ") + instrument + " " + file.string());
        stopVisible = !w->stopButton()->isHidden() && !w->transferLog()->isHidden();
        w->stopButton()->click();
    });
    dialogs.answerFile("/tmp/olcu.txt");
    w->downloadClicked();
    EXPECT_FALSE(w->transferFields().AKTARMA_DEVAM);
    dialogs.answerFile({});
    w->uploadClicked();
    EXPECT_EQ(runs,
              (std::vector<std::string>{"down GTS-210 / 220 /tmp/olcu.txt", "up GTS-210 / 220 "}));
    EXPECT_TRUE(stopVisible);
    EXPECT_TRUE(w->stopButton()->isHidden());
    EXPECT_EQ(dialogs.shown()[0].file.flags, kAskBeforeOverwrite);
    EXPECT_EQ(dialogs.shown()[1].file.flags, kFileMustExist);
}

// A raw file dropped on the conversion window is run as if picked in its file box.
TEST_F(MainWindowTest, ARawFilePickedOrDroppedIsConvertedIntoTheTable) {
    auto* c = openConversion("GTS-600 / 700", "YDE-NETCAD");
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "gts700_ornek.txt");
    c->actionButton()->click();
    const std::string picked = test::readBytes(c->core().resultWorkFile());
    EXPECT_TRUE(
        test::matchesGolden(picked, test::dataDir() / "conversion" / "gts700_yde_netcad.gold"));
    const int written = static_cast<int>(std::count(picked.begin(), picked.end(), '\n'));
    EXPECT_EQ(c->results().rowCount(), written + 2);          // header, rows, one empty row
    EXPECT_EQ(c->table()->model()->rowCount(), written + 1);  // the header row is the column header
    EXPECT_TRUE(c->saveButton()->isEnabled());

    fs::remove(c->core().resultWorkFile());
    dialogs.clearShown();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromUtf8(VELKAR_SAMPLES_DIR "/gts700_ornek.txt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &drop);
    EXPECT_EQ(test::readBytes(c->core().resultWorkFile()), picked);
    for (const auto& box : dialogs.shown()) EXPECT_NE(box.kind, test::ShownBox::Kind::File);
}

// Nothing written leaves nothing to save; a file of the other family is
// questioned first, and a Cancel converts nothing.
TEST_F(MainWindowTest, ActionButtonWarnsOfAnEmptyResultAndOfTheOtherFamily) {
    auto* c = openConversion("GTS-210 / 220 / 6", "XYZ");
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "gts210_koordinat_ham.txt");  // polar only
    c->actionButton()->click();
    EXPECT_FALSE(c->saveButton()->isEnabled());
    EXPECT_NE(dialogs.messageLines().back().find("hiçbir satır yazılmadı"), std::string::npos);
    c->outputList()->setEditText("YDE-NETCAD");
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "gts700_ornek.txt");
    dialogs.answerMessage(MessageResult::Cancel);
    dialogs.clearShown();
    c->actionButton()->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(c->results().rowCount(), 0);
    EXPECT_FALSE(c->saveButton()->isEnabled());
}

TEST_F(MainWindowTest, DL100ActionRunsTheLevellingAndTheNotebookOpensTheIntermediateDialog) {
    start();
    action("mi_iller")->trigger();
    auto* c = w->conversionWindow();
    EXPECT_FALSE(c->intermediateButton()->isVisibleTo(c));
    const auto dir = test::tempDir("gui-level");
    fs::copy_file(test::dataDir() / "levelling" / "book.raw",
                  dir / "book.raw");  // its .HTA lands beside it
    dialogs.answerFile(dir / "book.raw");
    dialogs.answerFile(dir / "defter.txt");  // the save step at the end of the pass
    c->actionButton()->click();
    EXPECT_TRUE(fs::exists(dir / "defter.iLL"));
    EXPECT_TRUE(c->intermediateButton()->isVisibleTo(c));
    c->intermediateButton()->click();
    EXPECT_TRUE(w->intermediateDialog() && w->intermediateDialog()->isVisible());
}

TEST_F(MainWindowTest, LeavingDl100RestoresThePortSettingsAlsoAfterARestart) {
    start();
    w->portSettings()->setTexts({"ONE WAY", "4800", "ODD", "8", "2"});
    choose("DL-100");
    EXPECT_EQ(joined(w->portSettings()->texts()), "ACK / NAK,9600,EVEN,7,1");
    EXPECT_FALSE(w->uploadLauncher()->isEnabled());
    choose("DL-100");  // chosen again: the preset is not what comes back
    restart();
    // The sixteen lines as before (the preset stands in them), the kept
    // settings after them.
    EXPECT_NE(ini().find("BAUD....:9600\r\nPRITY...:EVEN\r\n"), std::string::npos);
    EXPECT_GT(iniLines(), 16);
    EXPECT_EQ(joined(w->portSettings()->texts()), "ACK / NAK,9600,EVEN,7,1");
    choose("GTS-600 / 700");
    EXPECT_EQ(joined(w->portSettings()->texts()), "ONE WAY,4800,ODD,8,2");
    EXPECT_TRUE(w->uploadLauncher()->isEnabled());
    choose("USIKATA");  // its own settings are none: they are left as they were
    EXPECT_EQ(joined(w->portSettings()->texts()), "ONE WAY,4800,ODD,8,2");
    EXPECT_FALSE(w->uploadLauncher()->isEnabled());
    w->close();
    EXPECT_EQ(iniLines(), 16);  // nothing kept after them
}

TEST_F(MainWindowTest, AWaitingTransferDisablesEveryJobAndExitStopsItKeepingWhatArrived) {
    start();
    choose("GTS-600 / 700");
    w->show();
    const QSize size = w->size();
    const auto dir = test::tempDir("gui-exit");
    port.queueChunk("A1\r\n");
    dialogs.answerFile(dir / "ham.txt");
    dialogs.answerMessage(MessageResult::Ok);  // the port settings
    dialogs.answerMessage(MessageResult::Ok);  // the instruction box
    const char* const jobs[] = {"miBilci",    "miCibil",         "mikoordinat", "mikesnet",
                                "mikesklise", "miydenet",        "miymkegh",    "mixyz",
                                "mirasat",    "mi_dxf_donustur", "mi_iller",    "mi_excel",
                                "mi_GTS720",  "miportayari"};
    // The names of the jobs and choices that can be used.
    const auto usable = [&] {
        std::vector<std::string> names;
        for (const char* name : jobs) {
            if (action(name)->isEnabled()) names.push_back(name);
        }
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 w->instrumentChoice(), w->portChoice(), w->downloadLauncher(), w->uploadLauncher(),
                 w->formatButton(), w->conversionWindow()->actionButton(), w->portSettings()}) {
            if (widget->isEnabled()) names.push_back(widget->objectName().toStdString());
        }
        return names;
    };
    std::vector<std::string> usableWhileWaiting{"?"};
    bool exitUsable = false;
    QString log;
    pump.onWait = [&](int wait) {
        if (wait != 2) return;  // the first line has arrived
        usableWhileWaiting = usable();
        exitUsable = action("miCikis")->isEnabled() && w->stopButton()->isEnabled();
        log = w->transferLog()->toPlainText();
        action("miCikis")->trigger();
    };
    w->downloadClicked();
    EXPECT_EQ(usableWhileWaiting, std::vector<std::string>{});
    EXPECT_TRUE(exitUsable);
    EXPECT_TRUE(log.contains(QStringLiteral("A1"))) << log.toStdString();
    // Stopped like the stop button: what arrived is kept, the port was not lost.
    EXPECT_EQ(test::readBytes(dir / "ham.txt"), "A1\r\n");
    for (const std::string& line : dialogs.messageLines()) {
        EXPECT_EQ(line.find("koptu"), std::string::npos) << line;
    }
    EXPECT_EQ(w->size(), size);
    EXPECT_EQ(usable().size(), std::size(jobs) + 7);
    QApplication::processEvents();  // then the window closes: the settings are written
    EXPECT_TRUE(fs::exists(folder / "VELKAR.INI"));
}

TEST_F(MainWindowTest, TheSaveButtonWaitsForTheEndOfARun) {
    start();
    auto* c = w->conversionWindow();
    bool usableDuringTheRun = true;
    c->setActionHandler([&] {
        c->core().setSaveEnabled(true);  // the run has a result, but is not done yet
        usableDuringTheRun = c->saveButton()->isEnabled();
    });
    c->actionButton()->click();
    EXPECT_FALSE(usableDuringTheRun);
    EXPECT_TRUE(c->saveButton()->isEnabled());
}

}  // namespace
}  // namespace velkar::shell
