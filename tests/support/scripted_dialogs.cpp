#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include "platform/console/console_dialogs.h"
#include "platform/cp1254.h"

namespace velkar::test {

namespace {

// The next scripted answer; a box nobody answers fails the test.
template <typename T>
T next(std::deque<T>& answers, const std::string& what, T none) {
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return none;
    }
    T a = std::move(answers.front());
    answers.pop_front();
    return a;
}

}  // namespace

MessageResult ScriptedDialogs::message(const MessageRequest& r) {
    shown_.push_back({ShownBox::Kind::Message, r.title, r.text, r.buttons, r.icon, {}});
    if (messageAnswers_.empty() && r.buttons != MessageButtons::OkCancel) return MessageResult::Ok;
    return next(messageAnswers_, "message box: " + ConsoleDialogs::formatMessage(r),
                MessageResult::Cancel);
}

FileDialogResult ScriptedDialogs::chooseFile(const FileDialogRequest& r) {
    shown_.push_back({ShownBox::Kind::File, r.title, {}, MessageButtons::Ok, MessageIcon::None, r});
    return next(fileAnswers_, "file dialog: " + toUtf8(r.title), FileDialogResult{});
}

std::optional<std::string> ScriptedDialogs::input(const std::string& prompt,
                                                  const std::string& title, const std::string&) {
    shown_.push_back(
        {ShownBox::Kind::Input, title, prompt, MessageButtons::Ok, MessageIcon::None, {}});
    return next(inputAnswers_, "input box: " + toUtf8(prompt), std::optional<std::string>{});
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
