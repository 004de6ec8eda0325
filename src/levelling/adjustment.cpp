// Closure check and adjustment of a levelling line, and the summary table of
// a go-and-return pair.
//
// The misclosure e (mm) is the known elevation of the end benchmark minus the
// elevation carried to it.  It is accepted when |e| does not exceed
// 20 mm * sqrt(L / 1 km) plus 0.0002 times the signed difference of the two
// benchmark elevations, and is then spread over the stations in proportion to
// their lengths: a station of length d receives e * d / L.
#include <cmath>
#include <map>

#include "levelling/levelling.h"
#include "levelling/report_tokens.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "platform/program_folder.h"
#include "platform/textfile.h"

namespace velkar::levelling {
namespace {

using conversion::ConversionWindow;

bool readFailed(ConversionWindow& w, const std::filesystem::path& file, const std::string& reason) {
    return conversion::reportUnreadable(w, file, reason);
}

bool writeFailed(ConversionWindow& w, const std::filesystem::path& file,
                 const std::string& reason) {
    return conversion::reportUnwritable(w, file, reason);
}

// Rewrites the elevation report with the misclosure e spread over the stations.
bool adjust(ConversionWindow& w, double e, double limit, double L, const std::string& startText) {
    const std::filesystem::path report = w.resultWorkFile();
    const std::filesystem::path adjusted = w.workFolder / kAdjustmentWorkFileName;
    TextReader in;
    if (!in.open(report)) return readFailed(w, report, in.error());
    TextWriter out;
    if (!out.create(adjusted)) return writeFailed(w, adjusted, out.error());

    std::string row;
    for (int skip = 0; skip < 2 && in.readLine(row); ++skip) {
    }
    out.writeLine(" Nokta N.     MESAFE(m.)    GERI(m.)  ORTA(m.) ILERI(m.) HATA(mm.)    KOT");
    out.writeLine("---------- ---------------  --------- --------- --------- --------- ----------");

    double H = leadingNumber(startText);
    std::string prevBacksight = "0", prevBacksightDistance = "0";
    double shift = 0;  // how far the last station row's elevation was moved
    while (in.readLine(row)) {
        w.pump.processPending();
        const std::vector<std::string> t = reportTokens(row);
        const std::string point = tokenAt(t, 0);
        if (point.empty() || point == "Toplam") continue;
        const std::string pointText = padRight(point, 10);
        const std::string backDistance = padLeft(KSIL(tokenAt(t, 1), 2), 7);
        const std::string foreDistance = padLeft(KSIL(tokenAt(t, 2), 2), 7);
        const std::string backsight = padLeft(KSIL(tokenAt(t, 3), 5), 9);
        if (isIntermediateRow(t)) {
            // An intermediate sight hangs on the backsight point of its station
            // and moves with it; it is no station of its own.
            const double elevation = leadingNumber(tokenAt(t, 7)) + shift;
            out.writeLine(pointText + " " + backDistance + " " + foreDistance + " " + backsight +
                          "  " + padLeft(KSIL(tokenAt(t, 4), 5), 8) + " " + "   ------" + "  " +
                          "  ------" + padLeft(fixedText(elevation, 4), 11));
            continue;
        }
        const std::string foresight = padLeft(KSIL(tokenAt(t, 5), 5), 9);
        const double d = leadingNumber(tokenAt(t, 2)) + leadingNumber(prevBacksightDistance);
        const double c = e * d / L;
        H = H + leadingNumber(prevBacksight) - leadingNumber(tokenAt(t, 5)) + c / 1000;
        shift = H - leadingNumber(tokenAt(t, 7));
        out.writeLine(pointText + " " + backDistance + " " + foreDistance + " " + backsight + "  " +
                      " -------" + " " + foresight + "  " + padLeft(fixedText(c, 4), 8) +
                      padLeft(fixedText(H, 4), 11));
        prevBacksightDistance = backDistance;
        prevBacksight = backsight;
    }
    out.writeLine("");
    out.writeLine(cp1254("Düzeltme Değeri.:") + fixedText(e, 4) + cp1254(" mm.     Sınır Değer.:") +
                  fixedText(limit, 4) + " mm.   Toplam Mesafe.:" + standardNumberText(L) + " m.");
    in.close();
    if (!out.close()) return writeFailed(w, adjusted, out.error());
    std::string error;
    if (!moveFileReplacing(adjusted, report, error)) return writeFailed(w, report, error);
    return true;
}

bool isSummaryCandidate(const std::string& row) {
    if (row.empty()) return false;
    const unsigned char c = static_cast<unsigned char>(row[0]);
    return c >= 65 && c <= 94;
}

// The profile's adjusted elevations: each station moves by the correction
// e * d / L summed up to it; an intermediate sight moves with the backsight
// point of its station, as in the adjusted report.
void noteAdjustment(ProfileLine& profile, double e, double L) {
    double shift = 0, previous = 0;
    bool first = true;
    for (ProfilePoint& p : profile.points) {
        if (p.intermediate) {
            p.adjusted = p.elevation + shift;
            continue;
        }
        if (!first) shift += e * (p.distance - previous) / L / 1000;
        first = false;
        previous = p.distance;
        p.adjusted = p.elevation + shift;
    }
    profile.adjusted = true;
}

}  // namespace

bool DL_NIVELMAN(ConversionWindow& w, DlSettingsAccess& settings, double H, double L,
                 const std::string& startText, const std::string& endText, ProfileLine* profile) {
    if (!settings.current().addElevations) return true;
    const double start = leadingNumber(startText);
    const double end = leadingNumber(endText);
    const double e = (end - H) * 1000;
    const double limit = (start - end) * 0.0002 + 20 * std::sqrt(std::max(L, 0.0) / 1000);
    if (profile) {
        profile->closureChecked = true;
        profile->misclosureMm = e;
        profile->limitMm = limit;
    }
    if (!(std::fabs(e) <= limit)) {
        w.dialogs.info(cp1254("Nivelman Kapanma Hatası Oluştu...!!!"));
        return true;
    }
    // The short report holds no distances to spread the misclosure by.
    if (w.request.output && w.request.output->id == catalogue::OutputId::ShortReport) return true;
    if (!(L > 0)) {
        w.dialogs.info(cp1254("Toplam mesafe sıfır: dengeleme yapılmadı."));
        return true;
    }
    if (!adjust(w, e, limit, L, startText)) return false;
    if (profile) noteAdjustment(*profile, e, L);
    return true;
}

std::filesystem::path ozet_cizelge(ConversionWindow& w, LevellingState& s, bool& failed) {
    failed = false;
    const std::filesystem::path returnFile = w.dialog.fileName;
    if (returnFile.empty() || s.GIDIS_DOSYASI.empty()) return {};
    // Both results are read here: the summary is never saved over one of them.
    w.noteInput(returnFile);
    w.noteInput(s.GIDIS_DOSYASI);

    // The return rows by point, in file order: every outward point is looked up
    // in them (a point found twice in the return run is listed twice).
    std::map<std::string, std::vector<std::string>> returnElevations;
    {
        TextReader ret;
        if (!ret.open(returnFile)) {
            failed = !readFailed(w, returnFile, ret.error());
            return {};
        }
        std::string row;
        while (ret.readLine(row)) {
            if (!isSummaryCandidate(row)) continue;
            const std::vector<std::string> t = reportTokens(row);
            if (isIntermediateRow(t)) continue;
            returnElevations[trimBlanks(tokenAt(t, 0))].push_back(tokenAt(t, 7));
        }
    }
    TextReader out;
    if (!out.open(s.GIDIS_DOSYASI)) {
        failed = !readFailed(w, s.GIDIS_DOSYASI, out.error());
        return {};
    }
    TextWriter summary;
    if (!conversion::openResultWorkFile(w, summary)) {
        failed = true;
        return {};
    }
    summary.writeLine(cp1254(".                        KOT ÖZET ÇİZELGESİ"));
    summary.writeLine(" ");
    summary.writeLine(cp1254("B.NOKTA      H.NOKTA             GİDİŞ         DÖNÜŞ      ORTALAMA"));
    summary.writeLine("-------     ---------         ----------   -----------   -----------");
    const std::string lineStart = trimBlanks(s.HAT_BASI), lineEnd = trimBlanks(s.HAT_SONU);
    std::string row;
    while (out.readLine(row)) {
        w.pump.processPending();
        if (!isSummaryCandidate(row)) continue;
        const std::vector<std::string> t = reportTokens(row);
        if (isIntermediateRow(t)) continue;
        const std::string point = tokenAt(t, 0);
        const std::string name = trimBlanks(point);
        if (name == cp1254("Düzeltme") || name == "Toplam") continue;
        const auto found = returnElevations.find(name);
        if (found == returnElevations.end()) continue;
        const double outward = leadingNumber(tokenAt(t, 7));
        for (const std::string& back : found->second) {
            const double ret = leadingNumber(back);
            const std::string numbers = padLeft(fixedText(outward, 5), 11) +
                                        padLeft(fixedText(ret, 5), 11) +
                                        padLeft(fixedText((ret + outward) / 2, 5), 11);
            if (name == lineStart || name == lineEnd) {
                summary.writeLine(point + "-----   " + numbers);
            } else {
                summary.writeLine("-----   " + point + numbers);
            }
        }
    }
    out.close();
    if (!summary.close()) {
        failed = !writeFailed(w, w.resultWorkFile(), summary.error());
        return {};
    }
    w.dialogs.info(cp1254("Özet Dosyasını Kayıt Etmeyi Unutmayınız..!!"));
    return conversion::kayitEt(w);
}

}  // namespace velkar::levelling
