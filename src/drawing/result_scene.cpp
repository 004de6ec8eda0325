#include "drawing/result_scene.h"

#include <unordered_map>

#include "drawing/coordinate_file.h"

namespace velkar::drawing {

PlanScene sceneFromTable(const ResultTable& table, AxisOrder order) {
    PlanScene scene;
    CoordinateRecord r;
    for (int row = 1; row < table.rowCount(); ++row) {
        const std::string line = table.cell(row, 0) + " " + table.cell(row, 1) + " " +
                                 table.cell(row, 2) + " " + table.cell(row, 3);
        if (!parseCoordinateLine(line, order, r)) continue;
        scene.points.push_back(
            {std::move(r.name), r.y, r.x, r.z, r.hasZ, PointKind::Computed, row});
    }
    return scene;
}

PlanScene sceneFromSurvey(const survey::PolarSurveyLog& log) {
    PlanScene scene;
    std::unordered_map<std::string, int> byName;
    using Source = survey::PolarSurveyLog::Source;
    // A known point is added once; a station always shows as a station.
    auto known = [&](const survey::PolarSurveyLog::KnownPoint& p, bool station) {
        if (p.name.empty()) return -1;
        const auto it = byName.find(p.name);
        if (it != byName.end()) {
            if (station) scene.points[it->second].kind = PointKind::Station;
            return it->second;
        }
        const PointKind kind = station                        ? PointKind::Station
                               : p.source == Source::Computed ? PointKind::Computed
                                                              : PointKind::Polygon;
        scene.points.push_back({p.name, p.y, p.x, p.z, true, kind, -1});
        byName.emplace(p.name, static_cast<int>(scene.points.size()) - 1);
        return static_cast<int>(scene.points.size()) - 1;
    };
    std::vector<int> stationIndex;
    stationIndex.reserve(log.setups.size());
    // Points are laid out in the order of the run, so that known points come
    // where the run met them.
    size_t next = 0;
    for (size_t s = 0; s <= log.setups.size(); ++s) {
        for (; next < log.measured.size() && log.measured[next].setup < static_cast<int>(s);
             ++next) {
            const auto& m = log.measured[next];
            const auto it = byName.find(m.name);
            int index;
            if (it != byName.end()) {
                index = it->second;  // measured again from another station: one mark
            } else {
                scene.points.push_back({m.name, m.y, m.x, m.z, true, PointKind::Computed, m.row});
                index = static_cast<int>(scene.points.size()) - 1;
                byName.emplace(m.name, index);
            }
            if (m.setup >= 0 && stationIndex[m.setup] >= 0 && stationIndex[m.setup] != index) {
                scene.sights.push_back({stationIndex[m.setup], index});
            }
        }
        if (s == log.setups.size()) break;
        stationIndex.push_back(known(log.setups[s].station, true));
        known(log.setups[s].backsight, false);
    }
    return scene;
}

}  // namespace velkar::drawing
