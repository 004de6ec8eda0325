// The CAD format writer and the conversion window's action button.
#pragma once

#include <string>

#include "conversion/record.h"
#include "conversion/window.h"

namespace velkar::conversion {

// FORMAT_CEVIR: asks for the raw file, checks that it looks like the chosen
// instrument family (confirmFamily), decodes it line by line by w.CIHAZ_TIPI
// and writes the output of w.request ("XYZ", "YXZ", "YDE-NETCAD",
// "YDE-EGHAS", "YDE-GEOCAD", "YMK-NETCAD", "YMK-EGHAS", "YMK-GEOCAD", and the
// observation book "RASAT KARNESi") into the result work file and the result
// table, then ends through finishRun with "Format Dönüştürme İşlemi
// Tamamlandı" (title "İşlem Sonu").  Returns true when the run reached that
// message; false when no file was chosen (silent), the family question was
// cancelled, nothing was written (an unknown output, a file without a record
// for the output: the "Uyarı" box), or a file could not be opened or written
// ("Hata Mesajı" box shown).
bool FORMAT_CEVIR(ConversionWindow& w, ConversionState& state);

// The family check of the chosen raw file (w.dialog.fileName): when its first
// non-empty lines look like the other instrument family, asks whether to go
// on ("Uyarı", OK/Cancel).  False after a Cancel (the save button disabled).
bool confirmFamily(ConversionWindow& w);

// The end of a conversion or computation that reached its end, from
// state.summary: first the box about records skipped for their units (when
// any), then either the "Uyarı" box of an empty result (save button disabled,
// false) or the completion box: `done`, "N satır yazıldı." and the lines about
// degrees, feet and unnamed stations that apply (title `title`; true).
bool finishRun(ConversionWindow& w, ConversionState& state, const std::string& done,
               const std::string& title);

enum class [[nodiscard]] ActionOutcome{
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
