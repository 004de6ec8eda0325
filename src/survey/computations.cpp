#include "platform/cp1254.h"
#include "survey/survey.h"

namespace velkar::survey {

conversion::ActionOutcome runActionButton(ConversionWindow& w, ConversionState& state,
                                          PolarSurveyLog* log) {
    const auto outcome = conversion::runAction(w, state);
    if (outcome != conversion::ActionOutcome::RunComputation) return outcome;
    state.running = true;
    w.inputsRead.clear();
    bool done = false;
    if (w.outputText == "KOORDINAT") {
        done = KOOR_HESAP(w, state, log);
    } else if (w.outputText == "KESIT-KLISE") {
        done = KESITKLISEHES(w, state);
    } else if (w.outputText == "KESIT-NETCAD") {
        done = KESIT_netcad(w, state);
    }
    state.running = false;
    if (state.stopRequested) return conversion::ActionOutcome::NotConverted;
    // Shown also when no file was chosen; not after a file error, which was
    // reported in its own box and left nothing to save.
    if (done || !w.DOSYA_SECILDI) {
        w.dialogs.info(cp1254("Hesaplama İşlemi Tamamlandı..Kayıt Etmeyi Unutmayınız.!!!"));
    }
    return done ? conversion::ActionOutcome::Converted : conversion::ActionOutcome::NotConverted;
}

}  // namespace velkar::survey
