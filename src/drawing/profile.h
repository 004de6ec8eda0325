// The levelling profile as a scene: cumulative distance along the line across,
// elevation up.  Every station and intermediate sight point with its name,
// the two benchmarks with their known elevations, the adjusted elevations
// beside the computed ones when the adjustment ran, and the misclosure with
// its limit.  A go-and-return pair gives two series in one drawing; the return
// line is laid out from the far end back, so that both lines meet their
// common points at the same distance.
#pragma once

#include <string>
#include <vector>

#include "levelling/levelling.h"

namespace velkar::drawing {

struct ProfileMark {
    std::string name;  // trimmed
    double distance = 0;
    double elevation = 0;
    double adjusted = 0;
    bool intermediate = false;
};

struct ProfileSeries {
    std::string caption;  // "Gidiş", "Dönüş" (Windows-1254); empty for a single line
    std::vector<ProfileMark> marks;
    bool adjusted = false;
    bool benchmarksKnown = false;
    std::string startName, endName;
    double startKnown = 0, endKnown = 0;
    bool closureChecked = false;
    double misclosureMm = 0, limitMm = 0;
    bool beyondLimit() const;         // |misclosure| over the limit (1e-9 m allowed)
    std::string closureText() const;  // "Kapanma hatası: ... mm   Sınır: ... mm"
};

struct ProfileScene {
    std::vector<ProfileSeries> series;
    std::string title;
    double minDistance = 0, maxDistance = 0, minElevation = 0, maxElevation = 0;
    bool empty() const { return series.empty(); }
};

// The scene of the lines of a run (LevellingState::profile).
ProfileScene buildProfile(const std::vector<levelling::ProfileLine>& lines);

}  // namespace velkar::drawing
