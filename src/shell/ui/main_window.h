// The main window: instrument and port choice, the two transfer launchers, the
// stop button and transfer log, the buttons and menus that open everything
// else.  Its construction is the program's start-up, its closing the shut-down.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "conversion/record.h"
#include "levelling/levelling.h"
#include "link/transfer_fields.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/process_launcher.h"
#include "platform/serial_port.h"
#include "shell/launcher_animation.h"
#include "shell/settings.h"
#include "survey/survey.h"

namespace velkar::conversion {
class ConversionWindowUi;
}
namespace velkar::drawing {
class ConversionDrawing;
}
namespace velkar::levelling {
class DlSettingsDialog;
class IntermediateDifferenceDialog;
}  // namespace velkar::levelling

namespace velkar::shell {

class PortSettingsWindow;
class InfoWindow;
class HelpWindow;

struct AppServices {
    Dialogs& dialogs;
    SerialPort& port;
    EventPump& pump;
    ProcessLauncher& launcher;
    Clock& clock;
    std::filesystem::path programFolder;
};

// What a launcher runs: the transfer for the instrument text and the chosen
// file (empty: the user cancelled).  By default the transfers of the link.
using TransferRunner = std::function<void(bool download, const std::string& instrument,
                                          const std::filesystem::path& file)>;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(AppServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    static QStringList instrumentItems();
    static QString webAddress();

    QComboBox* instrumentChoice() const { return instrumentChoice_; }
    QComboBox* portChoice() const { return portChoice_; }
    QLabel* downloadLauncher() const { return downloadLauncher_; }
    QLabel* uploadLauncher() const { return uploadLauncher_; }
    QPushButton* stopButton() const { return stopButton_; }
    QPushButton* formatButton() const { return formatButton_; }
    QTextEdit* transferLog() const { return transferLog_; }
    QTimer* animationTimer() const { return animationTimer_; }
    PortSettingsWindow* portSettings() const { return portSettings_; }
    conversion::ConversionWindowUi* conversionWindow() const { return conversion_; }
    levelling::DlSettingsDialog* dlSettings() const { return dlSettings_; }
    drawing::ConversionDrawing* drawing() const { return drawing_; }
    InfoWindow* infoWindow() const;
    const std::string& dlPreset() const { return DL_ONSECIM; }
    bool transferRunning() const { return transferRunning_; }

    void setTransferRunner(TransferRunner runner) { runner_ = std::move(runner); }
    const link::TransferFields& transferFields() const { return transferFields_; }
    levelling::IntermediateDifferenceDialog* intermediateDialog() const { return intermediate_; }
    // A line received or sent: the transfer log shows how many so far, the
    // time since the transfer started and this line (never a history).
    void setLogText(const std::string& text);

    // The settings of the four windows, as the settings file keeps them.
    SettingsValues collectSettings() const;
    void applySettings(const SettingsValues& values);

  public slots:
    void instrumentChoiceClicked();
    void downloadClicked();
    void uploadClicked();
    void stopClicked();
    void formatButtonClicked();
    void editorClicked();
    void webLinkClicked();
    void tick();
    void showPortSettings();
    void showInformation();
    void exitProgram();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void startUp();
    void shutDown();
    void buildMenus();
    // Opens the conversion window in a mode with an output chosen (the menus).
    void openConversionPreset(catalogue::Mode mode, catalogue::OutputId output);
    void showHelp();
    void runLauncher(bool download);
    void runTransfer(bool download, const std::string& instrument,
                     const std::filesystem::path& file);
    void runConversionAction();
    void showIntermediateDialog();
    // While a transfer waits: everything that touches the port or starts
    // another job is disabled; the states before come back afterwards.
    void disableJobCommands();
    void restoreJobCommands();
    void showTransferProgress();
    // Names a file an export wrote, with its full path, in the status bar.
    void showWritten(const std::filesystem::path& file);

    AppServices services_;
    QComboBox* instrumentChoice_;
    QComboBox* portChoice_;
    QLabel* downloadLauncher_;
    QLabel* uploadLauncher_;
    QPushButton* stopButton_;
    QPushButton* formatButton_;
    QPushButton* editorButton_;
    QTextEdit* transferLog_;
    QTimer* animationTimer_;
    QLabel* webLink_;
    QLabel* instrumentPicture_;
    PortSettingsWindow* portSettings_ = nullptr;
    conversion::ConversionWindowUi* conversion_ = nullptr;
    levelling::DlSettingsDialog* dlSettings_ = nullptr;
    QPointer<InfoWindow> info_;
    QPointer<HelpWindow> help_;
    catalogue::Mode nextMode_ = catalogue::Mode::Convert;  // the mode the next opening uses
    LauncherAnimation animation_;
    std::string DL_ONSECIM;
    TransferRunner runner_;
    link::TransferFields transferFields_;          // AKTARMA_DEVAM lives as long as the window
    conversion::ConversionState conversionState_;  // the decoded record, kept between runs
    levelling::LevellingState levellingState_;     // the levelling record, kept between runs
    survey::PolarSurveyLog surveyLog_;             // the last KOORDINAT run, for its drawing
    drawing::ConversionDrawing* drawing_ =
        nullptr;  // the "Çizim" tab (owned by the conversion window)
    levelling::IntermediateDifferenceDialog* intermediate_ = nullptr;
    // The port settings in force before the DL-100 preset replaced them.
    std::optional<SettingsValues::PortLines> portBeforeDl100_;
    bool transferRunning_ = false;
    bool closeWhenTransferEnds_ = false;
    std::vector<std::pair<QPointer<QWidget>, bool>> disabledWidgets_;
    std::vector<std::pair<QPointer<QAction>, bool>> disabledActions_;
    // The transfer log: lines received or sent so far and the time since the start.
    int logLines_ = 0;
    bool logDownload_ = true;
    QString logLast_;
    QElapsedTimer transferClock_;
    bool shutDownDone_ = false;
};

}  // namespace velkar::shell
