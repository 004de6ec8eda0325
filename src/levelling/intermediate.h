// The intermediate elevation difference ("Ara Kot Farkı Hesabı") over the
// notebook's result table: for the stretch of the line between two named
// points it sums the backsight and the foresight readings of the stations in
// between; their difference is the elevation difference of the two points.
#pragma once

#include <optional>
#include <string>

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
// backsight row (column 1 " Geri") and its foresight row: column 0 the point,
// columns 2 and 3 the first and second reading, "------" for a reading the
// run's reading selection left out.  The stretch runs from the start point to
// the end point, wherever in the line each stands (the start benchmark, a
// turning point, the end point); the difference is then the end point's
// elevation less the start point's, as the run's elevation report gives them.
// An end point found before the start point is reached by walking the line
// backwards; without the end point the stretch runs to the end of the table;
// without the start point all totals are 0.
std::optional<IntermediateDifference> araKotFarki(Dialogs& dialogs, const ResultTable& table,
                                                  const std::string& startPoint,
                                                  const std::string& endPoint);

}  // namespace velkar::levelling
