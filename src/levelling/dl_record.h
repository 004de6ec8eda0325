// The DL-100 digital level's raw records and the levelling record they fill.
//
// The level sends a job as text lines, one record per line, fields separated
// by commas.  Field 0 is a one-letter record code, field 1 a parameter text
// whose first character is the status of the record and whose second is the
// unit digit that says how the integer readings are scaled.  Sight records
// carry the staff reading in field 2, the distance in field 3 and the point
// name in field 7; the job header carries the job name in field 2, the start
// point in field 18 and the date (YYMMDD) in field 20.
#pragma once

#include <array>
#include <string>

namespace velkar::levelling {

inline constexpr int kFieldCount = 51;

// What the decoder keeps between records.  The texts keep their last value
// until a record of their kind is decoded again; the four presence flags are
// the per-station state that the computations clear.
struct LevellingRecord {
    // The line being decoded, its comma fields and its record code.
    std::string HAM_SATIR;
    std::array<std::string, kFieldCount> ALANLAR;
    std::string KAYIT_KODU;

    // Staff readings in metres (5 decimals, right-aligned in 10) and distances
    // in metres (3 decimals, right-aligned in 10).
    std::string GERI1_OKUMA, GERI2_OKUMA, ILERI1_OKUMA, ILERI2_OKUMA;
    std::string GERI1_MESAFE, GERI2_MESAFE, ILERI1_MESAFE, ILERI2_MESAFE;
    // Point names, left-aligned in 9.
    std::string GERI_NOKTA, ILERI_NOKTA;
    // Intermediate sight: reading (5 decimals in 8), distance (3 decimals in 7), point (9).
    std::string ORTA_OKUMA, ORTA_MESAFE, ORTA_NOKTA;

    int GERI1_VAR = 0, GERI2_VAR = 0, ILERI1_VAR = 0, ILERI2_VAR = 0;

    std::string ILK_NOKTA;               // first backsight point of the pass
    std::string ILK_NOKTA_ALINDI = "0";  // "1" once that point is known

    // Job header.
    std::string IS_ISMI, TARIH_YIL, TARIH_AY, TARIH_GUN, BASLANGIC_NOKTA;

    bool allPresent() const {
        return GERI1_VAR == 1 && GERI2_VAR == 1 && ILERI1_VAR == 1 && ILERI2_VAR == 1;
    }
    void clearPresence() { GERI1_VAR = GERI2_VAR = ILERI1_VAR = ILERI2_VAR = 0; }
    void setAllPresent() { GERI1_VAR = GERI2_VAR = ILERI1_VAR = ILERI2_VAR = 1; }
};

// Splits HAM_SATIR at commas into ALANLAR.  The table is emptied first; every
// piece is kept untrimmed, the text after the last comma too (a record written
// without a trailing comma keeps its last field).  Pieces beyond the 51st are dropped.
void DL_SATIR_AYIR(LevellingRecord& r);

// Converts an integer reading of the instrument into metres.  mode is "MIRA"
// (staff reading), "KOT" (elevation) or "MESAFE" (distance); the divisor comes
// from the unit digit, the second character of parameter.  A digit or a mode
// the instrument does not define leaves the value unscaled.  The result is in
// the standard number form (leading blank for non-negative values).
std::string DL_CEVIR(const std::string& reading, const std::string& mode,
                     const std::string& parameter);

// Decodes the current record (ALANLAR filled, KAYIT_KODU set by the caller,
// possibly to a blank when the reading selection drops the record).
void HAMDATACOZ_DL100(LevellingRecord& r);

// The status value of a record: the code of the first character of field 1,
// less 64 when above 64, then less 48 when above 48.  A record whose value is
// above 3 blocks the completion of a station ("1".."3", "A".."C" pass; "0",
// "4" block).  A record with an empty field 1 never blocks.
bool blocksStation(const LevellingRecord& r);

}  // namespace velkar::levelling
