// The CAD format writer and the conversion window's action button.
#pragma once

#include <string>

#include "conversion/record.h"
#include "conversion/window.h"

namespace velkar::conversion {

// FORMAT_CEVIR: asks for the raw file, decodes it line by line by w.CIHAZ_TIPI
// and writes the output of w.request ("XYZ", "YXZ", "YDE-NETCAD",
// "YDE-EGHAS", "YDE-GEOCAD", "YMK-NETCAD", "YMK-EGHAS", "YMK-GEOCAD", and the
// observation book "RASAT KARNESi") into the
// result work file and the result table, then shows "Format Dönüştürme
// İşlemi Tamamlandı" (title "İşlem Sonu").  An unknown output writes nothing
// and still ends with that message.  Returns true when the run reached that
// message; false when no file was chosen (silent) or a file could not be
// opened or written ("Hata Mesajı" box shown).
bool FORMAT_CEVIR(ConversionWindow& w, ConversionState& state);

enum class ActionOutcome {
    Converted,       // FORMAT_CEVIR ran to its end message
    NotConverted,    // FORMAT_CEVIR ended early (no file chosen, a file error)
    RunLevelling,    // DL-100: the caller runs the levelling computation
    RunComputation,  // computing mode: the caller runs the computation of w.request
    Busy,            // a run is still going: the press is refused, nothing changed
};

// The action button (Command1) for w.request: clears the result table, sets
// the dialog title "Dosya Seçiniz" and flags 0, sets CIHAZ_TIPI by the
// instrument's family, and runs FORMAT_CEVIR for a format output in the
// conversion mode.  For the DL-100 (either mode) and for a computation in the
// computing mode it returns the routine for the caller to run.  A choice it
// cannot run (no or an unknown instrument or output, an output of the other
// mode) gets a "Uyarı" box naming what to choose and changes nothing else.
ActionOutcome runAction(ConversionWindow& w, ConversionState& state);

}  // namespace velkar::conversion
