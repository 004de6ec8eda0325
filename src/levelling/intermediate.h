// The intermediate elevation difference ("Ara Kot Farkı Hesabı") over the
// notebook's result table: for the stretch of the line between two named
// points it sums the backsight and the foresight readings of the stations in
// between; their difference is the elevation difference of the two points.
#pragma once

#include <optional>
#include <string>

#include "levelling/dl_settings.h"
#include "platform/dialogs.h"
#include "platform/result_table.h"

namespace velkar::levelling {

struct IntermediateDifference {
    // The three result labels (Label3, Label4, Label5).
    std::string backsightLabel, foresightLabel, differenceLabel;
    double backsightTotal = 0, foresightTotal = 0;
};

// The dialog's "&Tamam": checks both boxes (a message for each empty one) and,
// when both hold a name, scans the table.  The notebook writes per station a
// backsight row and its foresight row: column 0 the point, columns 2 and 3 the
// first and second reading.  The stretch starts at the row after the start
// point's row (the start point stands in the foresight row of the station
// before it) and ends at the backsight row of the end point; without the end
// point it runs to the end of the table.  A station's reading is the one the
// reading selection uses (the mean of both in "Birinci ve İkinci Durum").
std::optional<IntermediateDifference> araKotFarki(Dialogs& dialogs, const ResultTable& table,
                                                  ReadingSelection readings,
                                                  const std::string& startPoint,
                                                  const std::string& endPoint);

}  // namespace velkar::levelling
