// Cross sections.
//
// GTS-210/220 family: the points of a section are measured as coordinates and
// told apart by their names: a name with "L" is a point left of the centre
// line, else a name with "R" one on the right, else it is the centre point,
// which starts a new section and names its chainage.  Offsets are the plan
// distances from the centre point.
//
// GTS-600/700: the raw file is already an offset list, one point a line:
// section name, offset (negative to the left), elevation.
#include <cmath>

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

enum class Role { Left, Right, Centre };

Role roleOf(const std::string& name) {
    if (name.find('L') != std::string::npos) return Role::Left;
    if (name.find('R') != std::string::npos) return Role::Right;
    return Role::Centre;
}

std::string blanks(long n) {
    return std::string(n > 0 ? static_cast<size_t>(n) : 0, ' ');
}
long len(const std::string& s) {
    return static_cast<long>(s.size());
}

// Offset of a side point: its plan distance from the centre, 3 decimals.
std::string planDistance(double a1, double a2, double c1, double c2) {
    const double d = std::sqrt((a1 - c1) * (a1 - c1) + (a2 - c2) * (a2 - c2));
    return KSIL(standardNumberText(d), 3);
}

bool isBlankLine(const std::string& line) {
    for (char c : line) {
        if (c != ' ' && c != '\r' && c != '\n') return false;
    }
    return true;
}

// The common start: the raw file chosen, open and of the chosen family (or
// taken as it is), the result work file created.
bool start(ConversionWindow& w, TextReader& in, TextWriter& out) {
    conversion::dosya_ac(w);
    if (!w.DOSYA_SECILDI) return false;
    w.table.clear();
    w.SATIR_NO = 0;
    conversion::HUCREYAZ(w, w.request.output->text);
    return conversion::openChosenInput(w, in) && conversion::confirmFamily(w) &&
           conversion::openResultWorkFile(w, out);
}

// GTS-210/220: the coordinate records of the raw file into a work file, one
// line per point: name, Y, X, Z, code.
bool extractCoordinates(ConversionWindow& w, ConversionState& state, TextReader& in,
                        const std::filesystem::path& workFile) {
    TextWriter work;
    if (!work.create(workFile)) {
        w.dialogs.error(pathText(workFile) + cp1254(" oluşturulamadı: ") + work.error());
        return false;
    }
    DecodedRecord& r = state.record;
    std::uint64_t lines = 0;
    while (in.readLine(r.HAM_SATIR)) {  // straight into the record: a line may be megabytes long
        w.pump.processPending();
        r.KAYIT_KODU = r.HAM_SATIR.substr(0, 3);
        conversion::HAMDATACOZ_210(r, w.dialogs);
        if (r.KOOR_HAZIR == 1 && !trimBlanks(r.NOKTA).empty()) {
            r.KOOR_HAZIR = 0;
            r.YAZ_DURUMU = 0;
            work.writeLine(" " + r.NOKTA + " " + r.KOOR_Y + " " + r.KOOR_X + " " + r.KOOR_Z +
                           "      " + r.ACIKLAMA);
        }
        if ((++lines & 4095) == 0) w.progress(in.position(), in.size());
    }
    if (in.tooLong()) return conversion::reportTooLong(w, in);
    if (!work.close()) {
        conversion::reportUnwritable(w, workFile, work.error());
        return false;
    }
    return true;
}

// Reads the point lines of the coordinate work file in order; the points
// before the first centre point belong to no section and are only counted.
class SectionPoints {
  public:
    explicit SectionPoints(const std::filesystem::path& file) { in_.open(file); }
    bool ok() const { return in_.isOpen(); }
    // The next point of a section; false at the end.
    bool next(std::string& name, double& a, double& b, std::string& z) {
        std::string line;
        while (in_.readLine(line)) {
            int state = 0;
            SATIR_AYIR(line, fields_, state);
            name = fields_[0];
            if (!seenCentre_ && roleOf(name) != Role::Centre) {
                ++before_;
                continue;
            }
            seenCentre_ = true;
            a = leadingNumber(fields_[1]);
            b = leadingNumber(fields_[2]);
            z = fields_[3];
            return true;
        }
        return false;
    }
    int leftOut() const { return before_; }

  private:
    TextReader in_;
    Fields fields_;
    bool seenCentre_ = false;
    int before_ = 0;
};

void reportLeftOut(ConversionWindow& w, int n) {
    if (n > 0) {
        w.dialogs.info(cp1254("İlk kesit noktasından önce gelen ") + std::to_string(n) +
                       cp1254(" nokta yazılmadı."));
    }
}

// The result lines shown in the table, one a row, under the output's name.
void showResultLines(ConversionWindow& w) {
    if (!w.keepRows) return;
    TextReader result(w.resultWorkFile());
    std::string line;
    while (result.readLine(line)) conversion::HUCREYAZ(w, line);
}

// The listing's section block: chainage, elevations, rule, offsets; the left
// parts of all sections right-aligned on the widest left count.
struct ListingBlock {
    std::string chainage, elevations, rule, offsets;
    int leftCount = 0;

    void write(TextWriter& out, int widest, bool last, bool offsetList) const {
        const std::string indent = blanks(static_cast<long>(widest - leftCount) * 13);
        out.writeLine(blanks(static_cast<long>(widest) * 13) + chainage);
        out.writeLine("");
        out.writeLine(indent + elevations);
        out.writeLine(indent + (last || offsetList ? "   " : "") + rule);
        out.writeLine(indent + offsets);
        if (!last) {
            out.writeLine("");
            out.writeLine("");
        }
    }
};

void listingFromCoordinates(ConversionWindow& w, const std::filesystem::path& workFile,
                            TextWriter& out, int& leftOut) {
    int widest = 0;
    {
        SectionPoints points(workFile);
        std::string name, z;
        double a, b;
        int counter = 0;
        while (points.next(name, a, b, z)) {
            const Role role = roleOf(name);
            if (role == Role::Left) {
                widest = std::max(widest, ++counter);
            } else if (role == Role::Right) {
                counter = 0;
            }
        }
        leftOut = points.leftOut();
    }
    SectionPoints points(workFile);
    ListingBlock block;
    bool inSection = false;
    std::string name, zField;
    double a = 0, b = 0, ca = 0, cb = 0;
    while (points.next(name, a, b, zField)) {
        w.pump.processPending();
        const std::string z = KSIL(padLeft(zField, 13), 3);
        const std::string e = blanks(14 - len(z)) + trimLeftBlanks(z);
        const Role role = roleOf(name);
        if (role == Role::Centre) {
            if (inSection) block.write(out, widest, false, false);
            block = ListingBlock{"  KM = " + name, e, std::string(14, '-'), "        0.000", 0};
            inSection = true;
            ca = a;
            cb = b;
            continue;
        }
        const std::string d = planDistance(a, b, ca, cb);
        block.rule += std::string(14, '-');
        if (role == Role::Left) {
            block.elevations = e + block.elevations;
            ++block.leftCount;
            block.offsets = blanks(13 - len(d)) + "-" + trimLeftBlanks(d) + block.offsets;
        } else {
            block.chainage += blanks(13);
            block.elevations += e;
            block.offsets += blanks(13 - len(d)) + d;
        }
    }
    if (inSection) block.write(out, widest, true, false);
}

bool listingFromOffsets(ConversionWindow& w, const std::filesystem::path& raw, TextWriter& out) {
    Fields f;
    std::string line;
    int widest = 0;
    {
        TextReader in(raw);
        int counter = 0;
        std::string previous;
        while (in.readLine(line)) {
            if (isBlankLine(line)) continue;
            int state = 0;
            SATIR_AYIR(line, f, state);
            if (f[0] != previous) counter = 0;
            previous = f[0];
            if (leadingNumber(f[1]) < -0.04) ++counter;
            if (counter > widest) widest = counter + 1;
        }
        if (in.tooLong()) return conversion::reportTooLong(w, in);
    }
    TextReader in(raw);
    ListingBlock block;
    std::string sectionName;
    double previousOffset = 0.0;
    bool any = false;
    while (in.readLine(line)) {
        if (isBlankLine(line)) continue;
        w.pump.processPending();
        int state = 0;
        SATIR_AYIR(line, f, state);
        const std::string& name = f[0];
        const std::string& offset = f[1];
        if (sectionName.empty()) sectionName = name;
        const std::string z = KSIL(padLeft(f[2], 13), 3);
        if (blankTrimmed(name) != blankTrimmed(sectionName)) {
            block.chainage = "KM..: " + sectionName;
            block.write(out, widest, false, true);
            block = ListingBlock{};
            previousOffset = 0.0;
        }
        sectionName = name;
        any = true;
        const double value = leadingNumber(offset);
        if (value < -0.04) ++block.leftCount;
        const std::string e = blanks(13 - len(z)) + trimLeftBlanks(z);
        const std::string o = blanks(12 - len(offset)) + trimLeftBlanks(offset);
        if (previousOffset > value) {
            block.elevations = e + block.elevations;
            block.offsets = o + block.offsets;
        } else {
            block.elevations += e;
            block.offsets += o;
        }
        block.rule += std::string(12, '-');
        previousOffset = leadingNumber(o);
        // A section is written as rows of one line each: they obey the line limit too.
        if (block.offsets.size() + block.elevations.size() > TextReader::kLineLimit) {
            in.markTooLong();
            return conversion::reportTooLong(w, in);
        }
    }
    if (any) {
        block.chainage = "KM..: " + sectionName;  // the last line's name
        block.write(out, widest, true, true);
    }
    return true;
}

// The NETCAD block of one section: header, left points (outermost first),
// centre, right points (innermost first).
struct NetcadSection {
    std::string header, centre;
    std::vector<std::string> left, right;
    void write(TextWriter& out, bool last) const {
        out.writeLine(header);
        for (const auto& l : left) out.writeLine(l);
        out.writeLine(centre);
        for (const auto& r : right) out.writeLine(r);
        if (!last) out.writeLine("");
    }
};

void netcadFromCoordinates(ConversionWindow& w, const std::filesystem::path& workFile,
                           TextWriter& out) {
    SectionPoints points(workFile);
    NetcadSection section;
    bool inSection = false;
    int number = 1;
    std::string name, zField;
    double a = 0, b = 0, ca = 0, cb = 0;
    while (points.next(name, a, b, zField)) {
        w.pump.processPending();
        std::string z = KSIL(padLeft(zField, 12), 3);
        z = blanks(12 - len(z)) + trimBlanks(z);
        const Role role = roleOf(name);
        if (role == Role::Centre) {
            if (inSection) {
                section.write(out, false);
                ++number;
            }
            section = NetcadSection{"1    " + standardNumberText(number) + "    " + name,
                                    "0          0.000" + z,
                                    {},
                                    {}};
            inSection = true;
            ca = a;
            cb = b;
            continue;
        }
        std::string d = planDistance(a, b, ca, cb);
        if (role == Role::Left) {
            d = blanks(11 - len(d)) + "-" + trimBlanks(d);
            section.left.insert(section.left.begin(), "0    " + d + z);
        } else {
            d = blanks(12 - len(d)) + trimBlanks(d);
            section.right.push_back("0    " + d + z);
        }
    }
    if (inSection) section.write(out, true);
}

bool netcadFromOffsets(ConversionWindow& w, const std::filesystem::path& raw, TextWriter& out) {
    TextReader in(raw);
    Fields f;
    std::string line, previous;
    bool first = true;
    int number = 1;
    while (in.readLine(line)) {
        if (isBlankLine(line)) continue;
        w.pump.processPending();
        int state = 0;
        SATIR_AYIR(line, f, state);
        if (first || f[0] != previous) {
            out.writeLine("1    " + standardNumberText(number) + "    " + f[0]);
            ++number;
        }
        out.writeLine("0    " + padLeft(f[1], 15) + " " + padLeft(f[2], 15) + " " + f[3]);
        previous = f[0];
        first = false;
    }
    return !in.tooLong() || conversion::reportTooLong(w, in);
}

}  // namespace

bool KESITKLISEHES(ConversionWindow& w, ConversionState& state) {
    TextReader in;
    TextWriter out;
    state.summary = {};
    if (!start(w, in, out)) return false;
    const auto raw = w.dialog.fileName;
    int leftOut = 0;
    if (w.CIHAZ_TIPI == "200") {
        const auto work = w.workFolder / kCrossSectionWorkFileName;
        if (!extractCoordinates(w, state, in, work)) return false;
        in.close();
        listingFromCoordinates(w, work, out, leftOut);
    } else if (w.CIHAZ_TIPI == "700") {
        in.close();
        if (!listingFromOffsets(w, raw, out)) return false;
    }
    if (!conversion::closeResultWorkFile(w, out)) return false;
    showResultLines(w);
    state.summary.linesWritten = out.linesWritten();
    reportLeftOut(w, leftOut);
    return true;
}

bool KESIT_netcad(ConversionWindow& w, ConversionState& state) {
    TextReader in;
    TextWriter out;
    state.summary = {};
    if (!start(w, in, out)) return false;
    const auto raw = w.dialog.fileName;
    const auto work = w.workFolder / kAdjustmentWorkFileName;
    int leftOut = 0;
    if (w.CIHAZ_TIPI == "200") {
        if (!extractCoordinates(w, state, in, work)) return false;
        in.close();
        SectionPoints counter(work);
        std::string n, z;
        double a, b;
        while (counter.next(n, a, b, z)) {
        }
        leftOut = counter.leftOut();
        netcadFromCoordinates(w, work, out);
    } else {
        in.close();
        TextWriter empty;
        empty.create(work);
        if (w.CIHAZ_TIPI == "700" && !netcadFromOffsets(w, raw, out)) return false;
    }
    if (!conversion::closeResultWorkFile(w, out)) return false;
    showResultLines(w);
    state.summary.linesWritten = out.linesWritten();
    reportLeftOut(w, leftOut);
    return true;
}

}  // namespace velkar::survey
