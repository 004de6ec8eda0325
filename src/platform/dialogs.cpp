#include "platform/dialogs.h"

#include "platform/cp1254.h"
#include "platform/program_folder.h"

namespace velkar {

std::string errorTitle() {
    return cp1254("Hata Mesajı");
}

void Dialogs::error(const std::string& text) {
    message({text, errorTitle(), MessageIcon::Critical, MessageButtons::Ok});
}

bool confirmReplace(Dialogs& dialogs, const std::filesystem::path& file, const std::string& title) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return true;
    return dialogs.message({pathText(file) + cp1254(" zaten var.\rDeğiştirmek istiyor musunuz?"),
                            title, MessageIcon::Question, MessageButtons::OkCancel}) ==
           MessageResult::Ok;
}

std::string savedMessage(const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(file, ec);
    return cp1254("Kayıt edildi: ") + pathText(ec ? file : full);
}

}  // namespace velkar
