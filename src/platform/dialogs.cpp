#include "platform/dialogs.h"

#include "platform/cp1254.h"

namespace velkar {

std::string errorTitle() { return cp1254("Hata Mesajı"); }

void Dialogs::error(const std::string& text) {
    message({text, errorTitle(), MessageIcon::Critical, MessageButtons::Ok});
}

}  // namespace velkar
