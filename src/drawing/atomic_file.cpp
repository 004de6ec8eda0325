#include "drawing/atomic_file.h"

#include "platform/textfile.h"

namespace velkar::drawing {

// The program's one atomic writer does the work (platform/textfile.h): the
// same temporary names, the same refusal of a read-only target, and a stop of
// velkar-cli removes a temporary file that was never committed.
AtomicTarget::~AtomicTarget() {
    discardTemporary(temp_);
}

bool AtomicTarget::create(std::string& error) {
    return createTemporaryBeside(target_, temp_, error);
}

bool AtomicTarget::commit(std::string& error) {
    const bool ok = commitTemporary(temp_, target_, error);
    temp_.clear();
    return ok;
}

}  // namespace velkar::drawing
