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
#include <QVBoxLayout>

#include "conversion/ui/conversion_window_ui.h"
#include "drawing/dxf_convert.h"
#include "drawing/ui/drawing_tab.h"
#include "export/gts720.h"
#include "export/spreadsheet_export.h"
#include "levelling/ui/dl_settings_dialog.h"
#include "levelling/ui/intermediate_dialog.h"
#include "link/transfer.h"
#include "survey/survey.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/widgets/editable_list.h"
#include "shell/ui/info_window.h"
#include "shell/ui/port_settings_window.h"

namespace velkar::shell {
namespace {

namespace fs = std::filesystem;

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kFormatCaption = "&Format Dönüstür";
const char* const kComputeCaption = "&Hesapla";

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
    return {QStringLiteral("GTS-210 / 220"), QStringLiteral("GTS-600 / 700"), QStringLiteral("GTS-230N"),
            QStringLiteral("GPT-1000 / 2000"), QStringLiteral("GPT-3000 / GPT-3000LN"), QStringLiteral("DL-100"),
            QStringLiteral("GTS-6"), QStringLiteral("USIKATA")};
}

QString MainWindow::webAddress() { return QStringLiteral("https://www.velkar.com.tr"); }

MainWindow::MainWindow(AppServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("VELKAR"));

    auto* central = new QWidget(this);
    combo2_ = new QComboBox(central);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    makeEditableList(combo2_);
    combo2_->setMinimumWidth(220);
    combo1_ = new QComboBox(central);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    makeEditableList(combo1_);
    combo1_->setMinimumWidth(160);
    label1_ = new QLabel(T("&Cihazdan Bilgisayara Aktarma"), central);
    label1_->setObjectName(QStringLiteral("Label1"));
    label2_ = new QLabel(T("&Bilgisayardan Cihaza Aktarma"), central);
    label2_->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {label1_, label2_}) {
        l->setTextFormat(Qt::PlainText);
        l->setFont(QFont(QStringLiteral("Monospace"), 11, QFont::Bold));
        l->setCursor(Qt::PointingHandCursor);
        l->setMouseTracking(true);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QString(60, QLatin1Char('M'))));
        l->setAlignment(Qt::AlignCenter);
        l->setMargin(6);
        l->installEventFilter(this);
    }
    command1_ = new QPushButton(T("Aktarma &Durdur"), central);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setVisible(false);
    command3_ = new QPushButton(T(kFormatCaption), central);
    command3_->setObjectName(QStringLiteral("Command3"));
    command4_ = new QPushButton(T("&Editor"), central);
    command4_->setObjectName(QStringLiteral("Command4"));
    richTextBox1_ = new QTextEdit(central);
    richTextBox1_->setObjectName(QStringLiteral("RichTextBox1"));
    richTextBox1_->setReadOnly(true);
    richTextBox1_->setAcceptRichText(false);
    richTextBox1_->setMaximumHeight(60);
    richTextBox1_->setVisible(false);
    label3_ = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(webAddress()), central);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(label3_, &QLabel::linkActivated, this, [this] { webLinkClicked(); });
    image1_ = new QLabel(central);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(instrumentPicture(140, 170));
    image1_->setMouseTracking(true);
    image1_->installEventFilter(this);

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(T("Cihaz"), central), 0, 0);
    choices->addWidget(combo2_, 1, 0);
    choices->addWidget(new QLabel(T("Port"), central), 0, 1);
    choices->addWidget(combo1_, 1, 1);
    auto* launchers = new QVBoxLayout;
    launchers->addLayout(choices);
    launchers->addSpacing(8);
    launchers->addWidget(label1_);
    launchers->addWidget(label2_);
    launchers->addWidget(command1_);
    launchers->addWidget(richTextBox1_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command3_);
    buttons->addWidget(command4_);
    buttons->addStretch(1);
    launchers->addLayout(buttons);
    launchers->addStretch(1);
    launchers->addWidget(label3_);
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(image1_, 0, Qt::AlignTop);
    layout->addLayout(launchers, 1);
    setCentralWidget(central);
    setMouseTracking(true);
    central->setMouseTracking(true);

    buildMenus();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::tick);

    connect(combo2_, &QComboBox::activated, this, &MainWindow::instrumentChoiceClicked);
    connect(command1_, &QPushButton::clicked, this, &MainWindow::stopClicked);
    connect(command3_, &QPushButton::clicked, this, &MainWindow::formatButtonClicked);
    connect(command4_, &QPushButton::clicked, this, &MainWindow::editorClicked);

    startUp();
    timer1_->start();
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
    item(aktar, "&Bilgisayardan Cihaza", "miBilci");
    item(aktar, "&Cihazdan Bilgisayara", "miCibil");
    connect(item(aktar, "Cı&kıs", "miCikis"), &QAction::triggered, this, &MainWindow::exitProgram);

    QMenu* hesap = menu("&Hesaplar", "meHesaplar");
    connect(item(hesap, "&KOORDINAT", "mikoordinat"), &QAction::triggered, this,
            [this] { openConversionPreset(T(kComputeCaption), QStringLiteral("KOORDINAT")); });
    connect(item(hesap, "KESIT-&NETCAD", "mikesnet"), &QAction::triggered, this,
            [this] { openConversionPreset(T(kComputeCaption), QStringLiteral("KESIT-NETCAD")); });
    connect(item(hesap, "KESIT-KLISE", "mikesklise"), &QAction::triggered, this,
            [this] { openConversionPreset(T(kComputeCaption), QStringLiteral("KESIT-KLISE")); });

    QMenu* donustur = menu("Donus&tur", "meDonustur");
    QMenu* yde = donustur->addMenu(T("YD&E"));
    yde->setObjectName(QStringLiteral("miyde"));
    connect(item(yde, "&NETCAD", "miydenet"), &QAction::triggered, this,
            [this] { openConversionPreset({}, QStringLiteral("YDE-NETCAD")); });
    connect(item(yde, "&EGHAS", "miydeegh"), &QAction::triggered, this,
            [this] { openConversionPreset({}, QStringLiteral("YDE-EGHAS")); });
    QMenu* ymk = donustur->addMenu(T("YM&K"));
    ymk->setObjectName(QStringLiteral("miymk"));
    connect(item(ymk, "&NETCAD", "miymknet"), &QAction::triggered, this,
            [this] { openConversionPreset({}, QStringLiteral("YMK-NETCAD")); });
    connect(item(ymk, "&EGHAS", "miymkegh"), &QAction::triggered, this,
            [this] { openConversionPreset({}, QStringLiteral("YMK-EGHAS")); });
    item(donustur, "&XYZ", "mixyz");
    connect(item(donustur, "&RASAT", "mirasat"), &QAction::triggered, this,
            [this] { openConversionPreset({}, QStringLiteral("RASAT KARNESi")); });
    QMenu* dxf = donustur->addMenu(T("&DXF"));
    dxf->setObjectName(QStringLiteral("meDxf"));
    dxf->menuAction()->setObjectName(QStringLiteral("midxf"));
    connect(item(dxf, "DXF'e Dönüştür", "mi_dxf_donustur"), &QAction::triggered, this,
            [this] { drawing::DXF_DONUSTUR(services_.dialogs); });
    connect(item(donustur, "DL-100 &ILLER BANKASI", "mi_iller"), &QAction::triggered, this, [this] {
        conversion_->instrumentList()->setEditText(QStringLiteral("DL-100"));
        DL_ONSECIM = "iLLER BANKASI";
        formatButtonClicked();
    });
    connect(item(donustur, "Excel'e Dönüştür", "mi_excel"), &QAction::triggered, this, [this] {
        exporting::exportSpreadsheet(services_.dialogs, services_.programFolder, &services_.pump);
    });
    connect(item(donustur, "YXZ --> GTS-720 / GPT-7000", "mi_GTS720"), &QAction::triggered, this,
            [this] { exporting::prepareGts720(services_.dialogs); });

    QAction* editor = bar->addAction(T("&Editor"));
    editor->setObjectName(QStringLiteral("meeditor"));
    connect(editor, &QAction::triggered, this, &MainWindow::editorClicked);

    QMenu* ayar = menu("A&yarlar", "meAyarlar");
    connect(item(ayar, "&Port Ayarı", "miportayari"), &QAction::triggered, this, &MainWindow::showPortSettings);
    QMenu* bilgi = menu("Bi&lgi", "meBilgi");
    connect(item(bilgi, "Program Ver.", "miversiyon"), &QAction::triggered, this, &MainWindow::showInformation);
    item(bilgi, "Yardım", "miyardim");
}

void MainWindow::startUp() {
    // 1. The port scan.
    for (const std::string& item : porttara(services_.port)) combo1_->addItem(toQ(item));
    combo1_->setEditText(QStringLiteral("COM2"));
    // 2. The instrument choice.
    combo2_->addItems(instrumentItems());
    combo2_->setEditText(QStringLiteral("GTS-210 / 220"));
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
    // 8. The instrument handler, once (the DL-100 preset overrides the stored port settings).
    instrumentChoiceClicked();
}

SettingsValues MainWindow::collectSettings() const {
    SettingsValues v;
    v.folder = pathText(qToPath(QDir::toNativeSeparators(QDir::currentPath())));
    v.instrument = fromQ(combo2_->currentText());
    v.port = fromQ(combo1_->currentText());
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
    v.traverseInfo = static_cast<std::int16_t>(levelling::DlSettingsDialog::checkValue(dlSettings_->check1()));
    v.elevations = static_cast<std::int16_t>(levelling::DlSettingsDialog::checkValue(dlSettings_->check2()));
    v.tolerance = fromQ(dlSettings_->text2()->text());
    return v;
}

void MainWindow::applySettings(const SettingsValues& v) {
    if (!v.folder.empty()) {
        const QString folder = pathToQ(textPath(v.folder));
        if (QFileInfo(folder).isDir()) QDir::setCurrent(folder);
    }
    combo2_->setEditText(toQ(v.instrument));
    combo1_->setEditText(toQ(v.port));
    portSettings_->setTexts({v.protocol, v.baud, v.parity, v.dataBits, v.stopBits});
    conversion_->instrumentList()->setEditText(toQ(v.conversionInstrument));
    conversion_->outputList()->setEditText(toQ(v.conversionOutput));
    dlSettings_->setReadingOption(2, v.bothReadings);
    dlSettings_->setReadingOption(1, v.secondReadings);
    dlSettings_->setReadingOption(0, v.firstReadings);
    if (!v.firstReadings && !v.secondReadings && !v.bothReadings) dlSettings_->setReadingOption(2, true);
    dlSettings_->setCheckValue(dlSettings_->check1(), v.traverseInfo);
    dlSettings_->setCheckValue(dlSettings_->check2(), v.elevations);
    dlSettings_->text2()->setText(toQ(v.tolerance));
}

void MainWindow::shutDown() {
    if (shutDownDone_) return;
    shutDownDone_ = true;
    timer1_->stop();
    if (services_.port.isOpen()) services_.port.close();
    const auto file = services_.programFolder / kSettingsFileName;
    std::string error;
    ensureFolder(services_.programFolder, error);
    if (!saveSettingsFile(file, collectSettings(), error)) {
        // The settings of this run would otherwise be lost without a word.
        services_.dialogs.error(cp1254("Ayarlar kayıt edilemedi: ") + pathText(file) + "\r" + error);
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
    if (services_.port.isOpen()) services_.port.close();
    close();
}

void MainWindow::instrumentChoiceClicked() {
    const QString instrument = combo2_->currentText();
    if (instrument == QLatin1String("USIKATA") || instrument == QLatin1String("DL-100")) {
        label2_->setEnabled(false);
        if (instrument == QLatin1String("DL-100")) portSettings_->setTexts(dl100PortPreset());
    } else {
        label2_->setEnabled(true);
    }
}

void MainWindow::tick() {
    animation_.tick();
    label1_->setText(toQ(animation_.downloadCaption()));
    label2_->setText(toQ(animation_.uploadCaption()));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseMove || type == QEvent::Enter) {
        if (watched == label1_) label1_->setFrameStyle(QFrame::Box | QFrame::Plain);
        if (watched == label2_) label2_->setFrameStyle(QFrame::Box | QFrame::Plain);
        if (watched == image1_) {
            label1_->setFrameStyle(QFrame::NoFrame);
            label2_->setFrameStyle(QFrame::NoFrame);
        }
    }
    if (type == QEvent::MouseButtonRelease && (watched == label1_ || watched == label2_)) {
        if (watched->property("enabled").toBool()) runLauncher(watched == label1_);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::downloadClicked() { runLauncher(true); }
void MainWindow::uploadClicked() {
    if (label2_->isEnabled()) runLauncher(false);
}

void MainWindow::runLauncher(bool download) {
    if (transferRunning_) return;  // never a second transfer from inside a running one
    const FileDialogResult chosen = services_.dialogs.chooseFile(
        download ? link::downloadFileRequest({}) : link::uploadFileRequest({}));
    transferRunning_ = true;
    label1_->setEnabled(false);
    const bool uploadWasEnabled = label2_->isEnabled();
    label2_->setEnabled(false);
    command1_->setVisible(true);
    richTextBox1_->setVisible(true);
    const std::string instrument = fromQ(combo2_->currentText());
    if (runner_) {
        runner_(download, instrument, chosen.path);
    } else {
        runTransfer(download, instrument, chosen.path);
    }
    command1_->setVisible(false);
    richTextBox1_->setVisible(false);
    label1_->setEnabled(true);
    label2_->setEnabled(uploadWasEnabled);
    transferRunning_ = false;
    if (closeWhenTransferEnds_) {
        closeWhenTransferEnds_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void MainWindow::runTransfer(bool download, const std::string& instrument, const fs::path& file) {
    struct Log : link::TransferLog {
        MainWindow* w;
        explicit Log(MainWindow* m) : w(m) {}
        void setText(const std::string& text) override { w->setLogText(text); }
    } log(this);
    link::TransferContext ctx{services_.port,     services_.dialogs,
                              services_.pump,     services_.clock,
                              log,                transferFields_,
                              fromQ(combo1_->currentText()), portSettings_->texts(),
                              instrument,         file,
                              services_.programFolder};
    if (download) {
        link::runDownload(instrument, ctx);
    } else {
        link::runUpload(instrument, ctx);
    }
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
        intermediate_ = new levelling::IntermediateDifferenceDialog(services_.dialogs, conversion_->results(),
                                                                    *dlSettings_, conversion_);
    }
    intermediate_->show();
    intermediate_->raise();
}

void MainWindow::setLogText(const std::string& text) { richTextBox1_->setPlainText(toQ(text)); }

void MainWindow::formatButtonClicked() {
    if (command3_->text() == T(kFormatCaption)) {
        conversion_->appendOutputs({QStringLiteral("XYZ"), QStringLiteral("YXZ"), QStringLiteral("YDE-NETCAD"),
                                    QStringLiteral("YDE-EGHAS"), QStringLiteral("YDE-GEOCAD"),
                                    QStringLiteral("YMK-NETCAD"), QStringLiteral("YMK-EGHAS"),
                                    QStringLiteral("YMK-GEOCAD"), QStringLiteral("RASAT KARNESi")});
        conversion_->setActionCaption(T(kFormatCaption));
    }
    if (command3_->text() == T(kComputeCaption)) {
        conversion_->appendOutputs(conversion::ConversionWindowUi::computationItems());
        command3_->setText(T(kFormatCaption));
        conversion_->setActionCaption(T(kComputeCaption));
    }
    if (conversion_->instrumentList()->currentText() == QLatin1String("DL-100")) {
        conversion_->outputList()->clear();
        conversion_->outputList()->addItems({QStringLiteral("KOT HESABI"), QStringLiteral("iLLER BANKASI")});
        conversion_->setOutputText(toQ(DL_ONSECIM));
        conversion_->settingsButton()->setVisible(true);
    }
    conversion_->show();
    conversion_->raise();
    conversion_->activateWindow();
}

void MainWindow::openConversionPreset(const QString& caption, const QString& outputText) {
    if (!caption.isEmpty()) command3_->setText(caption);
    conversion_->setOutputText(outputText);
    formatButtonClicked();
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

InfoWindow* MainWindow::infoWindow() const { return info_.data(); }

void MainWindow::showInformation() {
    if (!info_) info_ = new InfoWindow(this);
    info_->show();
    info_->raise();
}

}  // namespace velkar::shell
