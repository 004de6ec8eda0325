// The DL-100 data settings dialog ("DL-100 Datası Ayarları").  Modeless; the
// levelling routines read its controls at every record through DlSettingsAccess.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "levelling/dl_settings.h"

namespace velkar::levelling {

class DlSettingsDialog : public QDialog, public DlSettingsAccess {
    Q_OBJECT
public:
    explicit DlSettingsDialog(QWidget* parent = nullptr);

    DlSettings current() const override;
    void setElevationTexts(const std::string& start, const std::string& end) override;

    // The reading-selection options as the settings file keeps them: setting
    // one to true clears the others; setting one to false clears only it.
    void setReadingOption(int which, bool on);
    bool readingOption(int which) const;
    // Check box values 0, 1 (ticked) or 2 (grey).
    void setCheckValue(QCheckBox* box, int value);
    static int checkValue(const QCheckBox* box);

    QRadioButton* option1() const { return option1_; }
    QRadioButton* option2() const { return option2_; }
    QRadioButton* option3() const { return option3_; }
    QCheckBox* check1() const { return check1_; }  // Poligon Bilgisi Ekle
    QCheckBox* check2() const { return check2_; }  // Kot Ekle
    QCheckBox* check3() const { return check3_; }  // Dönüş Dosyası  Var
    QCheckBox* check4() const { return check4_; }  // Orta Mira Okumalarını Yazdır
    QLineEdit* text1() const { return text1_; }    // start elevation
    QLineEdit* text2() const { return text2_; }    // tolerance
    QLineEdit* text3() const { return text3_; }    // end elevation

private:
    QRadioButton* option1_;
    QRadioButton* option2_;
    QRadioButton* option3_;
    QRadioButton* option4_;
    QRadioButton* option5_;
    QCheckBox* check1_;
    QCheckBox* check2_;
    QCheckBox* check3_;
    QCheckBox* check4_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QLineEdit* text3_;
    QPushButton* command1_;
};

}  // namespace velkar::levelling
