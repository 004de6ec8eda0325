// Digital levelling with the DL-100: the elevation report ("KOT HESABI"), the
// short report ("KOT HESABI-1"), the İller Bankası notebook ("iLLER BANKASI"),
// the closure check with the adjustment, and the go-and-return summary table.
//
// A station is levelled from a backsight B on the point behind and a
// foresight F on the point ahead; its height difference is B - F and its
// length the sum of the two sight distances.  The level reads every sight
// twice (first and second reading); the user picks the first, the second or
// the mean of both, and in mean mode the two readings of one sight must agree
// within the tolerance.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "conversion/window.h"
#include "levelling/dl_record.h"
#include "levelling/dl_settings.h"

namespace velkar::levelling {

// The line a levelling pass went along, kept for its profile drawing: every
// point with its distance along the line (sum of the sight distances up to it)
// and its elevation as the report gives it; intermediate sights lie at their
// station's backsight distance plus their own sight distance.
struct ProfilePoint {
    std::string name;  // as the report writes it (padded)
    double distance = 0;
    double elevation = 0;
    double adjusted = 0;  // after the adjustment (when ProfileLine::adjusted)
    bool intermediate = false;
};

struct ProfileLine {
    std::vector<ProfilePoint> points;
    bool benchmarksKnown = false;  // "Kot Ekle": the two elevations were given
    double startKnown = 0, endKnown = 0;
    bool closureChecked = false;  // the closure check ran
    double misclosureMm = 0, limitMm = 0;
    bool adjusted = false;  // the misclosure was spread over the stations
};

// What lives as long as the conversion window: the levelling record, the
// reading totals of the current run, the saved outward result of a
// go-and-return pair and the two benchmark names of the last pass.
struct LevellingState {
    LevellingRecord record;
    double TOPLAM_GERI = 0;               // sum of the backsight readings of the run
    double TOPLAM_ILERI = 0;              // sum of the foresight readings of the run
    std::filesystem::path GIDIS_DOSYASI;  // the saved outward result
    std::string HAT_BASI;                 // first backsight point of the last pass (padded)
    std::string HAT_SONU;                 // last foresight point of the last pass (padded)
    // The lines of the last run (outward, return) for the profile; kept only
    // when recordProfile is set, so that a long run stays in constant memory.
    bool recordProfile = false;
    std::vector<ProfileLine> profile;
};

// The form names of the output list.
std::string formElevationReport();  // "KOT HESABI"
std::string formShortReport();      // "KOT HESABI-1"
std::string formNotebook();         // "iLLER BANKASI"

struct LevellingRunResult {
    // A file could not be read or written (the user was told); the run stopped.
    bool failed = false;
    // A raw file held no DL-100 record: the "Uyarı" box of an empty result
    // was shown instead of the report, nothing was saved.
    bool nothingRead = false;
    // The path each save step of the run saved to, in order (outward result,
    // return result, summary table); an empty path when that save saved nothing.
    std::vector<std::filesystem::path> saved;
};

// The conversion window's action for the DL-100: marks the outward run of a
// go-and-return pair when "Dönüş Dosyası  Var" is ticked, then runs DL_HESAP.
// The caller has cleared the table and set the dialog title ("Dosya Seçiniz").
LevellingRunResult levellingAction(conversion::ConversionWindow& w, LevellingState& s,
                                   DlSettingsAccess& settings);

// One levelling run in the form of w.request.output: asks for the raw file, writes the
// report into the result work file and the result table, checks and adjusts
// the elevations, saves; for a go-and-return pair it then asks for the return
// file, runs the return pass and builds the summary table.
LevellingRunResult DL_HESAP(conversion::ConversionWindow& w, LevellingState& s,
                            DlSettingsAccess& settings);

// Closure check and adjustment of the "KOT HESABI" report in the result work
// file (only when "Kot Ekle" is ticked).  H: elevation computed for the last
// point; L: total distance in metres; startText, endText: the elevation boxes.
// False when a file could not be read or written (the user was told).  When
// profile is given, the misclosure, its limit and the adjusted elevations are
// noted in it.
bool DL_NIVELMAN(conversion::ConversionWindow& w, DlSettingsAccess& settings, double H, double L,
                 const std::string& startText, const std::string& endText,
                 ProfileLine* profile = nullptr);

// The summary table of a go-and-return pair from the saved outward result
// (GIDIS_DOSYASI) and the saved return result (the file dialog's name), then
// the save step.  Returns the saved path (empty when nothing was saved);
// failed is set when a file could not be read or written.
std::filesystem::path ozet_cizelge(conversion::ConversionWindow& w, LevellingState& s,
                                   bool& failed);

}  // namespace velkar::levelling
