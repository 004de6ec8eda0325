// The options of the DL-100 data settings dialog, as the levelling routines
// read them.  The routines ask for the current values at every record, so a
// change made in the open dialog takes effect on the next record.
#pragma once

#include <string>
#include <utility>

namespace velkar::levelling {

enum class ReadingSelection {
    First,   // "Birinci Mira Okumaları": first readings only
    Second,  // "İkinci Mira Okumaları": second readings only
    Both     // "Birinci ve İkinci Durum": the mean, with the tolerance check
};

struct DlSettings {
    ReadingSelection readings = ReadingSelection::Both;
    std::string tolerance = "0";            // millimetres, as typed
    bool printIntermediate = false;         // "Orta Mira Okumalarını Yazdır"
    bool returnRun = false;                 // "Dönüş Dosyası  Var"
    bool addElevations = false;             // "Kot Ekle" (ticked: state 1)
    bool addTraverseInfo = false;           // "Poligon Bilgisi Ekle" (ticked: state 1)
    std::string startElevation = "0.0000";  // "Başlangıc Kotu (m.)"
    std::string endElevation = "0.0000";    // "Bitiş Kotu  (m.)"
    bool distributeByHighestStaff = false;  // "En Yüksek Mira" (shown, never used)
};

class DlSettingsAccess {
  public:
    virtual ~DlSettingsAccess() = default;
    virtual DlSettings current() const = 0;
    // After a pass the two elevation boxes are exchanged.
    virtual void setElevationTexts(const std::string& start, const std::string& end) = 0;
};

// Settings held in memory (command line, tests).
class PlainDlSettings : public DlSettingsAccess {
  public:
    PlainDlSettings() = default;
    explicit PlainDlSettings(DlSettings s) : values(std::move(s)) {}
    DlSettings current() const override { return values; }
    void setElevationTexts(const std::string& start, const std::string& end) override {
        values.startElevation = start;
        values.endElevation = end;
    }
    DlSettings values;
};

}  // namespace velkar::levelling
