// Every output of the conversion (NETCAD, EGHAS, GEOCAD, XYZ/YXZ, observation
// book) from a raw file of either family: the first byte picks the instrument
// and the output, the rest is the file.
#include "conversion/format_writer.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velkar;
    if (size == 0) return 0;
    const auto outputs = catalogue::conversionWindowFormatOutputs();
    fuzz::Front f;
    f.w.setInstrument(data[0] & 1 ? "GTS-600 / 700" : "GTS-210 / 220 / 6");
    f.w.setOutput(outputs[(data[0] >> 1) % outputs.size()]->text);
    f.w.setMode(catalogue::Mode::Convert);
    f.opens.push_back(fuzz::writeScratch(
        "raw.txt", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)));
    conversion::ConversionState state;
    (void)conversion::runAction(f.w, state);
    std::fclose(f.sink);
    return 0;
}
