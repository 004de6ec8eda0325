#include "conversion/ui/conversion_window_ui.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "platform/widgets/editable_list.h"

namespace velkar::conversion {

QStringList ConversionWindowUi::instrumentItems() {
    return {QStringLiteral("GTS-210 / 220 / 6"), QStringLiteral("GTS-230N"), QStringLiteral("GTS-600 / 700"),
            QStringLiteral("GPT-1000 / 2000"), QStringLiteral("GPT-3000 / GPT-3000LN"), QStringLiteral("DL-100")};
}

QStringList ConversionWindowUi::conversionItems() {
    return {QStringLiteral("YXZ"),        QStringLiteral("XYZ"),       QStringLiteral("YDE-NETCAD"),
            QStringLiteral("YDE-EGHAS"),  QStringLiteral("YDE-GEOCAD"), QStringLiteral("YMK-NETCAD"),
            QStringLiteral("YMK-EGHAS"),  QStringLiteral("YMK-GEOCAD"), QStringLiteral("RASAT KARNESi")};
}

QStringList ConversionWindowUi::computationItems() {
    return {QStringLiteral("KOORDINAT"), QStringLiteral("KESIT-KLISE"), QStringLiteral("KESIT-NETCAD")};
}

ConversionWindowUi::ConversionWindowUi(Dialogs& dialogs, EventPump& pump, std::filesystem::path workFolder,
                                       QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("ConversionWindow"));
    setWindowTitle(QStringLiteral("VELKAR"));
    core_ = std::make_unique<ConversionWindow>(dialogs, pump, table_, std::move(workFolder), this);
    model_ = std::make_unique<ResultTableModel>(table_);

    auto* central = new QWidget(this);
    auto* top = new QGridLayout;
    combo1_ = new QComboBox(central);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    makeEditableList(combo1_);
    combo1_->setMinimumWidth(220);
    combo2_ = new QComboBox(central);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    makeEditableList(combo2_);
    combo2_->setMinimumWidth(180);
    command1_ = new QPushButton(toQ(cp1254("&Format Dönüstür")), central);
    command1_->setObjectName(QStringLiteral("Command1"));
    command2_ = new QPushButton(toQ(cp1254("&Kayıt Et")), central);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setEnabled(false);
    command3_ = new QPushButton(QStringLiteral("&Ayarlar"), central);
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setVisible(false);
    command4_ = new QPushButton(toQ(cp1254("Ara KF &Hesabı")), central);
    command4_->setObjectName(QStringLiteral("Command4"));
    command4_->setVisible(false);
    auto* l1 = new QLabel(QStringLiteral("Cihaz"), central);
    auto* l2 = new QLabel(toQ(cp1254("Çıktı / Hesap")), central);
    top->addWidget(l1, 0, 0);
    top->addWidget(combo1_, 1, 0);
    top->addWidget(l2, 0, 1);
    top->addWidget(combo2_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1_);
    buttons->addWidget(command2_);
    buttons->addWidget(command3_);
    buttons->addWidget(command4_);
    buttons->addStretch(1);
    top->addLayout(buttons, 1, 2);
    top->setColumnStretch(2, 1);

    grid_ = new QTableView(central);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setModel(model_.get());
    grid_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    grid_->horizontalHeader()->setVisible(false);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->horizontalHeader()->setDefaultSectionSize(110);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    tabs_ = new QTabWidget(central);
    tabs_->setObjectName(QStringLiteral("resultTabs"));
    tabs_->setTabBarAutoHide(true);  // the tabs show only when there is a drawing
    tabs_->addTab(grid_, QStringLiteral("Tablo"));
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
    combo1_->addItems(instrumentItems());
    combo1_->setCurrentIndex(-1);
    combo1_->setEditText(QString());
    combo2_->setEditText(QStringLiteral("XYZ"));

    connect(combo1_, &QComboBox::activated, this, &ConversionWindowUi::instrumentChoiceChanged);
    connect(command1_, &QPushButton::clicked, this, &ConversionWindowUi::runAction);
    connect(command2_, &QPushButton::clicked, this, &ConversionWindowUi::save);
    connect(command3_, &QPushButton::clicked, this, [this] {
        if (settings_) settings_();
    });
    connect(command4_, &QPushButton::clicked, this, [this] {
        if (intermediate_) intermediate_();
    });
}

ConversionWindowUi::~ConversionWindowUi() { grid_->setModel(nullptr); }

void ConversionWindowUi::appendOutputs(const QStringList& items) {
    const QString text = combo2_->currentText();
    combo2_->addItems(items);
    combo2_->setEditText(text);
}

void ConversionWindowUi::setDrawingTab(QWidget* page, bool visible) {
    const int index = tabs_->indexOf(page);
    if (visible && index < 0) tabs_->addTab(page, toQ(cp1254("Çizim")));
    if (!visible && index >= 0) {
        tabs_->removeTab(index);
        page->setVisible(false);
    }
}

void ConversionWindowUi::setOutputText(const QString& text) { combo2_->setEditText(text); }

void ConversionWindowUi::instrumentChoiceChanged() {
    command4_->setVisible(false);
    const QString instrument = combo1_->currentText();
    if (instrument != QLatin1String("DL-100")) {
        combo2_->clear();
        if (command1_->text() == toQ(cp1254("&Format Dönüstür"))) {
            combo2_->addItems(conversionItems());
            combo2_->setEditText(QStringLiteral("XYZ"));
            command3_->setVisible(false);
        }
        if (command1_->text() == QLatin1String("&Hesapla")) {
            combo2_->addItems(computationItems());
            combo2_->setEditText(QStringLiteral("KOORDINAT"));
        }
    } else {
        combo2_->clear();
        combo2_->addItems({QStringLiteral("KOT HESABI"), QStringLiteral("iLLER BANKASI")});
        combo2_->setEditText(QStringLiteral("KOT HESABI"));
        command3_->setVisible(true);
    }
}

void ConversionWindowUi::syncToCore() {
    core_->instrumentText = fromQ(combo1_->currentText());
    core_->outputText = fromQ(combo2_->currentText());
    core_->actionCaption = fromQ(command1_->text());
}

void ConversionWindowUi::runAction() {
    if (running_) return;  // one run at a time; the button is disabled meanwhile
    syncToCore();
    running_ = true;
    command1_->setEnabled(false);
    if (action_) action_();
    progress_->setVisible(false);
    command1_->setEnabled(true);
    running_ = false;
}

void ConversionWindowUi::save() {
    syncToCore();
    kayitEt(*core_);
}

void ConversionWindowUi::statusTextChanged(const std::string& text) { status_->setText(toQ(text)); }

void ConversionWindowUi::saveButtonEnabled(bool enabled) { command2_->setEnabled(enabled); }

void ConversionWindowUi::intermediateButtonVisible(bool visible) { command4_->setVisible(visible); }

void ConversionWindowUi::progress(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return;
    progress_->setVisible(true);
    progress_->setValue(static_cast<int>(done * 1000 / total));
}

}  // namespace velkar::conversion
