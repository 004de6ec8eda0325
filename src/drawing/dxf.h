// AutoCAD R12 ASCII DXF (AC1009), the version every CAD program reads.
//
// Eastings go to DXF x and northings to DXF y, so the drawing is not
// mirrored.  The file says its code page (ANSI_1254): point names are written
// as the Windows-1254 bytes they already are, and Turkish names survive.
// Layers: NOKTALAR (POINT with the elevation as z), POLIGON_NOKTALARI (known
// points), DURAKLAR (stations: POINT and a triangle), NOKTA_ADLARI (names,
// TEXT), KOTLAR (elevations, TEXT), BAKIS_DOGRULARI (station-to-point LINEs).
// The writer streams: entities go out as they come, in chunks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "drawing/scene.h"
#include "platform/textfile.h"

namespace velkar::drawing {

struct DxfBounds : Extent {
    double minZ = 0, maxZ = 0;
    void add(double y, double x, double z);
};

// The text height a drawing of these bounds gets by default: a round length
// (1, 2 or 5 times a power of ten) near 1/250 of the larger side; 1 m for a
// single point.
double defaultTextHeight(const DxfBounds& bounds);

class DxfWriter {
  public:
    explicit DxfWriter(TextWriter& out) : out_(out) {}
    // The header (code page, extents) and the tables; textHeight > 0.
    void begin(const DxfBounds& bounds, double textHeight);
    void point(const std::string& name, double y, double x, double z, bool hasZ, PointKind kind);
    void sightLine(double y1, double x1, double z1, double y2, double x2, double z2);
    // The end of the file; everything is handed to the TextWriter.
    void end();

  private:
    void group(int code, std::string_view value);
    void integer(int code, int value);
    void number(int code, double value);
    void flushIfFull();
    TextWriter& out_;
    std::string buffer_;
    double height_ = 1;
};

// Writes through a temporary file in the target folder, renamed at the end: a
// failure never leaves a cut file under the final name.  textHeight 0: the default.
// False and error (the reason) when the file cannot be written.
bool writeSceneDxf(const PlanScene& scene, const std::filesystem::path& out, double textHeight,
                   std::string& error);

// A coordinate file to DXF in two passes over the input (the extents come
// first in the file), in constant memory.  points: how many were written.
bool writeCoordinateFileDxf(const std::filesystem::path& in, AxisOrder order,
                            const std::filesystem::path& out, double textHeight, std::string& error,
                            std::uint64_t* points = nullptr);

}  // namespace velkar::drawing
