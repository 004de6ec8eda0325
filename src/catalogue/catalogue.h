// The one list of what the program knows: the instruments it talks to and the
// outputs and computations it makes.  Every list a window or velkar-cli shows
// is read from here, and a run is asked for by the ids of these rows, so that
// no routine ever decides anything on a caption or a list text.
//
// The texts are those of the lists, in Windows-1254 (all plain ASCII today).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkar::catalogue {

// The two total-station families differ in their raw data: the GTS-210/220
// family writes fixed-position records with "_" items, the GTS-600/700
// keyword records with separated fields.
enum class Family { Gts200, Gts700, Dl100, Text };

enum class InstrumentId {
    Gts210_220,    // "GTS-210 / 220" (transfers)
    Gts210_220_6,  // "GTS-210 / 220 / 6" (the conversion window's name for the same family)
    Gts230N,
    Gts600_700,
    Gpt1000_2000,
    Gpt3000,
    Dl100,
    Gts6,
    Usikata,  // any device that sends text: the free-text logger
};

// The port settings an instrument is used with unless the user changes them.
struct PortPreset {
    const char* protocol;
    const char* baud;
    const char* parity;
    const char* dataBits;
    const char* stopBits;
};

struct Instrument {
    InstrumentId id;
    const char* text;
    Family family;
    bool download;
    bool upload;
    // Position in the main window's instrument list (1-based; 0: not listed) and
    // in the conversion window's.
    int transferListPosition;
    int conversionListPosition;
    // The settings this instrument needs whatever the port window holds
    // (the DL-100 speaks only ACK / NAK, 9600, EVEN, 7, 1); nullptr: the user's.
    const PortPreset* preset;
};

// The two modes of the conversion window's action button.
enum class Mode { Convert, Compute };

enum class OutputId {
    Xyz,
    Yxz,
    YdeNetcad,
    YdeEghas,
    YdeGeocad,
    YmkNetcad,
    YmkEghas,
    YmkGeocad,
    ObservationBook,
    Coordinates,
    CrossSectionListing,
    CrossSectionNetcad,
    ElevationReport,
    ShortReport,
    Notebook,
};

enum class OutputKind {
    Conversion,   // a format output of the total-station data ("&Format Dönüstür" mode)
    Computation,  // a survey computation ("&Hesapla" mode)
    Levelling,    // a DL-100 computation (either mode)
};

// How a saved result gets its extension.
enum class Extension {
    FromText,        // "." + the first three characters of the output text
    CrossSection,    // ".KSE"
    CoordinateList,  // the user's own; without one, that of the chosen filter pair
};

struct Output {
    OutputId id;
    const char* text;
    OutputKind kind;
    Extension extension;
    bool holdsCoordinates;  // the result is a list of named points with Y, X, Z
};

const std::vector<Instrument>& instruments();
const std::vector<Output>& outputs();

const Instrument& instrument(InstrumentId id);
const Output& output(OutputId id);

// The row of a list text; nullptr for a text no list has (the lists are editable).
const Instrument* findInstrument(std::string_view text);
const Output* findOutput(std::string_view text);

// The lists as the windows show them, in their order.
std::vector<const Instrument*> transferInstruments();    // main window
std::vector<const Instrument*> conversionInstruments();  // conversion window
std::vector<const Output*> outputsOf(OutputKind kind);
// The conversion window lists the two coordinate lists the other way round.
std::vector<const Output*> conversionWindowFormatOutputs();

// The conversion window's instrument for one of the main window's: the same
// row when the conversion list has it, else the first of its family there,
// else the first of the list.
const Instrument& conversionInstrumentFor(const Instrument* transferInstrument);

// The family code the decoders and writers switch on: "200" or "700"; empty
// for an instrument without total-station data.
std::string familyCode(const Instrument& instrument);

// The output a mode runs for the instrument chosen, or why it cannot.
enum class RunKind { Conversion, Computation, Levelling, Unknown };
RunKind runKind(const Instrument* instrument, const Output* output, Mode mode);

}  // namespace velkar::catalogue
