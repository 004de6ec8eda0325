#include "shell/ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "catalogue/catalogue.h"
#include "conversion/ui/conversion_window_ui.h"
#include "drawing/dxf_convert.h"
#include "drawing/ui/drawing_tab.h"
#include "export/gts720.h"
#include "export/spreadsheet_export.h"
#include "levelling/ui/dl_settings_dialog.h"
#include "levelling/ui/intermediate_dialog.h"
#include "link/transfer.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/widgets/editable_list.h"
#include "shell/ui/help_window.h"
#include "shell/ui/info_window.h"
#include "shell/ui/port_settings_window.h"
#include "survey/survey.h"

namespace velkar::shell {
namespace {

namespace fs = std::filesystem;

QString T(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const char* const kFormatCaption = "&Format Dönüstür";

// A total station on its tripod, drawn rather than shipped as a picture.
QPixmap instrumentPicture(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(QColor(236, 240, 244));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double cx = w * 0.5;
    p.setPen(QPen(QColor(120, 85, 40), 5));
    p.drawLine(QPointF(cx, h * 0.45), QPointF(cx - w * 0.28, h * 0.95));
    p.drawLine(QPointF(cx, h * 0.45), QPointF(cx + w * 0.28, h * 0.95));
    p.drawLine(QPointF(cx, h * 0.45), QPointF(cx, h * 0.97));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 180, 20));
    p.drawRoundedRect(QRectF(cx - w * 0.16, h * 0.16, w * 0.32, h * 0.26), 6, 6);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(cx - w * 0.05, h * 0.08, w * 0.10, h * 0.10));
    p.drawEllipse(QPointF(cx, h * 0.29), w * 0.06, w * 0.06);
    p.setBrush(QColor(90, 160, 220));
    p.drawRect(QRectF(cx - w * 0.12, h * 0.34, w * 0.24, h * 0.05));
    return pm;
}

}  // namespace

QStringList MainWindow::instrumentItems() {
    QStringList list;
    for (const catalogue::Instrument* i : catalogue::transferInstruments()) list << toQ(i->text);
    return list;
}

QString MainWindow::webAddress() {
    return QStringLiteral("https://www.velkar.com.tr");
}

MainWindow::MainWindow(AppServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("VELKAR"));

    auto* central = new QWidget(this);
    instrumentChoice_ = new QComboBox(central);
    instrumentChoice_->setObjectName(QStringLiteral("Combo2"));
    makeEditableList(instrumentChoice_);
    instrumentChoice_->setMinimumWidth(220);
    portChoice_ = new QComboBox(central);
    portChoice_->setObjectName(QStringLiteral("Combo1"));
    makeEditableList(portChoice_);
    portChoice_->setMinimumWidth(160);
    downloadLauncher_ = new QLabel(T("&Cihazdan Bilgisayara Aktarma"), central);
    downloadLauncher_->setObjectName(QStringLiteral("Label1"));
    uploadLauncher_ = new QLabel(T("&Bilgisayardan Cihaza Aktarma"), central);
    uploadLauncher_->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {downloadLauncher_, uploadLauncher_}) {
        l->setTextFormat(Qt::PlainText);
        l->setFont(QFont(QStringLiteral("Monospace"), 11, QFont::Bold));
        l->setCursor(Qt::PointingHandCursor);
        l->setMouseTracking(true);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QString(60, QLatin1Char('M'))));
        l->setAlignment(Qt::AlignCenter);
        l->setMargin(6);
        l->installEventFilter(this);
    }
    stopButton_ = new QPushButton(T("Aktarma &Durdur"), central);
    stopButton_->setObjectName(QStringLiteral("Command1"));
    stopButton_->setVisible(false);
    formatButton_ = new QPushButton(T(kFormatCaption), central);
    formatButton_->setObjectName(QStringLiteral("Command3"));
    editorButton_ = new QPushButton(T("&Editor"), central);
    editorButton_->setObjectName(QStringLiteral("Command4"));
    transferLog_ = new QTextEdit(central);
    transferLog_->setObjectName(QStringLiteral("RichTextBox1"));
    transferLog_->setReadOnly(true);
    transferLog_->setAcceptRichText(false);
    transferLog_->setMaximumHeight(60);
    transferLog_->setVisible(false);
    webLink_ = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(webAddress()), central);
    webLink_->setObjectName(QStringLiteral("Label3"));
    webLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(webLink_, &QLabel::linkActivated, this, [this] { webLinkClicked(); });
    instrumentPicture_ = new QLabel(central);
    instrumentPicture_->setObjectName(QStringLiteral("Image1"));
    instrumentPicture_->setPixmap(instrumentPicture(140, 170));
    instrumentPicture_->setMouseTracking(true);
    instrumentPicture_->installEventFilter(this);

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(T("Cihaz"), central), 0, 0);
    choices->addWidget(instrumentChoice_, 1, 0);
    choices->addWidget(new QLabel(T("Port"), central), 0, 1);
    choices->addWidget(portChoice_, 1, 1);
    auto* launchers = new QVBoxLayout;
    launchers->addLayout(choices);
    launchers->addSpacing(8);
    launchers->addWidget(downloadLauncher_);
    launchers->addWidget(uploadLauncher_);
    launchers->addWidget(stopButton_);
    launchers->addWidget(transferLog_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(formatButton_);
    buttons->addWidget(editorButton_);
    buttons->addStretch(1);
    launchers->addLayout(buttons);
    launchers->addStretch(1);
    launchers->addWidget(webLink_);
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(instrumentPicture_, 0, Qt::AlignTop);
    layout->addLayout(launchers, 1);
    setCentralWidget(central);
    setMouseTracking(true);
    central->setMouseTracking(true);

    buildMenus();
    statusBar();  // there from the start: it names the files the exports write

    animationTimer_ = new QTimer(this);
    animationTimer_->setObjectName(QStringLiteral("Timer1"));
    animationTimer_->setInterval(100);
    connect(animationTimer_, &QTimer::timeout, this, &MainWindow::tick);

    connect(instrumentChoice_, &QComboBox::activated, this, &MainWindow::instrumentChoiceClicked);
    connect(stopButton_, &QPushButton::clicked, this, &MainWindow::stopClicked);
    connect(formatButton_, &QPushButton::clicked, this, &MainWindow::formatButtonClicked);
    connect(editorButton_, &QPushButton::clicked, this, &MainWindow::editorClicked);

    startUp();
    animationTimer_->start();
}

MainWindow::~MainWindow() {
    if (!shutDownDone_) {
        // Destroyed without a close (a test, or the application ending): the
        // other windows still go away with it.
        // The conversion window has no parent (it is a window of its own) and
        // owns the DL-100 dialog; the other windows are children of this one.
        delete conversion_;
    }
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [bar](const char* caption, const char* name) {
        QMenu* m = bar->addMenu(T(caption));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [this](QMenu* m, const char* caption, const char* name) {
        QAction* a = m->addAction(T(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* aktar = menu("&Aktar", "meAktar");
    connect(item(aktar, "&Bilgisayardan Cihaza", "miBilci"), &QAction::triggered, this,
            &MainWindow::uploadClicked);
    connect(item(aktar, "&Cihazdan Bilgisayara", "miCibil"), &QAction::triggered, this,
            &MainWindow::downloadClicked);
    connect(item(aktar, "Cı&kıs", "miCikis"), &QAction::triggered, this, &MainWindow::exitProgram);

    QMenu* hesap = menu("&Hesaplar", "meHesaplar");
    connect(item(hesap, "&KOORDINAT", "mikoordinat"), &QAction::triggered, this, [this] {
        openConversionPreset(catalogue::Mode::Compute, catalogue::OutputId::Coordinates);
    });
    connect(item(hesap, "KESIT-&NETCAD", "mikesnet"), &QAction::triggered, this, [this] {
        openConversionPreset(catalogue::Mode::Compute, catalogue::OutputId::CrossSectionNetcad);
    });
    connect(item(hesap, "KESIT-KLISE", "mikesklise"), &QAction::triggered, this, [this] {
        openConversionPreset(catalogue::Mode::Compute, catalogue::OutputId::CrossSectionListing);
    });

    QMenu* donustur = menu("Donus&tur", "meDonustur");
    QMenu* yde = donustur->addMenu(T("YD&E"));
    yde->setObjectName(QStringLiteral("miyde"));
    connect(item(yde, "&NETCAD", "miydenet"), &QAction::triggered, this, [this] {
        openConversionPreset(catalogue::Mode::Convert, catalogue::OutputId::YdeNetcad);
    });
    connect(item(yde, "&EGHAS", "miydeegh"), &QAction::triggered, this, [this] {
        openConversionPreset(catalogue::Mode::Convert, catalogue::OutputId::YdeEghas);
    });
    QMenu* ymk = donustur->addMenu(T("YM&K"));
    ymk->setObjectName(QStringLiteral("miymk"));
    connect(item(ymk, "&NETCAD", "miymknet"), &QAction::triggered, this, [this] {
        openConversionPreset(catalogue::Mode::Convert, catalogue::OutputId::YmkNetcad);
    });
    connect(item(ymk, "&EGHAS", "miymkegh"), &QAction::triggered, this, [this] {
        openConversionPreset(catalogue::Mode::Convert, catalogue::OutputId::YmkEghas);
    });
    connect(item(donustur, "&XYZ", "mixyz"), &QAction::triggered, this,
            [this] { openConversionPreset(catalogue::Mode::Convert, catalogue::OutputId::Xyz); });
    connect(item(donustur, "&RASAT", "mirasat"), &QAction::triggered, this, [this] {
        openConversionPreset(catalogue::Mode::Convert, catalogue::OutputId::ObservationBook);
    });
    QMenu* dxf = donustur->addMenu(T("&DXF"));
    dxf->setObjectName(QStringLiteral("meDxf"));
    dxf->menuAction()->setObjectName(QStringLiteral("midxf"));
    connect(item(dxf, "DXF'e Dönüştür", "mi_dxf_donustur"), &QAction::triggered, this,
            [this] { drawing::DXF_DONUSTUR(services_.dialogs); });
    connect(item(donustur, "DL-100 &ILLER BANKASI", "mi_iller"), &QAction::triggered, this, [this] {
        conversion_->instrumentList()->setEditText(QStringLiteral("DL-100"));
        DL_ONSECIM = catalogue::output(catalogue::OutputId::Notebook).text;
        formatButtonClicked();
    });
    connect(item(donustur, "Excel'e Dönüştür", "mi_excel"), &QAction::triggered, this, [this] {
        showWritten(exporting::exportSpreadsheet(services_.dialogs, services_.programFolder,
                                                 &services_.pump));
    });
    connect(item(donustur, "YXZ --> GTS-720 / GPT-7000", "mi_GTS720"), &QAction::triggered, this,
            [this] { showWritten(exporting::prepareGts720(services_.dialogs)); });

    QAction* editor = bar->addAction(T("&Editor"));
    editor->setObjectName(QStringLiteral("meeditor"));
    connect(editor, &QAction::triggered, this, &MainWindow::editorClicked);

    QMenu* ayar = menu("A&yarlar", "meAyarlar");
    connect(item(ayar, "&Port Ayarı", "miportayari"), &QAction::triggered, this,
            &MainWindow::showPortSettings);
    QMenu* bilgi = menu("Bi&lgi", "meBilgi");
    connect(item(bilgi, "Program Ver.", "miversiyon"), &QAction::triggered, this,
            &MainWindow::showInformation);
    connect(item(bilgi, "Yardım", "miyardim"), &QAction::triggered, this, &MainWindow::showHelp);
}

void MainWindow::startUp() {
    // 1. The port scan.
    for (const std::string& item : link::porttara(services_.port)) portChoice_->addItem(toQ(item));
    portChoice_->setEditText(QStringLiteral("COM2"));
    // 2. The instrument choice.
    instrumentChoice_->addItems(instrumentItems());
    instrumentChoice_->setEditText(QStringLiteral("GTS-210 / 220"));
    // 3. The texts of the launcher animation live in animation_.
    // The other windows are created hidden, so that their controls can take the settings.
    portSettings_ = new PortSettingsWindow(this);
    conversion_ = new conversion::ConversionWindowUi(services_.dialogs, services_.pump,
                                                     services_.programFolder);
    dlSettings_ = new levelling::DlSettingsDialog(conversion_);
    conversion_->setSettingsHandler([this] {
        dlSettings_->show();
        dlSettings_->raise();
    });
    conversion_->setActionHandler([this] { runConversionAction(); });
    drawing_ = new drawing::ConversionDrawing(conversion_, services_.dialogs);
    levellingState_.recordProfile = true;  // for the "Çizim" tab
    conversion_->setIntermediateHandler([this] { showIntermediateDialog(); });
    // 4-7. From here on a failing step is skipped: the program starts with what it has.
    std::string error;
    if (ensureFolder(services_.programFolder, error)) {
        SettingsValues values = collectSettings();
        if (loadSettingsFile(services_.programFolder / kSettingsFileName, values, error)) {
            applySettings(values);
        }
    }
    // The output list of the conversion window for the instrument restored,
    // keeping the output restored (a DL-100 computation among them).
    conversion_->setMode(catalogue::Mode::Convert);
    // 8. The instrument handler, once (the DL-100 preset overrides the stored port settings).
    instrumentChoiceClicked();
}

SettingsValues MainWindow::collectSettings() const {
    SettingsValues v;
    v.folder = pathText(qToPath(QDir::toNativeSeparators(QDir::currentPath())));
    v.instrument = fromQ(instrumentChoice_->currentText());
    v.port = fromQ(portChoice_->currentText());
    const PortSettingsTexts p = portSettings_->texts();
    v.protocol = p.protocol;
    v.baud = p.baud;
    v.parity = p.parity;
    v.dataBits = p.dataBits;
    v.stopBits = p.stopBits;
    v.conversionInstrument = fromQ(conversion_->instrumentList()->currentText());
    v.conversionOutput = fromQ(conversion_->outputList()->currentText());
    v.firstReadings = dlSettings_->readingOption(0);
    v.secondReadings = dlSettings_->readingOption(1);
    v.bothReadings = dlSettings_->readingOption(2);
    v.traverseInfo =
        static_cast<std::int16_t>(levelling::DlSettingsDialog::checkValue(dlSettings_->check1()));
    v.elevations =
        static_cast<std::int16_t>(levelling::DlSettingsDialog::checkValue(dlSettings_->check2()));
    v.tolerance = fromQ(dlSettings_->text2()->text());
    v.portBeforeDl100 = portBeforeDl100_;
    return v;
}

void MainWindow::applySettings(const SettingsValues& v) {
    if (!v.folder.empty()) {
        const QString folder = pathToQ(textPath(v.folder));
        if (QFileInfo(folder).isDir()) QDir::setCurrent(folder);
    }
    instrumentChoice_->setEditText(toQ(v.instrument));
    portChoice_->setEditText(toQ(v.port));
    portSettings_->setTexts({v.protocol, v.baud, v.parity, v.dataBits, v.stopBits});
    conversion_->instrumentList()->setEditText(toQ(v.conversionInstrument));
    conversion_->outputList()->setEditText(toQ(v.conversionOutput));
    dlSettings_->setReadingOption(2, v.bothReadings);
    dlSettings_->setReadingOption(1, v.secondReadings);
    dlSettings_->setReadingOption(0, v.firstReadings);
    if (!v.firstReadings && !v.secondReadings && !v.bothReadings)
        dlSettings_->setReadingOption(2, true);
    dlSettings_->setCheckValue(dlSettings_->check1(), v.traverseInfo);
    dlSettings_->setCheckValue(dlSettings_->check2(), v.elevations);
    dlSettings_->text2()->setText(toQ(v.tolerance));
    // Kept only while DL-100 is the instrument (the lines are written only then).
    portBeforeDl100_ = v.instrument == "DL-100" ? v.portBeforeDl100 : std::nullopt;
}

void MainWindow::shutDown() {
    if (shutDownDone_) return;
    shutDownDone_ = true;
    animationTimer_->stop();
    if (services_.port.isOpen()) services_.port.close();
    const auto file = services_.programFolder / kSettingsFileName;
    std::string error;
    if (!ensureFolder(services_.programFolder, error) ||
        !saveSettingsFile(file, collectSettings(), error)) {
        // The settings of this run would otherwise be lost without a word.
        services_.dialogs.error(cp1254("Ayarlar kayıt edilemedi: ") + pathText(file) + "\r" +
                                error);
    }
    conversion_->close();
    portSettings_->close();
    dlSettings_->close();
    if (intermediate_) intermediate_->close();
    if (info_) info_->close();
    delete conversion_;  // owns the DL-100 dialog
    conversion_ = nullptr;
    dlSettings_ = nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (transferRunning_) {
        // Stop the transfer first; the window closes once it has returned.
        closeWhenTransferEnds_ = true;
        stopClicked();
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
}

void MainWindow::exitProgram() {
    // During a transfer the close stops it first (closeEvent); the port is
    // closed by the transfer itself, so it does not count as lost.
    if (!transferRunning_ && services_.port.isOpen()) services_.port.close();
    close();
}

void MainWindow::instrumentChoiceClicked() {
    const QString instrument = instrumentChoice_->currentText();
    const catalogue::Instrument* row = catalogue::findInstrument(fromQ(instrument));
    uploadLauncher_->setEnabled(!row || row->upload);
    // An instrument's preset stands only while it is chosen: any other
    // instrument gets back the port settings that were in force before it.
    if (row && row->preset) {
        if (!portBeforeDl100_) {
            const PortSettingsTexts t = portSettings_->texts();
            portBeforeDl100_ =
                SettingsValues::PortLines{t.protocol, t.baud, t.parity, t.dataBits, t.stopBits};
        }
        portSettings_->setTexts(link::presetTexts(*row->preset));
    } else if (const auto& p = portBeforeDl100_) {
        portSettings_->setTexts({p->protocol, p->baud, p->parity, p->dataBits, p->stopBits});
        portBeforeDl100_.reset();
    }
}

void MainWindow::tick() {
    animation_.tick();
    downloadLauncher_->setText(toQ(animation_.downloadCaption()));
    uploadLauncher_->setText(toQ(animation_.uploadCaption()));
    if (transferRunning_ && logLines_ > 0) showTransferProgress();  // the elapsed time runs on
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseMove || type == QEvent::Enter) {
        if (watched == downloadLauncher_)
            downloadLauncher_->setFrameStyle(QFrame::Box | QFrame::Plain);
        if (watched == uploadLauncher_) uploadLauncher_->setFrameStyle(QFrame::Box | QFrame::Plain);
        if (watched == instrumentPicture_) {
            downloadLauncher_->setFrameStyle(QFrame::NoFrame);
            uploadLauncher_->setFrameStyle(QFrame::NoFrame);
        }
    }
    if (type == QEvent::MouseButtonRelease &&
        (watched == downloadLauncher_ || watched == uploadLauncher_)) {
        if (watched->property("enabled").toBool()) runLauncher(watched == downloadLauncher_);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::downloadClicked() {
    runLauncher(true);
}
void MainWindow::uploadClicked() {
    if (uploadLauncher_->isEnabled()) runLauncher(false);
}

void MainWindow::runLauncher(bool download) {
    if (transferRunning_) return;  // never a second transfer from inside a running one
    const FileDialogResult chosen = services_.dialogs.chooseFile(
        download ? link::downloadFileRequest({}) : link::uploadFileRequest({}));
    transferRunning_ = true;
    const QSize sizeBefore = size();
    disableJobCommands();
    logLines_ = 0;
    logDownload_ = download;
    logLast_.clear();
    transferClock_.start();
    showTransferProgress();
    stopButton_->setVisible(true);
    transferLog_->setVisible(true);
    const std::string instrument = fromQ(instrumentChoice_->currentText());
    if (runner_) {
        runner_(download, instrument, chosen.path);
    } else {
        runTransfer(download, instrument, chosen.path);
    }
    stopButton_->setVisible(false);
    transferLog_->setVisible(false);
    restoreJobCommands();
    transferRunning_ = false;
    // The stop button and the log made the window grow; it returns to its size.
    for (QWidget* widget : {centralWidget(), static_cast<QWidget*>(this)}) {
        if (widget->layout()) widget->layout()->activate();
    }
    resize(sizeBefore);
    if (closeWhenTransferEnds_) {
        closeWhenTransferEnds_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void MainWindow::disableJobCommands() {
    disabledWidgets_.clear();
    disabledActions_.clear();
    // The choices change the port and its settings, the launchers start a
    // transfer, the conversion window runs conversions and computations.
    for (QWidget* widget : std::initializer_list<QWidget*>{
             portChoice_, instrumentChoice_, downloadLauncher_, uploadLauncher_, formatButton_,
             portSettings_, conversion_}) {
        if (!widget) continue;
        disabledWidgets_.emplace_back(widget, widget->isEnabled());
        widget->setEnabled(false);
    }
    // Every menu command but "Çıkış" (it stops the transfer first), the
    // editor and the information items.
    static const QStringList stayEnabled = {QStringLiteral("miCikis"), QStringLiteral("meeditor"),
                                            QStringLiteral("miversiyon"),
                                            QStringLiteral("miyardim")};
    for (QAction* action : menuBar()->findChildren<QAction*>()) {
        if (action->menu() || action->isSeparator() || stayEnabled.contains(action->objectName()))
            continue;
        disabledActions_.emplace_back(action, action->isEnabled());
        action->setEnabled(false);
    }
}

void MainWindow::restoreJobCommands() {
    for (const auto& [widget, enabled] : disabledWidgets_) {
        if (widget) widget->setEnabled(enabled);
    }
    for (const auto& [action, enabled] : disabledActions_) {
        if (action) action->setEnabled(enabled);
    }
    disabledWidgets_.clear();
    disabledActions_.clear();
}

void MainWindow::showTransferProgress() {
    if (logLines_ == 0) {
        transferLog_->setPlainText(T("Cihaz bekleniyor…"));
        return;
    }
    const qint64 seconds = transferClock_.isValid() ? transferClock_.elapsed() / 1000 : 0;
    const QString elapsed = QStringLiteral("%1:%2")
                                .arg(seconds / 60, 2, 10, QLatin1Char('0'))
                                .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const QString count = T(logDownload_ ? "%1 satır alındı, %2" : "%1 satır gönderildi, %2");
    transferLog_->setPlainText(count.arg(logLines_).arg(elapsed) + QLatin1Char('\n') + logLast_);
}

void MainWindow::runTransfer(bool download, const std::string& instrument, const fs::path& file) {
    struct Log : link::TransferLog {
        MainWindow* w;
        explicit Log(MainWindow* m) : w(m) {}
        void setText(const std::string& text) override { w->setLogText(text); }
    } log(this);
    link::TransferContext ctx{services_.port,
                              services_.dialogs,
                              services_.pump,
                              services_.clock,
                              log,
                              transferFields_,
                              fromQ(portChoice_->currentText()),
                              portSettings_->texts(),
                              instrument,
                              file,
                              services_.programFolder};
    // Every outcome has already been told to the user in the transfer's own boxes.
    static_cast<void>(download ? link::runDownload(instrument, ctx)
                               : link::runUpload(instrument, ctx));
}

void MainWindow::stopClicked() {
    // The running transfer sees the cleared flag at its next pass; the wake
    // ends its wait for the port at once.
    link::stopTransfer(transferFields_);
    services_.pump.wake();
}

void MainWindow::runConversionAction() {
    conversion::ConversionWindow& w = conversion_->core();
    const auto outcome = survey::runActionButton(w, conversionState_, &surveyLog_);
    if (outcome == conversion::ActionOutcome::Busy) return;
    if (outcome == conversion::ActionOutcome::RunLevelling) {
        levelling::levellingAction(w, levellingState_, *dlSettings_);
        drawing_->afterRun(nullptr, &levellingState_);
    } else {
        drawing_->afterRun(&surveyLog_, nullptr);
    }
}

void MainWindow::showIntermediateDialog() {
    if (!intermediate_) {
        intermediate_ = new levelling::IntermediateDifferenceDialog(
            services_.dialogs, conversion_->results(), conversion_);
    }
    intermediate_->show();
    intermediate_->raise();
}

void MainWindow::showWritten(const fs::path& file) {
    if (!file.empty()) statusBar()->showMessage(toQ(savedMessage(file)));
}

void MainWindow::setLogText(const std::string& text) {
    ++logLines_;
    logLast_ = toQ(text);
    showTransferProgress();
}

void MainWindow::formatButtonClicked() {
    QComboBox* instruments = conversion_->instrumentList();
    const catalogue::Instrument* chosen =
        catalogue::findInstrument(fromQ(instruments->currentText()));
    if (!chosen || chosen->conversionListPosition == 0) {
        // Start on the main window's instrument.
        const catalogue::Instrument& pick = catalogue::conversionInstrumentFor(
            catalogue::findInstrument(fromQ(instrumentChoice_->currentText())));
        instruments->setEditText(toQ(pick.text));
    }
    conversion_->setMode(nextMode_);
    nextMode_ = catalogue::Mode::Convert;
    const catalogue::Instrument* instrument =
        catalogue::findInstrument(fromQ(instruments->currentText()));
    if (instrument && instrument->family == catalogue::Family::Dl100) {
        if (!DL_ONSECIM.empty()) conversion_->setOutputText(toQ(DL_ONSECIM));
        conversion_->settingsButton()->setVisible(true);
    }
    conversion_->show();
    conversion_->raise();
    conversion_->activateWindow();
}

void MainWindow::openConversionPreset(catalogue::Mode mode, catalogue::OutputId output) {
    nextMode_ = mode;
    conversion_->setOutputText(toQ(catalogue::output(output).text));
    formatButtonClicked();
}

void MainWindow::showHelp() {
    if (!help_) help_ = new HelpWindow(services_.programFolder, this);
    help_->show();
    help_->raise();
}

void MainWindow::editorClicked() {
    std::string error;
    if (!services_.launcher.startTextEditor(error)) services_.dialogs.error(error);
}

void MainWindow::webLinkClicked() {
    std::string error;
    if (!services_.launcher.openWebPage(fromQ(webAddress()), error)) services_.dialogs.error(error);
}

void MainWindow::showPortSettings() {
    portSettings_->show();
    portSettings_->raise();
}

InfoWindow* MainWindow::infoWindow() const {
    return info_.data();
}

void MainWindow::showInformation() {
    if (!info_) info_ = new InfoWindow(this);
    info_->show();
    info_->raise();
}

}  // namespace velkar::shell
