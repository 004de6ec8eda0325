#include "catalogue/catalogue.h"

#include <algorithm>

namespace velkar::catalogue {
namespace {

const PortPreset kDl100Preset{"ACK / NAK", "9600", "EVEN", "7", "1"};

}  // namespace

const std::vector<Instrument>& instruments() {
    static const std::vector<Instrument> rows = {
        // id                      text                     family          down   up     main conv
        // preset
        {InstrumentId::Gts210_220, "GTS-210 / 220", Family::Gts200, true, true, 1, 0, nullptr},
        {InstrumentId::Gts210_220_6, "GTS-210 / 220 / 6", Family::Gts200, false, false, 0, 1,
         nullptr},
        {InstrumentId::Gts600_700, "GTS-600 / 700", Family::Gts700, true, true, 2, 3, nullptr},
        {InstrumentId::Gts230N, "GTS-230N", Family::Gts200, true, true, 3, 2, nullptr},
        {InstrumentId::Gpt1000_2000, "GPT-1000 / 2000", Family::Gts200, true, true, 4, 4, nullptr},
        {InstrumentId::Gpt3000, "GPT-3000 / GPT-3000LN", Family::Gts200, true, true, 5, 5, nullptr},
        {InstrumentId::Dl100, "DL-100", Family::Dl100, true, false, 6, 6, &kDl100Preset},
        {InstrumentId::Gts6, "GTS-6", Family::Gts200, true, true, 7, 0, nullptr},
        {InstrumentId::Usikata, "USIKATA", Family::Text, true, false, 8, 0, nullptr},
    };
    return rows;
}

const std::vector<Output>& outputs() {
    using K = OutputKind;
    using E = Extension;
    static const std::vector<Output> rows = {
        {OutputId::Xyz, "XYZ", K::Conversion, E::CoordinateList, true},
        {OutputId::Yxz, "YXZ", K::Conversion, E::CoordinateList, true},
        {OutputId::YdeNetcad, "YDE-NETCAD", K::Conversion, E::FromText, false},
        {OutputId::YdeEghas, "YDE-EGHAS", K::Conversion, E::FromText, false},
        {OutputId::YdeGeocad, "YDE-GEOCAD", K::Conversion, E::FromText, false},
        {OutputId::YmkNetcad, "YMK-NETCAD", K::Conversion, E::FromText, false},
        {OutputId::YmkEghas, "YMK-EGHAS", K::Conversion, E::FromText, false},
        {OutputId::YmkGeocad, "YMK-GEOCAD", K::Conversion, E::FromText, false},
        {OutputId::ObservationBook, "RASAT KARNESi", K::Conversion, E::FromText, false},
        {OutputId::Coordinates, "KOORDINAT", K::Computation, E::FromText, true},
        {OutputId::CrossSectionListing, "KESIT-KLISE", K::Computation, E::CrossSection, false},
        {OutputId::CrossSectionNetcad, "KESIT-NETCAD", K::Computation, E::CrossSection, false},
        {OutputId::ElevationReport, "KOT HESABI", K::Levelling, E::FromText, false},
        {OutputId::ShortReport, "KOT HESABI-1", K::Levelling, E::FromText, false},
        {OutputId::Notebook, "iLLER BANKASI", K::Levelling, E::FromText, false},
    };
    return rows;
}

const Instrument& instrument(InstrumentId id) {
    for (const Instrument& i : instruments()) {
        if (i.id == id) return i;
    }
    return instruments().front();  // every id has a row
}

const Output& output(OutputId id) {
    for (const Output& o : outputs()) {
        if (o.id == id) return o;
    }
    return outputs().front();  // every id has a row
}

const Instrument* findInstrument(std::string_view text) {
    for (const Instrument& i : instruments()) {
        if (text == i.text) return &i;
    }
    return nullptr;
}

const Output* findOutput(std::string_view text) {
    for (const Output& o : outputs()) {
        if (text == o.text) return &o;
    }
    return nullptr;
}

namespace {

std::vector<const Instrument*> listed(int Instrument::*position) {
    std::vector<const Instrument*> list;
    for (const Instrument& i : instruments()) {
        if (i.*position > 0) list.push_back(&i);
    }
    std::sort(list.begin(), list.end(), [position](const Instrument* a, const Instrument* b) {
        return a->*position < b->*position;
    });
    return list;
}

}  // namespace

std::vector<const Instrument*> transferInstruments() {
    return listed(&Instrument::transferListPosition);
}

std::vector<const Instrument*> conversionInstruments() {
    return listed(&Instrument::conversionListPosition);
}

std::vector<const Output*> outputsOf(OutputKind kind) {
    std::vector<const Output*> list;
    for (const Output& o : outputs()) {
        if (o.kind == kind) list.push_back(&o);
    }
    return list;
}

std::vector<const Output*> conversionWindowFormatOutputs() {
    std::vector<const Output*> list = outputsOf(OutputKind::Conversion);
    std::swap(list[0], list[1]);  // "YXZ" first, then "XYZ"
    return list;
}

const Instrument& conversionInstrumentFor(const Instrument* main) {
    const auto list = conversionInstruments();
    for (const Instrument* i : list) {
        if (main && i->id == main->id) return *i;
    }
    for (const Instrument* i : list) {
        if (main && i->family == main->family) return *i;
    }
    return *list.front();
}

std::string familyCode(const Instrument& i) {
    if (i.family == Family::Gts200) return "200";
    if (i.family == Family::Gts700) return "700";
    return {};
}

RunKind runKind(const Instrument* instrument, const Output* output, Mode mode) {
    if (instrument && instrument->family == Family::Dl100) return RunKind::Levelling;
    if (!instrument || !output) return RunKind::Unknown;
    if (instrument->family != Family::Gts200 && instrument->family != Family::Gts700)
        return RunKind::Unknown;
    if (mode == Mode::Convert && output->kind == OutputKind::Conversion) return RunKind::Conversion;
    if (mode == Mode::Compute && output->kind == OutputKind::Computation)
        return RunKind::Computation;
    return RunKind::Unknown;
}

}  // namespace velkar::catalogue
