// The levelling passes: the elevation report, the short report and the
// İller Bankası notebook, with the go-and-return run around them.
#include <cmath>
#include <cstdint>
#include <optional>

#include "levelling/levelling.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "platform/program_folder.h"
#include "platform/textfile.h"

namespace velkar::levelling {

std::string formElevationReport() {
    return catalogue::output(catalogue::OutputId::ElevationReport).text;
}
std::string formShortReport() {
    return catalogue::output(catalogue::OutputId::ShortReport).text;
}
std::string formNotebook() {
    return catalogue::output(catalogue::OutputId::Notebook).text;
}

namespace {

using conversion::ConversionWindow;

enum class Form { Elevation, Short, Notebook };

std::optional<Form> formOf(const catalogue::Output* output) {
    if (!output) return std::nullopt;
    switch (output->id) {
        case catalogue::OutputId::ElevationReport:
            return Form::Elevation;
        case catalogue::OutputId::ShortReport:
            return Form::Short;
        case catalogue::OutputId::Notebook:
            return Form::Notebook;
        default:
            return std::nullopt;
    }
}

const std::string kNoReading = "    ------";  // a reading the selection does not use

// Sums of distances are kept at their decimal value: a sight distance has three
// decimals, the mean of two at most four, so the sum is rounded to four after
// every station and a total of 70718.011 m never shows as 70718.0109999999.
double addDistance(double sum, double d) {
    return roundHalfEven(sum + d, 4);
}

// Plain number text: the standard form without its sign blank.
std::string plainNumber(double v) {
    return trimBlanks(standardNumberText(v));
}

// The values of one station by the reading selection.
struct StationValues {
    double B = 0, F = 0, dB = 0, dF = 0;
};

// An intermediate sight waiting for the row of its station.
struct PendingSight {
    std::string point, distance, reading;
};

// What the last computed station left for the intermediate sights after it.
struct StationForSights {
    double backsightElevation = 0;  // elevation of the station's backsight point
    double B = 0;
    double instrumentDistance = 0;  // distance along the line of the instrument
    std::string dBText, BText;
};

class Pass {
  public:
    Pass(ConversionWindow& w, LevellingState& s, DlSettingsAccess& settings, Form form)
        : w_(w), s_(s), r_(s.record), settings_(settings), form_(form) {}

    // false when a file could not be opened or written (the user was told).
    bool run();
    double H() const { return H_; }
    double totalDistance() const { return total_; }
    // Lines of the raw file that were DL-100 records.
    std::uint64_t recordsRead() const { return recordsRead_; }

  private:
    bool open();
    void writeHeader();
    void record(const std::string& line);
    void finish();
    StationValues stationValues(const DlSettings& st);
    void station(const DlSettings& st);
    void reportStation(const DlSettings& st, const StationValues& v, double before);
    void notebookStation(const DlSettings& st, const StationValues& v, double before);
    void intermediateSight(const DlSettings& st);
    void writeSight(const PendingSight& p, const StationForSights& st);
    void completeBySelection(const DlSettings& st);
    void jobHeader(const DlSettings& st);
    void sectionEnd();
    void traverseEnd();
    void line(const std::string& text) { out_.writeLine(text); }
    std::string errorFileNote(const char* gap) const;
    // Notes a point of the line for the profile (when the run keeps one).
    void profilePoint(const std::string& name, double distance, double elevation,
                      bool intermediate = false) {
        if (s_.recordProfile && !s_.profile.empty()) {
            s_.profile.back().points.push_back(
                {name, distance, elevation, elevation, intermediate});
        }
    }
    // A station notes its backsight point, as the report gives it a row; the
    // last foresight point follows at the end of the pass.
    void profileStation(double stationStart, double before) {
        profilePoint(r_.GERI_NOKTA, stationStart, before);
    }

    ConversionWindow& w_;
    LevellingState& s_;
    LevellingRecord& r_;
    DlSettingsAccess& settings_;
    Form form_;

    std::filesystem::path rawFile_;
    std::uint64_t recordsRead_ = 0;
    TextReader in_;
    TextWriter out_;
    TextWriter errors_;
    std::filesystem::path errorFile_;  // empty when no folder took it
    std::string errorFileProblem_;

    double H_ = 0;
    double total_ = 0;
    bool blocked_ = false;
    // Elevation report: the columns of the next row that the previous station gave.
    std::string prevElevation_, prevForesightDistance_ = "  -----", prevForesight_ = "   ------";
    std::vector<PendingSight> pending_;
    std::optional<StationForSights> lastStation_;
    // Notebook.
    double notebookPrevElevation_ = 0;
    double sumB_ = 0, sumF_ = 0, sumD_ = 0;
    std::string traverseStart_;
    double traverseSum_ = 0;
};

bool Pass::open() {
    rawFile_ = w_.dialog.fileName;
    if (!conversion::openChosenInput(w_, in_)) return false;
    if (!conversion::openResultWorkFile(w_, out_)) return false;
    // The error file goes beside the raw file; from read-only media it goes to
    // the spare folder instead, and the tolerance messages name where it is.
    // The run never fails for it.
    errorFile_ = rawFile_;
    errorFile_ += ".HTA";
    if (!errors_.replace(errorFile_)) {
        errorFileProblem_ = pathText(errorFile_) + cp1254(" yazılamadı: ") + errors_.error();
        std::filesystem::path spare = w_.spareFolder.empty() ? w_.workFolder : w_.spareFolder;
        spare /= rawFile_.filename();
        spare += ".HTA";
        errorFile_ = errors_.replace(spare) ? spare : std::filesystem::path();
    }
    return true;
}

std::string Pass::errorFileNote(const char* gap) const {
    if (errorFile_.empty()) return errorFileProblem_;
    return pathText(errorFile_) + gap + cp1254("Hata dosyasına yazdırıldı.");
}

void Pass::writeHeader() {
    w_.table.clear();
    w_.SATIR_NO = 0;
    const DlSettings st = settings_.current();
    H_ = leadingNumber(st.startElevation);
    prevElevation_ = padLeft(standardNumberText(H_), 12);
    notebookPrevElevation_ = H_;
    r_.ILK_NOKTA_ALINDI = "0";
    r_.clearPresence();
    r_.BASLANGIC_NOKTA.clear();  // a file without a job header has no start point
    s_.HAT_BASI.clear();
    s_.HAT_SONU.clear();
    switch (form_) {
        case Form::Elevation:
            // The table row of a point holds what the report line of that point
            // holds: the backsight taken from it, the foresight taken to it, its elevation.
            conversion::HUCREYAZ(w_, " NOKTA ", " G.MESAFE", "  " + cp1254("İ") + ".MESAFE",
                                 "   GERI", "   ORTA", "   iLERi", "   KOT");
            line(" Nokta N.      MESAFE(m.)    GERI(m.)  ORTA(m.) ILERI(m.) HATA(mm.)    KOT");
            line("---------- ---------------  --------- --------- --------- --------- ----------");
            break;
        case Form::Short:
            conversion::HUCREYAZ(w_, " NOKTA ", "   GERi", "   iLERi");
            line(" Nokta N.       GERI(m.)     ILERI(m.) ");
            line("----------     ---------     --------- ");
            break;
        case Form::Notebook:
            line(cp1254("               SAYISAL NİVO NIVELMAN OLCU KARNESI"));
            break;
    }
}

bool Pass::run() {
    w_.setIntermediateButtonVisible(false);
    conversion::dosya_ac(w_);
    if (!w_.DOSYA_SECILDI) return true;
    if (!open()) return false;
    writeHeader();
    if (s_.recordProfile) {
        const DlSettings st = settings_.current();
        ProfileLine profile;
        profile.benchmarksKnown = st.addElevations;
        profile.startKnown = leadingNumber(st.startElevation);
        profile.endKnown = leadingNumber(st.endElevation);
        s_.profile.push_back(std::move(profile));
    }
    std::string text;
    for (std::uint64_t lines = 0; in_.readLine(text); ++lines) {
        w_.pump.processPending();
        if (lines % 1024 == 0) w_.progress(in_.position(), in_.size());
        if (trimBlanks(text).empty()) continue;  // every download ends with an empty line
        record(text);
    }
    if (in_.tooLong()) {
        w_.dialogs.error(in_.tooLongText());
        w_.setSaveEnabled(false);
        return false;
    }
    w_.progress(in_.size(), in_.size());
    finish();
    const bool ok = out_.close();
    if (!errorFile_.empty() && !errors_.close()) {
        conversion::reportUnwritable(w_, errorFile_, errors_.error());
    }
    in_.close();
    // The error file is only left when a sight was out of tolerance.
    std::error_code ec;
    if (ok && errors_.linesWritten() == 0) std::filesystem::remove(errorFile_, ec);
    if (!ok) {
        conversion::reportUnwritable(w_, w_.resultWorkFile(), out_.error());
        w_.setSaveEnabled(false);
    }
    return ok;
}

void Pass::record(const std::string& text) {
    const DlSettings st = settings_.current();
    r_.HAM_SATIR = text;
    DL_SATIR_AYIR(r_);
    r_.KAYIT_KODU = r_.ALANLAR[0];
    std::string& code = r_.KAYIT_KODU;
    if (code.size() == 1 && std::string("cghijkvw").find(code[0]) != std::string::npos) {
        ++recordsRead_;
    }
    if (st.readings == ReadingSelection::First && (code == "h" || code == "j")) code = " ";
    if (st.readings == ReadingSelection::Second && (code == "g" || code == "i")) code = " ";

    blocked_ = blocksStation(r_);
    if (form_ == Form::Notebook && code == "g" && r_.GERI1_VAR == 1 && !blocked_) {
        r_.setAllPresent();  // a station still open when the next one begins is computed with what
                             // it has
    }
    if (r_.allPresent() && !blocked_) station(st);
    blocked_ = false;
    HAMDATACOZ_DL100(r_);

    if (form_ == Form::Notebook) {
        if (code == "c") jobHeader(st);
        if (code == "w") sectionEnd();
        if (code == "v" && st.addTraverseInfo) traverseEnd();
    } else {
        if (code == "k" && form_ == Form::Elevation && st.printIntermediate) intermediateSight(st);
        if (code == "v" && form_ == Form::Elevation) {
            line(" ");
            line("Toplam Mesafe..: " + padLeft(fixedText(total_, 2), 8));
            line(" ");
        }
    }
    completeBySelection(st);
}

void Pass::completeBySelection(const DlSettings& st) {
    if (st.readings == ReadingSelection::First && r_.GERI1_VAR == 1 && r_.ILERI1_VAR == 1) {
        r_.setAllPresent();
        r_.ILERI2_OKUMA = r_.ILERI2_MESAFE = r_.GERI2_OKUMA = r_.GERI2_MESAFE = kNoReading;
    }
    if (st.readings == ReadingSelection::Second && r_.GERI2_VAR == 1 && r_.ILERI2_VAR == 1) {
        r_.setAllPresent();
        r_.ILERI1_OKUMA = r_.ILERI1_MESAFE = r_.GERI1_OKUMA = r_.GERI1_MESAFE = kNoReading;
    }
}

StationValues Pass::stationValues(const DlSettings& st) {
    StationValues v;
    const double b1 = leadingNumber(r_.GERI1_OKUMA), b2 = leadingNumber(r_.GERI2_OKUMA);
    const double f1 = leadingNumber(r_.ILERI1_OKUMA), f2 = leadingNumber(r_.ILERI2_OKUMA);
    const double db1 = leadingNumber(r_.GERI1_MESAFE), db2 = leadingNumber(r_.GERI2_MESAFE);
    const double df1 = leadingNumber(r_.ILERI1_MESAFE), df2 = leadingNumber(r_.ILERI2_MESAFE);
    switch (st.readings) {
        case ReadingSelection::First:
            v = {b1, f1, db1, df1};
            break;
        case ReadingSelection::Second:
            v = {b2, f2, db2, df2};
            break;
        case ReadingSelection::Both: {
            v = {(b1 + b2) / 2, (f1 + f2) / 2, (db1 + db2) / 2, (df1 + df2) / 2};
            // The readings are whole hundredths of a millimetre; the margin keeps a
            // difference equal to the tolerance from failing on binary noise.
            const double t = leadingNumber(st.tolerance) / 1000 + 1e-9;
            if (std::fabs(b1 - b2) > t) {
                w_.dialogs.info(r_.GERI_NOKTA +
                                    cp1254(" noktasının geri mirası tolerans değerini aşıyor !!!") +
                                    "\r\r" + errorFileNote("  "),
                                cp1254("Toleransı Aşan Hata"));
                errors_.writeLine(r_.GERI_NOKTA + "     Geri :" + r_.GERI1_OKUMA + " m." + " " +
                                  r_.GERI2_OKUMA + " m.   ");
            }
            if (std::fabs(f1 - f2) > t) {
                w_.dialogs.info(
                    r_.ILERI_NOKTA +
                        cp1254(" noktasının ileri mirası tolerans değerini aşıyor !!!") + "\r\r" +
                        errorFileNote(" "),
                    cp1254("Toleransı Aşan Hata"));
                errors_.writeLine(r_.ILERI_NOKTA + cp1254("    İleri :") + r_.ILERI1_OKUMA +
                                  " m. " + r_.ILERI2_OKUMA + " m.");
            }
            break;
        }
    }
    return v;
}

void Pass::station(const DlSettings& st) {
    const StationValues v = stationValues(st);
    const double before = H_;
    if (form_ == Form::Notebook) {
        notebookStation(st, v, before);
    } else {
        reportStation(st, v, before);
    }
    r_.clearPresence();
    blocked_ = false;
}

void Pass::reportStation(const DlSettings& /*st*/, const StationValues& v, double before) {
    if (s_.HAT_BASI.empty()) s_.HAT_BASI = r_.GERI_NOKTA;
    const double stationStart = total_;
    total_ = addDistance(total_, v.dB + v.dF);
    s_.TOPLAM_GERI += v.B;
    s_.TOPLAM_ILERI += v.F;
    H_ += v.B - v.F;
    const std::string hText = padLeft(fixedText(H_, 5), 12);
    const std::string bText = padLeft(fixedText(v.B, 5), 9);
    const std::string fText = padLeft(fixedText(v.F, 5), 9);
    const std::string dbText = padLeft(fixedText(v.dB, 2), 7);
    const std::string dfText = padLeft(fixedText(v.dF, 2), 7);
    if (form_ == Form::Elevation) {
        line(r_.GERI_NOKTA + "  " + dbText + " " + prevForesightDistance_ + " " + bText + "  " +
             " ------- " + prevForesight_ + "   " + "------" + prevElevation_);
    } else {
        line(r_.GERI_NOKTA + "      " + bText + "    " + prevForesight_);
    }
    if (form_ == Form::Elevation) {
        conversion::HUCREYAZ(w_, r_.GERI_NOKTA, dbText, prevForesightDistance_, plainNumber(v.B),
                             "", prevForesight_, prevElevation_);
    } else {
        conversion::HUCREYAZ(w_, r_.GERI_NOKTA, plainNumber(v.B), prevForesight_);
    }
    profileStation(stationStart, before);
    prevElevation_ = hText;
    prevForesightDistance_ = dfText;
    prevForesight_ = fText;
    // The intermediate sights taken from this station follow its row.
    lastStation_ = StationForSights{before, v.B, stationStart + v.dB, dbText, bText};
    for (const PendingSight& p : pending_) writeSight(p, *lastStation_);
    pending_.clear();
}

// An intermediate sight belongs to the station whose backsight came last
// before it: while that station is still open its row waits for the
// station's row; after it, the row is written at once.
void Pass::intermediateSight(const DlSettings& /*st*/) {
    PendingSight p{r_.ORTA_NOKTA, r_.ORTA_MESAFE, r_.ORTA_OKUMA};
    if (r_.GERI1_VAR == 1 || r_.GERI2_VAR == 1) {
        pending_.push_back(std::move(p));
    } else if (lastStation_) {
        writeSight(p, *lastStation_);
    }
    // A sight before any backsight of the pass has no elevation to hang on: no row.
}

void Pass::writeSight(const PendingSight& p, const StationForSights& st) {
    const double elevation = st.backsightElevation + st.B - leadingNumber(p.reading);
    const std::string eText = padLeft(fixedText(elevation, 5), 12);
    profilePoint(p.point, st.instrumentDistance + leadingNumber(p.distance), elevation, true);
    line(p.point + "  " + st.dBText + " " + p.distance + " " + st.BText + "  " + p.reading +
         "   ------" + "   " + "------" + eText);
    conversion::HUCREYAZ(w_, p.point, st.dBText, p.distance, plainNumber(st.B), p.reading,
                         "   ------", eText);
}

void Pass::notebookStation(const DlSettings& st, const StationValues& v, double /*before*/) {
    double d = v.dB + v.dF;
    if (st.readings == ReadingSelection::Both) {
        d = (leadingNumber(r_.GERI1_MESAFE) + leadingNumber(r_.ILERI1_MESAFE)) / 2 +
            (leadingNumber(r_.GERI2_MESAFE) + leadingNumber(r_.ILERI2_MESAFE)) / 2;
    }
    s_.TOPLAM_GERI += v.B;
    sumB_ += v.B;
    s_.TOPLAM_ILERI += v.F;
    sumF_ += v.F;
    profileStation(total_, H_);
    total_ = addDistance(total_, d);
    sumD_ = addDistance(sumD_, d);
    H_ += v.B - v.F;
    const std::string elevation = padLeft(fixedText(notebookPrevElevation_, 4), 15);
    line(r_.GERI_NOKTA + "     Geri :" + r_.GERI1_OKUMA + " m." + " " + r_.GERI2_OKUMA + " m.   " +
         r_.GERI1_MESAFE + " m." + r_.GERI2_MESAFE + " m." +
         (st.addElevations ? elevation : std::string(" ")));
    conversion::HUCREYAZ(w_, r_.GERI_NOKTA, " Geri", r_.GERI1_OKUMA, r_.GERI2_OKUMA,
                         r_.GERI1_MESAFE, r_.GERI2_MESAFE);
    line(r_.ILERI_NOKTA + cp1254("    İleri :") + r_.ILERI1_OKUMA + " m." + " " + r_.ILERI2_OKUMA +
         " m.   " + r_.ILERI1_MESAFE + " m." + r_.ILERI2_MESAFE + " m.");
    conversion::HUCREYAZ(w_, r_.ILERI_NOKTA, cp1254(" İleri"), r_.ILERI1_OKUMA, r_.ILERI2_OKUMA,
                         r_.ILERI1_MESAFE, r_.ILERI2_MESAFE);
    notebookPrevElevation_ = H_;
}

void Pass::jobHeader(const DlSettings& st) {
    line(cp1254("iŞ İSMİ : ") + r_.IS_ISMI);
    line(cp1254("TARİH   : ") + r_.TARIH_GUN + "." + r_.TARIH_AY + "." + r_.TARIH_YIL);
    line(" ");
    line(cp1254("  NOKTA                    MİRA OKUMALARI        ") + "            MESAFE      " +
         (st.addElevations ? "         KOT   " : " "));
    line(std::string(" NUMARASI                  1            2        ") +
         "       1            2    ");
    line(std::string(82, '-'));
    conversion::HUCREYAZ(w_, "  NOKTA", "", "  Mira 1  ", "  Mira 2  ", "Mesafe 1", "Mesafe 2");
}

void Pass::sectionEnd() {
    line(" ");
    line("          -------------    RS    S O N U   R A P O R U    ---------");
    line("");
    line(cp1254("TOPLAM GERİ  MİRA OKUMALARI ORT. : ") + padRight(fixedText(sumB_, 5), 13) +
         "     TOPLAM ORT. MESAFE.:" + standardNumberText(sumD_));
    line(cp1254("TOPLAM İLERİ MİRA OKUMALARI ORT. : ") + padRight(fixedText(sumF_, 5), 13));
    line(r_.BASLANGIC_NOKTA + " - " + r_.ALANLAR[3] +
         " KOT FARKI          : " + fixedText(sumB_ - sumF_, 5));
    line(std::string(75, '-'));
}

void Pass::traverseEnd() {
    const std::string backText = fixedText(s_.TOPLAM_GERI, 5);
    const std::string foreText = fixedText(s_.TOPLAM_ILERI, 5);
    s_.TOPLAM_GERI = leadingNumber(backText);
    s_.TOPLAM_ILERI = leadingNumber(foreText);
    const double t = s_.TOPLAM_GERI - s_.TOPLAM_ILERI;
    traverseSum_ += t;
    if (traverseStart_.empty()) traverseStart_ = r_.ILK_NOKTA;
    const std::string end = trimBlanks(r_.ILERI_NOKTA);
    line("");
    line(cp1254("              ---------       POLİGON SONU R A P O R U    ---------"));
    line("");
    line(cp1254("TOPLAM GERİ  MİRA OKUMALARI ORT..: ") + backText +
         "    TOPLAM ORT. MESAFE :" + standardNumberText(total_));
    line(cp1254("TOPLAM İLERİ MİRA OKUMALARI ORT..: ") + foreText);
    line(trimBlanks(traverseStart_) + " - " + end +
         " KOT FARKI ..: " + padLeft(fixedText(t, 5), 13));
    line(r_.BASLANGIC_NOKTA + " - " + end +
         " KOT FARKI ..: " + padLeft(fixedText(traverseSum_, 5), 13) + "        " + end +
         " KOT ..: " + padLeft(fixedText(H_, 4), 15));
    line(std::string(76, '-'));
    s_.TOPLAM_GERI = 0;
    s_.TOPLAM_ILERI = 0;
    r_.ILK_NOKTA_ALINDI = "0";
    r_.ILK_NOKTA = " ";
    traverseStart_ = r_.ILERI_NOKTA;
}

void Pass::finish() {
    const DlSettings st = settings_.current();
    if (r_.allPresent()) station(st);  // the last station of the file
    pending_.clear();                  // sights of a station that never closed
    s_.HAT_SONU = r_.ILERI_NOKTA;
    if (s_.recordProfile && !s_.profile.empty() && !s_.profile.back().points.empty()) {
        profilePoint(r_.ILERI_NOKTA, total_, H_);
    }
    if (form_ == Form::Elevation) {
        line(r_.ILERI_NOKTA + "  " + "   ----" + " " + prevForesightDistance_ + " " + "  -------" +
             "  " + " ------- " + prevForesight_ + "   " + "------" + prevElevation_);
        conversion::HUCREYAZ(w_, r_.ILERI_NOKTA, "", prevForesightDistance_, "", "", prevForesight_,
                             prevElevation_);
        line("");
        line("Toplam Mesafe..: " + fixedText(total_, 2));
    } else if (form_ == Form::Short) {
        line(r_.ILERI_NOKTA + "      " + "  -------" + "    " + prevForesight_);
        conversion::HUCREYAZ(w_, r_.ILERI_NOKTA, "", prevForesight_);
        line("______________________________________");
        line("");
        line("Toplam Geri..: " + fixedText(s_.TOPLAM_GERI, 2));
        line(cp1254("Toplam İleri.: ") + fixedText(s_.TOPLAM_ILERI, 2));
        line("");
        line(cp1254("Toplam Geri - Toplam İleri..(Delta H).: ") +
             fixedText(s_.TOPLAM_GERI - s_.TOPLAM_ILERI, 2));
    }
}

void exchangeElevations(DlSettingsAccess& settings) {
    const DlSettings st = settings.current();
    settings.setElevationTexts(st.endElevation, st.startElevation);
}

}  // namespace

LevellingRunResult levellingAction(ConversionWindow& w, LevellingState& s,
                                   DlSettingsAccess& settings) {
    // The notebook has no return run: ticking "Dönüş Dosyası  Var" for it must
    // not leave the next elevation report waiting for a return file.
    if (settings.current().returnRun && formOf(w.request.output) != Form::Notebook)
        w.DONUS_DOSYASI = 1;
    return DL_HESAP(w, s, settings);
}

LevellingRunResult DL_HESAP(ConversionWindow& w, LevellingState& s, DlSettingsAccess& settings) {
    LevellingRunResult result;
    const std::optional<Form> form = formOf(w.request.output);
    if (!form) {
        w.dialogs.error(w.request.outputText +
                        cp1254(" bir DL-100 hesabı değil: KOT HESABI, KOT HESABI-1 ya da "
                               "iLLER BANKASI seçiniz."));
        result.failed = true;
        return result;
    }
    // A run (a go-and-return pair counts as one) starts its reading totals afresh.
    s.TOPLAM_GERI = 0;
    s.TOPLAM_ILERI = 0;
    s.profile.clear();
    for (;;) {
        Pass pass(w, s, settings, *form);
        const bool ok = pass.run();
        if (!ok) {
            result.failed = true;
            return result;
        }
        if (!w.DOSYA_SECILDI) return result;  // no raw file chosen: nothing written
        if (pass.recordsRead() == 0) {
            // Not a DL-100 file (or an empty one): no report, nothing to save.
            w.setSaveEnabled(false);
            conversion::warnEmptyResult(w);
            result.nothingRead = true;
            return result;
        }

        if (*form == Form::Notebook) {
            w.setIntermediateButtonVisible(true);
            result.saved.push_back(conversion::kayitEt(w));
            w.dialogs.info(cp1254(" İşlem Tamamlandı ....!!"), cp1254("İşlem Sonu"));
            return result;
        }

        const DlSettings st = settings.current();
        if (!DL_NIVELMAN(w, settings, pass.H(), pass.totalDistance(), st.startElevation,
                         st.endElevation, s.profile.empty() ? nullptr : &s.profile.back())) {
            result.failed = true;
        }
        if (w.DONUS_DOSYASI != 1) {
            w.DONUS_DOSYASI = 3;
        } else {
            w.DONUS_DOSYASI = 2;
            w.dialogs.info(cp1254(" İşlem Tamamlandı ....!!"), cp1254("İşlem Sonu"));
        }
        exchangeElevations(settings);  // the return run starts from the end benchmark
        result.saved.push_back(conversion::kayitEt(w));
        if (settings.current().returnRun && w.DONUS_DOSYASI == 3) {
            bool failed = false;
            result.saved.push_back(ozet_cizelge(w, s, failed));
            if (failed) result.failed = true;
        }
        if (result.failed) return result;
        if (!w.dialog.fileName.empty() && w.DONUS_DOSYASI == 2) {
            s.GIDIS_DOSYASI = w.dialog.fileName;
            w.dialogs.info(cp1254("Dönüş Dosyasını Seçeceğiz...!!!"));
            w.dialog.title = cp1254("Dönüş Dosyasını Seçiniz");
            continue;
        }
        return result;
    }
}

}  // namespace velkar::levelling
