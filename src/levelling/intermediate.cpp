#include "levelling/intermediate.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/cp1254.h"
#include "platform/numbers.h"

namespace velkar::levelling {
namespace {

// One station of the notebook's table: its backsight row and the foresight
// row after it.
struct Station {
    std::string backPoint, forePoint;
    double B = 0, F = 0;
};

// The staff reading of one sight as the run used it: the notebook marks the
// reading the selection left out with "------", so a sight with both readings
// was levelled with their mean, a sight with one with that one.
double sightReading(const ResultTable& table, int row) {
    const std::string first = table.cell(row, 2), second = table.cell(row, 3);
    const bool hasFirst = trimBlanks(first) != "------";
    const bool hasSecond = trimBlanks(second) != "------";
    if (hasFirst && hasSecond) return (leadingNumber(first) + leadingNumber(second)) / 2;
    if (hasFirst) return leadingNumber(first);
    if (hasSecond) return leadingNumber(second);
    return 0;
}

// The stations in table order; job header rows are passed over.
std::vector<Station> stationsOf(const ResultTable& table) {
    std::vector<Station> stations;
    for (int row = 0; row + 1 < table.rowCount(); ++row) {
        if (trimBlanks(table.cell(row, 1)) != "Geri") continue;
        stations.push_back({trimBlanks(table.cell(row, 0)), trimBlanks(table.cell(row + 1, 0)),
                            sightReading(table, row), sightReading(table, row + 1)});
        ++row;
    }
    return stations;
}

// The points of a line are the places between its stations: station k runs
// from place k (its backsight point) to place k + 1 (its foresight point), so
// a turning point, the foresight point of one station and the backsight point
// of the next, is one place.  All places of a name in line order.
std::vector<std::size_t> placesOf(const std::vector<Station>& stations, const std::string& name) {
    std::vector<std::size_t> places;
    for (std::size_t k = 0; k < stations.size(); ++k) {
        if (stations[k].backPoint == name) places.push_back(k);
        if (stations[k].forePoint == name) places.push_back(k + 1);
    }
    places.erase(std::unique(places.begin(), places.end()), places.end());
    return places;
}

}  // namespace

std::optional<IntermediateDifference> araKotFarki(Dialogs& dialogs, const ResultTable& table,
                                                  const std::string& startPoint,
                                                  const std::string& endPoint) {
    const std::string start = trimBlanks(startPoint);
    const std::string end = trimBlanks(endPoint);
    if (start.empty()) dialogs.info(cp1254(" Başlangıç Noktasını Giriniz.."));
    if (end.empty()) dialogs.info(cp1254(" Son Noktayı Giriniz.."));
    if (start.empty() || end.empty()) return std::nullopt;

    IntermediateDifference r;
    const std::vector<Station> stations = stationsOf(table);
    const std::vector<std::size_t> starts = placesOf(stations, start);
    if (!starts.empty()) {
        const std::size_t from = starts.front();
        // The end point where it first follows the start point; one named only
        // before it is reached backwards; without one the stretch runs to the
        // end of the line.
        std::size_t to = stations.size();
        const std::vector<std::size_t> ends = placesOf(stations, end);
        const auto after =
            std::find_if(ends.begin(), ends.end(), [from](std::size_t p) { return p >= from; });
        if (after != ends.end()) {
            to = *after;
        } else if (!ends.empty()) {
            to = ends.front();
        }
        for (std::size_t k = std::min(from, to); k < std::max(from, to); ++k) {
            r.backsightTotal += stations[k].B;
            r.foresightTotal += stations[k].F;
        }
        // Walking the line backwards every foresight is a backsight.
        if (to < from) std::swap(r.backsightTotal, r.foresightTotal);
    }
    r.backsightLabel = cp1254("Geri Mira Toplamı....: ") + standardNumberText(r.backsightTotal);
    r.foresightLabel = cp1254("ileri Mira Toplamı...: ") + standardNumberText(r.foresightTotal);
    r.differenceLabel =
        cp1254("Kot Farkı .......: ") + standardNumberText(r.backsightTotal - r.foresightTotal);
    return r;
}

}  // namespace velkar::levelling
