#include "drawing/scene.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "platform/numbers.h"

namespace velkar::drawing {

void Extent::add(double y, double x) {
    if (empty) {
        minY = maxY = y;
        minX = maxX = x;
        empty = false;
        return;
    }
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
}

Extent PlanScene::extent() const {
    Extent e;
    for (const PlanPoint& p : points) e.add(p.y, p.x);
    return e;
}

ViewTransform ViewTransform::fit(const Extent& extent, double width, double height, double margin) {
    ViewTransform t;
    if (extent.empty) return t;
    // A single point (or a row of points) still gets a drawing a few metres across.
    const double w = std::max(extent.width(), 1.0);
    const double h = std::max(extent.height(), 1.0);
    const double usableW = std::max(width - 2 * margin, 1.0);
    const double usableH = std::max(height - 2 * margin, 1.0);
    t.scale = std::min(usableW / w, usableH / h);
    // Centre the extent on the surface.
    const double centreY = (extent.minY + extent.maxY) / 2;
    const double centreX = (extent.minX + extent.maxX) / 2;
    t.left = centreY - width / 2 / t.scale;
    t.top = centreX + height / 2 / t.scale;
    return t;
}

void ViewTransform::zoomAbout(double factor, double sx, double sy) {
    const double y = toEasting(sx), x = toNorthing(sy);
    scale *= factor;
    left = y - sx / scale;
    top = x + sy / scale;
}

double scaleBarLength(double maxMetres) {
    if (!(maxMetres > 0) || !std::isfinite(maxMetres)) return 0;
    double power = std::pow(10.0, std::floor(std::log10(maxMetres)));
    // log10 may land just below an exact power of ten.
    if (power * 10 <= maxMetres) power *= 10;
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= maxMetres * (1 + 1e-12)) return step * power;
    }
    return power / 2;
}

std::string elevationText(double z) {
    return trimBlanks(fixedText(z, 3));
}

namespace {

struct Box {
    double left, top, right, bottom;
    bool overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

int priority(PointKind kind) {
    switch (kind) {
        case PointKind::Station:
            return 0;
        case PointKind::Polygon:
            return 1;
        case PointKind::Computed:
            return 2;
    }
    return 2;
}

}  // namespace

std::vector<bool> chooseLabels(const PlanScene& scene, double scale, const LabelMetrics& m,
                               bool withElevations, const std::vector<float>* widths) {
    const size_t n = scene.points.size();
    std::vector<bool> shown(n, false);
    if (n == 0) return shown;
    // Placement order: by importance, each kind in file order.
    std::vector<unsigned> order;
    order.reserve(n);
    for (int rank = 0; rank < 3; ++rank) {
        for (size_t i = 0; i < n; ++i) {
            if (priority(scene.points[i].kind) == rank) order.push_back(static_cast<unsigned>(i));
        }
    }
    // Boxes are kept in a grid of cells as large as the largest box, so that a
    // new box only meets the boxes of its own and the neighbouring cells.
    std::vector<Box> boxes(n);
    double cellW = 1, cellH = m.lineHeight * (withElevations ? 2 : 1);
    for (size_t i = 0; i < n; ++i) {
        const PlanPoint& p = scene.points[i];
        double w = 0;
        if (widths && i < widths->size()) {
            w = (*widths)[i];
        } else {
            size_t chars = p.name.size();
            if (withElevations && p.hasZ) chars = std::max(chars, elevationText(p.z).size());
            w = static_cast<double>(chars) * m.charWidth;
        }
        const double h = m.lineHeight * (withElevations && p.hasZ ? 2 : 1);
        const double sx = p.y * scale + m.gap, sy = -p.x * scale - m.gap;
        boxes[i] = {sx, sy - h, sx + w, sy};
        cellW = std::max(cellW, w);
    }
    auto key = [](long long cx, long long cy) {
        return static_cast<unsigned long long>(cx) * 0x9E3779B97F4A7C15ull ^
               static_cast<unsigned long long>(cy);
    };
    std::unordered_map<unsigned long long, std::vector<unsigned>> grid;
    grid.reserve(n);
    for (unsigned i : order) {
        const Box& b = boxes[i];
        if (b.right <= b.left) continue;  // no name: nothing to place
        const auto cx = static_cast<long long>(std::floor(b.left / cellW));
        const auto cy = static_cast<long long>(std::floor(b.top / cellH));
        bool free = true;
        for (long long dx = -1; dx <= 1 && free; ++dx) {
            for (long long dy = -1; dy <= 1 && free; ++dy) {
                const auto it = grid.find(key(cx + dx, cy + dy));
                if (it == grid.end()) continue;
                for (unsigned j : it->second) {
                    if (boxes[j].overlaps(b)) {
                        free = false;
                        break;
                    }
                }
            }
        }
        if (!free) continue;
        shown[i] = true;
        grid[key(cx, cy)].push_back(i);
    }
    return shown;
}

bool resultHoldsCoordinates(const catalogue::Output* output) {
    return output && output->holdsCoordinates;
}

AxisOrder axisOrderOf(const catalogue::Output* output) {
    return output && output->id == catalogue::OutputId::Xyz ? AxisOrder::NameXYZ
                                                            : AxisOrder::NameYXZ;
}

}  // namespace velkar::drawing
