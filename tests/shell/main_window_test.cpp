// The main window and the windows it opens, driven offscreen.
#include "shell/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <functional>
#include <sstream>
#include <QStatusBar>

#include <gtest/gtest.h>

#include "conversion/ui/conversion_window_ui.h"
#include "golden.h"
#include "levelling/ui/dl_settings_dialog.h"
#include "platform/cp1254.h"
#include "platform/qt/qt_text.h"
#include "levelling/ui/intermediate_dialog.h"
#include "scripted_dialogs.h"
#include "scripted_serial_port.h"
#include "platform/qt/qt_text.h"
#include "shell/ui/help_window.h"
#include "shell/ui/info_window.h"
#include "shell/ui/port_settings_window.h"

namespace velkar::shell {
namespace {

namespace fs = std::filesystem;


std::string joined(const PortSettingsTexts& t) {
    return t.protocol + "," + t.baud + "," + t.parity + "," + t.dataBits + "," + t.stopBits;
}

struct FakeLauncher : ProcessLauncher {
    bool editorExists = true;
    int editors = 0;
    std::string lastUrl;
    bool startTextEditor(std::string& error) override {
        if (!editorExists) {
            error = "no editor";
            return false;
        }
        ++editors;
        return true;
    }
    bool openWebPage(const std::string& url, std::string&) override {
        lastUrl = url;
        return true;
    }
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
    void writeSettings(const std::string& bytes) {
        fs::create_directories(folder);
        test::writeBytes(folder / "VELKAR.INI", bytes);
    }
    QAction* action(const char* name) { return w->findChild<QAction*>(QString::fromLatin1(name)); }
    QStringList outputs() {
        QStringList l;
        auto* c = w->conversionWindow()->outputList();
        for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
        return l;
    }
    void closeWindow() { w->close(); }
};

TEST_F(MainWindowTest, FirstRunStartsWithTheInitialStatesAndWritesSixteenLines) {
    start();
    EXPECT_EQ(w->instrumentChoice()->currentText(), "GTS-210 / 220");
    EXPECT_EQ(w->instrumentChoice()->count(), 8);
    EXPECT_EQ(w->instrumentChoice()->itemText(7), "USIKATA");
    EXPECT_EQ(w->portChoice()->currentText(), "COM2");
    QStringList ports;
    for (int i = 0; i < w->portChoice()->count(); ++i) ports << w->portChoice()->itemText(i);
    EXPECT_EQ(ports, (QStringList{"COM 1", "COM 2", "COM 4"}));
    EXPECT_EQ(joined(w->portSettings()->texts()), "ACK / NAK,9600,NONE,8,1");
    EXPECT_TRUE(w->stopButton()->isHidden());
    EXPECT_TRUE(w->transferLog()->isHidden());
    EXPECT_TRUE(w->animationTimer()->isActive());
    EXPECT_EQ(w->animationTimer()->interval(), 100);
    EXPECT_TRUE(w->uploadLauncher()->isEnabled());
    closeWindow();
    const std::string ini = test::readBytes(folder / "VELKAR.INI");
    EXPECT_EQ(std::count(ini.begin(), ini.end(), '\n'), 16);
    EXPECT_NE(ini.find("CIHAZ...:GTS-210 / 220\r\nCOM.....:COM2\r\n"), std::string::npos);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(MainWindowTest, DL100InTheFileOverridesTheStoredPortSettings) {
    writeSettings(
        "CIHAZ...:DL-100\r\nBAUD....:9600\r\nPRITY...:NONE\r\nDATA....:8\r\nSTOP....:1\r\n"
        "ACK/NAK.:ONE WAY\r\n");
    start();
    EXPECT_EQ(joined(w->portSettings()->texts()), "ACK / NAK,9600,EVEN,7,1");
    EXPECT_FALSE(w->uploadLauncher()->isEnabled());
}

TEST_F(MainWindowTest, InstrumentHandlerPresetsAndLaunchers) {
    start();
    w->portSettings()->setTexts({"ONE WAY", "2400", "ODD", "8", "2"});
    w->instrumentChoice()->setEditText("USIKATA");
    w->instrumentChoiceClicked();
    EXPECT_FALSE(w->uploadLauncher()->isEnabled());
    EXPECT_EQ(w->portSettings()->texts().baud, "2400");  // left as they were
    w->instrumentChoice()->setEditText("DL-100");
    w->instrumentChoiceClicked();
    EXPECT_FALSE(w->uploadLauncher()->isEnabled());
    EXPECT_EQ(w->portSettings()->texts().parity, "EVEN");
    EXPECT_EQ(w->portSettings()->texts().protocol, "ACK / NAK");
    w->instrumentChoice()->setEditText("GTS-600 / 700");
    w->instrumentChoiceClicked();
    EXPECT_TRUE(w->uploadLauncher()->isEnabled());
}

TEST_F(MainWindowTest, SettingsOfAllFourWindowsSurviveARestart) {
    start();
    w->instrumentChoice()->setEditText("GTS-600 / 700");
    w->portChoice()->setEditText("/dev/ttyUSB0");
    w->portSettings()->setTexts({"ONE WAY", "19200", "ODD", "7", "2"});
    w->conversionWindow()->instrumentList()->setEditText("GTS-230N");
    w->conversionWindow()->outputList()->setEditText("YMK-EGHAS");
    w->dlSettings()->option2()->setChecked(true);
    w->dlSettings()->check1()->setChecked(true);
    w->dlSettings()->text2()->setText("1.5");
    closeWindow();
    w.reset();
    start();
    EXPECT_EQ(w->instrumentChoice()->currentText(), "GTS-600 / 700");
    EXPECT_EQ(w->portChoice()->currentText(), "/dev/ttyUSB0");
    EXPECT_EQ(joined(w->portSettings()->texts()), "ONE WAY,19200,ODD,7,2");
    EXPECT_EQ(w->conversionWindow()->instrumentList()->currentText(), "GTS-230N");
    EXPECT_EQ(w->conversionWindow()->outputList()->currentText(), "YMK-EGHAS");
    EXPECT_TRUE(w->dlSettings()->option2()->isChecked());
    EXPECT_FALSE(w->dlSettings()->option3()->isChecked());
    EXPECT_TRUE(w->dlSettings()->check1()->isChecked());
    EXPECT_FALSE(w->dlSettings()->check2()->isChecked());
    EXPECT_EQ(w->dlSettings()->text2()->text(), "1.5");
    EXPECT_EQ(w->dlSettings()->current().readings, levelling::ReadingSelection::Second);
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeWrittenIsReported) {
    start();
    // Replace the folder by a file: the settings cannot be written there.
    fs::remove_all(folder);
    test::writeBytes(folder, "not a folder");
    closeWindow();
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Hata Mesajı: Ayarlar kayıt edilemedi: "), std::string::npos);
    EXPECT_NE(lines[0].find("VELKAR.INI"), std::string::npos);
    fs::remove(folder);
}

TEST_F(MainWindowTest, MenuItemsStartWhatTheirCaptionsSay) {
    start();
    std::vector<bool> runs;
    w->setTransferRunner([&](bool download, const std::string&, const fs::path&) { runs.push_back(download); });
    dialogs.answerFile("/tmp/a.txt");
    action("miCibil")->trigger();
    dialogs.answerFile("/tmp/b.txt");
    action("miBilci")->trigger();
    EXPECT_EQ(runs, (std::vector<bool>{true, false}));
    action("mixyz")->trigger();
    auto* c = w->conversionWindow();
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->outputList()->currentText(), "XYZ");
    EXPECT_EQ(c->mode(), catalogue::Mode::Convert);
    action("miyardim")->trigger();
    auto* help = w->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    const QString page = help->page()->toPlainText();
    EXPECT_TRUE(page.contains("VELKAR.INI"));
    EXPECT_TRUE(page.contains(pathToQ(folder)));
}

TEST_F(MainWindowTest, TheDl100ComputationChosenBeforeShutDownIsChosenAfterARestart) {
    writeSettings(cp1254("CİHAZ1..:DL-100\r\nFORMAT..:KOT HESABI-1\r\n"));
    start();
    w->formatButtonClicked();
    EXPECT_EQ(w->conversionWindow()->outputList()->currentText(), "KOT HESABI-1");
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::levellingItems());
    closeWindow();
    EXPECT_NE(test::readBytes(folder / "VELKAR.INI").find("FORMAT..:KOT HESABI-1\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, FormatButtonListsTheConversionOutputsOnceOnTheMainWindowsInstrument) {
    start();
    w->formatButtonClicked();
    w->formatButtonClicked();
    auto* c = w->conversionWindow();
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::conversionItems());
    EXPECT_EQ(c->outputList()->currentText(), "XYZ");
    EXPECT_EQ(c->mode(), catalogue::Mode::Convert);
    EXPECT_TRUE(c->isVisible());
    // "GTS-210 / 220" of the main window is "GTS-210 / 220 / 6" in the conversion window.
    EXPECT_EQ(c->instrumentList()->currentText(), "GTS-210 / 220 / 6");
}

TEST_F(MainWindowTest, KoordinatMenuOpensTheComputationMode) {
    start();
    action("mikoordinat")->trigger();
    auto* c = w->conversionWindow();
    EXPECT_EQ(c->outputList()->currentText(), "KOORDINAT");
    EXPECT_EQ(outputs(), (QStringList{"KOORDINAT", "KESIT-KLISE", "KESIT-NETCAD"}));
    EXPECT_EQ(c->mode(), catalogue::Mode::Compute);
    action("miymkegh")->trigger();
    EXPECT_EQ(c->outputList()->currentText(), "YMK-EGHAS");
    EXPECT_EQ(c->mode(), catalogue::Mode::Convert);
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::conversionItems());
}

TEST_F(MainWindowTest, IllerBankasiMenuOpensTheLevellingChoice) {
    start();
    w->conversionWindow()->instrumentList()->setEditText("DL-100");
    w->formatButtonClicked();
    EXPECT_EQ(w->conversionWindow()->outputList()->currentText(), "KOT HESABI");  // menu never used yet
    action("mi_iller")->trigger();
    auto* c = w->conversionWindow();
    EXPECT_EQ(c->instrumentList()->currentText(), "DL-100");
    EXPECT_EQ(outputs(), (QStringList{"KOT HESABI", "KOT HESABI-1", "iLLER BANKASI"}));
    EXPECT_EQ(c->outputList()->currentText(), "iLLER BANKASI");
    EXPECT_TRUE(c->settingsButton()->isVisibleTo(c));
    c->outputList()->setEditText("KOT HESABI");
    w->formatButtonClicked();
    EXPECT_EQ(c->outputList()->currentText(), "iLLER BANKASI");
}

TEST_F(MainWindowTest, ConversionInstrumentChoiceRebuildsTheOutputList) {
    start();
    w->formatButtonClicked();
    auto* c = w->conversionWindow();
    c->intermediateButton()->setVisible(true);
    c->instrumentList()->setEditText("DL-100");
    c->instrumentChoiceChanged();
    EXPECT_EQ(outputs(), (QStringList{"KOT HESABI", "KOT HESABI-1", "iLLER BANKASI"}));
    EXPECT_EQ(c->outputList()->currentText(), "KOT HESABI");
    EXPECT_TRUE(c->settingsButton()->isVisibleTo(c));
    EXPECT_FALSE(c->intermediateButton()->isVisibleTo(c));
    c->instrumentList()->setEditText("GTS-230N");
    c->instrumentChoiceChanged();
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::conversionItems());
    EXPECT_EQ(c->outputList()->currentText(), "XYZ");
    EXPECT_FALSE(c->settingsButton()->isVisibleTo(c));
    c->settingsButton()->setVisible(true);
    c->setMode(catalogue::Mode::Compute);
    c->instrumentChoiceChanged();
    EXPECT_EQ(c->outputList()->currentText(), "KOORDINAT");
    EXPECT_TRUE(c->settingsButton()->isVisibleTo(c));  // keeps its visibility
}

TEST_F(MainWindowTest, InformationWindowListsTheHistoryOnEachClick) {
    start();
    action("miversiyon")->trigger();
    InfoWindow* info = w->infoWindow();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->versionLabel()->text(), "Ver. 2.14.1");
    EXPECT_TRUE(info->history()->isHidden());
    info->showHistory();
    info->showHistory();
    EXPECT_EQ(info->history()->count(), 14);
    EXPECT_FALSE(info->history()->isHidden());
    info->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w->infoWindow(), nullptr);
    action("miversiyon")->trigger();
    EXPECT_EQ(w->infoWindow()->history()->count(), 0);
    EXPECT_TRUE(w->infoWindow()->history()->isHidden());
}

TEST_F(MainWindowTest, LaunchersAskForTheFileAndShowTheStopButtonWhileTheTransferRuns) {
    start();
    std::vector<std::string> runs;
    bool stopVisible = false;
    w->setTransferRunner([&](bool download, const std::string& instrument, const fs::path& file) {
        runs.push_back((download ? "down " : "up ") + instrument + " " + file.string());
        stopVisible = !w->stopButton()->isHidden() && !w->transferLog()->isHidden();
    });
    dialogs.answerFile("/tmp/olcu.txt");
    w->downloadClicked();
    dialogs.answerFile({});
    w->uploadClicked();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], "down GTS-210 / 220 /tmp/olcu.txt");
    EXPECT_EQ(runs[1], "up GTS-210 / 220 ");
    EXPECT_TRUE(stopVisible);
    EXPECT_TRUE(w->stopButton()->isHidden());
    EXPECT_TRUE(w->transferLog()->isHidden());
    const auto boxes = dialogs.shown();
    EXPECT_EQ(boxes[0].file.flags, kAskBeforeOverwrite);
    EXPECT_EQ(boxes[0].file.mode, FileDialogMode::Save);
    EXPECT_EQ(boxes[1].file.flags, kFileMustExist);
    EXPECT_EQ(boxes[1].file.mode, FileDialogMode::Open);
}

TEST_F(MainWindowTest, EditorAndWebLink) {
    start();
    action("meeditor")->trigger();
    EXPECT_EQ(launcher.editors, 1);
    launcher.editorExists = false;
    w->editorClicked();
    EXPECT_EQ(dialogs.messageLines(), (std::vector<std::string>{"Hata Mesajı: no editor"}));
    w->webLinkClicked();
    EXPECT_EQ(launcher.lastUrl, "https://www.velkar.com.tr");
}

TEST_F(MainWindowTest, ExportMenuItemsRunTheExportTools) {
    start();
    const auto dir = test::tempDir("menu-export");
    test::writeBytes(dir / "liste.txt", "P1 100.5 200.25 300\r\n");
    dialogs.answerFile(dir / "liste.txt");
    dialogs.answerFile(dir / "tablo.xls");
    action("mi_excel")->trigger();
    EXPECT_TRUE(fs::exists(dir / "tablo.xls"));
    // The status bar names each file written with its full path.
    EXPECT_TRUE(w->statusBar()->currentMessage().endsWith(pathToQ(dir / "tablo.xls")));
    dialogs.answerFile(dir / "liste.txt");
    dialogs.answerFile(dir / "gts");
    action("mi_GTS720")->trigger();
    EXPECT_EQ(test::readBytes(dir / "gts.txt"), "P1,100.5,200.25,300,\r\n");
    EXPECT_TRUE(w->statusBar()->currentMessage().endsWith(pathToQ(dir / "gts.txt")));
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Excel'e dönüşüm sona erdi.");
}

TEST_F(MainWindowTest, SaveButtonOfTheConversionWindowSavesUnderTheOutputsExtension) {
    start();
    auto* c = w->conversionWindow();
    EXPECT_FALSE(c->saveButton()->isEnabled());  // nothing to save before a run
    fs::create_directories(folder);
    test::writeBytes(c->core().resultWorkFile(), "   S1          0.0000\r\n");
    c->core().setSaveEnabled(true);
    EXPECT_TRUE(c->saveButton()->isEnabled());
    c->outputList()->setEditText("KESIT-KLISE");
    const auto dir = test::tempDir("gui-save");
    fs::create_directories(dir / "proje.eski");
    dialogs.answerFile(dir / "proje.eski" / "x");
    c->saveButton()->click();
    EXPECT_EQ(test::readBytes(dir / "proje.eski" / "x.KSE"), "   S1          0.0000\r\n");
    EXPECT_FALSE(c->saveButton()->isEnabled());
    const auto* status = c->findChild<QLabel*>(QStringLiteral("StatusBar1"));
    EXPECT_TRUE(status->text().endsWith(pathToQ(dir / "proje.eski" / "x.KSE")))
        << status->text().toStdString();
}

// After a KOORDINAT run every value of the table is whole: each column is
// wider than its widest text, the headings are the column header.
TEST_F(MainWindowTest, TheTableShowsEveryValueWholeAfterAKoordinatRun) {
    start();
    action("mikoordinat")->trigger();
    auto* c = w->conversionWindow();
    c->instrumentList()->setEditText("GTS-210 / 220 / 6");
    c->instrumentChoiceChanged();
    c->outputList()->setEditText("KOORDINAT");
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "gts210_koordinat_ham.txt");
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "poligon.txt");
    c->actionButton()->click();
    ResultTableView* view = c->table();
    const auto* model = view->model();
    ASSERT_GT(model->rowCount(), 3);
    EXPECT_FALSE(view->horizontalHeader()->isHidden());
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Y");
    const QFontMetrics fm = view->fontMetrics();
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int col = 0; col < 4; ++col) {
            const QString text = model->index(r, col).data().toString();
            EXPECT_GT(view->columnWidth(col), fm.horizontalAdvance(text)) << text.toStdString();
        }
    }
}

// A raw file dropped on the conversion window runs without its file box.
TEST_F(MainWindowTest, ARawFileDroppedOnTheConversionWindowIsRun) {
    start();
    w->formatButtonClicked();
    auto* c = w->conversionWindow();
    c->instrumentList()->setEditText("GTS-600 / 700");
    c->instrumentChoiceChanged();
    c->outputList()->setEditText("YDE-NETCAD");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromUtf8(VELKAR_SAMPLES_DIR "/gts700_ornek.txt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &drop);
    EXPECT_TRUE(test::matchesGolden(test::readBytes(c->core().resultWorkFile()),
                                    test::dataDir() / "conversion" / "gts700_yde_netcad.gold"));
    EXPECT_TRUE(dialogs.allAnswersUsed());
    for (const auto& box : dialogs.shown()) EXPECT_NE(box.kind, test::ShownBox::Kind::File);
}

TEST_F(MainWindowTest, DownloadFromTheLauncherWritesTheFileAndShowsTheLog) {
    start();
    w->instrumentChoice()->setEditText("GTS-600 / 700");
    w->instrumentChoiceClicked();
    const auto dir = test::tempDir("gui-download");
    port.queueChunk("A1,2,3\r\n");
    port.queueChunk("B4,5,6\r\n");
    port.queueChunk("\x04");
    dialogs.answerFile(dir / "ham.txt");
    dialogs.answerMessage(MessageResult::Ok);  // the port settings
    dialogs.answerMessage(MessageResult::Ok);  // the instruction box
    w->downloadClicked();
    EXPECT_EQ(test::readBytes(dir / "ham.txt"), "A1,2,3\r\nB4,5,6\r\n");
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("  PORT AYARLARINI KONTROL EDINIZ  : Protokol.:", 0), 0u);
    EXPECT_EQ(lines[2], "Aktarma Islemi Bitti");
    EXPECT_EQ(port.openedPort(), (PortId{2, {}}));
    EXPECT_TRUE(w->transferLog()->isHidden());
    EXPECT_FALSE(w->transferLog()->toPlainText().isEmpty());  // the last line stays, hidden
    EXPECT_TRUE(w->transferFields().AKTARMA_DEVAM);
}

TEST_F(MainWindowTest, StopButtonClearsTheContinueFlag) {
    start();
    w->setTransferRunner(
        [&](bool, const std::string&, const fs::path&) { w->stopButton()->click(); });
    dialogs.answerFile({});
    w->downloadClicked();
    EXPECT_FALSE(w->transferFields().AKTARMA_DEVAM);
}

TEST_F(MainWindowTest, ActionButtonConvertsTheRawFileIntoTheTable) {
    start();
    w->formatButtonClicked();
    auto* c = w->conversionWindow();
    c->instrumentList()->setEditText("GTS-600 / 700");
    c->instrumentChoiceChanged();
    c->outputList()->setEditText("YDE-NETCAD");
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "gts700_ornek.txt");
    c->actionButton()->click();
    const std::string expected =
        test::readBytes(test::dataDir() / "conversion" / "gts700_yde_netcad.gold");
    EXPECT_EQ(test::readBytes(c->core().resultWorkFile()), expected);
    const int written = static_cast<int>(std::count(expected.begin(), expected.end(), '\n'));
    EXPECT_EQ(c->results().rowCount(), written + 2);          // header, rows, one empty row
    EXPECT_EQ(c->table()->model()->rowCount(), written + 1);  // the header row is the column header
    EXPECT_TRUE(c->saveButton()->isEnabled());
    EXPECT_EQ(dialogs.messageLines().back(), "İşlem Sonu: Format Dönüştürme İşlemi Tamamlandı\n" +
                                                 std::to_string(written) + " satır yazıldı.");
    EXPECT_TRUE(c->actionButton()->isEnabled());
}

// Nothing written leaves nothing to save; a file of the other family is
// questioned first, and a Cancel converts nothing.
TEST_F(MainWindowTest, ActionButtonWarnsOfAnEmptyResultAndOfTheOtherFamily) {
    start();
    w->formatButtonClicked();
    auto* c = w->conversionWindow();
    c->instrumentList()->setEditText("GTS-210 / 220 / 6");
    c->instrumentChoiceChanged();
    c->outputList()->setEditText("XYZ");
    dialogs.answerFile(fs::path(VELKAR_SAMPLES_DIR) / "gts210_koordinat_ham.txt");  // polar only
    c->actionButton()->click();
    EXPECT_FALSE(c->saveButton()->isEnabled());
    EXPECT_EQ(dialogs.messageLines().back(),
              "Uyarı: Bu dosyada seçilen çıktı için kayıt bulunamadı: hiçbir satır yazılmadı.");
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
    ASSERT_NE(w->intermediateDialog(), nullptr);
    EXPECT_TRUE(w->intermediateDialog()->isVisible());
}

TEST_F(MainWindowTest, LeavingATypedInstrumentIsNoChoice) {
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
    EXPECT_EQ(outputs().size(), 9);
    EXPECT_FALSE(c->settingsButton()->isVisibleTo(c));
    w->close();
    w.reset();  // destroying the windows with a focused list must not run a handler
}

TEST_F(MainWindowTest, MouseOverALauncherFramesItAndThePictureClearsBoth) {
    start();
    auto moveOver = [](QWidget* widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    };
    moveOver(w->downloadLauncher());
    moveOver(w->uploadLauncher());
    EXPECT_EQ(w->downloadLauncher()->frameShape(), QFrame::Box);
    EXPECT_EQ(w->uploadLauncher()->frameShape(), QFrame::Box);
    moveOver(w->findChild<QLabel*>(QStringLiteral("Image1")));
    EXPECT_EQ(w->downloadLauncher()->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(w->uploadLauncher()->frameShape(), QFrame::NoFrame);
}

}  // namespace
}  // namespace velkar::shell

namespace velkar::shell {
namespace {

struct TransferWindowTest : MainWindowTest {
    void choose(const char* instrument) {
        w->instrumentChoice()->setEditText(QString::fromUtf8(instrument));
        w->instrumentChoiceClicked();
    }
    std::string portTexts() {
        const PortSettingsTexts t = w->portSettings()->texts();
        return t.protocol + "," + t.baud + "," + t.parity + "," + t.dataBits + "," + t.stopBits;
    }
    std::vector<std::string> iniLines() {
        std::vector<std::string> lines;
        std::istringstream in(test::readBytes(folder / "VELKAR.INI"));
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        return lines;
    }
};

TEST_F(TransferWindowTest, LeavingDl100RestoresThePortSettingsAlsoAfterARestart) {
    start();
    w->portSettings()->setTexts({"ONE WAY", "4800", "ODD", "8", "2"});
    choose("DL-100");
    EXPECT_EQ(portTexts(), "ACK / NAK,9600,EVEN,7,1");
    choose("DL-100");  // chosen again: the preset is not what comes back
    closeWindow();
    // The sixteen lines as before (the preset stands in them), the kept
    // settings after them.
    const auto lines = iniLines();
    ASSERT_GT(lines.size(), 16u);
    EXPECT_EQ(lines[1], "CIHAZ...:DL-100\r");
    EXPECT_EQ(lines[4], "BAUD....:9600\r");
    EXPECT_EQ(lines[15].substr(0, 9), "HATA....:");
    w.reset();
    start();
    EXPECT_EQ(portTexts(), "ACK / NAK,9600,EVEN,7,1");
    choose("GTS-600 / 700");
    EXPECT_EQ(portTexts(), "ONE WAY,4800,ODD,8,2");
    choose("USIKATA");
    EXPECT_EQ(portTexts(), "ONE WAY,4800,ODD,8,2");
    closeWindow();
    EXPECT_EQ(iniLines().size(), 16u);
}

TEST_F(TransferWindowTest, AWaitingTransferDisablesEveryJobAndExitStopsItKeepingWhatArrived) {
    start();
    choose("GTS-600 / 700");
    w->show();
    const QSize size = w->size();
    const auto dir = test::tempDir("gui-exit");
    port.queueChunk("A1\r\n");
    dialogs.answerFile(dir / "ham.txt");
    dialogs.answerMessage(MessageResult::Ok);  // the port settings
    dialogs.answerMessage(MessageResult::Ok);  // the instruction box
    const char* const jobs[] = {"miBilci",  "miCibil",  "mikoordinat", "mikesnet",   "mikesklise",
                                "miydenet", "miymkegh", "mixyz",       "mirasat",    "mi_dxf_donustur",
                                "mi_iller", "mi_excel", "mi_GTS720",   "miportayari"};
    std::vector<std::string> enabledWhileWaiting;
    bool exitUsable = false;
    QString log;
    pump.onWait = [&](int wait) {
        if (wait != 2) return;  // the first line has arrived
        for (const char* name : jobs) {
            if (action(name)->isEnabled()) enabledWhileWaiting.push_back(name);
        }
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 w->instrumentChoice(), w->portChoice(), w->downloadLauncher(), w->uploadLauncher(),
                 w->formatButton(), w->conversionWindow()->actionButton(), w->portSettings()}) {
            if (widget->isEnabled())
                enabledWhileWaiting.push_back(widget->objectName().toStdString());
        }
        exitUsable = action("miCikis")->isEnabled() && w->stopButton()->isEnabled();
        log = w->transferLog()->toPlainText();
        action("miCikis")->trigger();
    };
    w->downloadClicked();
    EXPECT_EQ(enabledWhileWaiting, std::vector<std::string>{});
    EXPECT_TRUE(exitUsable);
    EXPECT_TRUE(log.contains(QStringLiteral("A1"))) << log.toStdString();
    // Stopped like the stop button: what arrived is kept, the port was not lost.
    EXPECT_EQ(test::readBytes(dir / "ham.txt"), "A1\r\n");
    for (const std::string& line : dialogs.messageLines()) {
        EXPECT_EQ(line.find("koptu"), std::string::npos) << line;
    }
    EXPECT_EQ(w->size(), size);
    for (const char* name : jobs) EXPECT_TRUE(action(name)->isEnabled()) << name;
    EXPECT_TRUE(w->uploadLauncher()->isEnabled());
    QApplication::processEvents();  // then the window closes: the settings are written
    EXPECT_TRUE(fs::exists(folder / "VELKAR.INI"));
}

TEST_F(TransferWindowTest, TheSaveButtonWaitsForTheEndOfARun) {
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
