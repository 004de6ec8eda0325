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

    QRadioButton* option1() const { return firstReadings_; }
    QRadioButton* option2() const { return secondReadings_; }
    QRadioButton* option3() const { return bothReadings_; }
    QCheckBox* check1() const { return traverseInfo_; }       // Poligon Bilgisi Ekle
    QCheckBox* check2() const { return addElevations_; }      // Kot Ekle
    QCheckBox* check3() const { return returnFile_; }         // Dönüş Dosyası  Var
    QCheckBox* check4() const { return printIntermediate_; }  // Orta Mira Okumalarını Yazdır
    QLineEdit* text1() const { return startElevation_; }      // start elevation
    QLineEdit* text2() const { return tolerance_; }           // tolerance
    QLineEdit* text3() const { return endElevation_; }        // end elevation

  private:
    QRadioButton* firstReadings_;
    QRadioButton* secondReadings_;
    QRadioButton* bothReadings_;
    QRadioButton* farthestDistance_;
    QRadioButton* highestStaff_;
    QCheckBox* traverseInfo_;
    QCheckBox* addElevations_;
    QCheckBox* returnFile_;
    QCheckBox* printIntermediate_;
    QLineEdit* startElevation_;
    QLineEdit* tolerance_;
    QLineEdit* endElevation_;
    QPushButton* okButton_;
};

}  // namespace velkar::levelling
