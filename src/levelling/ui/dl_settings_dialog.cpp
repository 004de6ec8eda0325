#include "levelling/ui/dl_settings_dialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace velkar::levelling {
namespace {

QString T(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

DlSettingsDialog::DlSettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlSettingsDialog"));
    setWindowTitle(T("DL-100 Datası Ayarları"));
    setModal(false);

    auto* frame1 = new QGroupBox(T("  Mira Okumaları  "), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    firstReadings_ = new QRadioButton(T("Birinci Mira Okumaları"), frame1);
    firstReadings_->setObjectName(QStringLiteral("Option1"));
    secondReadings_ = new QRadioButton(T("İkinci Mira Okumaları"), frame1);
    secondReadings_->setObjectName(QStringLiteral("Option2"));
    bothReadings_ = new QRadioButton(T("Birinci ve İkinci Durum"), frame1);
    bothReadings_->setObjectName(QStringLiteral("Option3"));
    bothReadings_->setChecked(true);
    auto* f1 = new QVBoxLayout(frame1);
    f1->addWidget(firstReadings_);
    f1->addWidget(secondReadings_);
    f1->addWidget(bothReadings_);

    auto* frame4 = new QGroupBox(T("Hata Toleransı"), this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    tolerance_ = new QLineEdit(QStringLiteral("0"), frame4);
    tolerance_->setObjectName(QStringLiteral("Text2"));
    auto* f4 = new QHBoxLayout(frame4);
    f4->addWidget(new QLabel(T("Hata Toleransı"), frame4));
    f4->addWidget(tolerance_);
    f4->addWidget(new QLabel(QStringLiteral("mm"), frame4));

    auto* frame3 = new QGroupBox(T(" Bilgi "), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    printIntermediate_ = new QCheckBox(T("Orta Mira Okumalarını Yazdır"), frame3);
    printIntermediate_->setObjectName(QStringLiteral("Check4"));
    returnFile_ = new QCheckBox(T("Dönüş Dosyası  Var"), frame3);
    returnFile_->setObjectName(QStringLiteral("Check3"));
    addElevations_ = new QCheckBox(T("Kot Ekle"), frame3);
    addElevations_->setObjectName(QStringLiteral("Check2"));
    traverseInfo_ = new QCheckBox(T("Poligon Bilgisi Ekle"), frame3);
    traverseInfo_->setObjectName(QStringLiteral("Check1"));
    startElevation_ = new QLineEdit(QStringLiteral("0.0000"), frame3);
    startElevation_->setObjectName(QStringLiteral("Text1"));
    endElevation_ = new QLineEdit(QStringLiteral("0.0000"), frame3);
    endElevation_->setObjectName(QStringLiteral("Text3"));
    auto* f3 = new QGridLayout(frame3);
    f3->addWidget(printIntermediate_, 0, 0, 1, 2);
    f3->addWidget(returnFile_, 1, 0, 1, 2);
    f3->addWidget(addElevations_, 2, 0, 1, 2);
    f3->addWidget(traverseInfo_, 3, 0, 1, 2);
    f3->addWidget(new QLabel(T("Başlangıc Kotu (m.)"), frame3), 4, 0);
    f3->addWidget(startElevation_, 4, 1);
    f3->addWidget(new QLabel(T("Bitiş Kotu  (m.)"), frame3), 5, 0);
    f3->addWidget(endElevation_, 5, 1);

    auto* frame2 = new QGroupBox(T("  Hata Dağıtımı  "), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    highestStaff_ = new QRadioButton(T("En Yüksek Mira"), frame2);
    highestStaff_->setObjectName(QStringLiteral("Option5"));
    farthestDistance_ = new QRadioButton(T("En Uzak Mesafe"), frame2);
    farthestDistance_->setObjectName(QStringLiteral("Option4"));
    farthestDistance_->setChecked(true);
    auto* f2 = new QVBoxLayout(frame2);
    f2->addWidget(highestStaff_);
    f2->addWidget(farthestDistance_);

    okButton_ = new QPushButton(T("&T a m a m"), this);
    okButton_->setObjectName(QStringLiteral("Command1"));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::hide);

    auto* grid = new QGridLayout(this);
    grid->addWidget(frame1, 0, 0);
    grid->addWidget(frame4, 1, 0);
    grid->addWidget(frame2, 2, 0);
    grid->addWidget(frame3, 0, 1, 3, 1);
    grid->addWidget(okButton_, 3, 1, Qt::AlignRight);
}

void DlSettingsDialog::setReadingOption(int which, bool on) {
    QRadioButton* opts[3] = {firstReadings_, secondReadings_, bothReadings_};
    if (which < 0 || which > 2) return;
    if (on) {
        opts[which]->setChecked(true);
        return;
    }
    // A radio button of an exclusive group cannot be cleared directly.
    const bool excl = opts[which]->autoExclusive();
    for (auto* o : opts) o->setAutoExclusive(false);
    opts[which]->setChecked(false);
    for (auto* o : opts) o->setAutoExclusive(excl);
}

bool DlSettingsDialog::readingOption(int which) const {
    const QRadioButton* opts[3] = {firstReadings_, secondReadings_, bothReadings_};
    return which >= 0 && which <= 2 && opts[which]->isChecked();
}

void DlSettingsDialog::setCheckValue(QCheckBox* box, int value) {
    box->setTristate(value == 2);
    box->setCheckState(value == 1   ? Qt::Checked
                       : value == 2 ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

int DlSettingsDialog::checkValue(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
    }
}

DlSettings DlSettingsDialog::current() const {
    DlSettings s;
    s.readings = firstReadings_->isChecked()    ? ReadingSelection::First
                 : secondReadings_->isChecked() ? ReadingSelection::Second
                                                : ReadingSelection::Both;
    s.tolerance = fromQ(tolerance_->text());
    s.printIntermediate = printIntermediate_->checkState() == Qt::Checked;
    s.returnRun = returnFile_->checkState() == Qt::Checked;
    s.addElevations = addElevations_->checkState() == Qt::Checked;
    s.addTraverseInfo = traverseInfo_->checkState() == Qt::Checked;
    s.startElevation = fromQ(startElevation_->text());
    s.endElevation = fromQ(endElevation_->text());
    s.distributeByHighestStaff = highestStaff_->isChecked();
    return s;
}

void DlSettingsDialog::setElevationTexts(const std::string& start, const std::string& end) {
    startElevation_->setText(toQ(start));
    endElevation_->setText(toQ(end));
}

}  // namespace velkar::levelling
