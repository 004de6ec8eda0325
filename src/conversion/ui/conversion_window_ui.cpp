#include "conversion/ui/conversion_window_ui.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMimeData>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "platform/widgets/editable_list.h"

namespace velkar::conversion {

namespace {

QString T(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <class Row>
QStringList texts(const std::vector<const Row*>& rows) {
    QStringList list;
    for (const Row* row : rows) list << toQ(row->text);
    return list;
}

QString captionOf(catalogue::Mode mode) {
    return mode == catalogue::Mode::Compute ? T("&Hesapla") : T("&Format Dönüstür");
}

}  // namespace

QStringList ConversionWindowUi::instrumentItems() {
    return texts(catalogue::conversionInstruments());
}

QStringList ConversionWindowUi::conversionItems() {
    return texts(catalogue::conversionWindowFormatOutputs());
}

QStringList ConversionWindowUi::computationItems() {
    return texts(catalogue::outputsOf(catalogue::OutputKind::Computation));
}

QStringList ConversionWindowUi::levellingItems() {
    return texts(catalogue::outputsOf(catalogue::OutputKind::Levelling));
}

ConversionWindowUi::ConversionWindowUi(Dialogs& dialogs, EventPump& pump,
                                       std::filesystem::path workFolder, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("ConversionWindow"));
    setWindowTitle(QStringLiteral("VELKAR"));
    core_ = std::make_unique<ConversionWindow>(dialogs, pump, table_, std::move(workFolder), this);
    model_ = std::make_unique<ResultTableModel>(table_);

    auto* central = new QWidget(this);
    auto* top = new QGridLayout;
    instrumentList_ = new QComboBox(central);
    instrumentList_->setObjectName(QStringLiteral("Combo1"));
    makeEditableList(instrumentList_);
    instrumentList_->setMinimumWidth(220);
    outputList_ = new QComboBox(central);
    outputList_->setObjectName(QStringLiteral("Combo2"));
    makeEditableList(outputList_);
    outputList_->setMinimumWidth(180);
    actionButton_ = new QPushButton(captionOf(mode_), central);
    actionButton_->setObjectName(QStringLiteral("Command1"));
    saveButton_ = new QPushButton(toQ(cp1254("&Kayıt Et")), central);
    saveButton_->setObjectName(QStringLiteral("Command2"));
    saveButton_->setEnabled(false);
    settingsButton_ = new QPushButton(QStringLiteral("&Ayarlar"), central);
    settingsButton_->setObjectName(QStringLiteral("Command3"));
    settingsButton_->setVisible(false);
    intermediateButton_ = new QPushButton(toQ(cp1254("Ara KF &Hesabı")), central);
    intermediateButton_->setObjectName(QStringLiteral("Command4"));
    intermediateButton_->setVisible(false);
    auto* l1 = new QLabel(QStringLiteral("Cihaz"), central);
    auto* l2 = new QLabel(toQ(cp1254("Çıktı / Hesap")), central);
    top->addWidget(l1, 0, 0);
    top->addWidget(instrumentList_, 1, 0);
    top->addWidget(l2, 0, 1);
    top->addWidget(outputList_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(actionButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(settingsButton_);
    buttons->addWidget(intermediateButton_);
    buttons->addStretch(1);
    top->addLayout(buttons, 1, 2);
    top->setColumnStretch(2, 1);

    resultView_ = new ResultTableView(central);
    resultView_->setObjectName(QStringLiteral("MSFlexGrid1"));
    resultView_->setResultModel(model_.get());
    setAcceptDrops(true);  // a raw file dropped on the window is run as if picked in its file box

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    tabs_ = new QTabWidget(central);
    tabs_->setObjectName(QStringLiteral("resultTabs"));
    tabs_->setTabBarAutoHide(true);  // the tabs show only when there is a drawing
    tabs_->addTab(resultView_, QStringLiteral("Tablo"));
    layout->addWidget(tabs_, 1);
    setCentralWidget(central);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    progress_ = new QProgressBar(this);
    progress_->setMaximumWidth(200);
    progress_->setRange(0, 1000);
    progress_->setFormat(QString::fromUtf8("%p% okundu"));  // the share of the input file read
    progress_->setVisible(false);
    statusBar()->addWidget(status_, 1);
    statusBar()->addPermanentWidget(progress_);
    resize(900, 560);

    // Load: the instrument list.
    instrumentList_->addItems(instrumentItems());
    instrumentList_->setCurrentIndex(-1);
    instrumentList_->setEditText(QString());
    outputList_->setEditText(T("XYZ"));

    connect(instrumentList_, &QComboBox::activated, this,
            &ConversionWindowUi::instrumentChoiceChanged);
    connect(actionButton_, &QPushButton::clicked, this, &ConversionWindowUi::runAction);
    connect(saveButton_, &QPushButton::clicked, this, &ConversionWindowUi::save);
    connect(settingsButton_, &QPushButton::clicked, this, [this] {
        if (settings_) settings_();
    });
    connect(intermediateButton_, &QPushButton::clicked, this, [this] {
        if (intermediate_) intermediate_();
    });
}

ConversionWindowUi::~ConversionWindowUi() {
    resultView_->setResultModel(nullptr);
}

void ConversionWindowUi::setOutputText(const QString& text) {
    outputList_->setEditText(text);
}

void ConversionWindowUi::setMode(catalogue::Mode mode) {
    mode_ = mode;
    actionButton_->setText(captionOf(mode));
    fillOutputs(true);
}

void ConversionWindowUi::fillOutputs(bool keepText) {
    const QString text = outputList_->currentText();
    const catalogue::Instrument* instrument =
        catalogue::findInstrument(fromQ(instrumentList_->currentText()));
    const bool level = instrument && instrument->family == catalogue::Family::Dl100;
    const QStringList items = level                               ? levellingItems()
                              : mode_ == catalogue::Mode::Compute ? computationItems()
                                                                  : conversionItems();
    outputList_->clear();
    outputList_->addItems(items);
    const QString first = level                               ? items.front()
                          : mode_ == catalogue::Mode::Compute ? items.front()
                                                              : T("XYZ");
    outputList_->setEditText(keepText && items.contains(text) ? text : first);
}

void ConversionWindowUi::setDrawingTab(QWidget* page, bool visible) {
    const int index = tabs_->indexOf(page);
    if (visible && index < 0) tabs_->addTab(page, toQ(cp1254("Çizim")));
    if (!visible && index >= 0) {
        tabs_->removeTab(index);
        page->setVisible(false);
    }
}

void ConversionWindowUi::instrumentChoiceChanged() {
    intermediateButton_->setVisible(false);
    const catalogue::Instrument* instrument =
        catalogue::findInstrument(fromQ(instrumentList_->currentText()));
    const bool level = instrument && instrument->family == catalogue::Family::Dl100;
    fillOutputs(false);
    if (level) {
        settingsButton_->setVisible(true);
    } else if (mode_ == catalogue::Mode::Convert) {
        settingsButton_->setVisible(false);
    }
}

void ConversionWindowUi::syncToCore() {
    core_->setInstrument(fromQ(instrumentList_->currentText()));
    core_->setOutput(fromQ(outputList_->currentText()));
    core_->setMode(mode_);
}

void ConversionWindowUi::runAction() {
    if (running_) return;  // one run at a time; the button is disabled meanwhile
    syncToCore();
    running_ = true;
    actionButton_->setEnabled(false);
    saveButton_->setEnabled(false);  // the run writes its work file, boxes included
    if (action_) action_();
    progress_->setVisible(false);
    actionButton_->setEnabled(true);
    running_ = false;
    saveButton_->setEnabled(core_->saveEnabled);
    resultView_->fitColumns();
}

namespace {

// The one local file a drag carries, or an empty text.
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile()) return {};
    return url.toLocalFile();
}

}  // namespace

void ConversionWindowUi::dragEnterEvent(QDragEnterEvent* event) {
    if (!running_ && !droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void ConversionWindowUi::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(event->mimeData());
    if (running_ || file.isEmpty()) return;
    event->acceptProposedAction();
    core_->request.inputFile = qToPath(file);
    runAction();
    core_->request.inputFile.clear();  // a run that never asked for its raw file leaves it unused
}

void ConversionWindowUi::save() {
    if (running_) return;
    syncToCore();
    kayitEt(*core_);
}

void ConversionWindowUi::statusTextChanged(const std::string& text) {
    status_->setText(toQ(text));
}

void ConversionWindowUi::saveButtonEnabled(bool enabled) {
    // While a run is going the button waits for its end (runAction).
    saveButton_->setEnabled(enabled && !running_);
}

void ConversionWindowUi::intermediateButtonVisible(bool visible) {
    intermediateButton_->setVisible(visible);
}

void ConversionWindowUi::progress(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return;
    progress_->setVisible(true);
    progress_->setValue(static_cast<int>(done * 1000 / total));
}

}  // namespace velkar::conversion
