// The survey computations: KOORDINAT with a polygon file, KESIT-KLISE and
// KESIT-NETCAD, for both instrument families.  The first byte picks the
// instrument and the computation; the rest is the raw file, then after a
// "\0\0" the polygon file.  Every coordinate question is answered.
#include "fuzz_support.h"
#include "survey/survey.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velkar;
    if (size == 0) return 0;
    static const char* const kComputations[] = {"KOORDINAT", "KESIT-KLISE", "KESIT-NETCAD"};
    const auto [raw, polygon] =
        fuzz::splitInput(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    fuzz::Front f;
    f.w.setInstrument(data[0] & 1 ? "GTS-600 / 700" : "GTS-210 / 220 / 6");
    f.w.setOutput(kComputations[(data[0] >> 1) % 3]);
    f.w.setMode(catalogue::Mode::Compute);
    f.opens.push_back(fuzz::writeScratch("raw.txt", raw));
    f.opens.push_back(fuzz::writeScratch("polygon.txt", polygon));
    conversion::ConversionState state;
    (void)survey::runActionButton(f.w, state);
    std::fclose(f.sink);
    return 0;
}
