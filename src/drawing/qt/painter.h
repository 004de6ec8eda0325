// Painting the plan and profile scenes with QPainter: the screen view, and
// the PNG, SVG and PDF files (A4 or A3 landscape with a title block).
#pragma once

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "drawing/profile.h"
#include "drawing/scene.h"

namespace velkar::drawing {

struct PlanPaintOptions {
    bool elevations = true;
    int highlighted = -1;  // index of the point drawn highlighted; -1: none
    double markSize = 5;   // half the size of a point's mark, in surface units
    double lineWidth = 0;  // of crosses and sight lines; 0: one device pixel
    QFont font;            // the labels' font (pixel size in surface units)
};

// The width of each point's label in a font (the wider of its name and, when
// shown, its elevation); it does not depend on the scale.
std::vector<float> labelWidths(const PlanScene& scene, const QFont& font, bool elevations);
// The label choice of a scene at a scale with a font (widths: from labelWidths).
std::vector<bool> labelsFor(const PlanScene& scene, double scale, const QFont& font,
                            bool elevations, const std::vector<float>& widths);

// Paints the points, sight lines and chosen labels visible in area.
void paintPlan(QPainter& p, const PlanScene& scene, const ViewTransform& t, const QRectF& area,
               const PlanPaintOptions& options, const std::vector<bool>& labels);
// A north arrow whose tip is at top, height h.
void paintNorthArrow(QPainter& p, const QPointF& top, double h, const QFont& font);
// A scale bar of a round length at most maxWidth long, starting at origin (its left end).
void paintScaleBar(QPainter& p, const ViewTransform& t, const QPointF& origin, double maxWidth,
                   const QFont& font);
// The profile fitted into area; returns its scales (surface units per metre
// across and up; 0 when there is nothing to draw).
QPointF paintProfile(QPainter& p, const ProfileScene& scene, const QRectF& area, const QFont& font);

enum class DrawingFile { Png, Svg, Pdf };
enum class PageFormat { A4, A3 };

// The file kind by the name's extension (.png, .svg, .pdf; any letter case);
// false for another one.
bool drawingFileOf(const std::filesystem::path& file, DrawingFile& kind);

// Writes the drawing on a landscape page with a frame, a north arrow and scale
// bar (plan), and a title block with the file name, the date and the scale.
// The plan is drawn at a round scale (1:N) that fits the page.  False and
// error (the reason) when the file cannot be written.
bool exportPlan(const PlanScene& scene, bool elevations, const std::filesystem::path& file,
                DrawingFile kind, PageFormat page, const QString& date, std::string& error);
bool exportProfile(const ProfileScene& scene, const std::filesystem::path& file, DrawingFile kind,
                   PageFormat page, const QString& date, std::string& error);

// The round map scale 1:N at which extent fits into width x height millimetres.
double roundMapScale(const Extent& extent, double widthMm, double heightMm);

}  // namespace velkar::drawing
