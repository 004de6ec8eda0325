// The main window and the windows it opens, driven offscreen.
#include "shell/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "conversion/ui/conversion_window_ui.h"
#include "golden.h"
#include "levelling/ui/dl_settings_dialog.h"
#include "platform/cp1254.h"
#include "scripted_dialogs.h"
#include "scripted_serial_port.h"
#include "shell/ui/info_window.h"
#include "shell/ui/port_settings_window.h"

namespace velkar::shell {
namespace {

namespace fs = std::filesystem;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

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

struct MainWindowTest : ::testing::Test {
    test::ScriptedDialogs dialogs;
    test::ScriptedSerialPort port;
    NullEventPump pump;
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
    const PortSettingsTexts t = w->portSettings()->texts();
    EXPECT_EQ(t.protocol, "ACK / NAK");
    EXPECT_EQ(t.baud, "9600");
    EXPECT_EQ(t.parity, "NONE");
    EXPECT_EQ(t.dataBits, "8");
    EXPECT_EQ(t.stopBits, "1");
    EXPECT_FALSE(w->stopButton()->isVisible());
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
    writeSettings("CIHAZ...:DL-100\r\nBAUD....:9600\r\nPRITY...:NONE\r\nDATA....:8\r\nSTOP....:1\r\n"
                  "ACK/NAK.:ONE WAY\r\n");
    start();
    const PortSettingsTexts t = w->portSettings()->texts();
    EXPECT_EQ(t.protocol, "ACK / NAK");
    EXPECT_EQ(t.baud, "9600");
    EXPECT_EQ(t.parity, "EVEN");
    EXPECT_EQ(t.dataBits, "7");
    EXPECT_EQ(t.stopBits, "1");
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
    const PortSettingsTexts t = w->portSettings()->texts();
    EXPECT_EQ(t.protocol + "," + t.baud + "," + t.parity + "," + t.dataBits + "," + t.stopBits,
              "ONE WAY,19200,ODD,7,2");
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

TEST_F(MainWindowTest, AfterTheFirstTickTheLaunchersLoseTheirAccelerator) {
    start();
    EXPECT_EQ(w->downloadLauncher()->text(), "&Cihazdan Bilgisayara Aktarma");
    EXPECT_EQ(w->uploadLauncher()->text(), "&Bilgisayardan Cihaza Aktarma");
    w->tick();
    EXPECT_EQ(w->downloadLauncher()->text(), " > >         Cihazdan Bilgisayara Aktarma > >         ");
    EXPECT_EQ(w->uploadLauncher()->text(), "       < < Bilgisayardan Cihaza Aktarma       < < ");
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndNames) {
    start();
    const std::pair<const char*, const char*> items[] = {
        {"miBilci", "&Bilgisayardan Cihaza"}, {"miCibil", "&Cihazdan Bilgisayara"},
        {"miCikis", "Cı&kıs"},                {"mikoordinat", "&KOORDINAT"},
        {"mikesnet", "KESIT-&NETCAD"},        {"mikesklise", "KESIT-KLISE"},
        {"miydenet", "&NETCAD"},              {"miydeegh", "&EGHAS"},
        {"miymknet", "&NETCAD"},              {"miymkegh", "&EGHAS"},
        {"mixyz", "&XYZ"},                    {"mirasat", "&RASAT"},
        {"midxf", "&DXF"},                    {"mi_iller", "DL-100 &ILLER BANKASI"},
        {"mi_dxf_donustur", "DXF'e Dönüştür"},
        {"mi_excel", "Excel'e Dönüştür"},     {"mi_GTS720", "YXZ --> GTS-720 / GPT-7000"},
        {"meeditor", "&Editor"},              {"miportayari", "&Port Ayarı"},
        {"miversiyon", "Program Ver."},       {"miyardim", "Yardım"}};
    for (const auto& [name, caption] : items) {
        QAction* a = action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->text(), U(caption)) << name;
    }
    const std::pair<const char*, const char*> menus[] = {
        {"meAktar", "&Aktar"}, {"meHesaplar", "&Hesaplar"}, {"meDonustur", "Donus&tur"},
        {"meAyarlar", "A&yarlar"}, {"meBilgi", "Bi&lgi"}, {"miyde", "YD&E"}, {"miymk", "YM&K"}};
    for (const auto& [name, caption] : menus) {
        QMenu* m = w->findChild<QMenu*>(QString::fromLatin1(name));
        ASSERT_NE(m, nullptr) << name;
        EXPECT_EQ(m->title(), U(caption)) << name;
    }
}

TEST_F(MainWindowTest, ItemsWithoutAnActionDoNothing) {
    start();
    for (const char* name : {"miBilci", "miCibil", "mixyz", "miyardim"}) action(name)->trigger();
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_FALSE(w->conversionWindow()->isVisible());
}

TEST_F(MainWindowTest, FormatButtonAppendsTheNineOutputsEachTime) {
    start();
    w->formatButtonClicked();
    w->formatButtonClicked();
    const QStringList l = outputs();
    ASSERT_EQ(l.size(), 18);
    EXPECT_EQ(l[0], "XYZ");
    EXPECT_EQ(l[8], "RASAT KARNESi");
    EXPECT_EQ(l[9], "XYZ");
    EXPECT_EQ(w->conversionWindow()->outputList()->currentText(), "XYZ");
    EXPECT_EQ(w->conversionWindow()->actionButton()->text(), U("&Format Dönüstür"));
    EXPECT_TRUE(w->conversionWindow()->isVisible());
}

TEST_F(MainWindowTest, KoordinatMenuOpensTheComputationMode) {
    start();
    action("mikoordinat")->trigger();
    auto* c = w->conversionWindow();
    EXPECT_EQ(c->outputList()->currentText(), "KOORDINAT");
    EXPECT_EQ(outputs(), (QStringList{"KOORDINAT", "KESIT-KLISE", "KESIT-NETCAD"}));
    EXPECT_EQ(c->actionButton()->text(), "&Hesapla");
    EXPECT_EQ(w->formatButton()->text(), U("&Format Dönüstür"));
    action("miymkegh")->trigger();
    EXPECT_EQ(c->outputList()->currentText(), "YMK-EGHAS");
    EXPECT_EQ(c->actionButton()->text(), U("&Format Dönüstür"));
    EXPECT_EQ(outputs().size(), 12);
}

TEST_F(MainWindowTest, IllerBankasiMenuOpensTheLevellingChoice) {
    start();
    w->conversionWindow()->instrumentList()->setEditText("DL-100");
    w->formatButtonClicked();
    EXPECT_EQ(w->conversionWindow()->outputList()->currentText(), "");  // menu never used yet
    action("mi_iller")->trigger();
    auto* c = w->conversionWindow();
    EXPECT_EQ(c->instrumentList()->currentText(), "DL-100");
    EXPECT_EQ(outputs(), (QStringList{"KOT HESABI", "iLLER BANKASI"}));
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
    EXPECT_EQ(outputs(), (QStringList{"KOT HESABI", "iLLER BANKASI"}));
    EXPECT_EQ(c->outputList()->currentText(), "KOT HESABI");
    EXPECT_TRUE(c->settingsButton()->isVisibleTo(c));
    EXPECT_FALSE(c->intermediateButton()->isVisibleTo(c));
    c->instrumentList()->setEditText("GTS-230N");
    c->instrumentChoiceChanged();
    EXPECT_EQ(outputs(), conversion::ConversionWindowUi::conversionItems());
    EXPECT_EQ(c->outputList()->currentText(), "XYZ");
    EXPECT_FALSE(c->settingsButton()->isVisibleTo(c));
    c->setActionCaption("&Hesapla");
    c->settingsButton()->setVisible(true);
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
    EXPECT_EQ(boxes[0].title, cp1254("Bilgisayar Ortamında Oluşturulacak Dosya Adı Yazınız"));
    EXPECT_EQ(boxes[0].file.flags, kAskBeforeOverwrite);
    EXPECT_EQ(boxes[0].file.mode, FileDialogMode::Save);
    EXPECT_EQ(boxes[1].title, cp1254("Cihaza Aktarılacak Dosyayı Seçiniz"));
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

}  // namespace
}  // namespace velkar::shell

namespace velkar::shell {
namespace {

TEST_F(MainWindowTest, ExportMenuItemsRunTheExportTools) {
    start();
    const auto dir = test::tempDir("menu-export");
    test::writeBytes(dir / "liste.txt", "P1 100.5 200.25 300\r\n");
    dialogs.answerFile(dir / "liste.txt");
    action("mi_excel")->trigger();
    EXPECT_TRUE(fs::exists(dir / "liste.txt.xls"));
    dialogs.answerFile(dir / "liste.txt");
    dialogs.answerFile(dir / "gts");
    action("mi_GTS720")->trigger();
    EXPECT_EQ(test::readBytes(dir / "gts.txt"), "P1,100.5,200.25,300,\r\n");
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Excel'e dönüşüm sona erdi.");
}

}  // namespace
}  // namespace velkar::shell

namespace velkar::shell {
namespace {

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
}

}  // namespace
}  // namespace velkar::shell

#include "levelling/ui/intermediate_dialog.h"

namespace velkar::shell {
namespace {

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
    w->setTransferRunner([&](bool, const std::string&, const fs::path&) { w->stopButton()->click(); });
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
    const std::string expected = test::readBytes(test::dataDir() / "conversion" / "gts700_yde_netcad.gold");
    EXPECT_EQ(test::readBytes(c->core().resultWorkFile()), expected);
    const int written = static_cast<int>(std::count(expected.begin(), expected.end(), '\n'));
    EXPECT_EQ(c->results().rowCount(), written + 2);  // header, rows, one empty row
    EXPECT_EQ(c->table()->model()->rowCount(), written + 2);
    EXPECT_TRUE(c->saveButton()->isEnabled());
    EXPECT_EQ(dialogs.messageLines().back(), "İşlem Sonu: Format Dönüştürme İşlemi Tamamlandı");
    EXPECT_TRUE(c->actionButton()->isEnabled());
}

TEST_F(MainWindowTest, DL100ActionRunsTheLevellingAndTheNotebookOpensTheIntermediateDialog) {
    start();
    action("mi_iller")->trigger();
    auto* c = w->conversionWindow();
    EXPECT_FALSE(c->intermediateButton()->isVisibleTo(c));
    const auto dir = test::tempDir("gui-level");
    dialogs.answerFile(test::dataDir() / "levelling" / "book.raw");
    dialogs.answerFile(dir / "defter.txt");  // the save step at the end of the pass
    c->actionButton()->click();
    EXPECT_TRUE(fs::exists(dir / "defter.iLL"));
    EXPECT_TRUE(c->intermediateButton()->isVisibleTo(c));
    c->intermediateButton()->click();
    ASSERT_NE(w->intermediateDialog(), nullptr);
    EXPECT_TRUE(w->intermediateDialog()->isVisible());
}

}  // namespace
}  // namespace velkar::shell

namespace velkar::shell {
namespace {

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

}  // namespace
}  // namespace velkar::shell

namespace velkar::shell {
namespace {

TEST_F(MainWindowTest, MouseOverALauncherFramesItAndThePictureClearsBoth) {
    start();
    auto moveOver = [](QWidget* widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
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
