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

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

DlSettingsDialog::DlSettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlSettingsDialog"));
    setWindowTitle(T("DL-100 Datası Ayarları"));
    setModal(false);

    auto* frame1 = new QGroupBox(T("  Mira Okumaları  "), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    option1_ = new QRadioButton(T("Birinci Mira Okumaları"), frame1);
    option1_->setObjectName(QStringLiteral("Option1"));
    option2_ = new QRadioButton(T("İkinci Mira Okumaları"), frame1);
    option2_->setObjectName(QStringLiteral("Option2"));
    option3_ = new QRadioButton(T("Birinci ve İkinci Durum"), frame1);
    option3_->setObjectName(QStringLiteral("Option3"));
    option3_->setChecked(true);
    auto* f1 = new QVBoxLayout(frame1);
    f1->addWidget(option1_);
    f1->addWidget(option2_);
    f1->addWidget(option3_);

    auto* frame4 = new QGroupBox(T("Hata Toleransı"), this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    text2_ = new QLineEdit(QStringLiteral("0"), frame4);
    text2_->setObjectName(QStringLiteral("Text2"));
    auto* f4 = new QHBoxLayout(frame4);
    f4->addWidget(new QLabel(T("Hata Toleransı"), frame4));
    f4->addWidget(text2_);
    f4->addWidget(new QLabel(QStringLiteral("mm"), frame4));

    auto* frame3 = new QGroupBox(T(" Bilgi "), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    check4_ = new QCheckBox(T("Orta Mira Okumalarını Yazdır"), frame3);
    check4_->setObjectName(QStringLiteral("Check4"));
    check3_ = new QCheckBox(T("Dönüş Dosyası  Var"), frame3);
    check3_->setObjectName(QStringLiteral("Check3"));
    check2_ = new QCheckBox(T("Kot Ekle"), frame3);
    check2_->setObjectName(QStringLiteral("Check2"));
    check1_ = new QCheckBox(T("Poligon Bilgisi Ekle"), frame3);
    check1_->setObjectName(QStringLiteral("Check1"));
    text1_ = new QLineEdit(QStringLiteral("0.0000"), frame3);
    text1_->setObjectName(QStringLiteral("Text1"));
    text3_ = new QLineEdit(QStringLiteral("0.0000"), frame3);
    text3_->setObjectName(QStringLiteral("Text3"));
    auto* f3 = new QGridLayout(frame3);
    f3->addWidget(check4_, 0, 0, 1, 2);
    f3->addWidget(check3_, 1, 0, 1, 2);
    f3->addWidget(check2_, 2, 0, 1, 2);
    f3->addWidget(check1_, 3, 0, 1, 2);
    f3->addWidget(new QLabel(T("Başlangıc Kotu (m.)"), frame3), 4, 0);
    f3->addWidget(text1_, 4, 1);
    f3->addWidget(new QLabel(T("Bitiş Kotu  (m.)"), frame3), 5, 0);
    f3->addWidget(text3_, 5, 1);

    auto* frame2 = new QGroupBox(T("  Hata Dağıtımı  "), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    option5_ = new QRadioButton(T("En Yüksek Mira"), frame2);
    option5_->setObjectName(QStringLiteral("Option5"));
    option4_ = new QRadioButton(T("En Uzak Mesafe"), frame2);
    option4_->setObjectName(QStringLiteral("Option4"));
    option4_->setChecked(true);
    auto* f2 = new QVBoxLayout(frame2);
    f2->addWidget(option5_);
    f2->addWidget(option4_);

    command1_ = new QPushButton(T("&T a m a m"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    connect(command1_, &QPushButton::clicked, this, &QDialog::hide);

    auto* grid = new QGridLayout(this);
    grid->addWidget(frame1, 0, 0);
    grid->addWidget(frame4, 1, 0);
    grid->addWidget(frame2, 2, 0);
    grid->addWidget(frame3, 0, 1, 3, 1);
    grid->addWidget(command1_, 3, 1, Qt::AlignRight);
}

void DlSettingsDialog::setReadingOption(int which, bool on) {
    QRadioButton* opts[3] = {option1_, option2_, option3_};
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
    const QRadioButton* opts[3] = {option1_, option2_, option3_};
    return which >= 0 && which <= 2 && opts[which]->isChecked();
}

void DlSettingsDialog::setCheckValue(QCheckBox* box, int value) {
    box->setTristate(value == 2);
    box->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

int DlSettingsDialog::checkValue(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        default: return 0;
    }
}

DlSettings DlSettingsDialog::current() const {
    DlSettings s;
    s.readings = option1_->isChecked()   ? ReadingSelection::First
                 : option2_->isChecked() ? ReadingSelection::Second
                                         : ReadingSelection::Both;
    s.tolerance = fromQ(text2_->text());
    s.printIntermediate = check4_->checkState() == Qt::Checked;
    s.returnRun = check3_->checkState() == Qt::Checked;
    s.addElevations = check2_->checkState() == Qt::Checked;
    s.addTraverseInfo = check1_->checkState() == Qt::Checked;
    s.startElevation = fromQ(text1_->text());
    s.endElevation = fromQ(text3_->text());
    s.distributeByHighestStaff = option5_->isChecked();
    return s;
}

void DlSettingsDialog::setElevationTexts(const std::string& start, const std::string& end) {
    text1_->setText(toQ(start));
    text3_->setText(toQ(end));
}

}  // namespace velkar::levelling
