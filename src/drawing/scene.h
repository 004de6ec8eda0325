// The plan view of a survey as a scene: points, stations, polygon (control)
// points and the lines between them, in survey coordinates.  Turkish survey
// axes: Y is the easting, drawn to the right; X the northing, drawn up.
// Nothing here knows how the scene is painted; the painters (screen, PNG, SVG,
// PDF, DXF) read it.
#pragma once

#include "catalogue/catalogue.h"

#include <cstddef>
#include <string>
#include <vector>

namespace velkar::drawing {

enum class PointKind {
    Computed,  // a point of the result (cross)
    Polygon,   // a known point from the polygon file or typed in (circle)
    Station,   // an instrument station (triangle)
};

struct PlanPoint {
    std::string name;  // Windows-1254
    double y = 0, x = 0, z = 0;
    bool hasZ = true;
    PointKind kind = PointKind::Computed;
    int row = -1;  // its row in the result table; -1: none
};

// A thin line from a station to a point it measured (indices into points).
struct SightLine {
    int from = 0, to = 0;
};

struct Extent {
    double minY = 0, minX = 0, maxY = 0, maxX = 0;
    bool empty = true;
    void add(double y, double x);
    double width() const { return maxY - minY; }
    double height() const { return maxX - minX; }
};

struct PlanScene {
    std::vector<PlanPoint> points;
    std::vector<SightLine> sights;
    std::string title;  // the file name the drawing shows, Windows-1254
    Extent extent() const;
};

// Where the survey plane lands on a drawing surface: metres to pixels (or
// points of a page).  The surface's y axis points down, so the northing is
// turned round: a point north of another is drawn above it.
struct ViewTransform {
    double scale = 1;          // pixels per metre
    double left = 0, top = 0;  // easting and northing at the surface's (0, 0)
    double toScreenX(double y) const { return (y - left) * scale; }
    double toScreenY(double x) const { return (top - x) * scale; }
    double toEasting(double sx) const { return left + sx / scale; }
    double toNorthing(double sy) const { return top - sy / scale; }
    // The transform showing extent whole in a width x height surface with a margin.
    static ViewTransform fit(const Extent& extent, double width, double height, double margin);
    // Zooms by factor keeping the survey point under (sx, sy) where it is.
    void zoomAbout(double factor, double sx, double sy);
};

// The length of a scale bar: the longest round length (1, 2 or 5 times a
// power of ten metres) not longer than maxMetres; 0 when maxMetres is not positive.
double scaleBarLength(double maxMetres);

// The size of a label on the surface, in pixels.
struct LabelMetrics {
    double charWidth = 7;
    double lineHeight = 12;
    double gap = 4;  // from the point's mark to its label
};

// The label-overlap rule.  A point's label (its name, and the elevation on a
// second line when shown) sits up and to the right of the point.  Labels are
// placed in order of importance (stations, then known points, then the rest,
// each in file order); a label whose box would overlap one already placed is
// left out.  The choice depends on the scale only, not on where the view is,
// so a pan never makes labels come and go.  Linear in the number of points.
// widths, when given, holds each label's measured width in pixels (else
// the characters are counted).
std::vector<bool> chooseLabels(const PlanScene& scene, double scale, const LabelMetrics& metrics,
                               bool withElevations, const std::vector<float>* widths = nullptr);

// The elevation text of a point as the drawing shows it (3 decimals).
std::string elevationText(double z);

// Which result of the conversion window is drawn as a plan (the catalogue
// row says whether it holds coordinates), and in which order its columns hold them.
enum class AxisOrder { NameYXZ, NameXYZ };
bool resultHoldsCoordinates(const catalogue::Output* output);
AxisOrder axisOrderOf(const catalogue::Output* output);

}  // namespace velkar::drawing
