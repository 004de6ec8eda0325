// The DL-100 levelling in its three forms with every option of the data
// settings dialog, the closure check, the adjustment, and a return run with
// its summary table.  The first byte sets the options, the second the
// tolerance; the rest is the outward raw file, then after "\0\0" the return one.
#include "levelling/levelling.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velkar;
    if (size < 2) return 0;
    const std::uint8_t o = data[0];
    levelling::DlSettings s;
    const std::string forms[] = {levelling::formElevationReport(), levelling::formShortReport(),
                                 levelling::formNotebook()};
    const std::string form = forms[o % 3];
    s.readings = static_cast<levelling::ReadingSelection>((o >> 2) % 3);
    s.printIntermediate = o & 0x10;
    s.addElevations = o & 0x20;
    s.addTraverseInfo = o & 0x40;
    s.returnRun = (o & 0x80) && form != levelling::formNotebook();
    s.tolerance = std::to_string(data[1] % 8);
    s.startElevation = "100.0000";
    s.endElevation = std::to_string(100 + (data[1] >> 3) * 0.013);  // up to 100.403
    const auto [outward, back] =
        fuzz::splitInput(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
    fuzz::Front f;
    f.w.setInstrument("DL-100");
    f.w.setMode(catalogue::Mode::Compute);
    f.w.setOutput(form);
    f.opens.push_back(fuzz::writeScratch("outward.raw", outward));
    f.opens.push_back(fuzz::writeScratch("return.raw", back));
    levelling::PlainDlSettings access(s);
    levelling::LevellingState state;
    (void)levelling::levellingAction(f.w, state, access);
    std::fclose(f.sink);
    return 0;
}
