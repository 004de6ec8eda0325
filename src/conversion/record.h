// The decoded observation record: what the two total-station decoders fill
// from one raw line and what every writer reads and clears.
//
// The record deliberately outlives a line: a GTS-210/220 point name read on a
// station line, a reflector height or a code stays in force until a later line
// replaces it or a writer clears it.  Numbers are held as text in the fixed
// decimal form of KSIL, already aligned to the width the outputs use.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "conversion/units.h"

namespace velkar::conversion {

// The field table of the splitter: index 0 to 50.
inline constexpr int kFieldCount = 51;
using Fields = std::array<std::string, kFieldCount>;

struct DecodedRecord {
    std::string HAM_SATIR;   // the raw line being decoded
    std::string KAYIT_KODU;  // record kind ("STN", "BKB", "?", "SD", ...)
    Fields ALANLAR;          // fields of the last split line

    std::string NOKTA;        // point name of the current record
    std::string DUR_NOKTA;    // station name
    std::string BAK_NOKTA;    // backsight name
    std::string CIHAZ_YUK;    // instrument height
    std::string REFLEKTOR;    // reflector height
    std::string ACIKLAMA;     // point code / description
    std::string YATAY_ACI;    // horizontal angle
    std::string DUSEY_ACI;    // vertical angle
    std::string EGIK_MES;     // slope distance
    std::string YATAY_MES;    // horizontal distance
    std::string KOT_FARKI;    // height difference
    std::string BAKIS_ACISI;  // horizontal angle read on the backsight
    std::string KOOR_X;       // northing
    std::string KOOR_Y;       // easting
    std::string KOOR_Z;       // elevation

    // Numeric coordinates of the last GTS-210/220 "x" record (the cross
    // sections read the first two).
    double xValue = 0.0;
    double yValue = 0.0;
    double zValue = 0.0;

    int YAZ_DURUMU = 0;             // 2: a polar record may be written.  Also the splitter's
                                    // after-a-separator state (0 or 1) between characters.
    int KOOR_HAZIR = 0;             // 1: a coordinate record may be written
    int YENI_DURAK = 0;             // 1: the line just decoded was a station line
    int DURAK_VAR = 0;              // GTS-210/220: the next line is the station's backsight
    int OLCU_TURU = 0;              // 0 station or backsight, 1 measured point
    double CIHAZ_LIMIT = 10.0;      // instrument height warning limit (metres)
    double REFLEKTOR_LIMIT = 10.0;  // reflector height warning limit (metres)

    // Units of the record just decoded (its angles and distances), and of the
    // horizontal angle read on the backsight (BAKIS_ACISI).  A degree angle
    // whose minutes or seconds are 60 or more makes the angle unit Unknown.
    AngleUnit angleUnit = AngleUnit::Gon;
    DistanceUnit distanceUnit = DistanceUnit::Metre;
    AngleUnit backsightAngleUnit = AngleUnit::Gon;
    // GTS-600/700: the units of the last UNITS line, in force for the records
    // after it (gon and metres before any).
    AngleUnit unitsAngle = AngleUnit::Gon;
    DistanceUnit unitsDistance = DistanceUnit::Metre;
    // Stations without a name met in this run: they are named DURAK1, DURAK2, ...
    int unnamedStations = 0;

    // Empties the fifteen text fields from ACIKLAMA to KOOR_Z, as a writer does
    // at the start of a run.  Flags are left alone.
    void clearTextFields();
    // A new file: gon and metres until its records say otherwise, no unnamed
    // station yet.
    void startFile();
};

// One point of the observation book of the current station.
struct BookEntry {
    std::string RASAT_NOKTA;           // point name
    std::string RASAT_ACI1;            // horizontal angle, face I
    std::string RASAT_ACI2;            // horizontal angle, face II (empty until observed)
    std::string RASAT_DUSEY;           // vertical angle
    std::string RASAT_EGIK;            // slope distance
    AngleUnit unit = AngleUnit::Gon;   // of the face I record: the book shows its mean in it
    AngleUnit unit2 = AngleUnit::Gon;  // of the face II record
};

// What a run wrote and met, for its end message.
struct RunSummary {
    std::uint64_t linesWritten = 0;  // lines of the result file
    bool degrees = false;            // a written record had its angles in degrees
    bool feet = false;               // a written record had its distances in feet
    bool stationsWritten = false;    // the output names stations (the unnamed ones count)
    int unsupported = 0;             // records of an unknown angle unit or not in metres
    std::uint64_t firstUnsupportedLine = 0;
    std::uint64_t lineNumber = 0;  // the raw line being decoded (from 1)

    // A record the computation skips for its units.
    void skipForUnits() {
        if (unsupported++ == 0) firstUnsupportedLine = lineNumber;
    }
};

// What persists between runs of the conversion window's action button.
struct ConversionState {
    DecodedRecord record;
    // Observation book: the station whose points are being collected and its points.
    std::string ONCEKI_DURAK;
    std::vector<BookEntry> book;
    // Coordinate computation: the current station and backsight coordinates,
    // kept from one station record to the next and from run to run.
    std::string DUR_X, DUR_Y, DUR_Z;
    std::string BAK_X, BAK_Y, BAK_Z;
    // Set by a front end that cannot answer a coordinate question (velkar-cli
    // without the point's --point): the computation stops after that question.
    bool stopRequested = false;
    bool running = false;  // a run is in progress: a second press is refused
    RunSummary summary;    // of the current (or last) run
};

}  // namespace velkar::conversion
