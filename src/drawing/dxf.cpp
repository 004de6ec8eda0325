#include "drawing/dxf.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "drawing/coordinate_file.h"

namespace velkar::drawing {
namespace {

const char* const kPointLayer = "NOKTALAR";
const char* const kKnownLayer = "POLIGON_NOKTALARI";
const char* const kStationLayer = "DURAKLAR";
const char* const kNameLayer = "NOKTA_ADLARI";
const char* const kElevationLayer = "KOTLAR";
const char* const kSightLayer = "BAKIS_DOGRULARI";

// Layer name and its AutoCAD colour number.
struct Layer {
    const char* name;
    int colour;
};
const Layer kLayers[] = {{"0", 7},           {kPointLayer, 7}, {kKnownLayer, 1},
                         {kStationLayer, 5}, {kNameLayer, 3},  {kElevationLayer, 8},
                         {kSightLayer, 9}};

}  // namespace

void DxfBounds::add(double y, double x, double z) {
    minZ = empty ? z : std::min(minZ, z);
    maxZ = empty ? z : std::max(maxZ, z);
    Extent::add(y, x);
}

double defaultTextHeight(const DxfBounds& b) {
    const double side = b.empty ? 0 : std::max(b.width(), b.height());
    const double h = scaleBarLength(side / 250);
    return h > 0 ? h : 1.0;
}

void DxfWriter::group(int code, std::string_view value) {
    // Group codes right-aligned in three places, as AutoCAD writes them.
    char head[5] = {' ', ' ', ' ', '\r', '\n'};
    for (int i = 2; i >= 0 && (code > 0 || i == 2); --i, code /= 10) {
        head[i] = static_cast<char>('0' + code % 10);
    }
    buffer_.append(head, sizeof head);
    buffer_.append(value);
    buffer_.append("\r\n");
}

void DxfWriter::integer(int code, int value) {
    // Integers right-aligned in six places, as AutoCAD writes them.
    std::string text = std::to_string(value);
    if (text.size() < 6) text.insert(0, 6 - text.size(), ' ');
    group(code, text);
}

void DxfWriter::number(int code, double value) {
    char text[64];
    if (value == 0) value = 0;  // no "-0.0000"
    const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    group(code, std::string_view(text, static_cast<size_t>(r.ptr - text)));
}

void DxfWriter::flushIfFull() {
    if (buffer_.size() < (1u << 16)) return;
    out_.write(buffer_);
    buffer_.clear();
}

void DxfWriter::begin(const DxfBounds& b, double textHeight) {
    height_ = textHeight;
    auto variable = [&](const char* name) { group(9, name); };
    group(0, "SECTION");
    group(2, "HEADER");
    variable("$ACADVER");
    group(1, "AC1009");
    variable("$DWGCODEPAGE");
    group(3, "ANSI_1254");
    variable("$INSBASE");
    number(10, 0);
    number(20, 0);
    number(30, 0);
    variable("$EXTMIN");
    number(10, b.minY);
    number(20, b.minX);
    number(30, b.minZ);
    variable("$EXTMAX");
    number(10, b.maxY);
    number(20, b.maxX);
    number(30, b.maxZ);
    variable("$LIMMIN");
    number(10, b.minY);
    number(20, b.minX);
    variable("$LIMMAX");
    number(10, b.maxY);
    number(20, b.maxX);
    variable("$TEXTSIZE");
    number(40, textHeight);
    // Points are shown as crosses of half the text height.
    variable("$PDMODE");
    integer(70, 2);
    variable("$PDSIZE");
    number(40, textHeight / 2);
    group(0, "ENDSEC");

    group(0, "SECTION");
    group(2, "TABLES");
    group(0, "TABLE");
    group(2, "LTYPE");
    integer(70, 1);
    group(0, "LTYPE");
    group(2, "CONTINUOUS");
    integer(70, 0);
    group(3, "Solid line");
    integer(72, 65);
    integer(73, 0);
    number(40, 0);
    group(0, "ENDTAB");
    group(0, "TABLE");
    group(2, "LAYER");
    integer(70, static_cast<int>(std::size(kLayers)));
    for (const Layer& l : kLayers) {
        group(0, "LAYER");
        group(2, l.name);
        integer(70, 0);
        integer(62, l.colour);
        group(6, "CONTINUOUS");
    }
    group(0, "ENDTAB");
    group(0, "TABLE");
    group(2, "STYLE");
    integer(70, 1);
    group(0, "STYLE");
    group(2, "STANDARD");
    integer(70, 0);
    number(40, 0);
    number(41, 1);
    number(50, 0);
    integer(71, 0);
    number(42, textHeight);
    group(3, "txt");
    group(4, "");
    group(0, "ENDTAB");
    group(0, "ENDSEC");

    group(0, "SECTION");
    group(2, "ENTITIES");
}

void DxfWriter::point(const std::string& name, double y, double x, double z, bool hasZ,
                      PointKind kind) {
    const char* layer = kind == PointKind::Station   ? kStationLayer
                        : kind == PointKind::Polygon ? kKnownLayer
                                                     : kPointLayer;
    group(0, "POINT");
    group(8, layer);
    number(10, y);
    number(20, x);
    number(30, hasZ ? z : 0);
    if (kind == PointKind::Station) {
        // A triangle around the station, as the plan view draws it.
        const double r = height_;
        const double corners[3][2] = {{0, r}, {-0.866 * r, -0.5 * r}, {0.866 * r, -0.5 * r}};
        for (int i = 0; i < 3; ++i) {
            const auto& a = corners[i];
            const auto& c = corners[(i + 1) % 3];
            group(0, "LINE");
            group(8, kStationLayer);
            number(10, y + a[0]);
            number(20, x + a[1]);
            number(30, 0);
            number(11, y + c[0]);
            number(21, x + c[1]);
            number(31, 0);
        }
    }
    if (!name.empty()) {
        group(0, "TEXT");
        group(8, kNameLayer);
        number(10, y + height_ / 2);
        number(20, x + height_ / 2);
        number(30, 0);
        number(40, height_);
        group(1, name);
    }
    if (hasZ) {
        group(0, "TEXT");
        group(8, kElevationLayer);
        number(10, y + height_ / 2);
        number(20, x - height_ * 1.5);
        number(30, 0);
        number(40, height_ * 0.8);
        group(1, elevationText(z));
    }
    flushIfFull();
}

void DxfWriter::sightLine(double y1, double x1, double z1, double y2, double x2, double z2) {
    group(0, "LINE");
    group(8, kSightLayer);
    number(10, y1);
    number(20, x1);
    number(30, z1);
    number(11, y2);
    number(21, x2);
    number(31, z2);
    flushIfFull();
}

void DxfWriter::end() {
    group(0, "ENDSEC");
    group(0, "EOF");
    out_.write(buffer_);
    buffer_.clear();
}

namespace {

// Writes a whole DXF file of these bounds: the header, then what body writes,
// then the end; the earlier file under out stays until the new one is complete.
template <class Body>
bool writeDxfFile(const std::filesystem::path& out, const DxfBounds& bounds, double textHeight,
                  std::string& error, Body body) {
    TextWriter file;
    if (!file.replace(out)) {
        error = file.error();
        return false;
    }
    DxfWriter dxf(file);
    dxf.begin(bounds, textHeight > 0 ? textHeight : defaultTextHeight(bounds));
    body(dxf);
    dxf.end();
    if (!file.close()) {
        error = file.error();
        return false;
    }
    return true;
}

}  // namespace

bool writeSceneDxf(const PlanScene& scene, const std::filesystem::path& out, double textHeight,
                   std::string& error) {
    DxfBounds bounds;
    for (const PlanPoint& p : scene.points) bounds.add(p.y, p.x, p.hasZ ? p.z : 0);
    return writeDxfFile(out, bounds, textHeight, error, [&](DxfWriter& dxf) {
        for (const SightLine& s : scene.sights) {
            const PlanPoint& a = scene.points[static_cast<size_t>(s.from)];
            const PlanPoint& b = scene.points[static_cast<size_t>(s.to)];
            dxf.sightLine(a.y, a.x, a.z, b.y, b.x, b.z);
        }
        for (const PlanPoint& p : scene.points) dxf.point(p.name, p.y, p.x, p.z, p.hasZ, p.kind);
    });
}

bool writeCoordinateFileDxf(const std::filesystem::path& in, AxisOrder order,
                            const std::filesystem::path& out, double textHeight, std::string& error,
                            std::uint64_t* points) {
    // Two passes: the extents stand in the header, before the first point.
    DxfBounds bounds;
    CoordinateReader reader;
    CoordinateRecord r;
    if (!reader.open(in, order)) {
        error = reader.error();
        return false;
    }
    std::uint64_t count = 0;
    while (reader.next(r)) {
        bounds.add(r.y, r.x, r.z);
        ++count;
    }
    if (!reader.open(in, order)) {
        error = reader.error();
        return false;
    }
    if (points) *points = count;
    return writeDxfFile(out, bounds, textHeight, error, [&](DxfWriter& dxf) {
        while (reader.next(r)) dxf.point(r.name, r.y, r.x, r.z, r.hasZ, PointKind::Computed);
    });
}

}  // namespace velkar::drawing
