#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include "platform/console/console_dialogs.h"
#include "platform/cp1254.h"

namespace velkar::test {

MessageResult ScriptedDialogs::message(const MessageRequest& r) {
    ShownBox box{ShownBox::Kind::Message, r.title, r.text, r.buttons, r.icon, {}};
    shown_.push_back(box);
    if (!messageAnswers_.empty()) {
        const MessageResult a = messageAnswers_.front();
        messageAnswers_.pop_front();
        return a;
    }
    if (r.buttons == MessageButtons::OkCancel || strict_) {
        ADD_FAILURE() << "unexpected message box: " << ConsoleDialogs::formatMessage(r);
        return MessageResult::Cancel;
    }
    return MessageResult::Ok;
}

FileDialogResult ScriptedDialogs::chooseFile(const FileDialogRequest& r) {
    ShownBox box{ShownBox::Kind::File, r.title, {}, MessageButtons::Ok, MessageIcon::None, r};
    shown_.push_back(box);
    if (fileAnswers_.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << toUtf8(r.title);
        return {};
    }
    FileDialogResult a = fileAnswers_.front();
    fileAnswers_.pop_front();
    return a;
}

std::optional<std::string> ScriptedDialogs::input(const std::string& prompt,
                                                  const std::string& title, const std::string&) {
    shown_.push_back(
        {ShownBox::Kind::Input, title, prompt, MessageButtons::Ok, MessageIcon::None, {}});
    if (inputAnswers_.empty()) {
        ADD_FAILURE() << "unexpected input box: " << toUtf8(prompt);
        return std::nullopt;
    }
    auto a = inputAnswers_.front();
    inputAnswers_.pop_front();
    return a;
}

std::vector<ShownBox> ScriptedDialogs::messages() const {
    std::vector<ShownBox> out;
    for (const auto& b : shown_) {
        if (b.kind == ShownBox::Kind::Message) out.push_back(b);
    }
    return out;
}

std::vector<std::string> ScriptedDialogs::messageLines() const {
    std::vector<std::string> out;
    for (const auto& b : messages()) {
        out.push_back(ConsoleDialogs::formatMessage({b.text, b.title, b.icon, b.buttons}));
    }
    return out;
}

}  // namespace velkar::test
