// Polar coordinates from a total-station survey.
//
// Every station is set up over a known point and oriented on a known
// backsight.  The bearing of the backsight (grads, clockwise from north = +X)
// and the horizontal angle read on a point give the point's bearing; with its
// horizontal distance and height difference the point follows:
//   X = Xs + D cos t,   Y = Ys + D sin t,   Z = Zs + i + h - r
// (i instrument height, r reflector height).  A slope distance S at the
// zenith angle V gives D = S sin V and h = S cos V.  Angles recorded in
// degrees (DDD.MMSS) are turned into gon first; a record whose angle unit is
// unknown or whose distances are not in metres is not computed.
#include <array>
#include <cmath>
#include <unordered_map>

#include "conversion/decoders.h"
#include "conversion/splitter.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "platform/program_folder.h"
#include "survey/survey.h"

namespace velkar::survey {
namespace {

using conversion::DecodedRecord;
using conversion::Fields;
using conversion::SATIR_AYIR;

const double kPi = 4.0 * std::atan(1.0);

// Known points by name: Y, X, Z as their texts stood in the file.  The first
// line with a name is the one a search from the top of the file finds.  A name
// no instrument could store (megabytes of a file that is no point list) is
// kept as its start and a hash, and a coordinate text of more than 4096
// characters as its first 4096 (they decide its value), so the index never
// holds more than a little per point.
class PointIndex {
  public:
    void add(std::string text) {
        int state = 0;
        SATIR_AYIR(text, fields_, state);
        constexpr std::size_t kKeptText = 4096;
        for (std::size_t k = 1; k <= 3; ++k) {
            if (fields_[k].size() > kKeptText) fields_[k].resize(kKeptText);
        }
        points_.try_emplace(key(trimBlanks(fields_[0])),
                            std::array<std::string, 3>{fields_[1], fields_[2], fields_[3]});
    }
    const std::array<std::string, 3>* find(const std::string& name) const {
        const auto it = points_.find(key(name));
        return it == points_.end() ? nullptr : &it->second;
    }

  private:
    static std::string key(const std::string& name) {
        constexpr std::size_t kKept = 64;
        if (name.size() <= kKept) return name;
        return name.substr(0, kKept) + '\x01' + std::to_string(std::hash<std::string>{}(name));
    }
    Fields fields_;
    std::unordered_map<std::string, std::array<std::string, 3>> points_;
};

double sign(double v) {
    return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

// Bearing of the backsight from the station in grads, 0 to 400.
double bearing(double ys, double xs, double yb, double xb) {
    const double dy = yb - ys;
    const double dx = xb - xs + 0.000000001;  // keeps the division defined on a shared X
    if (dy == 0.0 && dx >= 0.0) return 0.0;
    return std::atan(dy / dx) * 200.0 / kPi + 200.0 - 100.0 * (sign(dx) + 1.0) * sign(dy);
}

std::string resultLine(const std::string& name, const std::string& y, const std::string& x,
                       const std::string& z) {
    return padRight(name, 12) + "  " + y + "  " + x + "  " + z;
}

std::string coordinateText(const std::string& value) {
    return padLeft(KSIL(value, 4), 15);
}

std::string orDefault(const std::string& s, const char* d) {
    return s.empty() ? std::string(d) : s;
}

struct Run {
    ConversionWindow& w;
    ConversionState& s;
    DecodedRecord& r;
    TextWriter& out;
    PointIndex polygon;
    bool havePolygon = false;
    PointIndex computed;  // lines of the result work file so far
    int withoutDistance = 0;
    PolarSurveyLog* log = nullptr;

    void write(std::string line) {
        out.writeLine(line);
        computed.add(std::move(line));
    }

    // Asks for one coordinate; false when no answer can be had (the run stops).
    bool ask(const std::string& name, Axis axis, std::string& value) {
        const auto answer = w.questions().pointCoordinate(name, axis);
        if (!answer) s.stopRequested = true;
        value = answer.value_or("");
        return answer.has_value();
    }

    // Station or backsight record: find its coordinates.  False: stop.
    bool knownPoint(bool station) {
        r.DUR_NOKTA = trimBlanks(r.DUR_NOKTA);
        r.BAK_NOKTA = trimBlanks(r.BAK_NOKTA);
        const std::string& name = station ? r.DUR_NOKTA : r.BAK_NOKTA;
        std::string& x = station ? s.DUR_X : s.BAK_X;
        std::string& y = station ? s.DUR_Y : s.BAK_Y;
        std::string& z = station ? s.DUR_Z : s.BAK_Z;
        const std::array<std::string, 3>* known = havePolygon ? polygon.find(name) : nullptr;
        const bool inPolygon = known != nullptr;
        if (!known) known = computed.find(name);
        const bool found = known != nullptr;
        if (found) {
            y = (*known)[0];
            x = (*known)[1];
            z = (*known)[2];
        } else if (!ask(name, Axis::X, x) || !ask(name, Axis::Y, y) || !ask(name, Axis::Z, z)) {
            return false;
        }
        if (!station && found) {
            // A station and its backsight found in a file are written as known points.
            for (std::string* c : {&s.DUR_Y, &s.DUR_X, &s.DUR_Z, &s.BAK_Y, &s.BAK_X, &s.BAK_Z}) {
                *c = coordinateText(*c);
            }
            write(resultLine(r.DUR_NOKTA, s.DUR_Y, s.DUR_X, s.DUR_Z));
            write(resultLine(r.BAK_NOKTA, s.BAK_Y, s.BAK_X, s.BAK_Z));
        }
        for (std::string* c : {&s.DUR_X, &s.DUR_Y, &s.DUR_Z, &s.BAK_X, &s.BAK_Y, &s.BAK_Z}) {
            if (c->empty()) *c = "0.00";
        }
        if (log) {
            using Source = PolarSurveyLog::Source;
            const Source source =
                inPolygon ? Source::PolygonFile : (found ? Source::Computed : Source::Typed);
            PolarSurveyLog::KnownPoint p{name, leadingNumber(y), leadingNumber(x), leadingNumber(z),
                                         source};
            if (station) {
                log->setups.push_back({p, {}});
            } else if (!log->setups.empty()) {
                log->setups.back().backsight = p;
            }
        }
        return true;
    }

    // KOOR_HESAPLA: the measured point in r from the current station and backsight.
    void KOOR_HESAPLA(std::string& x, std::string& y, std::string& z) {
        r.YATAY_ACI = orDefault(r.YATAY_ACI, "0.0000");
        r.BAKIS_ACISI = orDefault(r.BAKIS_ACISI, "0.0000");
        r.DUSEY_ACI = orDefault(r.DUSEY_ACI, "0.0000");
        r.EGIK_MES = orDefault(r.EGIK_MES, "0.000");
        r.YATAY_MES = orDefault(r.YATAY_MES, "0.000");
        r.KOT_FARKI = orDefault(r.KOT_FARKI, "0.000");
        r.CIHAZ_YUK = orDefault(r.CIHAZ_YUK, "0.000");
        r.REFLEKTOR = orDefault(r.REFLEKTOR, "0.000");
        const double hz = conversion::angleInGon(r.YATAY_ACI, r.angleUnit);
        const double b = conversion::angleInGon(r.BAKIS_ACISI, r.backsightAngleUnit);
        const double slope = leadingNumber(r.EGIK_MES);
        double d = leadingNumber(r.YATAY_MES);
        double h = leadingNumber(r.KOT_FARKI);
        const double i = leadingNumber(r.CIHAZ_YUK);
        const double refl = leadingNumber(r.REFLEKTOR);
        const double v = conversion::angleInGon(r.DUSEY_ACI, r.angleUnit);
        const double xs = leadingNumber(s.DUR_X), ys = leadingNumber(s.DUR_Y),
                     zs = leadingNumber(s.DUR_Z);
        const double xb = leadingNumber(s.BAK_X), yb = leadingNumber(s.BAK_Y);
        // The GTS-210/220 reads its angles from the backsight; the GTS-600/700
        // gives the backsight's own reading, which is taken off.
        double t = bearing(ys, xs, yb, xb) + hz - (w.CIHAZ_TIPI == "700" ? b : 0.0);
        if (t > 400.0) t -= 400.0;
        if (t < 0.0) t += 400.0;
        if (trimBlanks(r.YATAY_MES) == "0.000") {
            d = slope * std::sin(v * kPi / 200.0);
            h = slope * std::cos(v * kPi / 200.0);
            r.YATAY_MES = standardNumberText(d);
            r.KOT_FARKI = standardNumberText(h);
            r.EGIK_MES = standardNumberText(slope);
        }
        x = coordinateText(standardNumberText(xs + d * std::cos(t * kPi / 200.0)));
        y = coordinateText(standardNumberText(ys + d * std::sin(t * kPi / 200.0)));
        z = coordinateText(standardNumberText(zs + i + h - refl));
        r.NOKTA = padRight(r.NOKTA, 12);
    }

    // A record without a distance ("<": angles only) would land on the station.
    bool hasDistance() const {
        return trimBlanks(r.EGIK_MES) != "*****" && trimBlanks(r.YATAY_MES) != "*****";
    }

    // Angles in a known unit (also the backsight reading the GTS-600/700
    // takes off) and distances in metres.
    bool unitsComputable() const {
        using conversion::AngleUnit;
        if (r.angleUnit == AngleUnit::Unknown) return false;
        if (r.distanceUnit != conversion::DistanceUnit::Metre) return false;
        return w.CIHAZ_TIPI != "700" || r.backsightAngleUnit != AngleUnit::Unknown;
    }
};

// false: the polygon file is no point list at all (a line over the limit),
// and the run ends; a file that cannot be read is reported and left out.
bool readPolygon(ConversionWindow& w, PointIndex& index, bool& have) {
    w.dialog.fileName.clear();
    w.dialog.title = cp1254("Poligon Dosyasını Seçiniz.....NN yyy xxx zzz");
    FileDialogRequest request;
    request.title = w.dialog.title;
    request.filter = w.dialog.filter;
    request.filterIndex = w.dialog.filterIndex;
    request.flags = w.dialog.flags;
    request.mode = FileDialogMode::Open;
    w.dialog.fileName = w.questions().polygonFile(request);
    if (w.dialog.fileName.empty()) return true;
    TextReader in;
    if (!conversion::openChosenInput(w, in)) return true;
    have = true;
    std::string line;
    while (in.readLine(line)) index.add(line);
    return !in.tooLong() || conversion::reportTooLong(w, in);
}

}  // namespace

bool KOOR_HESAP(ConversionWindow& w, ConversionState& state, PolarSurveyLog* log) {
    if (log) *log = {};
    w.dialog.title = cp1254("Ham Data Dosyasını Seçiniz");
    conversion::dosya_ac(w);
    if (!w.DOSYA_SECILDI) return false;
    TextReader in;
    if (!conversion::openChosenInput(w, in)) return false;
    if (!conversion::confirmFamily(w)) return false;
    w.SATIR_NO = 0;
    w.table.clear();
    conversion::HUCREYAZ(w, cp1254(" Nokta Adı"), "      Y", "      X", "    Z");
    TextWriter out;
    Run run{w, state, state.record, out, {}, false, {}, 0, log};
    if (!readPolygon(w, run.polygon, run.havePolygon)) return false;
    if (!conversion::openResultWorkFile(w, out)) return false;
    state.stopRequested = false;

    DecodedRecord& r = state.record;
    r.startFile();
    state.summary = {};
    state.summary.stationsWritten = true;
    std::uint64_t lines = 0;
    w.progress(0, in.size());
    while (in.readLine(r.HAM_SATIR)) {  // straight into the record: a line may be megabytes long
        ++state.summary.lineNumber;
        r.YAZ_DURUMU = 0;
        w.pump.processPending();
        r.KAYIT_KODU = r.HAM_SATIR.substr(0, 3);
        if (w.CIHAZ_TIPI == "700") {
            conversion::HAMDATACOZ_700(r, w.dialogs);
        } else if (w.CIHAZ_TIPI == "200") {
            conversion::HAMDATACOZ_210(r, w.dialogs);
        }
        r.NOKTA = trimBlanks(r.NOKTA);
        const bool station = r.KAYIT_KODU == "STN";
        if (station || r.KAYIT_KODU == "BKB") {
            if (!run.knownPoint(station)) break;
        } else if (r.YAZ_DURUMU == 2) {
            if (run.hasDistance() && !run.unitsComputable()) {
                state.summary.skipForUnits();
            } else if (run.hasDistance()) {
                std::string x, y, z;
                run.KOOR_HESAPLA(x, y, z);
                conversion::HUCREYAZ(w, r.NOKTA, y, x, z, "", "", "", "", "");
                if (run.log) {
                    run.log->measured.push_back(
                        {trimBlanks(r.NOKTA), leadingNumber(y), leadingNumber(x), leadingNumber(z),
                         static_cast<int>(run.log->setups.size()) - 1, w.SATIR_NO - 1});
                }
                run.write(resultLine(r.NOKTA, y, x, z));
            } else {
                ++run.withoutDistance;
            }
            r.YAZ_DURUMU = 0;
            for (std::string* f : {&r.YATAY_MES, &r.EGIK_MES, &r.YATAY_ACI, &r.DUSEY_ACI,
                                   &r.KOT_FARKI, &r.REFLEKTOR}) {
                f->clear();
            }
        }
        if ((++lines & 4095) == 0) w.progress(in.position(), in.size());
    }
    if (in.tooLong()) return conversion::reportTooLong(w, in);
    w.progress(in.position(), in.size());
    if (!conversion::closeResultWorkFile(w, out)) return false;
    state.summary.linesWritten = out.linesWritten();
    if (state.stopRequested) return false;
    if (run.withoutDistance > 0) {
        w.dialogs.info(cp1254("Mesafesi olmayan ") + std::to_string(run.withoutDistance) +
                       cp1254(" nokta hesaplanmadı."));
    }
    return true;
}

}  // namespace velkar::survey
