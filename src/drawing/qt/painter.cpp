#include "drawing/qt/painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "drawing/atomic_file.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/textfile.h"

namespace velkar::drawing {
namespace {

const QColor kPointColour(20, 20, 20);
const QColor kKnownColour(200, 30, 30);
const QColor kStationColour(20, 70, 200);
const QColor kSightColour(150, 170, 200);
const QColor kElevationColour(90, 90, 90);
const QColor kHighlightColour(255, 140, 0);

QString T(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A length as the drawing writes it: no trailing zeros ("500 m", "0.5 m").
QString metres(double v) {
    return QString::number(v, 'g', 8) + T(" m");
}

// A point's name as its label shows it.  Instruments store names of a few
// dozen characters at most; a longer one (a file that is no coordinate list)
// is cut and ends in an ellipsis, so that a megabyte name fills neither the
// page nor the memory.
constexpr std::size_t kLabelCharacters = 64;
std::string labelText(const std::string& name) {
    if (name.size() <= kLabelCharacters) return name;
    return name.substr(0, kLabelCharacters - 1) + '\x85';  // "…" in Windows-1254
}

}  // namespace

std::vector<float> labelWidths(const PlanScene& scene, const QFont& font, bool elevations) {
    // The advance of each of the 256 Windows-1254 characters, measured once:
    // a label's width is their sum (kerning only narrows it).
    const QFontMetricsF fm(font);
    float advance[256];
    for (int c = 0; c < 256; ++c) {
        const std::string one(1, static_cast<char>(c));
        advance[c] = static_cast<float>(fm.horizontalAdvance(toQ(one)));
    }
    auto width = [&](const std::string& text) {
        float w = 0;
        for (unsigned char c : text) w += advance[c];
        return w;
    };
    std::vector<float> widths(scene.points.size());
    for (size_t i = 0; i < scene.points.size(); ++i) {
        const PlanPoint& p = scene.points[i];
        widths[i] = width(labelText(p.name));
        if (elevations && p.hasZ) widths[i] = std::max(widths[i], width(elevationText(p.z)));
    }
    return widths;
}

std::vector<bool> labelsFor(const PlanScene& scene, double scale, const QFont& font,
                            bool elevations, const std::vector<float>& widths) {
    const QFontMetricsF fm(font);
    LabelMetrics m;
    m.charWidth = fm.horizontalAdvance(QLatin1Char('0'));
    m.lineHeight = fm.height();
    m.gap = 4;
    return chooseLabels(scene, scale, m, elevations, &widths);
}

void paintPlan(QPainter& p, const PlanScene& scene, const ViewTransform& t, const QRectF& area,
               const PlanPaintOptions& o, const std::vector<bool>& labels) {
    const double s = o.markSize;
    const QRectF visible = area.adjusted(-3 * s, -3 * s, 3 * s, 3 * s);
    auto screen = [&](const PlanPoint& pt) {
        return QPointF(t.toScreenX(pt.y), t.toScreenY(pt.x));
    };

    p.save();
    p.setClipRect(area);
    // Sight lines first, under everything.
    if (!scene.sights.empty()) {
        QVector<QLineF> lines;
        lines.reserve(static_cast<qsizetype>(scene.sights.size()));
        for (const SightLine& l : scene.sights) {
            const QLineF line(screen(scene.points[l.from]), screen(scene.points[l.to]));
            if (visible.intersects(
                    QRectF(line.p1(), line.p2()).normalized().adjusted(-1, -1, 1, 1)))
                lines.push_back(line);
        }
        p.setPen(QPen(kSightColour, o.lineWidth));
        p.drawLines(lines);
    }
    // Crosses of the computed points in one batch; the few known points and
    // stations one by one.
    std::vector<int> special;
    // Where points lie closer than a pixel, one mark stands for all of them.
    const int cols = static_cast<int>(visible.width()) + 1,
              rows = static_cast<int>(visible.height()) + 1;
    std::vector<bool> taken(static_cast<size_t>(cols) * static_cast<size_t>(rows), false);
    QVector<QPointF> marks;
    for (size_t i = 0; i < scene.points.size(); ++i) {
        const PlanPoint& pt = scene.points[i];
        const QPointF c = screen(pt);
        if (!visible.contains(c)) continue;
        if (pt.kind != PointKind::Computed) {
            special.push_back(static_cast<int>(i));
            continue;
        }
        const size_t cell = static_cast<size_t>(static_cast<int>(c.y() - visible.top())) *
                                static_cast<size_t>(cols) +
                            static_cast<size_t>(static_cast<int>(c.x() - visible.left()));
        if (cell < taken.size()) {
            if (taken[cell]) continue;
            taken[cell] = true;
        }
        marks.push_back(c);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kPointColour, o.lineWidth));
    // Crosses while they stand apart; when they would cover the area (a whole
    // large job in view), dots show its shape better and paint faster.
    const double room = visible.width() * visible.height() / std::max<qsizetype>(1, marks.size());
    if (room < 9 * s * s) {
        p.drawPoints(marks.constData(), static_cast<int>(marks.size()));
    } else {
        QVector<QLineF> crosses;
        crosses.reserve(marks.size() * 2);
        for (const QPointF& c : marks) {
            crosses.push_back(QLineF(c.x() - s, c.y(), c.x() + s, c.y()));
            crosses.push_back(QLineF(c.x(), c.y() - s, c.x(), c.y() + s));
        }
        p.drawLines(crosses);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i : special) {
        const PlanPoint& pt = scene.points[static_cast<size_t>(i)];
        const QPointF c = screen(pt);
        if (pt.kind == PointKind::Station) {
            p.setPen(QPen(kStationColour, 1.5 * s / 5));
            p.setBrush(
                QColor(kStationColour.red(), kStationColour.green(), kStationColour.blue(), 60));
            const double r = 1.4 * s;
            const QPointF tri[3] = {c + QPointF(0, -r), c + QPointF(-0.866 * r, 0.5 * r),
                                    c + QPointF(0.866 * r, 0.5 * r)};
            p.drawPolygon(tri, 3);
        } else {
            p.setPen(QPen(kKnownColour, 1.5 * s / 5));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, s, s);
            p.drawPoint(c);
        }
    }
    p.setBrush(Qt::NoBrush);
    if (o.highlighted >= 0 && o.highlighted < static_cast<int>(scene.points.size())) {
        const QPointF c = screen(scene.points[static_cast<size_t>(o.highlighted)]);
        p.setPen(QPen(kHighlightColour, 2.5 * s / 5));
        p.drawEllipse(c, 2.2 * s, 2.2 * s);
    }
    // Labels, up and to the right of their points.
    p.setFont(o.font);
    const QFontMetricsF fm(o.font);
    for (size_t i = 0; i < scene.points.size(); ++i) {
        if (i >= labels.size() || !labels[i]) continue;
        const PlanPoint& pt = scene.points[i];
        const QPointF c = screen(pt);
        if (!area.adjusted(-400, -60, 0, 60).contains(c)) continue;
        const bool withZ = o.elevations && pt.hasZ;
        const double top = c.y() - 4 - fm.height() * (withZ ? 2 : 1);
        // A light ground keeps a label readable over the marks beneath it.
        const QString label = toQ(labelText(pt.name));
        double w = fm.horizontalAdvance(label);
        if (withZ)
            w = std::max(w, fm.horizontalAdvance(QString::fromLatin1(elevationText(pt.z).c_str())));
        p.fillRect(QRectF(c.x() + 3, top, w + 2, fm.height() * (withZ ? 2 : 1)),
                   QColor(255, 255, 255, 200));
        p.setPen(pt.kind == PointKind::Station   ? kStationColour
                 : pt.kind == PointKind::Polygon ? kKnownColour
                                                 : kPointColour);
        p.drawText(QPointF(c.x() + 4, top + fm.ascent()), label);
        if (withZ) {
            p.setPen(kElevationColour);
            p.drawText(QPointF(c.x() + 4, top + fm.height() + fm.ascent()),
                       QString::fromLatin1(elevationText(pt.z).c_str()));
        }
    }
    p.restore();
}

void paintNorthArrow(QPainter& p, const QPointF& top, double h, const QFont& font) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const double w = h * 0.35;
    const QPointF tip = top + QPointF(0, h * 0.3);
    const QPointF base = tip + QPointF(0, h * 0.7);
    QPainterPath left, right;
    left.moveTo(tip);
    left.lineTo(base + QPointF(-w / 2, 0));
    left.lineTo(base + QPointF(0, -h * 0.2));
    left.closeSubpath();
    right.moveTo(tip);
    right.lineTo(base + QPointF(w / 2, 0));
    right.lineTo(base + QPointF(0, -h * 0.2));
    right.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRect(QRectF(top.x() - w, top.y() - h * 0.05, 2 * w, h * 1.1));
    p.setPen(QPen(Qt::black, std::max(1.0, h / 40)));
    p.setBrush(Qt::black);
    p.drawPath(left);
    p.setBrush(Qt::white);
    p.drawPath(right);
    p.setFont(font);
    const QFontMetricsF fm(font);
    const QString k = T("K");  // Kuzey: north
    p.setPen(Qt::black);
    p.drawText(QPointF(top.x() - fm.horizontalAdvance(k) / 2, top.y() + fm.ascent() * 0.9), k);
    p.restore();
}

void paintScaleBar(QPainter& p, const ViewTransform& t, const QPointF& origin, double maxWidth,
                   const QFont& font) {
    const double length = scaleBarLength(maxWidth / t.scale);
    if (length <= 0) return;
    const double w = length * t.scale;
    const QFontMetricsF fm(font);
    const double h = std::max(3.0, fm.height() * 0.35);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(origin.x() - fm.height(), origin.y() - h - fm.height() * 1.4,
                      w + 2.5 * fm.height() + fm.horizontalAdvance(metres(length)) / 2,
                      h + fm.height() * 1.8),
               QColor(255, 255, 255, 220));
    p.setPen(QPen(Qt::black, 0));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? Qt::white : Qt::black);
        p.drawRect(QRectF(origin.x() + w * i / 4, origin.y() - h, w / 4, h));
    }
    p.setFont(font);
    p.drawText(QPointF(origin.x() - fm.horizontalAdvance(QLatin1Char('0')) / 2, origin.y() - h - 3),
               QStringLiteral("0"));
    const QString text = metres(length);
    p.drawText(QPointF(origin.x() + w - fm.horizontalAdvance(text) / 2, origin.y() - h - 3), text);
    p.restore();
}

namespace {

// The polyline of a line's stations (computed or adjusted elevations).  A
// line of more stations than the drawing is wide keeps, in each step of half
// a unit across, its first, lowest, highest and last point: the drawing looks
// the same and a line of 100,000 stations stays a small file.
template <typename MapX, typename MapY>
QPolygonF profileLine(const ProfileSeries& s, MapX X, MapY Y, bool adjusted, double width) {
    QPolygonF all;
    for (const ProfileMark& m : s.marks) {
        if (!m.intermediate) all << QPointF(X(m.distance), Y(adjusted ? m.adjusted : m.elevation));
    }
    if (all.size() <= 2 * width) return all;
    QPolygonF kept;
    qsizetype i = 0;
    while (i < all.size()) {
        const double step = std::floor(all[i].x() * 2);
        qsizetype j = i, low = i, high = i;
        while (j < all.size() && std::floor(all[j].x() * 2) == step) {
            if (all[j].y() > all[low].y()) low = j;  // screen y grows downwards
            if (all[j].y() < all[high].y()) high = j;
            ++j;
        }
        kept << all[i];
        for (qsizetype k : {std::min(low, high), std::max(low, high)}) {
            if (k != i && k != j - 1) kept << all[k];
        }
        if (j - 1 != i) kept << all[j - 1];
        i = j;
    }
    return kept;
}

// A polyline as separate segments: a wide pen strokes each on its own, where
// one long self-crossing outline costs the raster engine far more.
void drawSegments(QPainter& p, const QPolygonF& line) {
    QVector<QLineF> segments;
    segments.reserve(line.size());
    for (qsizetype i = 1; i < line.size(); ++i) segments.push_back(QLineF(line[i - 1], line[i]));
    p.drawLines(segments);
}

// Tick step for a range: a round length giving about n ticks.
double tickStep(double range, int n) {
    const double s = scaleBarLength(range / n);
    return s > 0 ? s : 1;
}

}  // namespace

QPointF paintProfile(QPainter& p, const ProfileScene& scene, const QRectF& area,
                     const QFont& font) {
    p.save();
    p.setFont(font);
    const QFontMetricsF fm(font);
    const double lh = fm.height();
    if (scene.empty()) {
        p.restore();
        return {};
    }
    // Room for the texts above, the elevation labels left, the distances below.
    const double textLines = static_cast<double>(scene.series.size()) + 1;
    const QRectF plot = area.adjusted(fm.horizontalAdvance(QStringLiteral("00000.000")) + lh * 2,
                                      lh * (textLines + 1), -lh * 2, -lh * 3.5);
    double d0 = scene.minDistance, d1 = scene.maxDistance;
    double e0 = scene.minElevation, e1 = scene.maxElevation;
    if (d1 - d0 < 1e-6) {
        d0 -= 1;
        d1 += 1;
    }
    const double pad = std::max((e1 - e0) * 0.15, 0.05);
    e0 -= pad;
    e1 += pad * 2;  // room for the names above the line
    auto X = [&](double d) { return plot.left() + (d - d0) / (d1 - d0) * plot.width(); };
    auto Y = [&](double e) { return plot.bottom() - (e - e0) / (e1 - e0) * plot.height(); };

    // Grid and axes.
    p.setPen(QPen(QColor(225, 225, 225), 0));
    const double ds = tickStep(d1 - d0, 8), es = tickStep(e1 - e0, 6);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (double d = std::ceil(d0 / ds) * ds; d <= d1 + 1e-9; d += ds) {
        p.setPen(QPen(QColor(225, 225, 225), 0));
        p.drawLine(QPointF(X(d), plot.top()), QPointF(X(d), plot.bottom()));
        p.setPen(Qt::black);
        const QString text = QString::number(d, 'f', ds < 1 ? 1 : 0);
        p.drawText(QPointF(X(d) - fm.horizontalAdvance(text) / 2, plot.bottom() + lh * 1.1), text);
    }
    for (double e = std::ceil(e0 / es) * es; e <= e1 + 1e-9; e += es) {
        p.setPen(QPen(QColor(225, 225, 225), 0));
        p.drawLine(QPointF(plot.left(), Y(e)), QPointF(plot.right(), Y(e)));
        p.setPen(Qt::black);
        const QString text = QString::number(e, 'f', es < 0.01 ? 3 : es < 1 ? 2 : 1);
        p.drawText(
            QPointF(plot.left() - fm.horizontalAdvance(text) - lh * 0.4, Y(e) + fm.ascent() / 2.5),
            text);
    }
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(plot);
    p.drawText(QPointF(plot.center().x() - fm.horizontalAdvance(T("Mesafe (m)")) / 2,
                       plot.bottom() + lh * 2.4),
               T("Mesafe (m)"));
    p.save();
    p.translate(area.left() + lh, plot.center().y());
    p.rotate(-90);
    p.drawText(QPointF(-fm.horizontalAdvance(T("Kot (m)")) / 2, 0), T("Kot (m)"));
    p.restore();

    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor lineColours[] = {QColor(20, 70, 200), QColor(0, 140, 70)};
    const QColor adjustedColour(170, 40, 160);
    double textY = area.top() + fm.ascent();
    bool anyAdjusted = false;
    for (size_t si = 0; si < scene.series.size(); ++si) {
        const ProfileSeries& s = scene.series[si];
        const QColor colour = lineColours[si % 2];
        const QPolygonF line = profileLine(s, X, Y, false, plot.width());
        const QPolygonF adjusted = profileLine(s, X, Y, true, plot.width());
        p.setPen(QPen(colour, std::max(1.0, lh / 10)));
        drawSegments(p, line);
        if (s.adjusted) {
            anyAdjusted = true;
            p.setPen(QPen(adjustedColour, std::max(1.0, lh / 10), Qt::DashLine));
            drawSegments(p, adjusted);
        }
        // Marks and names; a name is left out when it would overlap the last one written.
        double lastNameX = -1e300;
        const double r = lh * 0.18;
        // A mark for every point while they stand apart; a long line is its polyline.
        const bool markEach = static_cast<double>(s.marks.size()) * r * 3 < plot.width();
        for (const ProfileMark& m : s.marks) {
            const QPointF c(X(m.distance), Y(m.elevation));
            if (!markEach) {
                if (std::fabs(c.x() - lastNameX) < lh * 1.05 || m.name.empty() || m.intermediate)
                    continue;
                lastNameX = c.x();
                p.save();
                p.translate(c.x() + fm.ascent() / 3, std::min(c.y(), Y(m.adjusted)) - r * 2.5);
                p.rotate(-90);
                p.setPen(Qt::black);
                p.drawText(QPointF(0, 0), toQ(labelText(m.name)));
                p.restore();
                continue;
            }
            p.setPen(QPen(colour, 0));
            p.setBrush(m.intermediate ? QBrush(Qt::white) : QBrush(colour));
            p.drawEllipse(c, m.intermediate ? r * 0.8 : r, m.intermediate ? r * 0.8 : r);
            if (s.adjusted && !m.intermediate) {
                p.setBrush(adjustedColour);
                p.setPen(QPen(adjustedColour, 0));
                p.drawEllipse(QPointF(c.x(), Y(m.adjusted)), r * 0.7, r * 0.7);
            }
            if (std::fabs(c.x() - lastNameX) < lh * 1.05 || m.name.empty()) continue;
            lastNameX = c.x();
            p.save();
            p.translate(c.x() + fm.ascent() / 3, std::min(c.y(), Y(m.adjusted)) - r * 2.5);
            p.rotate(-90);
            p.setPen(m.intermediate ? QColor(90, 90, 90) : QColor(Qt::black));
            p.drawText(QPointF(0, 0), toQ(labelText(m.name)));
            p.restore();
        }
        p.setBrush(Qt::NoBrush);
        // The benchmarks with their known elevations.
        if (s.benchmarksKnown && !s.marks.empty()) {
            const auto last = std::find_if(s.marks.rbegin(), s.marks.rend(),
                                           [](const ProfileMark& m) { return !m.intermediate; });
            const std::pair<double, double> marks[] = {{s.marks.front().distance, s.startKnown},
                                                       {last->distance, s.endKnown}};
            for (const auto& [d, h] : marks) {
                const QPointF c(X(d), Y(h));
                const double b = lh * 0.45;
                const QPointF tri[3] = {c, c + QPointF(-b, b * 1.6), c + QPointF(b, b * 1.6)};
                p.setPen(QPen(Qt::black, 0));
                p.setBrush(QColor(250, 210, 0));
                p.drawPolygon(tri, 3);
                p.setBrush(Qt::NoBrush);
                const QString text = QString::fromLatin1(fixedText(h, 4).c_str()).trimmed();
                const double tx =
                    std::min(c.x() + b * 1.2, plot.right() - fm.horizontalAdvance(text));
                p.drawText(QPointF(tx, c.y() + b * 1.6 + fm.ascent()), text);
            }
        }
        // The closure line of the series, red when beyond the limit.
        QString head = s.caption.empty() ? QString() : toQ(s.caption) + T(": ");
        head += toQ(s.startName) + T(" - ") + toQ(s.endName);
        if (s.closureChecked) head += T("   ") + toQ(s.closureText());
        p.setPen(s.beyondLimit() ? QColor(210, 0, 0) : colour);
        p.drawText(QPointF(area.left() + lh * 2, textY), head);
        textY += lh;
    }
    // Legend: each line (its caption, or "Kot" for a single one), then the
    // adjusted elevations.
    struct Entry {
        QString text;
        QColor colour;
        Qt::PenStyle style;
    };
    std::vector<Entry> legend;
    for (size_t si = 0; si < scene.series.size(); ++si) {
        const ProfileSeries& s = scene.series[si];
        legend.push_back(
            {s.caption.empty() ? T("Kot") : toQ(s.caption), lineColours[si % 2], Qt::SolidLine});
    }
    if (anyAdjusted) legend.push_back({T("Dengelenmiş kot"), adjustedColour, Qt::DashLine});
    double lx = plot.right() - lh;
    for (auto it = legend.rbegin(); it != legend.rend(); ++it) {
        lx -= fm.horizontalAdvance(it->text);
        p.setPen(it->colour);
        p.drawText(QPointF(lx, textY), it->text);
        p.setPen(QPen(it->colour, std::max(1.0, lh / 10), it->style));
        p.drawLine(QPointF(lx - lh * 1.8, textY - fm.ascent() / 3),
                   QPointF(lx - lh * 0.3, textY - fm.ascent() / 3));
        lx -= lh * 3;
    }
    p.restore();
    return {plot.width() / (d1 - d0), plot.height() / (e1 - e0)};
}

bool drawingFileOf(const std::filesystem::path& file, DrawingFile& kind) {
    const QString ext = pathToQ(file.extension()).toLower();
    if (ext == QLatin1String(".png")) {
        kind = DrawingFile::Png;
    } else if (ext == QLatin1String(".svg")) {
        kind = DrawingFile::Svg;
    } else if (ext == QLatin1String(".pdf")) {
        kind = DrawingFile::Pdf;
    } else {
        return false;
    }
    return true;
}

double roundMapScale(const Extent& extent, double widthMm, double heightMm) {
    const double w = std::max(extent.width(), 1.0), h = std::max(extent.height(), 1.0);
    const double needed = std::max(w * 1000 / widthMm, h * 1000 / heightMm);
    // The next round scale: 1, 1.25, 2, 2.5, 5 times a power of ten.
    const double power = std::pow(10.0, std::floor(std::log10(needed)));
    for (double step : {1.0, 1.25, 2.0, 2.5, 5.0, 10.0}) {
        if (step * power >= needed * (1 - 1e-12)) return step * power;
    }
    return 10 * power;
}

namespace {

// Page size in tenths of a millimetre (the unit the files are painted in).
QSizeF pageUnits(PageFormat page) {
    return page == PageFormat::A4 ? QSizeF(2970, 2100) : QSizeF(4200, 2970);
}

QFont pageFont(double size) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(size));
    return f;
}

QRectF sheetFrame(QSizeF size) {
    return QRectF(100, 100, size.width() - 200, size.height() - 200);
}

// The drawing area inside the frame, above the title block.
QRectF sheetArea(QSizeF size) {
    const QRectF frame = sheetFrame(size);
    return QRectF(frame.left() + 60, frame.top() + 60, frame.width() - 120, frame.height() - 400);
}

// Frame and title block; returns the drawing area.
QRectF paintSheet(QPainter& p, QSizeF size, const QString& title, const QString& date,
                  const QString& scale) {
    const QRectF frame = sheetFrame(size);
    p.setPen(QPen(Qt::black, 5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    const QRectF block(frame.right() - 1000, frame.bottom() - 270, 1000, 270);
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(Qt::white);
    p.drawRect(block);
    p.drawLine(QPointF(block.left(), block.top() + 110), QPointF(block.right(), block.top() + 110));
    p.drawLine(QPointF(block.left(), block.top() + 190), QPointF(block.right(), block.top() + 190));
    p.setFont(pageFont(45));
    p.drawText(block.adjusted(25, 0, -25, -160), Qt::AlignVCenter | Qt::AlignLeft, title);
    p.setFont(pageFont(32));
    p.drawText(block.adjusted(25, 110, -25, -80), Qt::AlignVCenter | Qt::AlignLeft,
               T("Tarih: ") + date);
    p.drawText(block.adjusted(25, 190, -25, 0), Qt::AlignVCenter | Qt::AlignLeft,
               T("Ölçek: ") + scale);
    return sheetArea(size);
}

// Paints into the chosen file kind through a temporary file beside the target.
template <typename Paint>
bool paintToFile(const std::filesystem::path& file, DrawingFile kind, PageFormat page, Paint paint,
                 std::string& error) {
    AtomicTarget target(file);
    if (!target.create(error)) return false;
    const std::filesystem::path temp = target.temporary();
    const QString tempName = pathToQ(temp);
    const QSizeF size = pageUnits(page);
    bool ok = false;
    switch (kind) {
        case DrawingFile::Png: {
            QImage image(size.toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            image.setDotsPerMeterX(10000);  // 254 dpi: a pixel is a tenth of a millimetre
            image.setDotsPerMeterY(10000);
            {
                QPainter p(&image);
                paint(p, size);
            }
            QImageWriter writer(tempName, "png");
            ok = writer.write(image);
            if (!ok) error = fromQ(writer.errorString());
            break;
        }
        case DrawingFile::Svg: {
            QSvgGenerator svg;
            svg.setFileName(tempName);
            svg.setSize(size.toSize());
            svg.setViewBox(QRectF(QPointF(0, 0), size));
            svg.setResolution(254);
            QPainter p;
            ok = p.begin(&svg);
            if (ok) {
                paint(p, size);
                ok = p.end();
            }
            if (!ok) error = "SVG";
            break;
        }
        case DrawingFile::Pdf: {
            QPdfWriter pdf(tempName);
            pdf.setPageSize(QPageSize(page == PageFormat::A4 ? QPageSize::A4 : QPageSize::A3));
            pdf.setPageOrientation(QPageLayout::Landscape);
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setResolution(254);
            pdf.setCreator(QStringLiteral("velkar"));
            QPainter p;
            ok = p.begin(&pdf);
            if (ok) {
                paint(p, size);
                ok = p.end();
            }
            if (!ok) error = "PDF";
            break;
        }
    }
    return ok && target.commit(error);
}

}  // namespace

bool exportPlan(const PlanScene& scene, bool elevations, const std::filesystem::path& file,
                DrawingFile kind, PageFormat page, const QString& date, std::string& error) {
    const Extent extent = scene.extent();
    return paintToFile(
        file, kind, page,
        [&](QPainter& p, QSizeF size) {
            const QRectF area = sheetArea(size);
            const double n =
                roundMapScale(extent, area.width() / 10 * 0.92, area.height() / 10 * 0.92);
            paintSheet(p, size, toQ(scene.title), date,
                       QStringLiteral("1:") + QString::number(n, 'g', 10));
            ViewTransform t;
            t.scale = 10.0 * 1000 / n;  // tenths of a millimetre per metre
            t.left = (extent.minY + extent.maxY) / 2 - area.center().x() / t.scale;
            t.top = (extent.minX + extent.maxX) / 2 + area.center().y() / t.scale;
            PlanPaintOptions o;
            o.elevations = elevations;
            o.markSize = 12;
            o.lineWidth = 2.5;
            o.font = pageFont(22);
            paintPlan(p, scene, t, area, o,
                      labelsFor(scene, t.scale, o.font, elevations,
                                labelWidths(scene, o.font, elevations)));
            paintNorthArrow(p, QPointF(area.right() - 80, area.top()), 220, pageFont(40));
            paintScaleBar(p, t, QPointF(area.left() + 40, area.bottom() + 200), 800, pageFont(28));
        },
        error);
}

bool exportProfile(const ProfileScene& scene, const std::filesystem::path& file, DrawingFile kind,
                   PageFormat page, const QString& date, std::string& error) {
    return paintToFile(
        file, kind, page,
        [&](QPainter& p, QSizeF size) {
            const QPointF scales = paintProfile(p, scene, sheetArea(size), pageFont(26));
            // A tenth of a millimetre per unit: 1:N with N = 10000 / (units per metre).
            const auto ratio = [](double unitsPerMetre) {
                return unitsPerMetre > 0
                           ? QString::number(std::round(10000 / unitsPerMetre), 'f', 0)
                           : QStringLiteral("-");
            };
            paintSheet(p, size, toQ(scene.title), date,
                       T("yatay 1:") + ratio(scales.x()) + T("  düşey 1:") + ratio(scales.y()));
        },
        error);
}

}  // namespace velkar::drawing
