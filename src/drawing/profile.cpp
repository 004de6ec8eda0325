#include "drawing/profile.h"

#include <algorithm>
#include <cmath>

#include "platform/cp1254.h"
#include "platform/numbers.h"

namespace velkar::drawing {

bool ProfileSeries::beyondLimit() const {
    return closureChecked && !(std::fabs(misclosureMm) <= limitMm + 1e-6);
}

std::string ProfileSeries::closureText() const {
    return cp1254("Kapanma hatası: ") + trimBlanks(fixedText(misclosureMm, 2)) +
           cp1254(" mm   Sınır: ") + trimBlanks(fixedText(limitMm, 2)) + " mm";
}

ProfileScene buildProfile(const std::vector<levelling::ProfileLine>& lines) {
    ProfileScene scene;
    bool first = true;
    auto widen = [&](double d, double h) {
        if (first) {
            scene.minDistance = scene.maxDistance = d;
            scene.minElevation = scene.maxElevation = h;
            first = false;
        }
        scene.minDistance = std::min(scene.minDistance, d);
        scene.maxDistance = std::max(scene.maxDistance, d);
        scene.minElevation = std::min(scene.minElevation, h);
        scene.maxElevation = std::max(scene.maxElevation, h);
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const levelling::ProfileLine& line = lines[i];
        if (line.points.empty()) continue;
        ProfileSeries s;
        if (lines.size() > 1) s.caption = cp1254(i == 0 ? "Gidiş" : "Dönüş");
        const bool reversed = i > 0;
        double length = 0;
        for (const auto& p : line.points) length = std::max(length, p.distance);
        for (const auto& p : line.points) {
            ProfileMark m{trimBlanks(p.name), reversed ? length - p.distance : p.distance,
                          p.elevation, line.adjusted ? p.adjusted : p.elevation, p.intermediate};
            widen(m.distance, m.elevation);
            if (line.adjusted) widen(m.distance, m.adjusted);
            s.marks.push_back(std::move(m));
        }
        s.adjusted = line.adjusted;
        s.benchmarksKnown = line.benchmarksKnown;
        s.startKnown = line.startKnown;
        s.endKnown = line.endKnown;
        s.closureChecked = line.closureChecked;
        s.misclosureMm = line.misclosureMm;
        s.limitMm = line.limitMm;
        for (const ProfileMark& m : s.marks) {
            if (m.intermediate) continue;
            if (s.startName.empty()) s.startName = m.name;
            s.endName = m.name;
        }
        if (s.benchmarksKnown) {
            widen(s.marks.front().distance, s.startKnown);
            const auto last = std::find_if(s.marks.rbegin(), s.marks.rend(),
                                           [](const ProfileMark& m) { return !m.intermediate; });
            if (last != s.marks.rend()) widen(last->distance, s.endKnown);
        }
        scene.series.push_back(std::move(s));
    }
    return scene;
}

}  // namespace velkar::drawing
