#include "platform/console/console_dialogs.h"

#include <iostream>

#include "platform/cp1254.h"

namespace velkar {

std::string ConsoleDialogs::formatMessage(const MessageRequest& r) {
    std::string text = r.title.empty() ? r.text : r.title + ": " + r.text;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return toUtf8(out);
}

void ConsoleDialogs::releaseHeldMessages() {
    std::fputs(held_.c_str(), out_);
    std::fflush(out_);
    dropHeldMessages();
}

void ConsoleDialogs::dropHeldMessages() {
    held_.clear();
    hold_ = false;
}

MessageResult ConsoleDialogs::message(const MessageRequest& r) {
    const std::string line = formatMessage(r);
    ++printed_;
    if (hold_ && r.buttons == MessageButtons::Ok && r.icon != MessageIcon::Critical) {
        held_ += line + "\n";
        return MessageResult::Ok;
    }
    std::fputs(held_.c_str(), out_);
    held_.clear();
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
    if (r.buttons == MessageButtons::OkCancel && ask_) {
        std::fprintf(out_, "%s",
                     toUtf8(cp1254("Devam için Enter, iptal için i ve Enter: ")).c_str());
        std::fflush(out_);
        std::string answer;
        if (!std::getline(std::cin, answer)) return MessageResult::Cancel;
        if (!answer.empty() && (answer[0] == 'i' || answer[0] == 'I' || answer[0] == 'n' ||
                                answer[0] == 'N' || answer[0] == 'c' || answer[0] == 'C')) {
            return MessageResult::Cancel;
        }
    }
    return MessageResult::Ok;
}

FileDialogResult ConsoleDialogs::chooseFile(const FileDialogRequest& r) {
    if (fileAnswer_) return fileAnswer_(r);
    return {};
}

std::optional<std::string> ConsoleDialogs::input(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::string& defaultText) {
    if (inputAnswer_) return inputAnswer_(prompt, title, defaultText);
    return std::nullopt;
}

}  // namespace velkar
