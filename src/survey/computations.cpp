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
    switch (w.request.output->id) {
        case catalogue::OutputId::Coordinates:
            done = KOOR_HESAP(w, state, log);
            break;
        case catalogue::OutputId::CrossSectionListing:
            done = KESITKLISEHES(w, state);
            break;
        case catalogue::OutputId::CrossSectionNetcad:
            done = KESIT_netcad(w, state);
            break;
        default:
            break;  // runAction lets only the computations through
    }
    state.running = false;
    if (state.stopRequested) return conversion::ActionOutcome::NotConverted;
    // Shown also when no file was chosen; not after a file error, which was
    // reported in its own box and left nothing to save.  A run that wrote
    // nothing ends with the empty-result box instead.
    const std::string text = cp1254("Hesaplama İşlemi Tamamlandı..Kayıt Etmeyi Unutmayınız.!!!");
    if (done) {
        done = conversion::finishRun(w, state, text, {});
    } else if (!w.DOSYA_SECILDI) {
        w.dialogs.info(text);
    }
    return done ? conversion::ActionOutcome::Converted : conversion::ActionOutcome::NotConverted;
}

}  // namespace velkar::survey
