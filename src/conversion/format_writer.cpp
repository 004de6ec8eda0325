#include "conversion/format_writer.h"

#include <cmath>

#include "conversion/decoders.h"
#include "conversion/family.h"
#include "conversion/splitter.h"
#include "conversion/units.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "platform/program_folder.h"

namespace velkar::conversion {
namespace {

// The record layouts: GEOCAD reads the NETCAD layouts.
enum class Output { XYZ, YXZ, YdeNetcad, YdeEghas, YmkNetcad, YmkEghas, Book, None };

Output outputOf(const catalogue::Output* output) {
    using catalogue::OutputId;
    if (!output) return Output::None;
    switch (output->id) {
        case OutputId::YdeNetcad:
        case OutputId::YdeGeocad:
            return Output::YdeNetcad;
        case OutputId::Yxz:
            return Output::YXZ;
        case OutputId::Xyz:
            return Output::XYZ;
        case OutputId::YdeEghas:
            return Output::YdeEghas;
        case OutputId::YmkNetcad:
        case OutputId::YmkGeocad:
            return Output::YmkNetcad;
        case OutputId::YmkEghas:
            return Output::YmkEghas;
        case OutputId::ObservationBook:
            return Output::Book;
        default:
            return Output::None;
    }
}

void header(ConversionWindow& w, Output out) {
    auto row = [&](const char* a, const char* b, const char* c, const char* d, const char* e,
                   const char* f, const char* g, const char* h) {
        HUCREYAZ(w, cp1254(a), cp1254(b), cp1254(c), cp1254(d), cp1254(e), cp1254(f), cp1254(g),
                 cp1254(h), "");
    };
    switch (out) {
        case Output::YdeNetcad:
            row("  Nokta  ", " Yatay Açı ", " Düşey Açı ", " Eğik Mes. ", " Prizma Yük.",
                " Cihaz Yük.", "", "");
            break;
        case Output::YXZ:
            row("  Nokta  ", "   Y   ", "   X   ", "   Z ", " Acıklama ", "", "", "");
            break;
        case Output::XYZ:
            row("  Nokta  ", "   X   ", "   Y   ", "   Z ", " Acıklama ", "", "", "");
            break;
        case Output::YdeEghas:
            row("  Nokta  ", " Dur.Nokta ", " Bak.Nokta ", " Cihaz Yük.", " Bakış Açısı",
                " Yatay Açı", " Düşey Açı ", " Eğik Mes. ");
            break;
        case Output::YmkNetcad:
            row(" Nokta Adı", "Yatay Acı", "Yatay Mes.", "Kot Farkı", "Reflektor", " Tanim", "",
                "");
            break;
        case Output::YmkEghas:
            row("  Nokta  ", " Dur. Nokta ", " Bak. Nokta ", " Cihaz Yük. ", " Bakış Açı ",
                " Yatay Açı ", "Yatay Mes.", " Kot Farkı ");
            break;
        case Output::Book:
            row(" Dur. Nokta ", " Bak. Nokta ", " I. Durum ", " II. Durum ", "Düşey Açı",
                " Eğik Mes.", "  Ortalama ", " Kenar");
            break;
        case Output::None:
            break;
    }
}

// Brings an angle into [low, low + full circle).
double intoRange(double angle, double low, double full) {
    while (angle < low) angle += full;
    while (angle >= low + full) angle -= full;
    return angle;
}

// The measure the book works in for an angle unit: gon, or seconds of arc
// for degrees; and the angle of a text in that measure.
double fullCircle(AngleUnit unit) {
    return unit == AngleUnit::Degree ? 1296000.0 : 400.0;
}
double measure(const std::string& text, AngleUnit textUnit, AngleUnit bookUnit) {
    if (textUnit == bookUnit) {
        return bookUnit == AngleUnit::Degree ? sexagesimalSeconds(text).value_or(0.0)
                                             : leadingNumber(text);
    }
    const double gon = angleInGon(text, textUnit);
    return bookUnit == AngleUnit::Degree ? gon * 3240.0 : gon;
}

// The mean direction of a point seen in both faces: face II is half a circle
// off face I, so the mean is face I plus half of the (small) face difference.
// Both faces may lie on either side of the zero direction.
double meanDirection(const BookEntry& e) {
    const double full = fullCircle(e.unit);
    const double one = measure(e.RASAT_ACI1, e.unit, e.unit);
    if (trimBlanks(e.RASAT_ACI2).empty()) return one;
    const double two = measure(e.RASAT_ACI2, e.unit2, e.unit);
    const double difference = intoRange(two - one - full / 2.0, -full / 2.0, full);
    return intoRange(one + difference / 2.0, 0.0, full);
}

// The mean as the book shows it, in the unit of the face readings: 4
// decimals in gon, whole seconds as DDD.MMSS in degrees.
std::string meanText(const BookEntry& e) {
    const double mean = meanDirection(e);
    if (e.unit == AngleUnit::Degree) return sexagesimalText(mean, 4);
    return KSIL(standardNumberText(mean), 4);
}

bool unitsComputable(const DecodedRecord& r) {
    return r.angleUnit != AngleUnit::Unknown && r.distanceUnit == DistanceUnit::Metre;
}

// EGHAS files have fixed 9-character name columns.
std::string eghasName(const std::string& name) {
    return padLeft(trimBlanks(name).substr(0, 9), 9);
}

// The instrument height column of the EGHAS files: 4 characters.
std::string eghasHeight(const std::string& height) {
    return padLeft(trimBlanks(height).substr(0, 4), 4);
}

class Writer {
  public:
    Writer(ConversionWindow& w, ConversionState& state, TextWriter& out, Output kind)
        : w_(w), s_(state), r_(state.record), out_(out), kind_(kind) {}

    // rasat_yaz: the book of the station whose points were collected.
    void rasat_yaz() {
        for (const BookEntry& e : s_.book) {
            const std::string mean = padLeft(meanText(e), 12);
            const double pi = 4.0 * std::atan(1.0);
            // The side from the true zenith angle.
            const double side = leadingNumber(e.RASAT_EGIK) *
                                std::sin(angleInGon(e.RASAT_DUSEY, e.unit) * pi / 200.0);
            const std::string sideText = KSIL(standardNumberText(side), 4);
            out_.writeLine(" " + s_.ONCEKI_DURAK + " " + e.RASAT_NOKTA + " " + e.RASAT_ACI1 + " " +
                           e.RASAT_ACI2 + " " + e.RASAT_DUSEY + " " + e.RASAT_EGIK + " " + mean +
                           " " + sideText);
            HUCREYAZ(w_, s_.ONCEKI_DURAK, e.RASAT_NOKTA, e.RASAT_ACI1, e.RASAT_ACI2, e.RASAT_DUSEY,
                     e.RASAT_EGIK, mean, sideText);
        }
    }

    void line() {
        switch (kind_) {
            case Output::XYZ:
            case Output::YXZ:
                coordinateLine();
                break;
            case Output::YdeNetcad:
                decode();
                ydeNetcad();
                break;
            case Output::YdeEghas:
                decode();
                ydeEghas();
                break;
            case Output::YmkNetcad:
                decode();
                ymkNetcad();
                break;
            case Output::YmkEghas:
                decode();
                ymkEghas();
                break;
            case Output::Book:
                decode();
                book();
                break;
            case Output::None:
                break;
        }
    }

  private:
    void decode() {
        if (w_.CIHAZ_TIPI == "700") {
            HAMDATACOZ_700(r_, w_.dialogs);
        } else if (w_.CIHAZ_TIPI == "200") {
            HAMDATACOZ_210(r_, w_.dialogs);
        }
    }

    bool polarReady() const { return r_.YAZ_DURUMU == 2 && !trimBlanks(r_.NOKTA).empty(); }

    // A measured record was written with its angles and distances as the
    // instrument wrote them: the end message names degrees and feet.
    void noteUnits(bool withBacksight) {
        if (r_.angleUnit == AngleUnit::Degree ||
            (withBacksight && r_.backsightAngleUnit == AngleUnit::Degree)) {
            s_.summary.degrees = true;
        }
        if (r_.distanceUnit == DistanceUnit::Feet) s_.summary.feet = true;
    }
    bool measuredReady() const { return polarReady() && r_.YENI_DURAK == 0 && r_.OLCU_TURU == 1; }

    void ydeNetcad() {
        if (!polarReady()) return;
        r_.YAZ_DURUMU = 0;
        if (r_.YENI_DURAK == 1) {
            out_.writeLine("   " + r_.DUR_NOKTA + "   0.0000    0.0000      0.000 " + r_.CIHAZ_YUK +
                           " " + r_.ACIKLAMA);
            HUCREYAZ(w_, r_.DUR_NOKTA, "0.0000", "0.0000", "0.0000", "0.0000", r_.CIHAZ_YUK,
                     r_.ACIKLAMA);
        } else {
            out_.writeLine("   " + r_.NOKTA + r_.YATAY_ACI + " " + r_.DUSEY_ACI + " " +
                           r_.EGIK_MES + " " + r_.REFLEKTOR + " " + r_.ACIKLAMA);
            HUCREYAZ(w_, r_.NOKTA, r_.YATAY_ACI, r_.DUSEY_ACI, r_.EGIK_MES, r_.REFLEKTOR, "",
                     r_.ACIKLAMA);
            noteUnits(false);
        }
        r_.YENI_DURAK = 0;
        for (std::string* f :
             {&r_.NOKTA, &r_.YATAY_ACI, &r_.DUSEY_ACI, &r_.EGIK_MES, &r_.REFLEKTOR, &r_.ACIKLAMA}) {
            f->clear();
        }
    }

    void ymkNetcad() {
        if (!polarReady()) return;
        r_.YAZ_DURUMU = 0;
        if (r_.YENI_DURAK == 1) {
            out_.writeLine(" " + r_.DUR_NOKTA + "   0.0000      0.000     0.000 " + r_.CIHAZ_YUK +
                           " " + r_.ACIKLAMA);
            HUCREYAZ(w_, r_.DUR_NOKTA, " 0.000", "0.000", "0.000", r_.CIHAZ_YUK, r_.ACIKLAMA);
        } else {
            out_.writeLine(" " + r_.NOKTA + r_.YATAY_ACI + " " + r_.YATAY_MES + " " + r_.KOT_FARKI +
                           " " + r_.REFLEKTOR + " " + r_.ACIKLAMA);
            HUCREYAZ(w_, r_.NOKTA, r_.YATAY_ACI, r_.YATAY_MES, r_.KOT_FARKI, r_.REFLEKTOR,
                     r_.ACIKLAMA);
            noteUnits(false);
        }
        r_.YENI_DURAK = 0;
        for (std::string* f : {&r_.NOKTA, &r_.YATAY_ACI, &r_.YATAY_MES, &r_.KOT_FARKI,
                               &r_.REFLEKTOR, &r_.ACIKLAMA}) {
            f->clear();
        }
    }

    // Observation book: the SD records of a station, each point once; a later
    // line about a stored point gives its second face.
    void book() {
        r_.YAZ_DURUMU = 0;
        r_.OLCU_TURU = 0;
        if (r_.KAYIT_KODU == "STN") {
            if (!s_.ONCEKI_DURAK.empty()) rasat_yaz();
            s_.ONCEKI_DURAK = r_.DUR_NOKTA;
            s_.book.clear();
            bookBytes_ = 0;
            return;
        }
        const std::string code = trimBlanks(r_.KAYIT_KODU);
        if ((code == "SD" || code == "HD") && !unitsComputable(r_)) {
            s_.summary.skipForUnits();
            return;
        }
        const std::string_view name = blankTrimmed(r_.NOKTA);
        for (auto it = s_.book.rbegin(); it != s_.book.rend(); ++it) {
            if (blankTrimmed(it->RASAT_NOKTA) == name) {
                it->RASAT_ACI2 = r_.YATAY_ACI;
                it->unit2 = r_.angleUnit;
                return;
            }
        }
        if (code == "SD") {
            s_.book.push_back({r_.NOKTA, r_.YATAY_ACI, "", r_.DUSEY_ACI, r_.EGIK_MES, r_.angleUnit,
                               r_.angleUnit});
            bookBytes_ +=
                r_.NOKTA.size() + r_.YATAY_ACI.size() + r_.DUSEY_ACI.size() + r_.EGIK_MES.size();
        }
    }

  public:
    // The book of a station is held until the station ends.  A real station's
    // points take a few kilobytes; more than a line may hold is no instrument's.
    bool bookOverLimit() const { return bookBytes_ > TextReader::kLineLimit; }

  private:
    // Station and backsight records are not lines of their own: every
    // measured point carries its station, backsight and instrument height.
    void eghasNames() {
        r_.YAZ_DURUMU = 0;
        r_.OLCU_TURU = 0;
        r_.NOKTA = eghasName(r_.NOKTA);
        r_.DUR_NOKTA = eghasName(r_.DUR_NOKTA);
        r_.BAK_NOKTA = eghasName(r_.BAK_NOKTA);
    }

    void ydeEghas() {
        if (!measuredReady()) return;
        eghasNames();
        out_.writeLine(" " + r_.DUR_NOKTA + " " + r_.BAK_NOKTA + "     " +
                       eghasHeight(r_.CIHAZ_YUK) + "  " + r_.BAKIS_ACISI + " " + r_.NOKTA + " " +
                       r_.YATAY_ACI + " " + r_.DUSEY_ACI + r_.EGIK_MES + "    " + r_.REFLEKTOR +
                       "  PP");
        HUCREYAZ(w_, r_.NOKTA, r_.DUR_NOKTA, r_.BAK_NOKTA, r_.CIHAZ_YUK, r_.BAKIS_ACISI,
                 r_.YATAY_ACI, r_.DUSEY_ACI, r_.EGIK_MES, r_.ACIKLAMA);
        noteUnits(true);
        for (std::string* f : {&r_.NOKTA, &r_.YATAY_ACI, &r_.DUSEY_ACI, &r_.EGIK_MES, &r_.ACIKLAMA})
            f->clear();
    }

    void ymkEghas() {
        if (!measuredReady()) return;
        eghasNames();
        // Ground to ground: instrument height - reflector height + measured difference.
        const double dz =
            leadingNumber(r_.CIHAZ_YUK) - leadingNumber(r_.REFLEKTOR) + leadingNumber(r_.KOT_FARKI);
        r_.KOT_FARKI = padLeft(KSIL(standardNumberText(dz), 3), 10);
        out_.writeLine(" " + r_.DUR_NOKTA + " " + r_.BAK_NOKTA + "     " +
                       eghasHeight(r_.CIHAZ_YUK) + "  " + r_.BAKIS_ACISI + " " + r_.NOKTA + " " +
                       r_.YATAY_ACI + r_.YATAY_MES + r_.KOT_FARKI + " PP");
        HUCREYAZ(w_, r_.NOKTA, r_.DUR_NOKTA, r_.BAK_NOKTA, r_.CIHAZ_YUK, r_.BAKIS_ACISI,
                 r_.YATAY_ACI, r_.YATAY_MES, r_.KOT_FARKI);
        noteUnits(true);
        for (std::string* f :
             {&r_.NOKTA, &r_.YATAY_ACI, &r_.YATAY_MES, &r_.KOT_FARKI, &r_.ACIKLAMA})
            f->clear();
    }

    // XYZ / YXZ.  A GTS-600/700 file is read as a coordinate list
    // "point,Y,X,Z,description words"; a GTS-210/220 download gives its
    // coordinate records through the decoder.
    void coordinateLine() {
        if (w_.CIHAZ_TIPI == "700") {
            r_.KOOR_HAZIR = 1;
            SATIR_AYIR(r_.HAM_SATIR, r_.ALANLAR, r_.YAZ_DURUMU);
            const Fields& f = r_.ALANLAR;
            r_.NOKTA = padLeft(f[0], 13);
            r_.KOOR_Y = padLeft(KSIL(f[1], 3), 13);
            r_.KOOR_X = padLeft(KSIL(f[2], 3), 13);
            r_.KOOR_Z = padLeft(KSIL(f[3], 3), 13);
            r_.ACIKLAMA = f[4] + " " + f[5] + " " + f[6];
        } else if (w_.CIHAZ_TIPI == "200") {
            HAMDATACOZ_210(r_, w_.dialogs);
        }
        if (r_.KOOR_HAZIR != 1 || trimBlanks(r_.NOKTA).empty()) return;
        r_.KOOR_HAZIR = 0;
        r_.YAZ_DURUMU = 0;
        if (kind_ == Output::XYZ) {
            out_.writeLine(" " + r_.NOKTA + " " + r_.KOOR_X + " " + r_.KOOR_Y + " " + r_.KOOR_Z +
                           "      " + r_.ACIKLAMA);
            HUCREYAZ(w_, r_.NOKTA, r_.KOOR_X, r_.KOOR_Y, r_.KOOR_Z, r_.ACIKLAMA);
        } else {
            out_.writeLine(" " + r_.NOKTA + " " + r_.KOOR_Y + " " + r_.KOOR_X + " " + r_.KOOR_Z +
                           "      " + r_.ACIKLAMA);
            HUCREYAZ(w_, r_.NOKTA, r_.KOOR_Y, r_.KOOR_X, r_.KOOR_Z, r_.ACIKLAMA);
        }
        for (std::string* f : {&r_.NOKTA, &r_.KOOR_X, &r_.KOOR_Y, &r_.KOOR_Z, &r_.ACIKLAMA})
            f->clear();
    }

    ConversionWindow& w_;
    ConversionState& s_;
    DecodedRecord& r_;
    TextWriter& out_;
    Output kind_;
    std::size_t bookBytes_ = 0;
};

}  // namespace

bool confirmFamily(ConversionWindow& w) {
    std::vector<std::string> head;
    {
        TextReader in(w.dialog.fileName);
        std::string line;
        while (static_cast<int>(head.size()) < kFamilyCheckLines && in.readLine(line)) {
            // Instrument lines are well under a hundred characters; the start
            // of a line shows its shape, and a line of megabytes is not kept.
            if (!trimBlanks(line).empty()) head.push_back(line.substr(0, kFamilyCheckWidth));
        }
    }
    if (!looksLikeOtherFamily(head, w.CIHAZ_TIPI)) return true;
    const char* looksLike = w.CIHAZ_TIPI == "200" ? "GTS-600 / 700" : "GTS-210 / 220";
    const bool goOn = w.questions().confirm(
        cp1254("Bu dosya ") + looksLike + cp1254(" kaydına benziyor, seçilen cihaz ") +
            w.request.instrumentText + cp1254(". Yine de dönüştürülsün mü?"),
        cp1254("Uyarı"));
    if (goOn) return true;
    w.setSaveEnabled(false);
    return false;
}

namespace {

void warnUser(ConversionWindow& w, const std::string& text) {
    w.dialogs.message({text, cp1254("Uyarı"), MessageIcon::Warning, MessageButtons::Ok});
}

std::string endMessageText(const std::string& done, const RunSummary& s, int unnamedStations) {
    std::string text = done + "\r" + std::to_string(s.linesWritten) + cp1254(" satır yazıldı.");
    if (s.degrees) {
        text += "\r" + cp1254(
                           "Açılar derece (DDD.MMSS) olarak yazıldı: CAD programında açı "
                           "birimini derece seçiniz.");
    }
    if (s.feet) text += "\r" + cp1254("Mesafeler feet olarak yazıldı.");
    if (s.stationsWritten && unnamedStations > 0) {
        const std::string n = std::to_string(unnamedStations);
        text += "\r" + cp1254("Adı olmayan ") + n + cp1254(" durak noktası DURAK1") +
                (unnamedStations > 1 ? cp1254(" … DURAK") + n : std::string()) +
                cp1254(" adıyla yazıldı.");
    }
    return text;
}

}  // namespace

bool finishRun(ConversionWindow& w, ConversionState& state, const std::string& done,
               const std::string& title) {
    const RunSummary& s = state.summary;
    if (s.unsupported > 0) {
        warnUser(w, cp1254("Birimi desteklenmeyen ") + std::to_string(s.unsupported) +
                        cp1254(" kayıt hesaplanmadı (ilki: satır ") +
                        std::to_string(s.firstUnsupportedLine) + ").");
    }
    if (s.linesWritten == 0) {
        w.setSaveEnabled(false);
        warnEmptyResult(w);
        return false;
    }
    w.dialogs.info(endMessageText(done, s, state.record.unnamedStations), title);
    return true;
}

bool FORMAT_CEVIR(ConversionWindow& w, ConversionState& state) {
    dosya_ac(w);
    if (!w.DOSYA_SECILDI) return false;
    TextReader in;
    if (!openChosenInput(w, in)) return false;
    if (!confirmFamily(w)) return false;
    TextWriter out;
    if (!openResultWorkFile(w, out)) return false;

    DecodedRecord& r = state.record;
    r.startFile();
    state.summary = {};
    r.YAZ_DURUMU = 0;
    r.KOOR_HAZIR = 0;  // a coordinate record of an earlier file is not this file's
    r.CIHAZ_LIMIT = 10.0;
    r.REFLEKTOR_LIMIT = 10.0;
    w.SATIR_NO = 0;
    w.table.clear();
    r.clearTextFields();

    const Output kind = outputOf(w.request.output);
    if (kind != Output::None) {
        header(w, kind);
        Writer writer(w, state, out, kind);
        state.book.clear();
        std::uint64_t lines = 0;
        w.progress(0, in.size());
        while (
            in.readLine(r.HAM_SATIR)) {  // straight into the record: a line may be megabytes long
            ++state.summary.lineNumber;
            r.KAYIT_KODU = r.HAM_SATIR.substr(0, 3);
            w.pump.processPending();
            writer.line();
            if (writer.bookOverLimit()) in.markTooLong();
            if ((++lines & 4095) == 0) w.progress(in.position(), in.size());
        }
        if (in.tooLong()) return reportTooLong(w, in);
        w.progress(in.position(), in.size());
        if (kind == Output::Book) writer.rasat_yaz();
    }
    in.close();
    if (!closeResultWorkFile(w, out)) return false;
    state.summary.linesWritten = out.linesWritten();
    state.summary.stationsWritten = kind != Output::XYZ && kind != Output::YXZ;
    return finishRun(w, state, cp1254("Format Dönüştürme İşlemi Tamamlandı"), cp1254("İşlem Sonu"));
}

namespace {

std::string joined(const std::vector<const catalogue::Output*>& list) {
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        text += i == 0 ? "" : (i + 1 == list.size() ? " ya da " : ", ");
        text += list[i]->text;
    }
    return text;
}

// The box for a choice the action button cannot run; it changes nothing else.
ActionOutcome refuseChoice(ConversionWindow& w) {
    using catalogue::OutputKind;
    const RunRequest& r = w.request;
    std::string text;
    if (!r.instrument || !r.output || r.instrument->family == catalogue::Family::Text) {
        text = cp1254("Cihaz ve çıktı seçiniz.");
    } else if (r.mode == catalogue::Mode::Compute) {
        text = r.outputText + cp1254(" bir hesap değil: ") +
               joined(catalogue::outputsOf(OutputKind::Computation)) + cp1254(" seçiniz.");
    } else {
        text = r.outputText + cp1254(" bir format dönüşümü değil: ") +
               joined(catalogue::conversionWindowFormatOutputs()) + cp1254(" seçiniz.");
    }
    w.dialogs.info(text, cp1254("Uyarı"), MessageIcon::Warning);
    return ActionOutcome::NotConverted;
}

}  // namespace

ActionOutcome runAction(ConversionWindow& w, ConversionState& state) {
    if (state.running) return ActionOutcome::Busy;
    const catalogue::RunKind kind =
        catalogue::runKind(w.request.instrument, w.request.output, w.request.mode);
    if (kind == catalogue::RunKind::Unknown) return refuseChoice(w);
    w.table.clear();
    w.dialog.flags = 0;
    w.dialog.title = cp1254("Dosya Seçiniz");
    const std::string family = catalogue::familyCode(*w.request.instrument);
    if (!family.empty()) w.CIHAZ_TIPI = family;
    switch (kind) {
        case catalogue::RunKind::Levelling:
            return ActionOutcome::RunLevelling;
        case catalogue::RunKind::Computation:
            return ActionOutcome::RunComputation;
        case catalogue::RunKind::Conversion: {
            state.running = true;
            w.inputsRead.clear();
            const bool done = FORMAT_CEVIR(w, state);
            state.running = false;
            return done ? ActionOutcome::Converted : ActionOutcome::NotConverted;
        }
        case catalogue::RunKind::Unknown:
            break;
    }
    return ActionOutcome::NotConverted;
}

}  // namespace velkar::conversion
