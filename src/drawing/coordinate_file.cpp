#include "drawing/coordinate_file.h"

#include <charconv>
#include <cmath>

#include "platform/program_folder.h"

namespace velkar::drawing {
namespace {

bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == '\t';
}

// The next field of line from pos on (separators skipped); empty at the end.
std::string_view nextField(std::string_view line, size_t& pos) {
    while (pos < line.size() && isSeparator(line[pos])) ++pos;
    const size_t start = pos;
    while (pos < line.size() && !isSeparator(line[pos])) ++pos;
    return line.substr(start, pos - start);
}

// A whole field that reads as a decimal number ("1000", "-12.5", ".5", "1e3").
bool number(std::string_view field, double& value) {
    if (field.empty()) return false;
    if (field.front() == '+') field.remove_prefix(1);
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

}  // namespace

bool parseCoordinateLine(const std::string& line, AxisOrder order, CoordinateRecord& record) {
    size_t pos = 0;
    const std::string_view name = nextField(line, pos);
    double first = 0, second = 0;
    if (name.empty() || !number(nextField(line, pos), first) ||
        !number(nextField(line, pos), second)) {
        return false;
    }
    record.name.assign(name);
    record.y = order == AxisOrder::NameYXZ ? first : second;
    record.x = order == AxisOrder::NameYXZ ? second : first;
    record.hasZ = number(nextField(line, pos), record.z);
    if (!record.hasZ) record.z = 0;
    return true;
}

bool CoordinateReader::open(const std::filesystem::path& file, AxisOrder order) {
    order_ = order;
    skipped_ = 0;
    return in_.open(file);
}

bool CoordinateReader::next(CoordinateRecord& record) {
    while (in_.readLine(line_)) {
        if (parseCoordinateLine(line_, order_, record)) return true;
        ++skipped_;
    }
    return false;
}

bool readCoordinateScene(const std::filesystem::path& file, AxisOrder order, PlanScene& scene,
                         std::string& error, std::uint64_t* skipped) {
    CoordinateReader reader;
    if (!reader.open(file, order)) {
        error = reader.error();
        return false;
    }
    scene = {};
    scene.title = pathText(file.filename());
    CoordinateRecord r;
    while (reader.next(r)) {
        // A drawing holds every point; a name of megabytes (a file that is no
        // coordinate list) keeps its first 255 characters, as much as a DXF
        // text of the oldest versions holds, so the scene stays small.
        if (r.name.size() > kDrawingNameLength) r.name.resize(kDrawingNameLength);
        r.name.shrink_to_fit();
        scene.points.push_back({std::move(r.name), r.y, r.x, r.z, r.hasZ, PointKind::Computed, -1});
    }
    if (skipped) *skipped = reader.skippedLines();
    return true;
}

}  // namespace velkar::drawing
