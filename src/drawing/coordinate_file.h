// Coordinate files: one point a line, its name and then its coordinates,
// separated by blanks, commas or TABs: "name Y X Z" (the polygon file, the
// KOORDINAT result, the YXZ lists) or "name X Y Z" (the XYZ lists).  Whatever
// follows the elevation (a description) is ignored; a line without an
// elevation gives a point without one.  Lines that do not start with a name and
// two numbers (an empty line, a header) are skipped and counted.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "drawing/scene.h"
#include "platform/textfile.h"

namespace velkar::drawing {

// One point of a coordinate file.
struct CoordinateRecord {
    std::string name;
    double y = 0, x = 0, z = 0;
    bool hasZ = false;
};

// Reads one line; false when it holds no point.
bool parseCoordinateLine(const std::string& line, AxisOrder order, CoordinateRecord& record);

// Streams the points of a file: only the current line is in memory.
class CoordinateReader {
  public:
    // false and error() when the file cannot be read.
    bool open(const std::filesystem::path& file, AxisOrder order = AxisOrder::NameYXZ);
    bool next(CoordinateRecord& record);
    std::uint64_t skippedLines() const { return skipped_; }
    const std::string& error() const { return in_.error(); }
    std::uint64_t position() const { return in_.position(); }
    std::uint64_t size() const { return in_.size(); }

  private:
    TextReader in_;
    AxisOrder order_ = AxisOrder::NameYXZ;
    std::string line_;
    std::uint64_t skipped_ = 0;
};

// The longest name a point of a drawing keeps.
inline constexpr std::size_t kDrawingNameLength = 255;

// The whole file as a scene of computed points (the title is the file name).
// False and error set when the file cannot be read; skipped counts the lines
// that held no point.
bool readCoordinateScene(const std::filesystem::path& file, AxisOrder order, PlanScene& scene,
                         std::string& error, std::uint64_t* skipped = nullptr);

}  // namespace velkar::drawing
